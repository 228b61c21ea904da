#include "platform/Baender.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cmath>

namespace zem::Raster {

namespace {

using Uhr = std::chrono::steady_clock;

std::int64_t jetztNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Uhr::now().time_since_epoch()).count();
}

inline void pause()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// How long a thread stays awake, watching, before it sleeps. A thread that sleeps takes long to wake: on
// the development machine, a virtual one, 3.9 ms from the wake-up call after 16 ms asleep, more than a
// frame of a drag takes to draw; one that watches sees the call in a microsecond. So after a frame a
// worker watches for the next for longer than a drag's mouse moves come apart (as OpenMP's workers do,
// for 200 ms); during a frame it watches for more operations; the calling thread waits awake for the
// last pieces, which other threads are drawing.
constexpr std::int64_t NaechstesBildNs = 100'000'000;
constexpr std::int64_t WachBereitNs = 4'000'000;
constexpr std::int64_t LetzteStueckeNs = 1'000'000'000;

// Watches an atomic until it differs from alt, for wachNs at most; true when it changed. It leaves the
// core to other threads now and then: on a busy machine the thread it waits for may need it.
template <typename T> bool warten(const std::atomic<T>& wert, T alt, std::int64_t wachNs)
{
    const std::int64_t ende = jetztNs() + wachNs;
    for (int runde = 1; wert.load(std::memory_order_acquire) == alt; ++runde) {
        pause();
        if (runde % 64 == 0) {
            if (jetztNs() > ende)
                return false;
            std::this_thread::yield();
        }
    }
    return true;
}

} // namespace

Baender::Baender(int faeden, std::int64_t abAufwand)
    : m_faeden(
        faeden > 0 ? std::min(faeden, MaxFaeden) : std::clamp(int(std::thread::hardware_concurrency()), 1, MaxFaeden))
    , m_abAufwand(abAufwand)
    , m_stuecke(new Stueck[std::size_t(m_faeden * StueckeJeFaden)])
    , m_grenzen(std::size_t(m_faeden * StueckeJeFaden) + 1)
    , m_neu(m_grenzen.size())
    , m_zeiten(m_grenzen.size() - 1)
{
    m_arbeiter.reserve(std::size_t(m_faeden - 1));
    for (int nummer = 1; nummer < m_faeden; ++nummer)
        m_arbeiter.emplace_back(&Baender::arbeiten, this);
}

Baender::~Baender()
{
    m_ende = true;
    m_auftrag.fetch_add(1, std::memory_order_release);
    m_auftrag.notify_all();
    for (std::thread& arbeiter : m_arbeiter)
        arbeiter.join();
}

int Baender::stueckeFuer(const Bild& bild, std::int64_t aufwand) const
{
    if (m_faeden == 1 || aufwand < m_abAufwand)
        return 1;
    // Each way once, pieces first; then the faster, the other one again now and then.
    const Erfahrung& e = m_erfahrung[std::bit_width(std::uint64_t(aufwand))];
    constexpr int Neu = 32;
    const bool stuecke = e.ns[1] == 0 || e.seit[1] > Neu || (e.ns[0] != 0 && e.seit[0] <= Neu && e.ns[1] <= e.ns[0]);
    return stuecke ? stueckZahl(m_faeden, bild.hoehe) : 1;
}

void Baender::gemessen(std::int64_t aufwand, bool inStuecken, std::int64_t ns)
{
    if (aufwand <= 0)
        return;
    Erfahrung& e = m_erfahrung[std::bit_width(std::uint64_t(aufwand))];
    const double proEinheit = double(ns) / double(aufwand);
    double& bisher = e.ns[inStuecken];
    bisher = bisher == 0 ? proEinheit : bisher + (proEinheit - bisher) / 4;
    e.seit[inStuecken] = 0;
    ++e.seit[!inStuecken];
}

