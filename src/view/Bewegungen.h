#pragma once

// Bewegungen: turning the view with the mouse, fitting the main window's user scale to the zoom, and
// keeping the centre point's place in the window.

namespace zem {
class Fensterlage;
class Zeichenziel;
class Listen;
struct Szene;
struct Vektor;

namespace Bewegungen {

// One step of a right drag to the pointer position (x, y) in user coordinates: new Drehmatrix, new
// view points, new centre fractions, redraw.
void MausDrehen(Szene& s, const Listen& listen, Zeichenziel& ziel, float x, float y);
// Normalises a and b in place and sets Drehmatrix to the rotation that turns a into b, applied after
// Druckmatrix; leaves Drehmatrix as it is when a and b are parallel.
void DrehungBerechnen(Szene& s, Vektor& a, Vektor& b);
// Fits the main window's user scale to the zoom value, the extent and the window's shape, keeping the
// centre point at its fractions; sets Fangweite and Achsenmass and the side windows' state. No redraw.
void ZoomSetzen(Szene& s, Zeichenziel& ziel, Fensterlage& lage);
// Sets MitteX and MitteY from the view point Sichtpunkte(0) and the main window's current user scale:
// MitteX = (x - scale left) / scale width, MitteY = (scale top - y) / scale height.
void mitteBestimmen(Szene& s, const Zeichenziel& ziel);

} // namespace Bewegungen
} // namespace zem
