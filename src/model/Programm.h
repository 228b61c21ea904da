#pragma once

// The whole program state: the scene, and the handles to the forms whose properties the procedures
// read and write (the marks, for one, are the selections of the four element lists). The windows own
// their controls; these are plain pointers to them, set once when the windows are built.

#include "model/Szene.h"

#include <QString>

#include <array>
#include <functional>
#include <string>

class QAction;
class QLabel;
class QScrollBar;
class QTimer;
class QWidget;

namespace zem {

class Dialoge;
class Listenfeld;
class SeitenFenster;
class Zeichenflaeche;

// Indices of the side windows, the order of the "Fenster" menu.
namespace Seite {
constexpr int Punkts = 0;
constexpr int Dreie = 1;
constexpr int Viere = 2;
constexpr int Polys = 3;
constexpr int BewegungsFenster = 4;
constexpr int ZoomFenster = 5;
constexpr int KoordsFenster = 6;
constexpr int Anzahl = 7;
} // namespace Seite

// The file-open dialog's state: the chosen file's full path, empty at start-up and after "Neu".
struct DateiDialog {
    QString FileName;
    // The file name without its folder, a view into FileName.
    QStringView FileTitle() const;
};

struct Fenster {
    QWidget* Ausgabe = nullptr; // the main window
    Zeichenflaeche* Flaeche = nullptr; // its client area
    std::array<QAction*, 4> MarkWith {};
    std::array<QAction*, Seite::Anzahl> Shows {};
    QAction* AuReDra = nullptr;
    Listenfeld* PunktList = nullptr;
    Listenfeld* DreieList = nullptr;
    Listenfeld* ViereList = nullptr;
    Listenfeld* PolyList = nullptr;
    std::array<SeitenFenster*, Seite::Anzahl> Seiten {};
    QScrollBar* ZoomScroll = nullptr;
    std::array<QLabel*, 3> Label1 {};
    QTimer* MoveTimer = nullptr;
};

struct Programm {
    Szene s;
    Fenster f;
    DateiDialog CommonDialog1;
    // The reader's buffer for the current field, kept from one reading to the next so that reading a
    // model again allocates nothing.
    std::string Feldpuffer;
    Dialoge* dialoge = nullptr;
    // Ends the program at once; the main window sets it.
    std::function<void()> beenden;
    // Puts the side windows into the minimised state (true) or the normal one (false), as ZoomSetzen
    // asks; the side windows' module (ZeigFenster) is wired in by the main window, so that the view needs
    // no window class. Unset, it does nothing.
    std::function<void(bool minimiert)> seitenfensterZustand;
};

} // namespace zem
