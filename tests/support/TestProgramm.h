#pragma once

// The program wired for tests and benchmarks: dialogs that answer without a modal loop, a bare program
// whose scene procedures run without the main window, and the whole program.

#include "model/Programm.h"
#include "platform/Dialoge.h"
#include "platform/Listenfeld.h"
#include "platform/SeitenFenster.h"
#include "platform/Zeichenflaeche.h"
#include "ui/main/Ausgabe.h"
#include "view/Mathe.h"

#include <QAction>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <memory>

namespace zem::test {

// Records every message box and answers the file dialog from a queue (an empty queue cancels).
class TestDialoge : public Dialoge {
public:
    void meldung(QWidget* eltern, const QString& text, const QString& titel) override;
    std::optional<QString> dateiOeffnen(
        QWidget* eltern, const QString& titel, const QString& filter, const QString& bisher) override;

    QStringList texte;
    QStringList titel;
    QString dialogTitel;
    QString dialogFilter;
    std::deque<std::optional<QString>> naechsteDateien;
};

// A program with the scene, the four element lists, the marking-mode items and a drawing surface:
// the coordinates window with its three value labels: enough for the reader, the reset, the renderer,
// the rotation and the marking, without the windows around them.
class BlankesProgramm {
public:
    explicit BlankesProgramm(QSize flaeche = { 400, 300 });
    ~BlankesProgramm();

    Programm p;
    TestDialoge dialoge;

private:
    std::unique_ptr<Zeichenflaeche> m_flaeche;
    std::unique_ptr<Listenfeld> m_listen[4];
    std::unique_ptr<QAction> m_markWith[4];
    std::unique_ptr<SeitenFenster> m_koords;
};

// Writes text into a file of a temporary folder and returns its path.
QString schreibeDatei(const QTemporaryDir& ordner, const QString& name, const QByteArray& inhalt);

// The whole program, as the user gets it, with dialogs that tests answer. Ending the program is
// recorded instead of leaving the event loop.
class TestAusgabe {
public:
    TestAusgabe();
    Programm& p() { return ausgabe->programm(); }

    TestDialoge dialoge;
    std::unique_ptr<Ausgabe> ausgabe;
    int beendet = 0;
};

} // namespace zem::test
