#pragma once

#include "platform/Raster.h"

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <cstddef>

namespace zem {

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

// A window's client area with a user scale and drawing operations in user coordinates.
//
// The user scale maps user coordinates linearly onto the client area: the left edge has x = left, the
// right edge left + width, the top edge y = top, the bottom edge top + height (a negative height makes
// y run up). Until a scale value is set the scale is twips, from (0, 0), and follows the size of the
// area; afterwards a resize keeps the four numbers and stretches the mapping.
//
// Everything is drawn into an off-screen image of the client area, also while the widget is hidden:
// the image follows the widget's size at once, although Qt tells a hidden widget of a resize only
// when it is shown. Every repaint shows that image, so a part of the picture that another window
// covered comes back as it was. (Emulating the loss of a covered picture, as a runtime without an
// off-screen copy would show it, leaves black holes after every dialog and every restore on a
// compositing desktop, where no window loses its picture.)
//
// Mouse events reach the receiver in the order press, release, click, double click, release: the
// second press of a double click raises no press and its release no click.
class Zeichenflaeche : public QWidget {
    Q_OBJECT
public:
    explicit Zeichenflaeche(QWidget* eltern = nullptr);
    ~Zeichenflaeche() override;

    void setEmpfaenger(MausEmpfaenger* empfaenger) { m_empfaenger = empfaenger; }

    float scaleLeft() const { return m_links; }
    float scaleTop() const { return m_oben; }
    float scaleWidth() const;
    float scaleHeight() const;
    // A zero width or height, or an edge, width or height beyond the largest number, cannot map; such
    // a value leaves the scale as it was. A pan or a zoom that would take an edge there stops the view
    // at the end of the range.
    void setScaleLeft(float wert);
    void setScaleTop(float wert);
    void setScaleWidth(float wert);
    void setScaleHeight(float wert);

    QColor hintergrund() const { return QColor::fromRgb(m_hintergrund); }
    void setHintergrund(QColor farbe);
    QColor vordergrund() const { return QColor::fromRgb(m_vordergrund); }
    void setVordergrund(QColor farbe) { m_vordergrund = farbe.rgb(); }
    // A picture that clearing restores instead of the plain background, stretched over the area.
    void setHintergrundbild(const QImage& bild);

    // Drawing, in user coordinates. Each operation leaves the current position at its end point, the
    // circle at its centre, clearing at (0, 0).
    void loeschen();
    void linie(float x1, float y1, float x2, float y2, QRgb farbe);
    void linieNach(float x2, float y2, QRgb farbe);
    void punkt(float x, float y, QRgb farbe);
    void punkt(float x, float y) { punkt(x, y, m_vordergrund); }
    void rechteck(float x1, float y1, float x2, float y2, QRgb farbe);
    // Circle outline; the radius is measured in horizontal user units.
    void kreis(float x, float y, float radius, QRgb farbe);
    float currentX() const { return m_aktX; }
    float currentY() const { return m_aktY; }

    // A copy of the off-screen picture; later drawing does not change it.
    QImage bild() const { return m_bild.copy(); }

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
        if (m_raster.breite != std::max(1, width()) || m_raster.hoehe != std::max(1, height()))
            groesseUebernehmen();
    }
    void groesseUebernehmen();
    void gezeichnet();
    double pixelX(float x) const { return (double(x) - m_links) * m_proEinheitX; }
    double pixelY(float y) const { return (double(y) - m_oben) * m_proEinheitY; }
    // Pixels per user unit, horizontally and vertically, for the widget's current size.
    QPointF proEinheit() const;
    void abbildungNeu();
    QPointF mausPosition(const QMouseEvent* ereignis) const;

    MausEmpfaenger* m_empfaenger = nullptr;
    QImage m_bild;
    QImage m_hintergrundbild;
    Raster::Bild m_raster;
    bool m_ungezeigt = false; // drawn since the last paint
    class ZeigenAnfrage;
    bool m_anfrageUnterwegs = false; // the request to show is posted and not yet deleted
    alignas(std::max_align_t) std::byte m_anfrage[64];
    // The whole surface as a region: the repaint takes a copy of it, which costs nothing, where one for
    // a rectangle would build a region on the heap on every redraw.
    QRegion m_ganz;
    bool m_benutzerMassstab = false;
    bool m_nachDoppelklick = false;
    float m_links = 0, m_oben = 0, m_breite = 1, m_hoehe = 1;
    double m_proEinheitX = 1, m_proEinheitY = 1;
    float m_aktX = 0, m_aktY = 0;
    QRgb m_hintergrund = qRgb(0, 0, 0);
    QRgb m_vordergrund = qRgb(0, 0, 0);
};

// Mouse button code of the runtime for one Qt button, and the sum for a set of held buttons.
int tastenCode(Qt::MouseButtons tasten);
int umschaltCode(Qt::KeyboardModifiers tasten);

} // namespace zem
