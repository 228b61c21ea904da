#include "ui/widgets/Zeichenflaeche.h"

#include "ui/widgets/Twips.h"

#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>

#include <chrono>

namespace zem {

namespace {

Q_LOGGING_CATEGORY(bilder, "zem.frames", QtInfoMsg)

quint64 jetztMs()
{
    return quint64(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

} // namespace

int tastenCode(Qt::MouseButtons tasten)
{
    return (tasten & Qt::LeftButton ? 1 : 0) + (tasten & Qt::RightButton ? 2 : 0) + (tasten & Qt::MiddleButton ? 4 : 0);
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
    if (m_mausZeit != 0 && m_leinwand.bilder() != m_mausBilder) {
        // Logged once the paint is over and flushed to the window: the event queued now comes after it.
        const double zeichnen = double(m_leinwand.zeichenzeit()) / 1e6;
        QMetaObject::invokeMethod(
            this,
            [maus = m_mausZeit, zeichnen] {
                // The window system's time has 32 bits; a time from another clock shows as a wait of days.
                const quint32 bis = quint32(jetztMs() - maus);
                qCDebug(bilder, "drawn_ms=%.2f mouse_to_picture_ms=%u", zeichnen, unsigned(bis));
            },
            Qt::QueuedConnection);
        m_mausZeit = 0;
    }
}

template <typename Handeln> void Zeichenflaeche::mausMerken(const QMouseEvent* ereignis, Handeln handeln)
{
    // The first event not yet answered by a picture is the one timed; one that draws none is forgotten.
    const bool merken = m_mausZeit == 0 && bilder().isDebugEnabled();
    if (merken) {
        m_mausZeit = ereignis->timestamp();
        m_mausBilder = m_leinwand.bilder();
    }
    handeln();
    if (merken && m_leinwand.bilder() == m_mausBilder)
        m_mausZeit = 0;
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
    mausMerken(ereignis, [&] { m_empfaenger->mausRunter(taste, float(p.x()), float(p.y())); });
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
    m_empfaenger->mausHoch(taste, float(p.x()), float(p.y()));
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
    mausMerken(
        ereignis, [&] { m_empfaenger->mausBewegt(tastenCode(ereignis->buttons()), float(p.x()), float(p.y())); });
}

} // namespace zem
