#include "platform/Baender.h"

#include <algorithm>
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

// How long a thread that waits stays awake, watching, before it sleeps: a worker that found no piece was
// woken for a frame that is still being recorded; one that found pieces, or the calling thread waiting
// for the last pieces, sees the next change soon or not at all.
constexpr std::int64_t WachBereitNs = 4'000'000;
constexpr std::int64_t WachNs = 100'000;

} // namespace

Baender::Baender(int faeden, std::int64_t abAufwand)
    : m_faeden(
        faeden > 0 ? std::min(faeden, MaxFaeden) : std::clamp(int(std::thread::hardware_concurrency()), 1, MaxFaeden))
    , m_abAufwand(abAufwand)
    , m_stuecke(std::size_t(m_faeden * StueckeJeFaden))
    , m_grenzen(m_stuecke.size() + 1)
    , m_neu(m_stuecke.size() + 1)
    , m_zeiten(m_stuecke.size())
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

int Baender::stueckeFuer(const Bild& bild, const Zeichenliste& liste) const
{
    return m_faeden == 1 || liste.aufwand() < m_abAufwand ? 1 : stueckZahl(m_faeden, bild.hoehe);
}

void Baender::schneiden(const int* grenzen, const std::int64_t* zeiten, int zahl, int hoehe, int* neu)
{
    std::int64_t summe = 0;
    for (int i = 0; i < zahl; ++i)
        summe += zeiten ? std::max<std::int64_t>(zeiten[i], 0) : 0;
    neu[0] = 0;
    neu[zahl] = hoehe;
    // Walks the old pieces along the time: new border j lies where j / zahl of it has passed.
    int i = 0;
    std::int64_t vorher = 0; // the time of the old pieces before piece i
    for (int j = 1; j < zahl; ++j) {
        double zeile = double(hoehe) * j / zahl;
        if (summe > 0) {
            const double ziel = double(summe) * j / zahl;
            while (i < zahl - 1 && double(vorher + std::max<std::int64_t>(zeiten[i], 0)) <= ziel)
                vorher += std::max<std::int64_t>(zeiten[i++], 0);
            const double anteil = zeiten[i] > 0 ? (ziel - double(vorher)) / double(zeiten[i]) : 0;
            zeile = grenzen[i] + anteil * (grenzen[i + 1] - grenzen[i]);
        }
        neu[j] = std::clamp(int(std::lround(zeile)), neu[j - 1] + 1, hoehe - (zahl - j));
    }
}

void Baender::bereithalten()
{
    if (m_faeden == 1)
        return;
    m_auftrag.fetch_add(1, std::memory_order_release);
    m_auftrag.notify_all();
}

void Baender::warten(std::atomic<std::uint32_t>& wert, std::uint32_t alt, std::int64_t wachNs)
{
    const std::int64_t ende = jetztNs() + wachNs;
    for (int runde = 1; wert.load(std::memory_order_acquire) == alt; ++runde) {
        pause();
        if (runde % 64 == 0 && jetztNs() > ende) {
            wert.wait(alt, std::memory_order_acquire);
            return;
        }
    }
}

void Baender::arbeiten()
{
    bool nahm = true;
    for (std::uint32_t gesehen = 0;;) {
        warten(m_auftrag, gesehen, nahm ? WachNs : WachBereitNs);
        gesehen = m_auftrag.load(std::memory_order_acquire);
        if (m_ende)
            return;
        nahm = stueckeNehmen();
    }
}

bool Baender::stueckeNehmen()
{
    for (bool nahm = false;; nahm = true) {
        const std::uint64_t naechstes = m_naechstes.fetch_add(1, std::memory_order_acq_rel);
        const std::uint32_t j = std::uint32_t(naechstes), zahl = std::uint32_t(naechstes >> 32);
        if (j >= zahl)
            return nahm;
        Stueck& stueck = m_stuecke[j];
        const std::int64_t anfang = jetztNs();
        ListeZeichnen(stueck.bild, *m_liste, stueck.band);
        Uebertragen(stueck.bild, stueck.band, *m_ziel);
        stueck.zeit = jetztNs() - anfang;
        if (m_offen.fetch_sub(1, std::memory_order_acq_rel) == 1)
            m_offen.notify_one();
    }
}

void Baender::zeichnen(Bild& bild, const Zeichenliste& liste, const Farbbild& ziel)
{
    const int n = stueckeFuer(bild, liste);
    if (n == 1) {
        const std::int64_t anfang = jetztNs();
        ListeZeichnen(bild, liste, { 0, bild.hoehe - 1 });
        Uebertragen(bild, { 0, bild.hoehe - 1 }, ziel);
        m_zeiten[0] = jetztNs() - anfang;
        m_zahl = 1;
        m_hoehe = bild.hoehe;
        m_grenzen[0] = 0;
        m_grenzen[1] = bild.hoehe;
        return;
    }
    // The last frame's times tell the cut when it was cut into as many pieces of the same height.
    const bool gleich = n == m_zahl && bild.hoehe == m_hoehe;
    schneiden(m_grenzen.data(), gleich ? m_zeiten.data() : nullptr, n, bild.hoehe, m_neu.data());
    for (int j = 0; j < n; ++j) {
        Stueck& stueck = m_stuecke[std::size_t(j)];
        stueck.bild = bild;
        stueck.bild.boxLeeren();
        stueck.band = { m_neu[std::size_t(j)], m_neu[std::size_t(j) + 1] - 1 };
    }
    m_liste = &liste;
    m_ziel = &ziel;
    m_offen.store(std::uint32_t(n), std::memory_order_relaxed);
    m_naechstes.store(std::uint64_t(n) << 32, std::memory_order_release);
    m_auftrag.fetch_add(1, std::memory_order_release);
    m_auftrag.notify_all();
    stueckeNehmen();
    for (std::uint32_t offen; (offen = m_offen.load(std::memory_order_acquire)) != 0;)
        warten(m_offen, offen, WachNs);
    m_zahl = n;
    m_hoehe = bild.hoehe;
    std::swap(m_grenzen, m_neu);
    for (int j = 0; j < n; ++j) {
        const Stueck& stueck = m_stuecke[std::size_t(j)];
        bild.umfassen(stueck.bild);
        m_zeiten[std::size_t(j)] = stueck.zeit;
    }
}

} // namespace zem::Raster
