#include "ui/main/DateiBefehle.h"

#include "model/Anfang.h"
#include "model/Programm.h"
#include "model/RwxToZem.h"
#include "platform/Dialoge.h"
#include "platform/LeseFehler.h"
#include "ui/main/Auffrischen.h"

namespace zem::DateiBefehle {

namespace {

const QString DialogTitel = QStringLiteral("Öffner");
const QString DialogFilter = QStringLiteral("Rwx-Datei  (*.Rwx)|*.Rwx|Alle und jede (*.*)|*.*");

// Reset, read, refresh. A failure of the reading ends the command without a word: the scene keeps what
// the reading left, and the window is not refreshed. Any other exception is no failure of the file and
// goes on.
void laden(Programm& p)
{
    try {
        Anfang::Zuruecksetzen(p);
        RwxToZem::ModellLesen(p, p.CommonDialog1.FileName);
        Auffrischen::AllesAktualisieren(p);
    } catch (const LeseFehler&) {
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

} // namespace zem::DateiBefehle
