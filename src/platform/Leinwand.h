#pragma once

#include "platform/Raster.h"
#include "platform/Zeichenziel.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <functional>
#include <vector>

class QPainter;

namespace zem {

namespace Raster {
class Baender;
}

// What a canvas on a window's client area asks of the window. A hidden window learns of a new size only
// when it is shown, so the canvas asks for the size before each frame and each change of scale instead
// of waiting to be told.
class LeinwandFenster {
public:
    // The client area's size in logical pixels, at least 1 x 1.
    virtual QSize flaechenGroesse() const = 0;
    // A part of the picture changed, in logical pixels: it wants a repaint.
    virtual void neuZeigen(const QRect& bereich) = 0;

protected:
    ~LeinwandFenster() = default;
};

// A picture to draw on with a user scale: the main window's, the movement window's, a thumbnail's.
// Until a scale value is set the scale is the area's base unit per pixel (twips on a window), from (0, 0), and follows
// the size of the area; afterwards a resize keeps the four numbers and stretches the mapping.
//
// The image has device pixels: the area's logical size times the device pixel ratio, rounded up.
// Positions, the user scale and the mouse stay in logical pixels; a drawing lands on the device pixel
// floor(logical position * ratio), with a pen of round(ratio) device pixels, so that lines weigh at
// every scale what they weigh at 100 %.
//
// Drawing is recorded and put onto the image when the picture is complete (fertig()): drawn as colour
// numbers into a layer of a byte a pixel and from there put into the image, in pieces by a pool of
// threads when one is set. Clearing a plain background clears only the box around what was drawn since
// the last clear, as the next drawing is put into the image, and a repaint is asked for only where the
// picture changed: the box cleared and the box drawn.
class Leinwand final : public Zeichenziel {
public:
    // An area of a size in logical pixels, at a device pixel ratio, in a plain background colour.
    explicit Leinwand(QSize groesse = { 1, 1 }, qreal verhaeltnis = 1, QRgb hintergrund = qRgb(0, 0, 0));

    // The window the canvas lies on, which it asks for its size and tells of changes; none for a canvas
    // of its own size. Not owned.
    void setFenster(LeinwandFenster* fenster) { m_fenster = fenster; }
    // The scale before a scale value is set: so many base units on so many logical pixels (on a window
    // 1440 twips on the logical pixels of an inch).
    void setGrundmass(double einheiten, double pixel);

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

    void setHintergrund(QRgb farbe);
    // A picture that clearing restores instead of the plain background, stretched over the area. The
    // maker draws it for a device pixel ratio, which it gets again whenever the canvas's ratio changes.
    void setHintergrundbild(std::function<QImage(qreal verhaeltnis)> maler);

    // Draws what was drawn since the last call onto the picture, in pieces by the pool when one is set,
    // and asks for the repaint of what changed.
    void fertig() override;
    // The threads that draw the picture in pieces; none, the calling thread draws it. Not owned. When they
    // would draw a picture as large as the last one in pieces, they draw it while it is recorded, from the
    // clear on; they learn from the time of each picture whether pieces pay.
    void setBaender(Raster::Baender* baender);

    void loeschen() override;
    void linie(float x1, float y1, float x2, float y2, QRgb farbe) override;
    void linieNach(float x2, float y2, QRgb farbe) override;
    void punkt(float x, float y, QRgb farbe) override;
    void punkt(float x, float y) override { punkt(x, y, m_vordergrund); }
    void rechteck(float x1, float y1, float x2, float y2, QRgb farbe) override;
    void kreis(float x, float y, float radius, QRgb farbe) override;

    // Takes up the window's size now; the picture so far is stretched to it until it is drawn anew.
    void groesseAbgleichen()
    {
        if (m_fenster && m_fenster->flaechenGroesse() != m_groesse)
            groesseUebernehmen(m_fenster->flaechenGroesse());
    }
    // A new device pixel ratio: the image is made anew for it. False when it is the one the canvas has.
    bool verhaeltnisSetzen(qreal verhaeltnis);
    qreal verhaeltnis() const { return m_verhaeltnis; }

    // How long the last picture took to draw, from the clear that began it to the end of the fertig()
    // that put it onto the image, in nanoseconds.
    std::int64_t zeichenzeit() const { return m_zeichenzeit; }
    // How many pictures were drawn so far.
    std::uint64_t bilder() const { return m_bilder; }

    // A copy of the picture, in device pixels, with all drawing put onto it; later drawing does not
    // change it.
    QImage bild()
    {
        fertig();
        return m_bild.copy();
    }

    // The part of the area, in logical pixels, that changed since it was last shown: what the canvas
    // asked to be repainted. Taking it counts it as shown.
    QRect ungezeigtNehmen();
    // Copies the picture under a part of the area, in logical pixels, onto a painter of the area's device
    // pixel ratio: whole device pixels, each onto one of the painter's, without smoothing.
    void zeigen(QPainter& maler, const QRect& bereich) const;

