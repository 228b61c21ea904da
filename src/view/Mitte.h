#pragma once

// The centre point's place in the main window, kept as fractions of the user scale.

namespace zem {
struct Programm;

namespace Bewegungen {

// Sets MitteX and MitteY from the view point Sichtpunkte(0) and the main window's current user scale:
// MitteX = (x - scale left) / scale width, MitteY = (scale top - y) / scale height.
void MitteBestimmen(Programm& p);

} // namespace Bewegungen
} // namespace zem
