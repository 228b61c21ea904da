#pragma once

// RwxToZem: reading RWX model files into the scene, and the commands that open and reload them.

#include <QString>

#include <cstdint>
#include <string>

namespace zem {
struct Programm;
struct Szene;

namespace RwxToZem {

// Reads the first clump of the file into the scene tables and the element lists. Messages go through
// the program's dialogs; a file that cannot be opened or a number that does not fit its target throws
// (an exception derived from std::exception), after the file is closed. What was stored stays.
void ModellLesen(Programm& p, const QString& dateiname);
// Acts on one field inside the clump; false ends the statements.
bool ZeileAuswerten(Programm& p, const std::string& zeile);
bool VertexLesen(Programm& p, const std::string& zeile);
bool DreieckLesen(Programm& p, const std::string& zeile);
bool ViereckLesen(Programm& p, const std::string& zeile);
bool PolygonLesen(Programm& p, const std::string& zeile);
// The next number of the line from the 1-based reading position on, which it advances past the number;
// 0 when the line has ended.
double NaechsteZahl(const std::string& zeile, std::int16_t& position);

// "Öffnen": lets the user choose a file, then reset, read and refresh. Any failure ends it quietly.
void RwxOeffnen(Programm& p);
// "Aktualisieren": reset, read the dialog's file again and refresh. Any failure ends it quietly.
void RwxNeuLaden(Programm& p);

// Sets the three axis end points from Ausdehnung, then copies the points into the view table.
void AchsenSetzen(Szene& s);
// Copies Punkte(-4 .. AnzPunkte) unchanged into Sichtpunkte.
void PunkteKopieren(Szene& s);

} // namespace RwxToZem
} // namespace zem
