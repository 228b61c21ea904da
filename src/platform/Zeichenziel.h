#pragma once

#include <QRgb>

namespace zem {

// What the picture is drawn on: an area with a user scale, and drawing operations in user coordinates.
//
// The user scale maps user coordinates linearly onto the area: the left edge has x = left, the right
// edge left + width, the top edge y = top, the bottom edge top + height (a negative height makes y run
// up). A zero width or height, or an edge, width or height beyond the largest number, cannot map; such a
// value leaves the scale as it was.
//
// Each drawing operation leaves the current position at its end point, the circle at its centre,
// clearing at (0, 0). What is drawn may show only once fertig() says the picture is complete.
class Zeichenziel {
public:
    virtual float scaleLeft() const = 0;
    virtual float scaleTop() const = 0;
    virtual float scaleWidth() const = 0;
    virtual float scaleHeight() const = 0;
    virtual void setScaleLeft(float wert) = 0;
    virtual void setScaleTop(float wert) = 0;
    virtual void setScaleWidth(float wert) = 0;
    virtual void setScaleHeight(float wert) = 0;

    virtual void loeschen() = 0;
    virtual void linie(float x1, float y1, float x2, float y2, QRgb farbe) = 0;
    virtual void linieNach(float x2, float y2, QRgb farbe) = 0;
    virtual void punkt(float x, float y, QRgb farbe) = 0;
    // A point in the foreground colour.
    virtual void punkt(float x, float y) = 0;
    virtual void rechteck(float x1, float y1, float x2, float y2, QRgb farbe) = 0;
    // Circle outline; the radius is measured in horizontal user units.
    virtual void kreis(float x, float y, float radius, QRgb farbe) = 0;
    // The picture is complete: what was drawn is put onto the area and shown.
    virtual void fertig() = 0;

protected:
    ~Zeichenziel() = default;
};

} // namespace zem
