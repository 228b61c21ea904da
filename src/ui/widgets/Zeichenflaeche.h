#pragma once

#include "platform/Raster.h"
#include "platform/Zeichenziel.h"

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <functional>

class QPainter;

namespace zem {

namespace Raster {
class Baender;
}

// What a window's mouse events carry: the button code (1 left, 2 right, 4 middle; in a move the sum of
// the buttons held), the shift state (1 shift, 2 control, 4 alt) and the position in user coordinates.
class MausEmpfaenger {
public:
    virtual ~MausEmpfaenger() = default;
    virtual void mausRunter(int taste, int umschalt, float x, float y) = 0;
    virtual void mausBewegt(int tasten, int umschalt, float x, float y) = 0;
    virtual void mausHoch(int taste, int umschalt, float x, float y) = 0;
    virtual void klick() { }
    virtual void doppelklick() { }
};

// A window's client area as a drawing target. Until a scale value is set the scale is twips, from
// (0, 0), and follows the size of the area; afterwards a resize keeps the four numbers and stretches the
// mapping.
//
// Everything is drawn into an off-screen image of the client area, also while the widget is hidden:
// the image follows the widget's size at once, although Qt tells a hidden widget of a resize only
// when it is shown. Every repaint shows that image, so a part of the picture that another window
// covered comes back as it was. (Emulating the loss of a covered picture, as a runtime without an
// off-screen copy would show it, leaves black holes after every dialog and every restore on a
// compositing desktop, where no window loses its picture.)
//
// The image has the screen's device pixels: the widget's size times its device pixel ratio, rounded
// up. Positions, the user scale and the mouse stay in logical pixels; a drawing lands on the device
// pixel floor(logical position * ratio), with a pen of round(ratio) device pixels, so that lines weigh
// at every scale what they weigh at 100 %. A new ratio (the window moved to another screen) is taken
// up on a resize, a change of screen and a repaint, and told of as a new size.
//
// Clearing a plain background clears only the box around what was drawn since the last clear, and a
// repaint is asked for only where the picture changed: the box cleared and the box drawn.
//
// Mouse events reach the receiver in the order press, release, click, double click, release: the
// second press of a double click raises no press and its release no click.
class Zeichenflaeche : public QWidget, public Zeichenziel {
    Q_OBJECT
public:
    explicit Zeichenflaeche(QWidget* eltern = nullptr);

    void setEmpfaenger(MausEmpfaenger* empfaenger) { m_empfaenger = empfaenger; }

    float scaleLeft() const override { return m_links; }
    float scaleTop() const override { return m_oben; }
    float scaleWidth() const override;
    float scaleHeight() const override;
    // A pan or a zoom that would take an edge beyond the largest number stops the view at the end of the
    // range.
    void setScaleLeft(float wert) override;
    void setScaleTop(float wert) override;
    void setScaleWidth(float wert) override;
    void setScaleHeight(float wert) override;

    void setHintergrund(QColor farbe);
    // A picture that clearing restores instead of the plain background, stretched over the area. The
    // maker draws it for a device pixel ratio, which it gets again whenever the surface's ratio changes.
    void setHintergrundbild(std::function<QImage(qreal verhaeltnis)> maler);

    // Draws what was drawn since the last call onto the picture, in bands by the pool when one is set,
    // and asks for the repaint of what changed. The picture's paint and copy and a new size do it too.
    void fertig() override;
    // The threads that draw the picture in bands; none, the calling thread draws it. Not owned.
    void setBaender(Raster::Baender* baender) { m_baender = baender; }

    void loeschen() override;
    void linie(float x1, float y1, float x2, float y2, QRgb farbe) override;
    void linieNach(float x2, float y2, QRgb farbe) override;
    void punkt(float x, float y, QRgb farbe) override;
    void punkt(float x, float y) override { punkt(x, y, m_vordergrund); }
    void rechteck(float x1, float y1, float x2, float y2, QRgb farbe) override;
    void kreis(float x, float y, float radius, QRgb farbe) override;

