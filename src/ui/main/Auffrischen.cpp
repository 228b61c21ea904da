#include "ui/main/Auffrischen.h"

#include "model/Anfang.h"
#include "model/RwxToZem.h"
#include "platform/Leinwand.h"
#include "ui/main/Programm.h"
#include "ui/side/ZeigFenster.h"
#include "ui/widgets/Texte.h"

#include <QScrollBar>
#include <QWidget>

namespace zem::Auffrischen {

namespace {
const QLatin1StringView Neu("Neu - ZemViewer");

// The main window's title: the file's title, that is its name without the folder, and " - ZemViewer";
// "Neu - ZemViewer" without a file.
void hauptTitel(Programm& p)
{
    if (p.CommonDialog1.FileName.isEmpty())
        titelSetzen(*p.f.Ausgabe, Neu);
    else
        titelSetzen(*p.f.Ausgabe, p.CommonDialog1.FileTitle(), QLatin1StringView(" - ZemViewer"));
}
} // namespace

void Starten(Programm& p)
{
    Anfang::Zuruecksetzen(p.s, p.listen, *p.f.leinwand, *p.f.haken);
    p.CommonDialog1.FileName.clear();
    AllesAktualisieren(p);
}

void AllesAktualisieren(Programm& p)
{
    RwxToZem::PunkteKopieren(p.s);
    RwxToZem::AchsenSetzen(p.s);
    hauptTitel(p);
    ZeigFenster::ListenTitelSetzen(p);
    // A change of the value refits and redraws inside this call, through the scroll bar's handler.
    p.f.ZoomScroll->setValue(600);
    ZoomSetzen(p);
    AllesZeichnen(p);
}

} // namespace zem::Auffrischen
