#pragma once

// Anfang: the reset to the empty initial state. The start and the refresh of the windows are
// Auffrischen (ui/main/Auffrischen.h).

namespace zem {
struct Programm;
struct Szene;

namespace Anfang {

// Empties the scene and puts the view back to its initial state; does not redraw.
void Zuruecksetzen(Programm& p);
// Zuruecksetzen's part in the scene tables alone: counts, extent, matrices, centre point and fractions.
void SzeneZuruecksetzen(Szene& s);
// Removes every entry (and so every mark) from the four element lists.
void ListenLeeren(Programm& p);
// Sets Druckmatrix and Drehmatrix to the identity.
void Einheitsmatrizen(Szene& s);

} // namespace Anfang
} // namespace zem
