#pragma once

// RwxToZem, the window side: the commands "Öffnen" and "Aktualisieren". The reading itself is the
// scene's side, model/RwxToZem.h.

namespace zem {
struct Programm;

namespace RwxToZem {

// "Öffnen": lets the user choose a file, then reset, read and refresh. A failure of the reading ends
// it quietly.
void RwxOeffnen(Programm& p);
// "Aktualisieren": reset, read the dialog's file again and refresh. A failure of the reading ends it
// quietly.
void RwxNeuLaden(Programm& p);

} // namespace RwxToZem
} // namespace zem
