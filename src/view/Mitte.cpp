#include "view/Mitte.h"

#include "model/Programm.h"
#include "platform/Zeichenflaeche.h"

namespace zem::Bewegungen {

void MitteBestimmen(Programm& p)
{
    const Zeichenflaeche& f = *p.f.Flaeche;
    const Vektor& mitte = p.s.Sichtpunkte(0);
    // The surface refuses a zero width or height, so neither should arrive here. Should one still do,
    // the fraction keeps its last value: an infinite or NaN fraction would make the next zoom place the
    // origin nowhere on the window.
    if (f.scaleWidth() != 0)
        p.s.MitteX = static_cast<float>((double(mitte.X) - f.scaleLeft()) / f.scaleWidth());
    if (f.scaleHeight() != 0)
        p.s.MitteY = static_cast<float>((double(f.scaleTop()) - mitte.Y) / f.scaleHeight());
}

} // namespace zem::Bewegungen
