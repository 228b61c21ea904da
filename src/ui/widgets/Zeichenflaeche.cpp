#include "ui/widgets/Zeichenflaeche.h"

#include "ui/widgets/Twips.h"

#include <QMouseEvent>
#include <QPainter>

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
    m_leinwand.setFenster(this);
    m_leinwand.setGrundmass(1440, logischeDpi());
    verhaeltnisPruefen();
    m_leinwand.groesseAbgleichen();
}

void Zeichenflaeche::neuZeigen(const QRect& bereich)
{
    // The region asked for only grows, until the size changes: Qt keeps a copy of it until the paint, and
    // a region that stays the same is shared, where a new one allocates on every frame.
    if (m_anfrageGroesse != size()) {
        m_anfrageGroesse = size();
        m_anfrage = {};
    }
    if (!m_anfrage.boundingRect().contains(bereich))
        m_anfrage = QRegion(m_anfrage.boundingRect() | bereich);
    update(m_anfrage);
}

void Zeichenflaeche::paintEvent(QPaintEvent* ereignis)
{
    // The owner draws the picture anew for the new ratio once this paint is over; until then the old
    // one shows, stretched.
    if (verhaeltnisPruefen())
        QMetaObject::invokeMethod(this, &Zeichenflaeche::groesseGeaendert, Qt::QueuedConnection);
    m_leinwand.groesseAbgleichen();
    m_leinwand.fertig();
    QPainter maler(this);
    for (const QRect& r : ereignis->region())
        m_leinwand.zeigen(maler, r);
    m_leinwand.ungezeigtNehmen();
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
    m_leinwand.groesseAbgleichen();
    emit groesseGeaendert();
}

QPointF Zeichenflaeche::mausPosition(const QMouseEvent* ereignis) const
{
    return m_leinwand.zuBenutzer(ereignis->position());
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
