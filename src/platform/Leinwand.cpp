#include "platform/Leinwand.h"

#include "platform/Baender.h"

#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace zem {

namespace {

// A rectangle times mal / durch: device pixels to logical ones and back. Multiplying by 1 and dividing
// by 1 are exact, so a whole device pixel stays whole where 1 / ratio would round.
QRectF umgerechnet(const QRect& r, qreal mal, qreal durch)
{
    return { r.x() * mal / durch, r.y() * mal / durch, r.width() * mal / durch, r.height() * mal / durch };
}

std::int64_t jetztNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

Leinwand::Leinwand(QSize groesse, qreal verhaeltnis, QRgb hintergrund)
    : m_verhaeltnis(verhaeltnis)
    , m_hintergrund(hintergrund)
{
    groesseUebernehmen(groesse);
}

float Leinwand::scaleWidth() const
{
    return m_benutzerMassstab ? m_breite : static_cast<float>(groesse().width() * m_grundEinheiten / m_grundPixel);
}

float Leinwand::scaleHeight() const
{
    return m_benutzerMassstab ? m_hoehe : static_cast<float>(groesse().height() * m_grundEinheiten / m_grundPixel);
}

void Leinwand::setGrundmass(double einheiten, double pixel)
{
    m_grundEinheiten = einheiten;
    m_grundPixel = pixel;
    if (!m_benutzerMassstab) {
        m_breite = scaleWidth();
        m_hoehe = scaleHeight();
    }
    abbildungNeu();
}

QPointF Leinwand::proEinheit() const
{
    const QSize g = groesse();
    return { g.width() / double(scaleWidth()), g.height() / double(scaleHeight()) };
}

bool Leinwand::verhaeltnisSetzen(qreal verhaeltnis)
{
    if (verhaeltnis == m_verhaeltnis)
        return false;
    m_verhaeltnis = verhaeltnis;
    aktuellNeu();
    if (m_hintergrundMaler)
        m_hintergrundbild = m_hintergrundMaler(verhaeltnis);
    groesseUebernehmen(groesse());
    return true;
}

void Leinwand::groesseUebernehmen(QSize groesse)
{
    fertig(); // onto the picture that is stretched below, in the coordinates it was drawn in
    m_groesse = groesse.expandedTo({ 1, 1 });
    const qreal v = m_verhaeltnis;
    QImage neu(int(std::ceil(m_groesse.width() * v)), int(std::ceil(m_groesse.height() * v)), QImage::Format_RGB32);
    neu.setDevicePixelRatio(v);
    neu.fill(m_hintergrund);
    // What clearing would restore where there is a background picture, else the picture so far, at
    // the new ratio stretched, until its owner draws it anew.
    if (!m_hintergrundbild.isNull() || !m_bild.isNull()) {
        QPainter maler(&neu);
        if (!m_hintergrundbild.isNull())
            maler.drawImage(QRectF(QPointF(), neu.deviceIndependentSize()), m_hintergrundbild);
        else
            maler.drawImage(0, 0, m_bild);
    }
    m_bild = std::move(neu);
    m_ebene.assign(std::size_t(m_bild.width()) * std::size_t(m_bild.height()), 0);
    m_raster = { m_ebene.data(), m_bild.width(), m_bild.height(), m_bild.width(), std::max(1, qRound(v)) };
    listeLeeren();
    m_bildBox = {};
    m_geloescht = {};
    m_ganzLoeschen = true;
    m_angefragt = {}; // a new size or ratio repaints everything
    if (!m_benutzerMassstab) {
        m_breite = scaleWidth();
        m_hoehe = scaleHeight();
    }
    abbildungNeu();
}

void Leinwand::abbildungNeu()
{
    const QPointF pro = proEinheit();
    m_proEinheitX = pro.x();
    m_proEinheitY = pro.y();
    aktuellNeu();
}

void Leinwand::setScaleLeft(float wert)
{
    groesseAbgleichen();
    m_benutzerMassstab = true;
    if (std::isfinite(wert))
        m_links = wert;
    aktuellNeu();
}

void Leinwand::setScaleTop(float wert)
{
    groesseAbgleichen();
    m_benutzerMassstab = true;
    if (std::isfinite(wert))
        m_oben = wert;
    aktuellNeu();
}

void Leinwand::setScaleWidth(float wert)
{
    groesseAbgleichen();
    m_benutzerMassstab = true;
    if (wert != 0 && std::isfinite(wert)) {
        m_breite = wert;
        abbildungNeu();
    }
}

void Leinwand::setScaleHeight(float wert)
{
    groesseAbgleichen();
    m_benutzerMassstab = true;
    if (wert != 0 && std::isfinite(wert)) {
        m_hoehe = wert;
        abbildungNeu();
    }
}

void Leinwand::setHintergrund(QRgb farbe)
{
    m_hintergrund = farbe;
    m_ganzLoeschen = true;
}

void Leinwand::setHintergrundbild(std::function<QImage(qreal verhaeltnis)> maler)
{
    m_hintergrundMaler = std::move(maler);
    m_hintergrundbild = m_hintergrundMaler ? m_hintergrundMaler(m_verhaeltnis) : QImage();
    loeschen();
}

std::uint8_t Leinwand::neueNummer(QRgb farbe)
{
    int n = 1;
    while (n < m_farbenZahl && m_farben[n] != farbe)
        ++n;
    if (n == 256) {
        listeZeichnen();
        n = 1;
    }
    if (n == m_farbenZahl) {
        m_farben[n] = farbe;
        m_farbenZahl = n + 1;
    }
    m_letzteNummer = std::uint8_t(n);
    return m_letzteNummer;
}

void Leinwand::listeLeeren()
{
    m_liste.leeren(m_raster.breite, m_raster.hoehe);
    m_farbenZahl = 1;
    m_letzteNummer = 0;
}

void Leinwand::anfragen(const QRect& box)
{
    m_angefragt |= box;
    if (m_fenster)
        m_fenster->neuZeigen(umgerechnet(box, 1, m_verhaeltnis).toAlignedRect());
}

QRect Leinwand::ungezeigtNehmen()
{
    const QRect box = m_angefragt;
    m_angefragt = {};
    return umgerechnet(box, 1, m_verhaeltnis).toAlignedRect();
}

void Leinwand::setBaender(Raster::Baender* baender)
{
    listeZeichnen();
    m_baender = baender;
}

void Leinwand::strecken()
{
    m_baender->weiter(m_liste.anzahl());
}

void Leinwand::fertig()
{
    listeZeichnen();
    bildFertig();
}

void Leinwand::listeZeichnen()
{
    if (m_liste.leer() && m_geloescht.isEmpty() && !m_strom)
        return;
    m_ziel = { reinterpret_cast<std::uint32_t*>(m_bild.bits()), static_cast<int>(m_bild.bytesPerLine() / 4), m_farben,
        m_hintergrund, m_geloescht.left(), m_geloescht.top(), m_geloescht.right(), m_geloescht.bottom() };
    m_aufwand += m_liste.aufwand();
    if (m_strom) {
        m_strom = false;
        m_inStuecken = m_inStuecken || m_stromStuecke;
        m_baender->beenden(m_raster);
    } else if (m_baender) {
        m_inStuecken = m_inStuecken || m_baender->stueckeFuer(m_raster, m_liste.aufwand()) > 1;
        m_baender->zeichnen(m_raster, m_liste, m_ziel);
    } else {
        Raster::listeZeichnen(m_raster, m_liste, { 0, m_raster.hoehe - 1 });
        Raster::uebertragen(m_raster, { 0, m_raster.hoehe - 1 }, m_ziel);
    }
    m_letzteAnzahl = m_liste.anzahl();
    if (!m_raster.boxLeer())
        m_bildBox |= QRect(QPoint(m_raster.links, m_raster.oben), QPoint(m_raster.rechts, m_raster.unten));
    m_raster.boxLeeren();
    m_geloescht = {};
    listeLeeren();
    gezeichnet();
}

void Leinwand::bildFertig()
{
    if (m_anfang < 0)
        return;
    m_zeichenzeit = jetztNs() - m_anfang;
    m_anfang = -1;
    ++m_bilder;
    if (m_baender && m_aufwand > 0)
        m_baender->gemessen(m_aufwand, m_inStuecken, m_zeichenzeit);
    m_letzterAufwand = m_aufwand;
}

void Leinwand::loeschen()
{
    // Every picture begins here: a window resized while hidden is taken up now, the drawing that follows
    // keeps to one size.
    if (m_strom)
        listeZeichnen(); // what the pool has drawn of the list is taken away below
    m_anfang = jetztNs();
    m_aufwand = 0;
    m_inStuecken = false;
    groesseAbgleichen();
    listeLeeren(); // what was drawn since is gone again before it was ever seen
    if (m_ganzLoeschen || !m_hintergrundbild.isNull()) {
        if (m_hintergrundbild.isNull()) {
            m_bild.fill(m_hintergrund);
        } else {
            QPainter maler(&m_bild);
            maler.drawImage(QRectF(QPointF(), m_bild.deviceIndependentSize()), m_hintergrundbild);
        }
        m_ganzLoeschen = false;
        m_geloescht = {};
        anfragen(m_bild.rect());
    } else if (!m_bildBox.isEmpty()) {
        // Outside the box the image is plain background already; the box takes it when the next list is
        // put into the image, in the same pass.
        m_geloescht |= m_bildBox;
        anfragen(m_bildBox);
    }
    m_bildBox = {};
    aktuell(0, 0);
    // The next picture is most likely as large as the last: the list keeps room for a quarter more
    // operations, and when such a picture is worth the pool's threads, the pool draws this one while it
    // is recorded: in pieces, or in one piece on a worker while this thread records, whichever it has
    // seen draw faster.
    if (!m_baender)
        return;
    m_liste.reservieren(m_letzteAnzahl + m_letzteAnzahl / 4 + 1024);
    if (m_baender->anzahl() > 1 && m_letzterAufwand >= m_baender->abAufwand()) {
        m_ziel = { reinterpret_cast<std::uint32_t*>(m_bild.bits()), static_cast<int>(m_bild.bytesPerLine() / 4),
            m_farben, m_hintergrund, m_geloescht.left(), m_geloescht.top(), m_geloescht.right(), m_geloescht.bottom() };
        const int stuecke = m_baender->stueckeFuer(m_raster, m_letzterAufwand);
        m_baender->beginnen(m_raster, m_liste, m_ziel, stuecke);
        m_strom = true;
        m_stromStuecke = stuecke > 1;
    }
}

void Leinwand::linie(float x1, float y1, float x2, float y2, QRgb farbe)
{
    linieVon(pixelX(x1), pixelY(y1), x2, y2, farbe);
}

void Leinwand::linieNach(float x2, float y2, QRgb farbe)
{
    linieVon(m_aktPixelX, m_aktPixelY, x2, y2, farbe);
}

void Leinwand::punkt(float x, float y, QRgb farbe)
{
    vorAufnahme();
    m_liste.punkt(pixelX(x), pixelY(y), nummer(farbe));
    aktuell(x, y);
}

void Leinwand::rechteck(float x1, float y1, float x2, float y2, QRgb farbe)
{
    const double px1 = pixelX(x1), py1 = pixelY(y1), px2 = pixelX(x2), py2 = pixelY(y2);
    const double ecken[] = { px1, py1, px2, py1, px2, py2, px1, py2, px1, py1 };
    for (int i = 0; i < 8; i += 2) {
        vorAufnahme();
        m_liste.linie(ecken[i], ecken[i + 1], ecken[i + 2], ecken[i + 3], nummer(farbe));
    }
    aktuell(x2, y2);
}

void Leinwand::kreis(float x, float y, float radius, QRgb farbe)
{
    vorAufnahme();
    m_liste.kreis(pixelX(x), pixelY(y), double(radius) * m_proEinheitX * m_verhaeltnis, nummer(farbe));
    aktuell(x, y);
}

QPointF Leinwand::zuBenutzer(QPointF pixel) const
{
    const QPointF pro = proEinheit();
    return { m_links + pixel.x() / pro.x(), m_oben + pixel.y() / pro.y() };
}

QPointF Leinwand::zuPixel(float x, float y) const
{
    const QPointF pro = proEinheit();
    return { (double(x) - m_links) * pro.x(), (double(y) - m_oben) * pro.y() };
}

void Leinwand::zeigen(QPainter& maler, const QRect& bereich) const
{
    // Outward to whole device pixels, and back: the copy maps each pixel onto one of the painter's.
    const QRect quelle = umgerechnet(bereich, m_verhaeltnis, 1).toAlignedRect() & m_bild.rect();
    if (!quelle.isEmpty())
        maler.drawImage(umgerechnet(quelle, 1, m_verhaeltnis), m_bild, QRectF(quelle));
}

} // namespace zem
