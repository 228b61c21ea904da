#pragma once

// Zeichnen: the whole picture of the main window, drawn anew from the view points on every change.

namespace zem {
struct Programm;

namespace Zeichnen {

// Clears the client area, then draws the axes, triangles, quads, polygons and the highlights.
void AllesZeichnen(Programm& p);
// The X, Y and Z axes with arrowheads and letters.
void AchsenZeichnen(Programm& p);
// One axis; a is the point number of its end: -3 X, -2 Y, -1 Z.
void AchseZeichnen(Programm& p, int a);
void DreieckeZeichnen(Programm& p);
void ViereckeZeichnen(Programm& p);
void PolygoneZeichnen(Programm& p);
// Marked elements in green, marked points as cyan squares, the circle around the centre point.
void AuswahlZeichnen(Programm& p);

} // namespace Zeichnen
} // namespace zem
