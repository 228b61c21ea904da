#pragma once

// Anfang, the window side: the start into the empty state and the one refresh after every load. The
// reset is the scene's side, model/Anfang.h.

namespace zem {
struct Programm;

namespace Anfang {

// Resets the scene, clears the file name, titles the main window "Neu - ZemViewer" and refreshes.
void Starten(Programm& p);
// Brings the view points, the axes, the captions, the zoom value (600), the user scale and the picture
// in line with the scene tables.
void AllesAktualisieren(Programm& p);

} // namespace Anfang
} // namespace zem
