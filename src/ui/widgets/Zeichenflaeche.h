#pragma once

#include "platform/Leinwand.h"

#include <QRegion>
#include <QWidget>

namespace zem {

// What a window's mouse events carry: the button code (1 left, 2 right, 4 middle; in a move the sum of
// the buttons held) and the position in user coordinates.
class MausEmpfaenger {
public:
    virtual ~MausEmpfaenger() = default;
    virtual void mausRunter(int taste, float x, float y) = 0;
    virtual void mausBewegt(int tasten, float x, float y) = 0;
    virtual void mausHoch(int taste, float x, float y) = 0;
    virtual void klick() { }
    virtual void doppelklick() { }
};

// A window's client area that shows a canvas and passes the mouse on in the canvas's user coordinates.
// Until a scale value is set the canvas's scale is twips.
//
// The canvas is drawn also while the widget is hidden, at the size the widget has then, although Qt
// tells a hidden widget of a resize only when it is shown. Every repaint shows the canvas's picture,
// so a part of it that another window covered comes back as it was. (Emulating the loss of a covered
// picture, as a window without an off-screen copy would show it, leaves black holes after every dialog
// and every restore on a compositing desktop, where no window loses its picture.) A new device pixel
// ratio (the window moved to another screen) is taken up on a resize, a change of screen and a repaint,
// and told of as a new size.
//
// Mouse events reach the receiver in the order press, release, click, double click, release: the
// second press of a double click raises no press and its release no click.
//
// With the logging category zem.frames on (QT_LOGGING_RULES="zem.frames.debug=true"), each picture shown
// after a mouse event logs how long it took to draw and how long from the mouse event to the picture
// handed to the window system, once the paint that shows it has been flushed. The mouse event's time is
// the window system's; an X server gives the monotonic clock in milliseconds, so on the program's own
// machine the time includes the wait in the event queues.
class Zeichenflaeche : public QWidget, private LeinwandFenster {
    Q_OBJECT
public:
    explicit Zeichenflaeche(QWidget* eltern = nullptr);

    Leinwand& leinwand() { return m_leinwand; }
    void setEmpfaenger(MausEmpfaenger* empfaenger) { m_empfaenger = empfaenger; }

signals:
    // The client area has a new size; the canvas and a twips scale already follow it.
    void groesseGeaendert();

protected:
    bool event(QEvent* ereignis) override;
    void paintEvent(QPaintEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    void mousePressEvent(QMouseEvent* ereignis) override;
    void mouseReleaseEvent(QMouseEvent* ereignis) override;
    void mouseDoubleClickEvent(QMouseEvent* ereignis) override;
    void mouseMoveEvent(QMouseEvent* ereignis) override;

private:
    QSize flaechenGroesse() const override { return size().expandedTo({ 1, 1 }); }
    void neuZeigen(const QRect& bereich) override;
    // True when the device pixel ratio changed; the canvas is made anew for it.
    bool verhaeltnisPruefen() { return m_leinwand.verhaeltnisSetzen(devicePixelRatio()); }
    QPointF mausPosition(const QMouseEvent* ereignis) const;
    // Handles a mouse event, timed for the log of frames.
    template <typename Handeln> void mausMerken(const QMouseEvent* ereignis, Handeln handeln);

    Leinwand m_leinwand;
    MausEmpfaenger* m_empfaenger = nullptr;
    QRegion m_anfrage; // what every repaint asks for, in logical pixels
    // The window system's time of the last mouse event, in milliseconds, while frames are logged, and the
    // canvas's count of pictures then; 0 once a picture drawn after it is shown.
    quint64 m_mausZeit = 0;
    std::uint64_t m_mausBilder = 0;
    QSize m_anfrageGroesse; // the size m_anfrage was asked for at
    bool m_nachDoppelklick = false;
};

// Mouse button code of the window for one Qt button, and the sum for a set of held buttons.
int tastenCode(Qt::MouseButtons tasten);

} // namespace zem