void Baender::schneiden(
    const int* alteGrenzen, const std::int32_t* abdeckung, const std::int64_t* zeiten, int zahl, int hoehe, int* neu)
{
    // The work of each row, its operations summed down from the first row of its old piece, walked for the
    // old pieces' counts, for the sum and for the borders, border j where j / zahl of the sum has passed.
    const auto zeilen = [&](auto weiter) {
        std::int64_t quer = 0;
        for (int y = 0, i = 0; y < hoehe; ++y) {
            if (abdeckung) {
                if (y == alteGrenzen[i + 1]) {
                    ++i;
                    quer = 0;
                }
                quer += abdeckung[y];
            }
            if (!weiter(y, i, double(1 + quer)))
                return;
        }
    };
    // With the old pieces' times, the rows of each scaled to add up to its time: the count tells where in a
    // piece its work lies, the time what that work cost there. The rows that many steep lines cross cost
    // more for each count than the others, by as much as two to one on the largest model at 4K.
    std::array<double, MaxFaeden * StueckeJeFaden> faktor;
    faktor.fill(1);
    if (abdeckung && zeiten) {
        std::array<double, MaxFaeden * StueckeJeFaden> gezaehlt {};
        int alte = 0;
        zeilen([&](int, int i, double arbeit) {
            gezaehlt[std::size_t(i)] += arbeit;
            alte = i + 1;
            return true;
        });
        if (std::all_of(zeiten, zeiten + alte, [](std::int64_t t) { return t > 0; }))
            for (int i = 0; i < alte; ++i)
                faktor[std::size_t(i)] = double(zeiten[i]) / gezaehlt[std::size_t(i)];
    }
    double summe = 0;
    zeilen([&](int, int i, double arbeit) {
        summe += arbeit * faktor[std::size_t(i)];
        return true;
    });
    double bisher = 0;
    int j = 1;
    zeilen([&](int y, int i, double arbeit) {
        bisher += arbeit * faktor[std::size_t(i)];
        for (; j < zahl && bisher * zahl >= summe * j; ++j)
            neu[j] = y + 1;
        return j < zahl;
    });
    neu[0] = 0;
    neu[zahl] = hoehe;
    for (j = 1; j < zahl; ++j)
        neu[j] = std::clamp(neu[j], neu[j - 1] + 1, hoehe - (zahl - j));
}

void Baender::arbeiten()
{
    for (std::uint32_t gesehen = 0;;) {
        if (!warten(m_auftrag, gesehen, NaechstesBildNs))
            m_auftrag.wait(gesehen, std::memory_order_acquire);
        gesehen = m_auftrag.load(std::memory_order_acquire);
        if (m_ende)
            return;
        stueckeZeichnen(WachBereitNs);
    }
}

bool Baender::stueckeZeichnen(std::int64_t wachNs)
{
    bool zeichnete = false;
    for (;;) {
        // Taken before the pieces are looked at: when the list was complete then, a pass that draws
        // nothing leaves nothing for this thread.
        const bool vollstaendig = m_vollstaendig.load(std::memory_order_acquire);
        const std::size_t veroeffentlicht = m_veroeffentlicht.load(std::memory_order_acquire);
        bool weiter = false;
        // A worker late for a frame may find the pieces of the next: the frame set them up before it let
        // them go, and it set the list back before.
        for (int j = 0; j < stuecke(); ++j) {
            Stueck& stueck = m_stuecke[std::size_t(j)];
            if (stueck.gehalten.load(std::memory_order_relaxed)
                || stueck.gehalten.exchange(true, std::memory_order_acquire))
                continue;
            weiter = stueckZeichnen(j) || weiter;
        }
        zeichnete = zeichnete || weiter;
        if (weiter)
            continue;
        if (vollstaendig || !warten(m_veroeffentlicht, veroeffentlicht, wachNs))
            return zeichnete;
    }
}

bool Baender::stueckZeichnen(int j)
{
    Stueck& stueck = m_stuecke[std::size_t(j)];
    const bool vollstaendig = m_vollstaendig.load(std::memory_order_acquire);
    const std::size_t bis = m_veroeffentlicht.load(std::memory_order_acquire);
    const bool zeichnet = stueck.gezeichnet < bis;
    if (zeichnet) {
        const std::int64_t anfang = jetztNs();
        listeZeichnen(stueck.bild, *m_liste, stueck.band, stueck.gezeichnet, bis, m_abdeckung.data());
        stueck.gezeichnet = bis;
        stueck.zeit += jetztNs() - anfang;
    }
    if (!vollstaendig) {
        stueck.gehalten.store(false, std::memory_order_release);
        return zeichnet;
    }
    // Done: into the picture, and held until the next frame.
    const std::int64_t anfang = jetztNs();
    uebertragen(stueck.bild, stueck.band, *m_ziel);
    stueck.zeit += jetztNs() - anfang;
    if (m_offen.fetch_sub(1, std::memory_order_acq_rel) == 1)
        m_offen.notify_one();
    return true;
}

