#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace zem::Raster {

// A layer of colour numbers to draw into, one byte a pixel: pixel (x, y) is zeilen[y * zeilenlaenge + x],
// 0 where nothing is drawn. A frame is drawn into an empty layer and then put into the picture by
// uebertragen, which empties the layer again. A byte a pixel keeps the layer of a 4K screen (8 MB) in the
// processor's cache, where a line's every step touches another row.
struct Bild {
    std::uint8_t* zeilen = nullptr;
    int breite = 0; // at most 65535, and so is hoehe
    int hoehe = 0;
    int zeilenlaenge = 0; // in pixels
    // The pen's width in pixels. Around each pixel that a 1-pixel drawing sets, a pen w wide covers the
    // offsets -(w - 1) / 2 to w / 2: across the major axis of a line, along both axes for a point and a
    // circle's outline. A line thus weighs w pixels in every column or row it passes.
    int stift = 1;
    // The bytes of the layer drawn at a time: a band of more rows is drawn a tile of rows at a time, each
    // small enough to stay in a core's own cache (on the development machine 1 MiB took 0.86 of the time
    // of a 4K band drawn whole; 256 KiB slowed pictures of a million pixels). That of a thread drawing
    // alone: the pieces of a frame drawn at the same time take less (Baender::beginnen).
    int kachel = 1 << 20;
    // The box around every pixel drawn since it was last emptied, both ends included, as uebertragen finds
    // them.
    int links = std::numeric_limits<int>::max();
    int oben = std::numeric_limits<int>::max();
    int rechts = std::numeric_limits<int>::min();
    int unten = std::numeric_limits<int>::min();

    bool boxLeer() const { return rechts < links; }
    void boxLeeren() { *this = { zeilen, breite, hoehe, zeilenlaenge, stift, kachel }; }
    // Widens the box by another one.
    void umfassen(const Bild& b);
};

// The rows from oben to unten, both included, that one piece of an image draws. Drawn into a band, a list
// sets in those rows exactly the pixels that drawing it into the whole image sets, each line on its path
// through the whole image. Bands that split the rows between them may thus be drawn and put into the
// picture at the same time, each with a copy of the Bild whose box it widens: the boxes together are the
// whole image's.
struct Band {
    int oben;
    int unten;
};

// A frame's drawing, recorded to be drawn later into a layer of a given size, in pixel coordinates: pixel
// (i, j) covers [i, i + 1) x [j, j + 1), so a position lands on the pixel floor(x), floor(y). Colours are
// numbers from 1 to 255. Lines are clipped to the layer as they are recorded, so that each band finds
// their pixels at once; nothing is ever drawn outside the layer, neither what a 1-pixel drawing would set
// outside nor any pen pixel around that. Emptying keeps the memory, so that recording a frame like the
// last one allocates nothing.
class Zeichenliste {
public:
    // Empties the list for a layer of that size; drawn into a layer of another size, it draws nothing.
    void leeren(int breite, int hoehe);
    bool leer() const { return m_befehle.empty(); }
    // The operations recorded.
    std::size_t anzahl() const { return m_befehle.size(); }
    // Keeps room for n operations in all, so that recording up to them moves none of those recorded.
    void reservieren(std::size_t n);
    // The room kept is full: the next operation may move those recorded.
    bool voll() const
    {
        return m_befehle.size() == m_befehle.capacity() || m_zeilen.size() == m_zeilen.capacity()
            || m_kreise.size() == m_kreise.capacity();
    }
    // A solid line, both ends included, as Bresenham steps it between the pixels of its ends. A segment
    // that leaves the layer is clipped to it first, so ends far outside cost no more than ends inside; a
    // segment with an infinite or NaN end draws nothing.
    void linie(double x0, double y0, double x1, double y1, std::uint8_t farbe)
    {
        // Most segments of a picture lie wholly inside; NaN fails these tests and takes the long way.
        const double b = m_breite, h = m_hoehe;
        if (x0 >= 0 && x0 < b && y0 >= 0 && y0 < h && x1 >= 0 && x1 < b && y1 >= 0 && y1 < h)
            anfuegen(std::int32_t(x0), std::int32_t(y0), std::int32_t(x1), std::int32_t(y1), farbe);
        else
            linieKappen(x0, y0, x1, y1, farbe);
    }
    // The pen's pixels around the pixel under (x, y), when that lies inside the layer.
    void punkt(double x, double y, std::uint8_t farbe);
    // A circle's outline around (x, y) with the radius |r|; nothing for an infinite or NaN value.
    void kreis(double x, double y, double r, std::uint8_t farbe);
    // About the time drawing the list takes, in pixel steps: 1 for each operation and 1 for each step
    // along a line or around a circle.
    std::int64_t aufwand() const { return m_aufwand; }

private:
    void linieKappen(double x0, double y0, double x1, double y1, std::uint8_t farbe);

    // A line from (x0, y0) to (x1, y1), both inside the layer; a point, x1 and y1 as x0 and y0; a
    // circle: its rows from y0 to y1 and its place in m_kreise in x0.
    enum class Art : std::uint8_t { Linie, Punkt, Kreis };
    struct Befehl {
        std::int32_t x0, y0, x1, y1;
        std::uint8_t farbe;
        Art art;
    };
    struct Kreis {
        double x, y, r;
    };

    void anfuegen(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint8_t farbe)
    {
        m_befehle.push_back({ x0, y0, x1, y1, farbe, Art::Linie });
        m_zeilen.push_back(std::uint32_t(std::min(y0, y1)) << 16 | std::uint32_t(std::max(y0, y1)));
        m_aufwand += 1 + std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    }

    std::vector<Befehl> m_befehle;
    // The rows of each operation, the first in the high half: what a band looks at first, in a fraction
    // of the memory.
    std::vector<std::uint32_t> m_zeilen;
    std::vector<Kreis> m_kreise;
    std::int64_t m_aufwand = 0;
    int m_breite = 0, m_hoehe = 0;

    friend void listeZeichnen(
        Bild& bild, const Zeichenliste& liste, Band band, std::size_t von, std::size_t bis, std::int32_t* abdeckung);
};

// The list's operations in their order, restricted to a band's rows.
void listeZeichnen(Bild& bild, const Zeichenliste& liste, Band band);
// Its operations from von up to bis. It reads only those of the list: another thread may record more
// meanwhile, into the room kept (reservieren). With abdeckung, an array indexed by row, it counts the work
// of each of the band's rows: an operation drawn adds its work for each row it crosses at its first row in
// the band and takes it off after its last, so that summed down from the band's first row the array
// gives each row's work, in about a quarter of the time of a step of a line.
void listeZeichnen(Bild& bild, const Zeichenliste& liste, Band band, std::size_t von, std::size_t bis,
    std::int32_t* abdeckung = nullptr);

// The picture that a layer is shown in: 32-bit pixels, as many as the layer has, the colour of each
// number, and a box (both ends included) cleared to the background since the picture last took the layer.
struct Farbbild {
    std::uint32_t* zeilen = nullptr;
    int zeilenlaenge = 0; // in pixels
    const std::uint32_t* farben = nullptr; // 256 of them; that of number 0 is not used
    std::uint32_t hintergrund = 0;
    int links = 0, oben = 0, rechts = -1, unten = -1; // empty when rechts < links
};

// Puts a band's rows of the layer into the picture and empties the layer there: a drawn pixel takes its
// number's colour, one not drawn in the cleared box the background, every other pixel of the picture
// stays. Widens the layer's box by the pixels drawn in those rows.
void uebertragen(Bild& bild, Band band, const Farbbild& ziel);

} // namespace zem::Raster
