#pragma once

// The start into the empty state and the one refresh after every load, which bring the windows in line
// with the scene. The reset of the scene itself is Anfang::Zuruecksetzen (model/Anfang.h).

namespace zem {
struct Programm;

namespace Auffrischen {

// Resets the scene, clears the file name, titles the main window "Neu - ZemViewer" and refreshes.
void Starten(Programm& p);
// Brings the view points, the axes, the captions, the zoom value (600), the user scale and the picture
// in line with the scene tables.
void AllesAktualisieren(Programm& p);

} // namespace Auffrischen
} // namespace zem