void Baender::beginnen(const Bild& bild, const Zeichenliste& liste, const Farbbild& ziel, int zahl)
{
    const int n = std::clamp(zahl, 1, stueckZahl(m_faeden, bild.hoehe));
    // The last frame's count tells the cut when it was drawn in pieces of the same height; counted anew
    // in this one.
    const bool gleich = bild.hoehe == m_hoehe && stuecke() > 1;
    if (m_abdeckung.size() < std::size_t(bild.hoehe))
        m_abdeckung.resize(std::size_t(bild.hoehe));
    schneiden(m_grenzen.data(), gleich ? m_abdeckung.data() : nullptr, m_zeiten.data(), n, bild.hoehe, m_neu.data());
    std::fill_n(m_abdeckung.begin(), bild.hoehe, 0);
    m_liste = &liste;
    m_ziel = &ziel;
    m_vollstaendig.store(false, std::memory_order_relaxed);
    m_veroeffentlicht.store(liste.anzahl(), std::memory_order_relaxed);
    m_offen.store(n, std::memory_order_relaxed);
    // Every piece is held until it is set up: a worker late for the last frame that sees the new count
    // takes none before.
    m_stueckZahl.store(n, std::memory_order_release);
    for (int j = 0; j < stuecke(); ++j) {
        Stueck& stueck = m_stuecke[std::size_t(j)];
        stueck.bild = bild;
        stueck.bild.boxLeeren();
        // Pieces drawn at the same time each take three quarters of the tile of a thread drawing alone, so
        // that a tile and the list's lines that cross it stay in the core's own cache: with 1 MiB the two
        // pieces of the 4K long-edge frame on the development machine took 7 % longer side by side than one
        // after the other, with 768 KiB as long (a thread alone, 2 to 3 % slower with 768 KiB).
        if (n > 1)
            stueck.bild.kachel = bild.kachel / 4 * 3;
        stueck.band = { m_neu[std::size_t(j)], m_neu[std::size_t(j) + 1] - 1 };
        stueck.gezeichnet = 0;
        stueck.zeit = 0;
        stueck.gehalten.store(false, std::memory_order_release);
    }
    m_hoehe = bild.hoehe;
    m_auftrag.fetch_add(1, std::memory_order_release);
    m_auftrag.notify_all();
}

void Baender::beenden(Bild& bild)
{
    m_veroeffentlicht.store(m_liste->anzahl(), std::memory_order_release);
    m_vollstaendig.store(true, std::memory_order_release);
    // Wakes the workers that slept while the list was recorded.
    m_auftrag.fetch_add(1, std::memory_order_release);
    m_auftrag.notify_all();
    // A piece that a worker let go just before the list was complete is taken up again, by whoever comes.
    for (int offen; (offen = m_offen.load(std::memory_order_acquire)) != 0;)
        if (!stueckeZeichnen(0) && !warten(m_offen, offen, LetzteStueckeNs))
            m_offen.wait(offen, std::memory_order_acquire);
    std::swap(m_grenzen, m_neu);
    for (int j = 0; j < stuecke(); ++j) {
        const Stueck& stueck = m_stuecke[std::size_t(j)];
        bild.umfassen(stueck.bild);
        m_zeiten[std::size_t(j)] = stueck.zeit;
    }
}

void Baender::zeichnen(Bild& bild, const Zeichenliste& liste, const Farbbild& ziel)
{
    if (const int n = stueckeFuer(bild, liste.aufwand()); n > 1) {
        beginnen(bild, liste, ziel, n);
        beenden(bild);
        return;
    }
    // Drawn alone without a count: a frame of more work after it is cut evenly.
    const std::int64_t anfang = jetztNs();
    listeZeichnen(bild, liste, { 0, bild.hoehe - 1 });
    uebertragen(bild, { 0, bild.hoehe - 1 }, ziel);
    m_zeiten[0] = jetztNs() - anfang;
    m_stueckZahl.store(1, std::memory_order_release);
    m_hoehe = bild.hoehe;
    m_grenzen[0] = 0;
    m_grenzen[1] = bild.hoehe;
}

} // namespace zem::Raster
