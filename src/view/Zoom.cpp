#include "view/Bewegungen.h"

#include "model/Programm.h"
#include "platform/Zeichenflaeche.h"
#include "ui/side/ZeigFenster.h"

#include <QScrollBar>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace zem::Bewegungen {

void ZoomSetzen(Programm& p)
{
    QWidget& ausgabe = *p.f.Ausgabe;
    if (ausgabe.isMinimized()) {
        ZeigFenster::FensterMinimieren(p);
        return;
    }
    Szene& s = p.s;
    Zeichenflaeche& f = *p.f.Flaeche;
    const float h = static_cast<float>(p.f.ZoomScroll->value()) * s.Ausdehnung / 500.0f;
    const QRect rahmen = ausgabe.frameGeometry();
    const float q = static_cast<float>(rahmen.height()) / static_cast<float>(std::max(1, rahmen.width()));
    // An extent of 0 (every vertex at the origin) gives no scale at all; the scale stays as it was then,
    // and so does everything measured from it.
    if (h == 0 || !std::isfinite(h)) {
        ZeigFenster::FensterNormal(p);
        return;
    }
    const Vektor& mitte = s.Sichtpunkte(0);
    if (q > 1) {
        f.setScaleWidth(2 * h);
        f.setScaleLeft(mitte.X - f.scaleWidth() * s.MitteX);
        f.setScaleHeight(-2 * h * q);
        f.setScaleTop(f.scaleHeight() * s.MitteY + mitte.Y);
    } else {
        f.setScaleWidth(2 * h / q);
        f.setScaleLeft(mitte.X - f.scaleWidth() * s.MitteX);
        f.setScaleHeight(-2 * h);
        f.setScaleTop(f.scaleHeight() * s.MitteY + mitte.Y);
    }
    s.Fangweite = h / 50;
    s.Achsenmass = 3 * s.Fangweite;
    ZeigFenster::FensterNormal(p);
}

} // namespace zem::Bewegungen
