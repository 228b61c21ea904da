#pragma once

// The whole program state: the scene, the element lists with their marks, and the handles to the
// windows and controls the commands read and write. The windows own their controls; these are plain
// pointers to them, set once when the windows are built.

#include "model/Anzeigen.h"
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
class Leinwand;
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
// The list windows come first, each at its element kind.
static_assert(Seite::Punkts == int(Art::Punkt) && Seite::Dreie == int(Art::Dreieck) && Seite::Viere == int(Art::Viereck)
    && Seite::Polys == int(Art::Polygon));

// The file-open dialog's state: the chosen file's full path, empty at start-up and after "Neu".
struct DateiDialog {
    QString FileName;
    // The file name without its folder, a view into FileName.
    QStringView FileTitle() const;
};

struct Fenster {
    QWidget* Ausgabe = nullptr; // the main window
    Zeichenflaeche* flaeche = nullptr; // its client area
    Leinwand* leinwand = nullptr; // the picture on it
    std::array<QAction*, 4> MarkWith {};
    std::array<QAction*, Seite::Anzahl> Shows {};
    QAction* AuReDra = nullptr;
    std::array<SeitenFenster*, Seite::Anzahl> seiten {};
    QScrollBar* ZoomScroll = nullptr;
    std::array<QLabel*, 3> Label1 {};
    QTimer* MoveTimer = nullptr;
    // What the procedures show through: the marking modes' check marks and the view's fit (the main
    // window), the coordinates (the coordinates window).
    MarkierartAnzeige* haken = nullptr;
    Fensterlage* lage = nullptr;
    KoordinatenAnzeige* koords = nullptr;
};

struct Programm {
    Szene s;
    Listen listen;
    Fenster f;
    DateiDialog CommonDialog1;
    // The reader's buffer for the current field, kept from one reading to the next so that reading a
    // model again allocates nothing.
    std::string feldpuffer;
    Dialoge* dialoge = nullptr;
    // Ends the program at once; the main window sets it.
    std::function<void()> beenden;
};

// The procedures on the program's own scene, lists and windows.
void AllesZeichnen(Programm& p);
void ZoomSetzen(Programm& p);
void MarkierungAnwenden(Programm& p);

} // namespace zem
