#include "platform/Zeichenflaeche.h"

#include "platform/Twips.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace zem {

int tastenCode(Qt::MouseButtons tasten)
{
    return (tasten & Qt::LeftButton ? 1 : 0) + (tasten & Qt::RightButton ? 2 : 0) + (tasten & Qt::MiddleButton ? 4 : 0);
}

int umschaltCode(Qt::KeyboardModifiers tasten)
{
    return (tasten & Qt::ShiftModifier ? 1 : 0) + (tasten & Qt::ControlModifier ? 2 : 0) + (tasten & Qt::AltModifier ? 4 : 0);
}

Zeichenflaeche::Zeichenflaeche(QWidget* eltern)
    : QWidget(eltern)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_bild = QImage(1, 1, QImage::Format_RGB32);
    m_bild.fill(m_hintergrund);
    massstabFestlegen();
}

void Zeichenflaeche::massstabFestlegen()
{
    // Twips follow the area until a user scale is set.
    if (!m_benutzerMassstab) {
        m_links = 0;
        m_oben = 0;
        m_breite = static_cast<float>(pixelZuTwips(std::max(1, width())));
        m_hoehe = static_cast<float>(pixelZuTwips(std::max(1, height())));
    }
    abbildungNeu();
}

void Zeichenflaeche::abbildungNeu()
{
    m_raster = {reinterpret_cast<std::uint32_t*>(m_bild.bits()), m_bild.width(), m_bild.height(),
                static_cast<int>(m_bild.bytesPerLine() / 4)};
    m_proEinheitX = m_bild.width() / double(m_breite);
    m_proEinheitY = m_bild.height() / double(m_hoehe);
}

void Zeichenflaeche::setScaleLeft(float wert)
{
    m_benutzerMassstab = true;
    if (std::isfinite(wert))
        m_links = wert;
}

void Zeichenflaeche::setScaleTop(float wert)
{
    m_benutzerMassstab = true;
    if (std::isfinite(wert))
        m_oben = wert;
}

void Zeichenflaeche::setScaleWidth(float wert)
{
    m_benutzerMassstab = true;
    if (wert != 0 && std::isfinite(wert)) {
        m_breite = wert;
        abbildungNeu();
    }
}

void Zeichenflaeche::setScaleHeight(float wert)
{
    m_benutzerMassstab = true;
    if (wert != 0 && std::isfinite(wert)) {
        m_hoehe = wert;
        abbildungNeu();
    }
}

void Zeichenflaeche::setHintergrund(QColor farbe)
{
    m_hintergrund = farbe.rgb();
}

void Zeichenflaeche::setHintergrundbild(const QImage& bild)
{
    m_hintergrundbild = bild;
    loeschen();
}

void Zeichenflaeche::setDauerhaft(bool an)
{
    m_dauerhaft = an;
}

void Zeichenflaeche::gezeichnet()
{
    if (!m_ungezeigt) {
        m_ungezeigt = true;
        update();
    }
}

void Zeichenflaeche::loeschen()
{
    if (m_hintergrundbild.isNull()) {
        m_bild.fill(m_hintergrund);
    } else {
        QPainter maler(&m_bild);
        maler.drawImage(m_bild.rect(), m_hintergrundbild);
    }
    m_aktX = 0; // clearing puts the current position back to the origin of the scale
    m_aktY = 0;
    gezeichnet();
}

void Zeichenflaeche::linie(float x1, float y1, float x2, float y2, QRgb farbe)
{
    Raster::Linie(m_raster, pixelX(x1), pixelY(y1), pixelX(x2), pixelY(y2), farbe);
    m_aktX = x2;
    m_aktY = y2;
    gezeichnet();
}

void Zeichenflaeche::linieNach(float x2, float y2, QRgb farbe)
{
    linie(m_aktX, m_aktY, x2, y2, farbe);
}

