#include "ui/main/DateiBefehle.h"

#include "model/Anfang.h"
#include "model/RwxToZem.h"
#include "platform/Leinwand.h"
#include "platform/LeseFehler.h"
#include "ui/main/Auffrischen.h"
#include "ui/main/Programm.h"
#include "ui/widgets/Dialoge.h"

#include <QDir>
#include <QFileInfo>

namespace zem::DateiBefehle {

namespace {

const QString DialogTitel = QStringLiteral("Öffner");
const QString DialogFilter = QStringLiteral("Rwx-Datei  (*.Rwx)|*.Rwx|Alle und jede (*.*)|*.*");

// The reader's report in the program: each entry is appended to the element list of its kind, numbered
// by its place there, and each message is shown by the program's dialogs over the main window. The lists
// show the entries appended so far before a message and on zeigen().
class ListenBericht final : public RwxToZem::Bericht {
public:
    explicit ListenBericht(Programm& p)
        : m_p(p)
    {
    }
    void eintrag(Art art, std::string_view feld) override { m_p.listen[art].anhaengen(feld); }
    // The entries read so far are shown before the box, so that the lists behind it show them.
    void meldung(const QString& text, const QString& titel) override
    {
        zeigen();
        m_p.dialoge->meldung(m_p.f.Ausgabe, text, titel);
    }
    void zeigen()
    {
        for (Liste& liste : m_p.listen)
            liste.zeigen();
    }

private:
    Programm& m_p;
};

// Reset, read, refresh. A failure of the reading ends the command without a word: the scene keeps what
// the reading left, and the window is not refreshed. Any other exception is no failure of the file and
// goes on.
void laden(Programm& p)
{
    try {
        Anfang::Zuruecksetzen(p.s, p.listen, *p.f.leinwand, *p.f.haken);
        ModellLesen(p, p.CommonDialog1.FileName);
        Auffrischen::AllesAktualisieren(p);
    } catch (const LeseFehler&) {
    }
}

} // namespace

void ModellLesen(Programm& p, const QString& dateiname)
{
    ListenBericht bericht(p);
    try {
        RwxToZem::ModellLesen(p.s, bericht, dateiname, p.feldpuffer);
    } catch (...) {
        bericht.zeigen(); // what was read up to the failure stays in the lists
        throw;
    }
    bericht.zeigen();
}

void RwxOeffnen(Programm& p)
{
    // A cancelled dialog keeps the name it held, so the current file is read again rather than the
    // scene emptied: cancelling should not throw away what the user sees.
    if (const auto gewaehlt = p.dialoge->dateiOeffnen(p.f.Ausgabe, DialogTitel, DialogFilter, p.CommonDialog1.FileName))
        p.CommonDialog1.FileName = *gewaehlt;
    laden(p);
}

void dateiOeffnen(Programm& p, const QString& pfad)
{
    const QFileInfo datei(pfad);
    QString grund;
    if (!datei.exists())
        grund = QStringLiteral("Die Datei gibt es nicht.");
    else if (!datei.isFile())
        grund = QStringLiteral("Das ist keine gewöhnliche Datei.");
    else if (!datei.isReadable())
        grund = QStringLiteral("Die Datei ist nicht lesbar.");
    if (!grund.isEmpty()) {
        p.dialoge->meldung(p.f.Ausgabe,
            QStringLiteral("%1 lässt sich nicht öffnen.\n%2")
                .arg(QDir::toNativeSeparators(datei.absoluteFilePath()), grund),
            QString());
        return;
    }
    p.CommonDialog1.FileName = datei.absoluteFilePath();
    laden(p);
}

void RwxNeuLaden(Programm& p)
{
    laden(p);
}

} // namespace zem::DateiBefehle
