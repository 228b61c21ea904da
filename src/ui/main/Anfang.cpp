#include "ui/main/Anfang.h"

#include "model/Anfang.h"
#include "model/Programm.h"
#include "model/RwxToZem.h"
#include "ui/side/ZeigFenster.h"
#include "view/Bewegungen.h"
#include "view/Zeichnen.h"

#include <QScrollBar>
#include <QWidget>

namespace zem::Anfang {

namespace {
const QString Neu = QStringLiteral("Neu - ZemViewer");
}

void Starten(Programm& p)
{
    Zuruecksetzen(p);
    p.CommonDialog1.FileName.clear();
    p.f.Ausgabe->setWindowTitle(Neu);
    AllesAktualisieren(p);
}

void AllesAktualisieren(Programm& p)
{
    RwxToZem::PunkteKopieren(p.s);
    RwxToZem::AchsenSetzen(p.s);
    p.f.Ausgabe->setWindowTitle(
        p.CommonDialog1.FileName.isEmpty() ? Neu : p.CommonDialog1.FileTitle() + QStringLiteral(" - ZemViewer"));
    ZeigFenster::ListenTitelSetzen(p);
    // A change of the value refits and redraws inside this call, through the scroll bar's handler.
    p.f.ZoomScroll->setValue(600);
    Bewegungen::ZoomSetzen(p);
    Zeichnen::AllesZeichnen(p);
}

} // namespace zem::Anfang
