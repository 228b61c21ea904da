#pragma once

// Zeichnen: the whole picture of the main window, drawn anew from the view points on every change.

namespace zem {
class Zeichenziel;
class Listen;
struct Szene;

namespace Zeichnen {

// Clears the area, then draws the axes, triangles, quads, polygons and the highlights, and shows the
// picture.
void AllesZeichnen(const Szene& s, const Listen& listen, Zeichenziel& ziel);
// The X, Y and Z axes with arrowheads and letters.
void AchsenZeichnen(const Szene& s, Zeichenziel& ziel);
// One axis; a is the point number of its end: -3 X, -2 Y, -1 Z.
void AchseZeichnen(const Szene& s, Zeichenziel& ziel, int a);
void DreieckeZeichnen(const Szene& s, Zeichenziel& ziel);
void ViereckeZeichnen(const Szene& s, Zeichenziel& ziel);
void PolygoneZeichnen(const Szene& s, Zeichenziel& ziel);
// Marked elements in green, marked points as cyan squares, the circle around the centre point.
void AuswahlZeichnen(const Szene& s, const Listen& listen, Zeichenziel& ziel);

} // namespace Zeichnen
} // namespace zem
