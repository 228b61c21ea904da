#pragma once

// The banded raster as it was before the pieces: lines stepped by Bresenham from double coordinates
// clipped in each band, one band per thread. The benchmark measures the program's raster against it and
// checks that both give the same pixels and box.

#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <thread>
#include <vector>

namespace zem::Bezug {

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

// Fills the box with a colour.
void boxFuellen(const Bild& bild, std::uint32_t farbe);

// The rows from oben to unten, both included, that one band of an image draws. Drawn into a band, a list
// sets in those rows exactly the pixels that drawing it into the whole image sets, each line on its path
// through the whole image, and widens the box by what the whole image's box gains in those rows. Bands
// that split the rows between them may thus be drawn at the same time, each into a copy of the Bild with
// a box of its own: the boxes together are the whole image's.
struct Band {
    int oben;
    int unten;
};

// A frame's drawing, recorded to be drawn later, in pixel coordinates.
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

    friend void listeZeichnen(Bild& bild, const Zeichenliste& liste, Band band);
};

// The list's operations in their order, restricted to a band's rows.
void listeZeichnen(Bild& bild, const Zeichenliste& liste, Band band);

// Draws a frame's list in horizontal bands of the image at the same time: a band for each thread, the
// calling thread and a fixed pool of workers. Each thread takes the next band not yet taken until none
// is left, so that a worker the system runs late leaves its band to the others instead of holding up
// the frame.
class Baender {
public:
    // Lists of less work than this are drawn on the calling thread alone. Measured on two cores: with
    // frames back to back, two bands gain from some 0.4 ms of work up (0.94 of one band's time for 10000
    // random 4-pixel segments, 0.9 for 30000); the 120000 segments of the largest model gain at every size
    // from 125 x 125 pixels (0.84) to 3840 x 2160 (0.55). After a pause of 16 ms, waking a worker takes
    // 0.6 to 0.8 ms on that machine, so a frame must take well over that alone: about 1 ms, 1 << 20 steps.
    static constexpr std::int64_t StandardAbAufwand = std::int64_t(1) << 20;

    // zahl bands, 0 for one per core, at most 16; a worker thread for each band but one. Lists whose
    // aufwand() is below abAufwand are drawn in one band by the calling thread.
    explicit Baender(int zahl = 0, std::int64_t abAufwand = StandardAbAufwand);
    ~Baender();
    Baender(const Baender&) = delete;
    Baender& operator=(const Baender&) = delete;

    int anzahl() const { return static_cast<int>(m_baender.size()); }
    // The bands that zeichnen draws a list in: 1 or anzahl().
    int baenderFuer(const Zeichenliste& liste) const { return liste.aufwand() < m_abAufwand ? 1 : anzahl(); }

    // Draws the list into the image and returns when every band is done, with the pixels and the box that
    // listeZeichnen over all rows leaves. Creates no thread and allocates nothing. One call at a time.
    void zeichnen(Bild& bild, const Zeichenliste& liste);

private:
    void arbeiten();
    void baenderNehmen();

    // A band's copy of the image, whose box the thread that takes it alone widens; a cache line of its own.
    struct alignas(64) Streifen {
        Bild bild;
        Band band;
    };
    std::vector<Streifen> m_baender;
    std::vector<std::thread> m_arbeiter;
    const std::int64_t m_abAufwand;
    const Zeichenliste* m_liste = nullptr;
    // Read by a worker woken late for a frame while the pool ends too.
    std::atomic<bool> m_ende { false };
    // Raised for each frame and for the end; the workers wait for it to change.
    std::atomic<std::uint32_t> m_auftrag { 0 };
    // The next band to take, and the bands of this frame not yet drawn.
    std::atomic<int> m_naechstes { 0 };
    std::atomic<int> m_offen { 0 };
};

} // namespace zem::Bezug
