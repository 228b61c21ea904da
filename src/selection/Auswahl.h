#pragma once

// Auswahl: picking the point under the mouse, marking points and elements, and showing the point
// under the pointer in the coordinates window.

namespace zem {
struct Programm;

namespace Auswahl {

// Finds the point under (x, y) (the highest number wins; the origin when none), stores it in Fangpunkt
// and makes it the centre point.
void PunktFangen(Programm& p, float x, float y);
// Toggles the mark of point Fangpunkt (model points only), then applies the marking mode.
void PunktUmschalten(Programm& p);
// Puts the check mark on the current marking mode, marks the elements by it, redraws.
void MarkierungAnwenden(Programm& p);
// Shows the model point under (x, y) and its coordinates in the coordinates window.
void PunktZeigen(Programm& p, float x, float y);

} // namespace Auswahl
} // namespace zem
