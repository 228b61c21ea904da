#include "platform/Zeichenflaeche.h"

#include "platform/Twips.h"

#include <QCoreApplication>
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
    bereit();
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

void Zeichenflaeche::groesseUebernehmen()
{
    QImage neu(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    neu.fill(m_hintergrund);
    if (!m_bild.isNull()) {
        QPainter maler(&neu);
        maler.drawImage(0, 0, m_bild);
    }
    m_bild = std::move(neu);
    m_raster = { reinterpret_cast<std::uint32_t*>(m_bild.bits()), m_bild.width(), m_bild.height(),
        static_cast<int>(m_bild.bytesPerLine() / 4) };
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
}

void Zeichenflaeche::setHintergrundbild(const QImage& bild)
{
    m_hintergrundbild = bild;
    loeschen();
}

// The request to show the drawn picture, which the surface posts to itself. QWidget::update() would
// post a new event on the heap for every redraw; this one is built in storage that the surface owns,
// and its delete only ends its life there.
class Zeichenflaeche::ZeigenAnfrage : public QEvent {
public:
    static constexpr Type Typ = Type(QEvent::User + 1);
    explicit ZeigenAnfrage(bool& unterwegs)
        : QEvent(Typ)
        , m_unterwegs(unterwegs)
    {
    }
    ~ZeigenAnfrage() override { m_unterwegs = false; }
    static void* operator new(std::size_t, void* ort) { return ort; }
    static void operator delete(void*) { }

private:
    bool& m_unterwegs;
};

Zeichenflaeche::~Zeichenflaeche()
{
    // While the flag that the request clears still lives.
    QCoreApplication::removePostedEvents(this, ZeigenAnfrage::Typ);
}

void Zeichenflaeche::gezeichnet()
{
    // One request per paint: a redraw of thousands of lines asks for a single repaint.
    if (m_ungezeigt)
        return;
    m_ungezeigt = true;
    if (!m_anfrageUnterwegs) {
        static_assert(sizeof(ZeigenAnfrage) <= sizeof m_anfrage);
        m_anfrageUnterwegs = true;
        QCoreApplication::postEvent(this, new (m_anfrage) ZeigenAnfrage(m_anfrageUnterwegs), Qt::LowEventPriority);
    }
}

bool Zeichenflaeche::event(QEvent* ereignis)
{
    if (ereignis->type() != ZeigenAnfrage::Typ)
        return QWidget::event(ereignis);
    // A repaint at once: Qt's own request event would be one more allocation. Hidden, the surface
    // keeps its picture until it is shown.
    if (m_ganz.boundingRect() != rect())
        m_ganz = QRegion(rect());
    repaint(m_ganz);
    return true;
}

void Zeichenflaeche::loeschen()
{
    bereit();
    if (m_hintergrundbild.isNull()) {
        m_bild.fill(m_hintergrund);
    } else {
        QPainter maler(&m_bild);
        maler.drawImage(m_bild.rect(), m_hintergrundbild);
    }
    m_aktX = 0;
    m_aktY = 0;
    gezeichnet();
}

void Zeichenflaeche::linie(float x1, float y1, float x2, float y2, QRgb farbe)
{
    bereit();
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
    bereit();
    Raster::Punkt(m_raster, pixelX(x), pixelY(y), farbe);
    m_aktX = x;
    m_aktY = y;
    gezeichnet();
}

void Zeichenflaeche::rechteck(float x1, float y1, float x2, float y2, QRgb farbe)
{
    bereit();
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
    bereit();
    Raster::Kreis(m_raster, pixelX(x), pixelY(y), double(radius) * m_proEinheitX, farbe);
    m_aktX = x;
    m_aktY = y;
    gezeichnet();
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

void Zeichenflaeche::paintEvent(QPaintEvent* ereignis)
{
    bereit();
    QPainter maler(this);
    for (const QRect& r : ereignis->region())
        maler.drawImage(r.topLeft(), m_bild, r);
    m_ungezeigt = false;
}

void Zeichenflaeche::resizeEvent(QResizeEvent*)
{
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
