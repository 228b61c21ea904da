#pragma once

// RwxToZem: reading RWX model files into the scene, and the commands that open and reload them.

namespace zem {
struct Programm;
struct Szene;

namespace RwxToZem {

// Sets the three axis end points from Ausdehnung, then copies the points into the view table.
void AchsenSetzen(Szene& s);
// Copies Punkte(-4 .. AnzPunkte) unchanged into Sichtpunkte.
void PunkteKopieren(Szene& s);

} // namespace RwxToZem
} // namespace zem
