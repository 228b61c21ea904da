#include "platform/Baender.h"

#include <algorithm>

namespace zem::Raster {

Baender::Baender(int zahl, std::int64_t abAufwand)
    : m_baender(zahl > 0 ? std::min(zahl, 16) : std::clamp(int(std::thread::hardware_concurrency()), 1, 16))
    , m_abAufwand(abAufwand)
{
    m_arbeiter.reserve(m_baender.size() - 1);
    for (int nummer = 1; nummer < anzahl(); ++nummer)
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

void Baender::arbeiten()
{
    for (std::uint32_t gesehen = 0;;) {
        m_auftrag.wait(gesehen, std::memory_order_acquire);
        gesehen = m_auftrag.load(std::memory_order_acquire);
        if (m_ende)
            return;
        baenderNehmen();
    }
}

void Baender::baenderNehmen()
{
    // A worker woken late may find the next frame's count here: a band it takes of that frame was made
    // ready before the count was set back.
    for (int b; (b = m_naechstes.fetch_add(1, std::memory_order_acq_rel)) < anzahl();) {
        Streifen& streifen = m_baender[b];
        ListeZeichnen(streifen.bild, *m_liste, streifen.band);
        if (m_offen.fetch_sub(1, std::memory_order_acq_rel) == 1)
            m_offen.notify_one();
    }
}

void Baender::zeichnen(Bild& bild, const Zeichenliste& liste)
{
    const int n = baenderFuer(liste);
    if (n == 1) {
        ListeZeichnen(bild, liste, { 0, bild.hoehe - 1 });
        return;
    }
    for (int b = 0; b < n; ++b) {
        Streifen& streifen = m_baender[b];
        streifen.bild = bild;
        streifen.bild.boxLeeren();
        streifen.band = { int(std::int64_t(bild.hoehe) * b / n), int(std::int64_t(bild.hoehe) * (b + 1) / n) - 1 };
    }
    m_liste = &liste;
    m_offen.store(n, std::memory_order_relaxed);
    m_naechstes.store(0, std::memory_order_release);
    m_auftrag.fetch_add(1, std::memory_order_release);
    m_auftrag.notify_all();
    baenderNehmen();
    for (int offen; (offen = m_offen.load(std::memory_order_acquire)) != 0;)
        m_offen.wait(offen, std::memory_order_acquire);
    for (const Streifen& streifen : m_baender) {
        bild.links = std::min(bild.links, streifen.bild.links);
        bild.oben = std::min(bild.oben, streifen.bild.oben);
        bild.rechts = std::max(bild.rechts, streifen.bild.rechts);
        bild.unten = std::max(bild.unten, streifen.bild.unten);
    }
}

} // namespace zem::Raster
