#pragma once

// Auswahl: picking the point under the mouse, marking points and elements, and showing the point
// under the pointer in the coordinates window.

namespace zem {
class KoordinatenAnzeige;
class MarkierartAnzeige;
class Zeichenziel;
class Listen;
struct Szene;

namespace Auswahl {

// Finds the point under (x, y) (the highest number wins; the origin when none), stores it in Fangpunkt
// and makes it the centre point.
void PunktFangen(Szene& s, const Zeichenziel& ziel, float x, float y);
// Toggles the mark of point Fangpunkt (model points only), then applies the marking mode.
void PunktUmschalten(const Szene& s, Listen& listen, MarkierartAnzeige& haken, Zeichenziel& ziel);
// Puts the check mark on the current marking mode, marks the elements by it, redraws.
void MarkierungAnwenden(const Szene& s, Listen& listen, MarkierartAnzeige& haken, Zeichenziel& ziel);
// Shows the model point under (x, y) and its coordinates in the coordinates window.
void PunktZeigen(const Szene& s, KoordinatenAnzeige& anzeige, float x, float y);

} // namespace Auswahl
} // namespace zem
