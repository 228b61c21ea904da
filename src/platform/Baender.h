#pragma once

#include "platform/Raster.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace zem::Raster {

// Draws a frame's list in pieces of the layer at the same time, the calling thread and a fixed pool of
// workers, and puts each piece into the picture as soon as it is drawn, while its rows are still in the
// cache. A piece is a band of rows; a frame is cut into two of them for each thread, and the threads take
// them one by one as they come free. A drag changes the picture little from frame to frame, so the rows
// are cut where the last frame's pieces, their work spread over their rows, give each piece the same
// time: the frame ends about when its work divided by the threads is done, however the lines lie. Every
// piece costs a pass over the list and a start on each line that crosses into it, and its rows travel
// between the cores' caches, so a few pieces of even work beat many small ones; the second piece of each
// thread leaves a worker that the system runs late less to hold up.
class Baender {
public:
    // Lists of less work than this are drawn on the calling thread alone.
    static constexpr std::int64_t StandardAbAufwand = std::int64_t(1) << 20;
    static constexpr int MaxFaeden = 16;
    static constexpr int StueckeJeFaden = 2;

    // faeden threads, the calling one included, 0 for one per core, at most MaxFaeden. Lists whose
    // aufwand() is below abAufwand are drawn in one piece by the calling thread.
    explicit Baender(int faeden = 0, std::int64_t abAufwand = StandardAbAufwand);
    ~Baender();
    Baender(const Baender&) = delete;
    Baender& operator=(const Baender&) = delete;

    int anzahl() const { return m_faeden; }
    // The pieces that zeichnen cuts a frame of this list into.
    int stueckeFuer(const Bild& bild, const Zeichenliste& liste) const;
    // The pieces that faeden threads cut a layer of that height into.
    static int stueckZahl(int faeden, int hoehe) { return std::max(1, std::min(hoehe, faeden * StueckeJeFaden)); }
    // The first rows of the zahl pieces of a frame, and the height after them, from the last frame's
    // pieces (grenzen alike) and the nanoseconds they took: each new piece gets the same share of the
    // time, the work of an old piece taken as spread evenly over its rows; the rows evenly without a time.
    // Every piece keeps a row at least.
    static void schneiden(const int* grenzen, const std::int64_t* zeiten, int zahl, int hoehe, int* neu);

    // A frame follows soon: wakes the workers, which wait awake for a while, so that a frame after a
    // pause does not wait for them to wake. Called before the frame is recorded, it hides the waking
    // behind the recording.
    void bereithalten();

    // Draws the list into the empty layer and puts it into the picture (Uebertragen) with the cleared
    // box; returns when every piece is done, with the layer empty again and the layer's box widened by
    // what was drawn, as one ListeZeichnen over all rows would widen it. Creates no thread and allocates
    // nothing. One call at a time.
    void zeichnen(Bild& bild, const Zeichenliste& liste, const Farbbild& ziel);

    // The pieces of the last frame, their first rows (and the height after them) and the time each took,
    // in nanoseconds.
    int letzteStuecke() const { return m_zahl; }
    const int* letzteGrenzen() const { return m_grenzen.data(); }
    const std::int64_t* letzteZeiten() const { return m_zeiten.data(); }

private:
    void arbeiten();
    // Takes pieces until none is left; true when it took one.
    bool stueckeNehmen();
    void warten(std::atomic<std::uint32_t>& wert, std::uint32_t alt, std::int64_t wachNs);

    // A piece's copy of the layer, whose box the thread that takes it alone widens, and its time; a cache
    // line of its own.
    struct alignas(64) Stueck {
        Bild bild;
        Band band;
        std::int64_t zeit;
    };
    const int m_faeden;
    const std::int64_t m_abAufwand;
    std::vector<Stueck> m_stuecke;
    std::vector<int> m_grenzen, m_neu; // the last frame's first rows, and this one's
    std::vector<std::int64_t> m_zeiten; // of the last frame
    int m_zahl = 0;
    int m_hoehe = 0;
    std::vector<std::thread> m_arbeiter;
    const Zeichenliste* m_liste = nullptr;
    const Farbbild* m_ziel = nullptr;
    // Read by a worker woken late for a frame while the pool ends too.
    std::atomic<bool> m_ende { false };
    // Raised for each frame, for bereithalten and for the end; the workers wait for it to change.
    std::atomic<std::uint32_t> m_auftrag { 0 };
    // The frame's number of pieces in the high half, the next piece to take in the low half: a worker
    // woken late for one frame takes a piece of the next only with that frame's count.
    std::atomic<std::uint64_t> m_naechstes { 0 };
    // The pieces of this frame not yet done.
    std::atomic<std::uint32_t> m_offen { 0 };
};

} // namespace zem::Raster
