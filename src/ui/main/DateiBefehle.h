#pragma once

// The commands "Öffnen" and "Aktualisieren" of the "Datei" menu: the file dialog, the reset, the reading
// (RwxToZem::ModellLesen, model/RwxToZem.h) and the refresh.

namespace zem {
struct Programm;

namespace DateiBefehle {

// "Öffnen": lets the user choose a file, then reset, read and refresh. A failure of the reading ends
// it quietly.
void RwxOeffnen(Programm& p);
// "Aktualisieren": reset, read the dialog's file again and refresh. A failure of the reading ends it
// quietly.
void RwxNeuLaden(Programm& p);

} // namespace DateiBefehle
} // namespace zem
