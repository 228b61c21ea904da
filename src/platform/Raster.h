#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace zem::Raster {

// A 32-bit pixel image to draw into: pixel (x, y) is zeilen[y * zeilenlaenge + x].
struct Bild {
    std::uint32_t* zeilen = nullptr;
    int breite = 0;
    int hoehe = 0;
    int zeilenlaenge = 0; // in pixels
    // The pen's width in pixels. Around each pixel that a 1-pixel drawing sets, a pen w wide covers the
    // offsets -(w - 1) / 2 to w / 2: across the major axis of a line, along both axes for a point and a
    // circle's outline. A line thus weighs w pixels in every column or row it passes.
    int stift = 1;
    // The box around every pixel written since it was last emptied, both ends included.
    int links = std::numeric_limits<int>::max();
    int oben = std::numeric_limits<int>::max();
    int rechts = std::numeric_limits<int>::min();
    int unten = std::numeric_limits<int>::min();

    bool boxLeer() const { return rechts < links; }
    void boxLeeren() { *this = { zeilen, breite, hoehe, zeilenlaenge, stift }; }
};

// Every function takes positions in pixel coordinates: pixel (i, j) covers [i, i + 1) x [j, j + 1), so
// a position lands on the pixel floor(x), floor(y). What a 1-pixel drawing would set outside the image
// is left out, and so is every pen pixel around it; nothing is ever written outside the image.

// Solid line, both ends included. A segment that leaves the image is clipped to it first, so ends far
// outside cost no more than ends inside; a segment with an infinite or NaN end draws nothing.
void Linie(Bild& bild, double x0, double y0, double x1, double y1, std::uint32_t farbe);

// Bresenham line between two pixels that both lie inside the image, both ends included.
void LinieInnen(Bild& bild, int x0, int y0, int x1, int y1, std::uint32_t farbe);

// Circle outline around (x, y) with the radius |r|; nothing for an infinite or NaN value.
void Kreis(Bild& bild, double x, double y, double r, std::uint32_t farbe);

// Sets the pen's pixels around the pixel under (x, y) when that lies inside the image.
void Punkt(Bild& bild, double x, double y, std::uint32_t farbe);

// Fills the box with a colour.
void BoxFuellen(const Bild& bild, std::uint32_t farbe);

// The rows from oben to unten, both included, that one band of an image draws. Drawn into a band, a list
// sets in those rows exactly the pixels that drawing it into the whole image sets, each line on its path
// through the whole image, and widens the box by what the whole image's box gains in those rows. Bands
// that split the rows between them may thus be drawn at the same time, each into a copy of the Bild with
// a box of its own: the boxes together are the whole image's.
struct Band {
    int oben;
    int unten;
};

// A frame's drawing, recorded to be drawn later, in pixel coordinates as the functions above take them.
// Emptying keeps the memory, so that recording a frame like the last one allocates nothing.
class Zeichenliste {
public:
    void leeren()
    {
        m_befehle.clear();
        m_aufwand = 0;
    }
    bool leer() const { return m_befehle.empty(); }
    void linie(double x0, double y0, double x1, double y1, std::uint32_t farbe)
    {
        m_befehle.push_back({ x0, y0, x1, y1, farbe, Art::Linie });
        m_aufwand += schritte(std::fmax(std::fabs(x1 - x0), std::fabs(y1 - y0)));
    }
    void punkt(double x, double y, std::uint32_t farbe)
    {
        m_befehle.push_back({ x, y, 0, 0, farbe, Art::Punkt });
        m_aufwand += 1;
    }
    void kreis(double x, double y, double r, std::uint32_t farbe)
    {
        m_befehle.push_back({ x, y, r, 0, farbe, Art::Kreis });
        m_aufwand += schritte(6 * std::fabs(r));
    }
    // About the time drawing the list takes, in pixel steps: 1 for each operation and 1 for each pixel
    // along a line or around a circle, at most 1 << 16 each (a far end draws no more than the image
    // holds, which the list does not know).
    std::int64_t aufwand() const { return m_aufwand; }

private:
    enum class Art : std::uint8_t { Linie, Punkt, Kreis };
    struct Befehl {
        double a, b, c, d;
        std::uint32_t farbe;
        Art art;
    };
    static std::int64_t schritte(double laenge) { return 1 + std::int64_t(std::fmin(laenge, 65536.0)); }

    std::vector<Befehl> m_befehle;
    std::int64_t m_aufwand = 0;

    friend void ListeZeichnen(Bild& bild, const Zeichenliste& liste, Band band);
};

// The list's operations in their order, as the functions above draw them, restricted to a band's rows.
void ListeZeichnen(Bild& bild, const Zeichenliste& liste, Band band);

} // namespace zem::Raster
