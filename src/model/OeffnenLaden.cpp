#include "model/Anfang.h"
#include "model/Programm.h"
#include "model/RwxToZem.h"
#include "platform/Dialoge.h"
#include "ui/main/Start.h"

#include <exception>

namespace zem::RwxToZem {

namespace {

const QString DialogTitel = QStringLiteral("Öffner");
const QString DialogFilter = QStringLiteral("Rwx-Datei  (*.Rwx)|*.Rwx|Alle und jede (*.*)|*.*");

// Reset, read, refresh. A failure anywhere ends the command without a word: the scene keeps what the
// reading left, and the window is not refreshed.
void laden(Programm& p)
{
    try {
        Anfang::Zuruecksetzen(p);
        ModellLesen(p, p.CommonDialog1.FileName);
        Anfang::AllesAktualisieren(p);
    } catch (const std::exception&) {
    }
}

} // namespace

void RwxOeffnen(Programm& p)
{
    // A cancelled dialog keeps the name it held, so the current file is read again rather than the
    // scene emptied: cancelling should not throw away what the user sees.
    if (const auto gewaehlt = p.dialoge->dateiOeffnen(p.f.Ausgabe, DialogTitel, DialogFilter, p.CommonDialog1.FileName))
        p.CommonDialog1.FileName = *gewaehlt;
    laden(p);
}

void RwxNeuLaden(Programm& p)
{
    laden(p);
}

} // namespace zem::RwxToZem
