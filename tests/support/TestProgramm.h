#pragma once

// The program wired for tests and benchmarks: dialogs that answer without a modal loop, and the whole
// program.

#include "ui/main/Ausgabe.h"
#include "ui/main/Programm.h"
#include "ui/widgets/Dialoge.h"
#include "ui/widgets/Listenfeld.h" // the element lists, which most tests read

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace zem::test {

// Records every message box and answers the file dialog from a queue (an empty queue cancels).
class TestDialoge : public Dialoge {
public:
    void meldung(QWidget*, const QString& text, const QString& titel) override { meldungen << titel + '|' + text; }
    std::optional<QString> dateiOeffnen(QWidget*, const QString& titel, const QString& filter, const QString&) override
    {
        dialogTitel = titel;
        dialogFilter = filter + " -> " + qtNamensfilter(filter).join(';'); // with what Qt's dialog would list
        return naechsteDateien.isEmpty() ? std::nullopt : std::optional(naechsteDateien.takeFirst());
    }

    QStringList meldungen; // "title|text" of each message box
    QString dialogTitel;
    QString dialogFilter;
    QStringList naechsteDateien;
};

// Writes text into a file of a temporary folder and returns its path.
inline QString schreibeDatei(const QTemporaryDir& ordner, const QString& name, const QByteArray& inhalt)
{
    QFile datei(ordner.filePath(name));
    return datei.open(QIODevice::WriteOnly) && datei.write(inhalt) == inhalt.size() ? datei.fileName() : QString();
}

// The whole program, as the user gets it, with dialogs that tests answer. Ending the program does
// nothing instead of leaving the event loop. With a size, its drawing surface has that size while the
// window stays hidden, for the procedures that tests and benchmarks run on their own.
class TestAusgabe {
public:
    explicit TestAusgabe(QSize flaeche = {})
        : ausgabe(std::make_unique<Ausgabe>(dialoge))
    {
        p().beenden = [] {};
        if (flaeche.isValid())
            p().f.flaeche->resize(flaeche);
    }
    Programm& p() { return ausgabe->programm(); }

    TestDialoge dialoge;
    std::unique_ptr<Ausgabe> ausgabe;
};

} // namespace zem::test
