#include "ui/main/Auffrischen.h"

#include "model/Anfang.h"
#include "model/Programm.h"
#include "model/RwxToZem.h"
#include "ui/side/ZeigFenster.h"
#include "view/Bewegungen.h"
#include "view/Zeichnen.h"

#include <QScrollBar>
#include <QWidget>

namespace zem::Auffrischen {

namespace {
const QString Neu = QStringLiteral("Neu - ZemViewer");

// The main window's title: the file's title, that is its name without the folder, and " - ZemViewer";
// "Neu - ZemViewer" without a file. Set only when it changes, as a new QString allocates.
void titelSetzen(Programm& p)
{
    const QString& datei = p.CommonDialog1.FileName;
    if (datei.isEmpty()) {
        p.f.Ausgabe->setWindowTitle(Neu);
        return;
    }
    const QStringView name = p.CommonDialog1.FileTitle();
    const QLatin1StringView nachsatz(" - ZemViewer");
    const QString alt = p.f.Ausgabe->windowTitle();
    if (alt.size() != name.size() + nachsatz.size() || !alt.startsWith(name) || !alt.endsWith(nachsatz))
        p.f.Ausgabe->setWindowTitle(name.toString() + nachsatz);
}
} // namespace

void Starten(Programm& p)
{
    Anfang::Zuruecksetzen(p);
    p.CommonDialog1.FileName.clear();
    p.f.Ausgabe->setWindowTitle(Neu);
    AllesAktualisieren(p);
}

void AllesAktualisieren(Programm& p)
{
    RwxToZem::PunkteKopieren(p.s);
    RwxToZem::AchsenSetzen(p.s);
    titelSetzen(p);
    ZeigFenster::ListenTitelSetzen(p);
    // A change of the value refits and redraws inside this call, through the scroll bar's handler.
    p.f.ZoomScroll->setValue(600);
    Bewegungen::ZoomSetzen(p);
    Zeichnen::AllesZeichnen(p);
}

} // namespace zem::Auffrischen
