#pragma once

// ZeigFenster: the side windows as a group: list captions, showing and hiding, window state.

namespace zem {
struct Programm;

namespace ZeigFenster {

// Sets each list window's caption to its entry count and selected count.
void ListenTitelSetzen(Programm& p);
// Shows the side window of the "Fenster" item i and checks the item, or hides it and unchecks it.
void FensterUmschalten(Programm& p, int i);
// Puts every side window into the minimised state; a hidden window stays hidden.
void FensterMinimieren(Programm& p);
// Puts every side window into the normal state; a hidden window stays hidden.
void FensterNormal(Programm& p);
// The closing rule of a side window: its item loses the check mark and the window is hidden.
void fensterSchliessen(Programm& p, int i);

} // namespace ZeigFenster
} // namespace zem