    // A copy of the off-screen picture, in device pixels; later drawing does not change it.
    QImage bild()
    {
        fertig();
        return m_bild.copy();
    }

    // The part of the area, in logical pixels, that changed since it was last shown: what the surface
    // asked Qt to repaint. Taking it counts it as shown.
    QRect ungezeigtNehmen();
    // Copies the picture under a part of the area, in logical pixels, onto a painter of the widget's
    // device pixel ratio: whole device pixels, each onto one of the painter's, without smoothing.
    void zeigen(QPainter& maler, const QRect& bereich) const;

signals:
    // The client area has a new size; the image and a twips scale already follow it.
    void groesseGeaendert();

public:
    // Pixel position inside the area to user coordinates, and back.
    QPointF zuBenutzer(QPointF pixel) const;
    QPointF zuPixel(float x, float y) const;

protected:
    bool event(QEvent* ereignis) override;
    void paintEvent(QPaintEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    void mousePressEvent(QMouseEvent* ereignis) override;
    void mouseReleaseEvent(QMouseEvent* ereignis) override;
    void mouseDoubleClickEvent(QMouseEvent* ereignis) override;
    void mouseMoveEvent(QMouseEvent* ereignis) override;

private:
    // Brings the image and the mapping to the widget's current size before anything uses them.
    void bereit()
    {
        if (m_groesse.width() != std::max(1, width()) || m_groesse.height() != std::max(1, height()))
            groesseUebernehmen();
    }
    // True when the ratio changed; the image is made anew for it.
    bool verhaeltnisPruefen();
    void groesseUebernehmen();
    void gezeichnet()
    {
        // Nothing drawn outside what is asked for already: no request, so a redraw of thousands of lines
        // makes a few (the empty box lies within any).
        const Raster::Bild& r = m_raster;
        if (r.links >= m_angefragt.left() && r.rechts <= m_angefragt.right() && r.oben >= m_angefragt.top()
            && r.unten <= m_angefragt.bottom())
            return;
        anfragen(rasterBox());
    }
    // The raster's box around what was drawn since the last clear, in device pixels.
    QRect rasterBox() const;
    // Asks for a repaint of the device pixels of a box.
    void anfragen(const QRect& box);
    // User coordinates to device pixels: the logical pixel position times the ratio.
    double pixelX(float x) const { return (double(x) - m_links) * m_proEinheitX * m_verhaeltnis; }
    double pixelY(float y) const { return (double(y) - m_oben) * m_proEinheitY * m_verhaeltnis; }
    // Logical pixels per user unit, horizontally and vertically, for the widget's current size.
    QPointF proEinheit() const;
    void abbildungNeu();
    QPointF mausPosition(const QMouseEvent* ereignis) const;

    MausEmpfaenger* m_empfaenger = nullptr;
    QImage m_bild;
    std::function<QImage(qreal)> m_hintergrundMaler;
    QImage m_hintergrundbild;
    Raster::Bild m_raster;
    Raster::Zeichenliste m_liste; // drawn since the last fertig(), in device pixels
    Raster::Baender* m_baender = nullptr;
    QSize m_groesse; // in logical pixels
    qreal m_verhaeltnis = 0; // device pixels per logical pixel of the image
    // Outside the raster's box the image may hold more than the plain background.
    bool m_ganzLoeschen = true;
    QRect m_angefragt; // device pixels asked to be repainted since the last paint
    QRegion m_anfrage; // logical pixels, what every repaint asks for
    bool m_benutzerMassstab = false;
    bool m_nachDoppelklick = false;
    float m_links = 0, m_oben = 0, m_breite = 1, m_hoehe = 1;
    double m_proEinheitX = 1, m_proEinheitY = 1;
    float m_aktX = 0, m_aktY = 0;
    QRgb m_hintergrund = qRgb(0, 0, 0);
    QRgb m_vordergrund = qRgb(0, 0, 0); // the window's foreground colour, for a point without one
};

// Mouse button code of the runtime for one Qt button, and the sum for a set of held buttons.
int tastenCode(Qt::MouseButtons tasten);
int umschaltCode(Qt::KeyboardModifiers tasten);

} // namespace zem
