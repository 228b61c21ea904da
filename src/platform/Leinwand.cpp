#include "platform/Leinwand.h"

#include "platform/Baender.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zem {

namespace {

// A rectangle times mal / durch: device pixels to logical ones and back. Multiplying by 1 and dividing
// by 1 are exact, so a whole device pixel stays whole where 1 / ratio would round.
QRectF umgerechnet(const QRect& r, qreal mal, qreal durch)
{
    return { r.x() * mal / durch, r.y() * mal / durch, r.width() * mal / durch, r.height() * mal / durch };
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
    m_raster = { reinterpret_cast<std::uint32_t*>(m_bild.bits()), m_bild.width(), m_bild.height(),
        static_cast<int>(m_bild.bytesPerLine() / 4), std::max(1, qRound(v)) };
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
}

void Leinwand::setScaleLeft(float wert)
{
    groesseAbgleichen();
    m_benutzerMassstab = true;
    if (std::isfinite(wert))
        m_links = wert;
}

void Leinwand::setScaleTop(float wert)
{
    groesseAbgleichen();
    m_benutzerMassstab = true;
    if (std::isfinite(wert))
        m_oben = wert;
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

QRect Leinwand::rasterBox() const
{
    return QRect(QPoint(m_raster.links, m_raster.oben), QPoint(m_raster.rechts, m_raster.unten));
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

void Leinwand::fertig()
{
    if (m_liste.leer())
        return;
    if (m_baender)
        m_baender->zeichnen(m_raster, m_liste);
    else
        Raster::ListeZeichnen(m_raster, m_liste, { 0, m_raster.hoehe - 1 });
    m_liste.leeren();
    gezeichnet();
}

void Leinwand::loeschen()
{
    // Every picture begins here: a window resized while hidden is taken up now, the drawing that follows
    // keeps to one size.
    groesseAbgleichen();
    m_liste.leeren(); // what was drawn since is gone again before it was ever seen
    if (m_ganzLoeschen || !m_hintergrundbild.isNull()) {
        if (m_hintergrundbild.isNull()) {
            m_bild.fill(m_hintergrund);
        } else {
            QPainter maler(&m_bild);
            maler.drawImage(QRectF(QPointF(), m_bild.deviceIndependentSize()), m_hintergrundbild);
        }
        m_ganzLoeschen = false;
        anfragen(m_bild.rect());
    } else if (!m_raster.boxLeer()) {
        // Outside the box the image is plain background already.
        Raster::BoxFuellen(m_raster, m_hintergrund);
        anfragen(rasterBox());
    }
    m_raster.boxLeeren();
    m_aktX = 0;
    m_aktY = 0;
}

void Leinwand::linie(float x1, float y1, float x2, float y2, QRgb farbe)
{
    m_liste.linie(pixelX(x1), pixelY(y1), pixelX(x2), pixelY(y2), farbe);
    m_aktX = x2;
    m_aktY = y2;
}

void Leinwand::linieNach(float x2, float y2, QRgb farbe)
{
    linie(m_aktX, m_aktY, x2, y2, farbe);
}

void Leinwand::punkt(float x, float y, QRgb farbe)
{
    m_liste.punkt(pixelX(x), pixelY(y), farbe);
    m_aktX = x;
    m_aktY = y;
}

void Leinwand::rechteck(float x1, float y1, float x2, float y2, QRgb farbe)
{
    const double px1 = pixelX(x1), py1 = pixelY(y1), px2 = pixelX(x2), py2 = pixelY(y2);
    m_liste.linie(px1, py1, px2, py1, farbe);
    m_liste.linie(px2, py1, px2, py2, farbe);
    m_liste.linie(px2, py2, px1, py2, farbe);
    m_liste.linie(px1, py2, px1, py1, farbe);
    m_aktX = x2;
    m_aktY = y2;
}

void Leinwand::kreis(float x, float y, float radius, QRgb farbe)
{
    m_liste.kreis(pixelX(x), pixelY(y), double(radius) * m_proEinheitX * m_verhaeltnis, farbe);
    m_aktX = x;
    m_aktY = y;
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
