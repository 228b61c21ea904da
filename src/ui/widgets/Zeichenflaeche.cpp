#include "ui/widgets/Zeichenflaeche.h"

#include "platform/Baender.h"
#include "ui/widgets/Twips.h"

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
    return (tasten & Qt::ShiftModifier ? 1 : 0) + (tasten & Qt::ControlModifier ? 2 : 0)
        + (tasten & Qt::AltModifier ? 4 : 0);
}

Zeichenflaeche::Zeichenflaeche(QWidget* eltern)
    : QWidget(eltern)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    verhaeltnisPruefen();
}

float Zeichenflaeche::scaleWidth() const
{
    return m_benutzerMassstab ? m_breite : static_cast<float>(pixelZuTwips(std::max(1, width())));
}

float Zeichenflaeche::scaleHeight() const
{
    return m_benutzerMassstab ? m_hoehe : static_cast<float>(pixelZuTwips(std::max(1, height())));
}

QPointF Zeichenflaeche::proEinheit() const
{
    return { std::max(1, width()) / double(scaleWidth()), std::max(1, height()) / double(scaleHeight()) };
}

bool Zeichenflaeche::verhaeltnisPruefen()
{
    const qreal verhaeltnis = devicePixelRatio();
    if (verhaeltnis == m_verhaeltnis)
        return false;
    m_verhaeltnis = verhaeltnis;
    if (m_hintergrundMaler)
        m_hintergrundbild = m_hintergrundMaler(verhaeltnis);
    groesseUebernehmen();
    return true;
}

void Zeichenflaeche::groesseUebernehmen()
{
    fertig(); // onto the picture that is stretched below, in the coordinates it was drawn in
    m_groesse = QSize(std::max(1, width()), std::max(1, height()));
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
    m_anfrage = {};
    if (!m_benutzerMassstab) {
        m_breite = scaleWidth();
        m_hoehe = scaleHeight();
    }
    abbildungNeu();
}

void Zeichenflaeche::abbildungNeu()
{
    const QPointF pro = proEinheit();
    m_proEinheitX = pro.x();
    m_proEinheitY = pro.y();
}

void Zeichenflaeche::setScaleLeft(float wert)
{
    bereit();
    m_benutzerMassstab = true;
    if (std::isfinite(wert))
        m_links = wert;
}

void Zeichenflaeche::setScaleTop(float wert)
{
    bereit();
    m_benutzerMassstab = true;
    if (std::isfinite(wert))
        m_oben = wert;
}

void Zeichenflaeche::setScaleWidth(float wert)
{
    bereit();
    m_benutzerMassstab = true;
    if (wert != 0 && std::isfinite(wert)) {
        m_breite = wert;
        abbildungNeu();
    }
}

void Zeichenflaeche::setScaleHeight(float wert)
{
    bereit();
    m_benutzerMassstab = true;
    if (wert != 0 && std::isfinite(wert)) {
        m_hoehe = wert;
        abbildungNeu();
    }
}

void Zeichenflaeche::setHintergrund(QColor farbe)
{
    m_hintergrund = farbe.rgb();
    m_ganzLoeschen = true;
}

void Zeichenflaeche::setHintergrundbild(std::function<QImage(qreal verhaeltnis)> maler)
{
    m_hintergrundMaler = std::move(maler);
    m_hintergrundbild = m_hintergrundMaler ? m_hintergrundMaler(m_verhaeltnis) : QImage();
    loeschen();
}

namespace {

// A rectangle times mal / durch: device pixels to logical ones and back. Multiplying by 1 and dividing
// by 1 are exact, so a whole device pixel stays whole where 1 / ratio would round.
QRectF umgerechnet(const QRect& r, qreal mal, qreal durch)
{
    return { r.x() * mal / durch, r.y() * mal / durch, r.width() * mal / durch, r.height() * mal / durch };
}

} // namespace

QRect Zeichenflaeche::rasterBox() const
{
    return QRect(QPoint(m_raster.links, m_raster.oben), QPoint(m_raster.rechts, m_raster.unten));
}

void Zeichenflaeche::anfragen(const QRect& box)
{
    m_angefragt |= box;
    // The region asked for only grows, until the size changes: Qt keeps a copy of it until the paint, and
    // a region that stays the same is shared, where a new one allocates on every frame.
    const QRect logisch = umgerechnet(box, 1, m_verhaeltnis).toAlignedRect();
    if (!m_anfrage.boundingRect().contains(logisch))
        m_anfrage = QRegion(m_anfrage.boundingRect() | logisch);
    update(m_anfrage);
}

QRect Zeichenflaeche::ungezeigtNehmen()
{
    const QRect box = m_angefragt;
    m_angefragt = {};
    return umgerechnet(box, 1, m_verhaeltnis).toAlignedRect();
}

void Zeichenflaeche::fertig()
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

