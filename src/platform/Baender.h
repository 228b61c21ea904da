#pragma once

#include "platform/Raster.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace zem::Raster {

// Draws a frame's list in pieces of the layer at the same time, the calling thread and a fixed pool of
// workers, and puts each piece into the picture as soon as it is drawn, while its rows are still in the
// cache. A piece is a band of rows, one for each thread: every piece costs a pass over the list and a
// start on each line that crosses into it, which for long lines outweighs what finer pieces gain. The work of a row
// follows the operations that cross it (a step of a steep line, a run of a flat one and its pixels, the start of each
// line), which the pieces count as they draw, and the time each piece took says what that work cost there; a drag
// changes the picture little from frame to frame, so the rows are cut where the last frame's work, so weighed, is
// shared out evenly, and the frame ends about when its work divided by the threads is done, however the
// lines lie.
//
// A frame may be drawn while it is recorded: begun before the first operation, told of the operations
// recorded so far now and then, and ended when the list is complete. The workers then draw what is
// recorded, piece by piece, while the calling thread records the rest, and they are awake by the time the
// recording ends, also after a pause between frames. In one piece, a worker draws the whole frame while
// the calling thread records it: where pieces do not pay, the recording and the drawing still take turns
// on two cores.
class Baender {
public:
    // Lists of less work than this are drawn on the calling thread alone.
    static constexpr std::int64_t StandardAbAufwand = std::int64_t(1) << 20;
    static constexpr int MaxFaeden = 16;
    static constexpr int StueckeJeFaden = 1;
    // While a frame is recorded, the workers stay this many operations behind: closer, they would take the
    // cache lines that the recording thread writes next from under it.
    static constexpr std::size_t Abstand = 1024;

    // faeden threads, the calling one included, 0 for one per core, at most MaxFaeden. Lists whose
    // aufwand() is below abAufwand are drawn in one piece by the calling thread.
    explicit Baender(int faeden = 0, std::int64_t abAufwand = StandardAbAufwand);
    ~Baender();
    Baender(const Baender&) = delete;
    Baender& operator=(const Baender&) = delete;

    int anzahl() const { return m_faeden; }
    std::int64_t abAufwand() const { return m_abAufwand; }
    // The pieces that zeichnen cuts a frame of that work (Zeichenliste::aufwand) into: 1 below abAufwand,
    // and 1 for work that the pool has seen drawn faster alone (gemessen).
    int stueckeFuer(const Bild& bild, std::int64_t aufwand) const;
    // A frame of that work took that long, from its clear to its end, drawn in pieces or not: the pool
    // learns for each power of two of work whether pieces pay on this machine, and tries the other way
    // again after every 32 frames of a kind. Two threads that share one core, as the two of a virtual
    // machine may, draw a frame whose layer fits in that core's caches slower than one.
    void gemessen(std::int64_t aufwand, bool inStuecken, std::int64_t ns);
    // The pieces that faeden threads cut a layer of that height into.
    static int stueckZahl(int faeden, int hoehe) { return std::max(1, std::min(hoehe, faeden * StueckeJeFaden)); }
    // The first rows of the zahl pieces of a frame, and the height after them, from the work of each row
    // in the last frame's pieces: as listeZeichnen counts it in abdeckung, each piece from its first row
    // on (alteGrenzen as neu), and, where given, the time each took. Each new piece gets the same share of
    // the work, 1 more for each row; the rows evenly without a count. Every piece keeps a row at least.
    static void schneiden(const int* alteGrenzen, const std::int32_t* abdeckung, const std::int64_t* zeiten, int zahl,
        int hoehe, int* neu);

    // Draws the list into the empty layer and puts it into the picture (uebertragen) with the cleared
    // box; returns when every piece is done, with the layer empty again and the layer's box widened by
    // what was drawn, as one listeZeichnen over all rows would widen it. Creates no thread and allocates
    // nothing. One frame at a time.
    void zeichnen(Bild& bild, const Zeichenliste& liste, const Farbbild& ziel);

    // A frame drawn while it is recorded, in zahl pieces (up to stueckZahl; 1 for a worker to draw while
    // the calling thread records): begun on the list, empty or not,
    // which keeps room for what is still to be recorded (Zeichenliste::reservieren), and the picture, which
    // both stay until the frame ends; then told that the first anzahl operations are recorded, as often as
    // useful; then ended when the list is complete, as zeichnen ends.
    void beginnen(const Bild& bild, const Zeichenliste& liste, const Farbbild& ziel, int zahl);
    void weiter(std::size_t anzahl)
    {
        if (anzahl > Abstand)
            m_veroeffentlicht.store(anzahl - Abstand, std::memory_order_release);
    }
    void beenden(Bild& bild);

    // The pieces of the last frame, their first rows (and the height after them) and the time each took
    // to draw, in nanoseconds.
    int letzteStuecke() const { return stuecke(); }
    const int* letzteGrenzen() const { return m_grenzen.data(); }
    const std::int64_t* letzteZeiten() const { return m_zeiten.data(); }

private:
    int stuecke() const { return m_stueckZahl.load(std::memory_order_acquire); }
    void arbeiten();
    // Draws what is recorded in pieces that no other thread holds, until no piece has more to draw or,
    // while the frame is recorded, until nothing more was recorded for a while; true when it drew.
    bool stueckeZeichnen(std::int64_t wachNs);
    // Draws what is recorded of a piece it holds; true when it drew.
    bool stueckZeichnen(int j);

    // A piece's copy of the layer, whose box the thread that holds it alone widens, the operations it has
    // drawn and the time it took; a cache line of its own. A thread holds a piece while it draws it;
    // when the piece is done it stays held until the next frame.
    struct alignas(64) Stueck {
        Bild bild;
        Band band;
        std::size_t gezeichnet;
        std::int64_t zeit;
        std::atomic<bool> gehalten { true };
    };
    const int m_faeden;
    const std::int64_t m_abAufwand;
    // For each power of two of work, the nanoseconds per unit of work, alone and in pieces, averaged over
    // the last frames, and the frames since each way was last taken.
    struct Erfahrung {
        double ns[2] = {};
        int seit[2] = {};
    };
    Erfahrung m_erfahrung[64];
    std::unique_ptr<Stueck[]> m_stuecke;
    std::vector<int> m_grenzen, m_neu; // the last frame's first rows, and this one's
    std::vector<std::int64_t> m_zeiten; // of the last frame
    std::vector<std::int32_t> m_abdeckung; // the operations across each row, counted in the last frame
    int m_hoehe = 0;
    std::vector<std::thread> m_arbeiter;
    const Zeichenliste* m_liste = nullptr;
    const Farbbild* m_ziel = nullptr;
    // Read by a worker woken late for a frame while the pool ends too.
    std::atomic<bool> m_ende { false };
    // Raised for each frame, when its list is complete and for the end; the workers wait for it to change.
    std::atomic<std::uint32_t> m_auftrag { 0 };
    // The operations recorded so far, all of them once the list is complete.
    std::atomic<std::size_t> m_veroeffentlicht { 0 };
    std::atomic<bool> m_vollstaendig { false };
    // The pieces of the frame, the bound of every loop over them, and those not done yet.
    std::atomic<int> m_stueckZahl { 0 };
    std::atomic<int> m_offen { 0 };
};

} // namespace zem::Raster
