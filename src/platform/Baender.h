#pragma once

#include "platform/Raster.h"

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace zem::Raster {

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
    // ListeZeichnen over all rows leaves. Creates no thread and allocates nothing. One call at a time.
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

} // namespace zem::Raster