void Zeichenflaeche::punkt(float x, float y, QRgb farbe)
{
    Raster::Punkt(m_raster, pixelX(x), pixelY(y), farbe);
    m_aktX = x;
    m_aktY = y;
    gezeichnet();
}

void Zeichenflaeche::rechteck(float x1, float y1, float x2, float y2, QRgb farbe)
{
    const double px1 = pixelX(x1), py1 = pixelY(y1), px2 = pixelX(x2), py2 = pixelY(y2);
    Raster::Linie(m_raster, px1, py1, px2, py1, farbe);
    Raster::Linie(m_raster, px2, py1, px2, py2, farbe);
    Raster::Linie(m_raster, px2, py2, px1, py2, farbe);
    Raster::Linie(m_raster, px1, py2, px1, py1, farbe);
    m_aktX = x2;
    m_aktY = y2;
    gezeichnet();
}

void Zeichenflaeche::kreis(float x, float y, float radius, QRgb farbe)
{
    Raster::Kreis(m_raster, pixelX(x), pixelY(y), double(radius) * m_proEinheitX, farbe);
    m_aktX = x;
    m_aktY = y;
    gezeichnet();
}

QPointF Zeichenflaeche::zuBenutzer(QPointF pixel) const
{
    return {m_links + pixel.x() / m_proEinheitX, m_oben + pixel.y() / m_proEinheitY};
}

QPointF Zeichenflaeche::zuPixel(float x, float y) const
{
    return {pixelX(x), pixelY(y)};
}

void Zeichenflaeche::paintEvent(QPaintEvent* ereignis)
{
    QPainter maler(this);
    if (m_dauerhaft || m_ungezeigt) {
        for (const QRect& r : ereignis->region())
            maler.drawImage(r.topLeft(), m_bild, r);
    } else {
        for (const QRect& r : ereignis->region())
            maler.fillRect(r, QColor::fromRgb(m_hintergrund));
    }
    m_ungezeigt = false;
}

void Zeichenflaeche::resizeEvent(QResizeEvent*)
{
    QImage neu(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    neu.fill(m_hintergrund);
    if (m_dauerhaft) {
        QPainter maler(&neu);
        maler.drawImage(0, 0, m_bild);
    }
    m_bild = std::move(neu);
    massstabFestlegen();
    emit groesseGeaendert();
}

QPointF Zeichenflaeche::mausPosition(const QMouseEvent* ereignis) const
{
    return zuBenutzer(ereignis->position());
}

void Zeichenflaeche::mousePressEvent(QMouseEvent* ereignis)
{
    m_nachDoppelklick = false;
    if (!m_empfaenger)
        return;
    const QPointF p = mausPosition(ereignis);
    m_empfaenger->mausRunter(tastenCode(ereignis->button()), umschaltCode(ereignis->modifiers()), float(p.x()), float(p.y()));
}

void Zeichenflaeche::mouseReleaseEvent(QMouseEvent* ereignis)
{
    const bool nachDoppelklick = m_nachDoppelklick;
    m_nachDoppelklick = false;
    if (!m_empfaenger)
        return;
    const QPointF p = mausPosition(ereignis);
    m_empfaenger->mausHoch(tastenCode(ereignis->button()), umschaltCode(ereignis->modifiers()), float(p.x()), float(p.y()));
    if (!nachDoppelklick)
        m_empfaenger->klick();
}

void Zeichenflaeche::mouseDoubleClickEvent(QMouseEvent*)
{
    // Stands in for the second press: no press event, and the release that follows raises no click.
    m_nachDoppelklick = true;
    if (m_empfaenger)
        m_empfaenger->doppelklick();
}

void Zeichenflaeche::mouseMoveEvent(QMouseEvent* ereignis)
{
    if (!m_empfaenger)
        return;
    const QPointF p = mausPosition(ereignis);
    m_empfaenger->mausBewegt(tastenCode(ereignis->buttons()), umschaltCode(ereignis->modifiers()), float(p.x()), float(p.y()));
}

} // namespace zem
