#pragma once

// The commands "Öffnen" and "Aktualisieren" of the "Datei" menu: the file dialog, the reset, the reading
// (RwxToZem::ModellLesen, model/RwxToZem.h) and the refresh.

class QString;

namespace zem {
struct Programm;

namespace DateiBefehle {

// Reads the first clump of the file into the program's scene, its element lists and its dialogs, with
// the program's field buffer (RwxToZem::ModellLesen). What was stored stays when the reading fails.
void ModellLesen(Programm& p, const QString& dateiname);
// "Öffnen": lets the user choose a file, then reset, read and refresh. A failure of the reading ends
// it quietly.
void RwxOeffnen(Programm& p);
// Opens a file named outside the dialog (on the command line, dropped on the window) as if the user had
// chosen it in "Öffnen". A path that names no readable regular file gets a message box that names it and
// says why, and the scene stays as it is.
void dateiOeffnen(Programm& p, const QString& pfad);
// "Aktualisieren": reset, read the dialog's file again and refresh. A failure of the reading ends it
// quietly.
void RwxNeuLaden(Programm& p);

} // namespace DateiBefehle
} // namespace zem