    // Position inside the area in logical pixels to user coordinates, and back.
    QPointF zuBenutzer(QPointF pixel) const;
    QPointF zuPixel(float x, float y) const;

private:
    void groesseUebernehmen(QSize groesse);
    void gezeichnet()
    {
        // Nothing drawn outside what is asked for already: no request, so a redraw of thousands of lines
        // makes a few.
        if (!m_bildBox.isEmpty() && !m_angefragt.contains(m_bildBox))
            anfragen(m_bildBox);
    }
    // The colour number of a colour in the list; a list of 255 colours is drawn first.
    std::uint8_t nummer(QRgb farbe)
    {
        if (m_letzteNummer != 0 && farbe == m_farben[m_letzteNummer])
            return m_letzteNummer;
        return neueNummer(farbe);
    }
    std::uint8_t neueNummer(QRgb farbe);
    // Draws the list onto the picture and empties it; fertig() besides ends the picture's time.
    void listeZeichnen();
    // Empties the list, and its colours.
    void listeLeeren();
    // Before an operation is recorded: while the pool draws the list as it is recorded, tells it of every
    // 1024 operations, and draws the list first when its room is full.
    void vorAufnahme()
    {
        if (!m_strom)
            return;
        if (m_liste.voll())
            listeZeichnen();
        else if (m_liste.anzahl() % 1024 == 0)
            strecken();
    }
    void strecken();
    // The picture begun by the last clear is complete: its time is taken.
    void bildFertig();
    // Asks for a repaint of the device pixels of a box.
    void anfragen(const QRect& box);
    // User coordinates to device pixels: the logical pixel position times the ratio.
    double pixelX(float x) const { return (double(x) - m_links) * m_proEinheitX * m_verhaeltnis; }
    double pixelY(float y) const { return (double(y) - m_oben) * m_proEinheitY * m_verhaeltnis; }
    void aktuell(float x, float y)
    {
        m_aktX = x;
        m_aktY = y;
        aktuellNeu();
    }
    void aktuellNeu()
    {
        m_aktPixelX = pixelX(m_aktX);
        m_aktPixelY = pixelY(m_aktY);
    }
    void linieVon(double px1, double py1, float x2, float y2, QRgb farbe)
    {
        vorAufnahme();
        const double px2 = pixelX(x2), py2 = pixelY(y2);
        m_liste.linie(px1, py1, px2, py2, nummer(farbe));
        m_aktX = x2;
        m_aktY = y2;
        m_aktPixelX = px2;
        m_aktPixelY = py2;
    }
    // The area's size in logical pixels as the window has it now, before the canvas took it up.
    QSize groesse() const { return m_fenster ? m_fenster->flaechenGroesse() : m_groesse; }
    // Logical pixels per user unit, horizontally and vertically, for that size.
    QPointF proEinheit() const;
    void abbildungNeu();

    LeinwandFenster* m_fenster = nullptr;
    QImage m_bild;
    std::function<QImage(qreal)> m_hintergrundMaler;
    QImage m_hintergrundbild;
    std::vector<std::uint8_t> m_ebene;
    Raster::Bild m_raster; // the layer the list is drawn into, empty between frames
    Raster::Zeichenliste m_liste; // drawn since the last fertig(), in device pixels
    std::uint32_t m_farben[256] = {}; // the colours of the list's numbers, from 1
    int m_farbenZahl = 1;
    std::uint8_t m_letzteNummer = 0;
    QRect m_bildBox; // device pixels drawn since the last clear
    QRect m_geloescht; // device pixels cleared, to take the background when the list is drawn
    Raster::Baender* m_baender = nullptr;
    QSize m_groesse; // in logical pixels
    qreal m_verhaeltnis; // device pixels per logical pixel of the image
    double m_grundEinheiten = 1, m_grundPixel = 1; // base units on logical pixels
    // Outside the drawn box the image may hold more than the plain background.
    bool m_ganzLoeschen = true;
    bool m_strom = false; // the pool draws the list while it is recorded
    bool m_stromStuecke = false; // in pieces, or in one on a worker
    Raster::Farbbild m_ziel; // what the pool puts the layer into meanwhile
    std::size_t m_letzteAnzahl = 0; // operations of the last list
    // The work of the picture being drawn and of the last one, and whether the pool drew it in pieces.
    std::int64_t m_aufwand = 0, m_letzterAufwand = 0;
    bool m_inStuecken = false;
    std::int64_t m_anfang = -1; // when the picture being drawn was begun by a clear, in nanoseconds
    std::int64_t m_zeichenzeit = 0;
    std::uint64_t m_bilder = 0;
    QRect m_angefragt; // device pixels asked to be repainted since they were last shown
    bool m_benutzerMassstab = false;
    float m_links = 0, m_oben = 0, m_breite = 1, m_hoehe = 1;
    double m_proEinheitX = 1, m_proEinheitY = 1;
    // The current point, where linieNach starts, and its place in device pixels, kept so that a path of
    // lines converts each corner once.
    float m_aktX = 0, m_aktY = 0;
    double m_aktPixelX = 0, m_aktPixelY = 0;
    QRgb m_hintergrund;
    QRgb m_vordergrund = qRgb(0, 0, 0); // the window's foreground colour, for a point without one
};

} // namespace zem
