#pragma once

// Anfang: the reset to the empty initial state. The start and the refresh of the windows are
// Auffrischen (ui/main/Auffrischen.h).

namespace zem {
class MarkierartAnzeige;
class Zeichenziel;
class Listen;
struct Szene;

namespace Anfang {

// Empties the scene and the lists and puts the view back to its initial state: the scale's origin in the
// middle of the area, the check mark on the marking mode. Does not redraw.
void Zuruecksetzen(Szene& s, Listen& listen, Zeichenziel& ziel, MarkierartAnzeige& haken);
// Zuruecksetzen's part in the scene tables alone: counts, extent, matrices, centre point and fractions.
void szeneZuruecksetzen(Szene& s);
// Removes every entry (and so every mark) from the four element lists.
void ListenLeeren(Listen& listen);
// Sets Druckmatrix and Drehmatrix to the identity.
void Einheitsmatrizen(Szene& s);

} // namespace Anfang
} // namespace zem