void Zeichenflaeche::loeschen()
{
    bereit();
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

void Zeichenflaeche::linie(float x1, float y1, float x2, float y2, QRgb farbe)
{
    bereit();
    m_liste.linie(pixelX(x1), pixelY(y1), pixelX(x2), pixelY(y2), farbe);
    m_aktX = x2;
    m_aktY = y2;
}

void Zeichenflaeche::linieNach(float x2, float y2, QRgb farbe)
{
    linie(m_aktX, m_aktY, x2, y2, farbe);
}

void Zeichenflaeche::punkt(float x, float y, QRgb farbe)
{
    bereit();
    m_liste.punkt(pixelX(x), pixelY(y), farbe);
    m_aktX = x;
    m_aktY = y;
}

void Zeichenflaeche::rechteck(float x1, float y1, float x2, float y2, QRgb farbe)
{
    bereit();
    const double px1 = pixelX(x1), py1 = pixelY(y1), px2 = pixelX(x2), py2 = pixelY(y2);
    m_liste.linie(px1, py1, px2, py1, farbe);
    m_liste.linie(px2, py1, px2, py2, farbe);
    m_liste.linie(px2, py2, px1, py2, farbe);
    m_liste.linie(px1, py2, px1, py1, farbe);
    m_aktX = x2;
    m_aktY = y2;
}

void Zeichenflaeche::kreis(float x, float y, float radius, QRgb farbe)
{
    bereit();
    m_liste.kreis(pixelX(x), pixelY(y), double(radius) * m_proEinheitX * m_verhaeltnis, farbe);
    m_aktX = x;
    m_aktY = y;
}

QPointF Zeichenflaeche::zuBenutzer(QPointF pixel) const
{
    const QPointF pro = proEinheit();
    return { m_links + pixel.x() / pro.x(), m_oben + pixel.y() / pro.y() };
}

QPointF Zeichenflaeche::zuPixel(float x, float y) const
{
    const QPointF pro = proEinheit();
    return { (double(x) - m_links) * pro.x(), (double(y) - m_oben) * pro.y() };
}

void Zeichenflaeche::zeigen(QPainter& maler, const QRect& bereich) const
{
    // Outward to whole device pixels, and back: the copy maps each pixel onto one of the painter's.
    const QRect quelle = umgerechnet(bereich, m_verhaeltnis, 1).toAlignedRect() & m_bild.rect();
    if (!quelle.isEmpty())
        maler.drawImage(umgerechnet(quelle, 1, m_verhaeltnis), m_bild, QRectF(quelle));
}

void Zeichenflaeche::paintEvent(QPaintEvent* ereignis)
{
    // The owner draws the picture anew for the new ratio once this paint is over; until then the old
    // one shows, stretched.
    if (verhaeltnisPruefen())
        QMetaObject::invokeMethod(this, &Zeichenflaeche::groesseGeaendert, Qt::QueuedConnection);
    bereit();
    fertig();
    QPainter maler(this);
    for (const QRect& r : ereignis->region())
        zeigen(maler, r);
    m_angefragt = {};
}

bool Zeichenflaeche::event(QEvent* ereignis)
{
    // A window moved to another screen; its ratio is looked at here, not per clear, where asking a
    // hidden widget's screen allocates.
    if (ereignis->type() == QEvent::ScreenChangeInternal && verhaeltnisPruefen())
        emit groesseGeaendert();
    return QWidget::event(ereignis);
}

void Zeichenflaeche::resizeEvent(QResizeEvent*)
{
    verhaeltnisPruefen();
    bereit();
    emit groesseGeaendert();
}

QPointF Zeichenflaeche::mausPosition(const QMouseEvent* ereignis) const
{
    return zuBenutzer(ereignis->position());
}

// Buttons without a code of their own (back, forward and the like) raise no events.

void Zeichenflaeche::mousePressEvent(QMouseEvent* ereignis)
{
    const int taste = tastenCode(ereignis->button());
    if (taste == 0)
        return;
    m_nachDoppelklick = false;
    if (!m_empfaenger)
        return;
    const QPointF p = mausPosition(ereignis);
    m_empfaenger->mausRunter(taste, umschaltCode(ereignis->modifiers()), float(p.x()), float(p.y()));
}

void Zeichenflaeche::mouseReleaseEvent(QMouseEvent* ereignis)
{
    const int taste = tastenCode(ereignis->button());
    if (taste == 0)
        return;
    const bool nachDoppelklick = m_nachDoppelklick;
    m_nachDoppelklick = false;
    if (!m_empfaenger)
        return;
    const QPointF p = mausPosition(ereignis);
    m_empfaenger->mausHoch(taste, umschaltCode(ereignis->modifiers()), float(p.x()), float(p.y()));
    if (!nachDoppelklick)
        m_empfaenger->klick();
}

void Zeichenflaeche::mouseDoubleClickEvent(QMouseEvent* ereignis)
{
    // Qt delivers this in place of the second press: no press event, and the release that follows
    // raises no click.
    if (tastenCode(ereignis->button()) == 0)
        return;
    m_nachDoppelklick = true;
    if (m_empfaenger)
        m_empfaenger->doppelklick();
}

void Zeichenflaeche::mouseMoveEvent(QMouseEvent* ereignis)
{
    if (!m_empfaenger)
        return;
    const QPointF p = mausPosition(ereignis);
    m_empfaenger->mausBewegt(
        tastenCode(ereignis->buttons()), umschaltCode(ereignis->modifiers()), float(p.x()), float(p.y()));
}

} // namespace zem
