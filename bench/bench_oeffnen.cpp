// Times a whole open command of a model without the dialog: reset, read, refresh and redraw, in the
// real main window (offscreen, 1000 x 1000 pixels of client area). Without an argument the model is
// the sample at the reader's limits, 998 of each element; with one, the file named.
// Prints `open_ms=X redraw_ms=Y ratio=X/Y allocations=N`: the median of many open commands, the median
// of many redraws of the scene it leaves (AllesZeichnen alone, in the same window and run), and the heap
// allocations of the last open command, when every buffer has had its first use.

#include "AllocZaehler.h"
#include "TestProgramm.h"

#include "ui/main/DateiBefehle.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString datei = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ZEM_BEISPIEL);

    zem::test::TestAusgabe t; // answers the welcome box; the command measured never asks for a file
    zem::Ausgabe& ausgabe = *t.ausgabe;
    ausgabe.resize(1000, 1000 + (ausgabe.height() - ausgabe.centralWidget()->height()));
    ausgabe.show();
    QApplication::processEvents();
    zem::Programm& p = ausgabe.programm();
    p.CommonDialog1.FileName = datei;

    // The open command and the redraw take turns, so that a burst of load from elsewhere on the machine
    // hits both; each is followed by the paint it asked for.
    constexpr int Laeufe = 61;
    const auto ms = [](auto dauer) { return std::chrono::duration<double, std::milli>(dauer).count(); };
    std::vector<double> zeiten, zeichnen;
    std::size_t allokationen = 0;
    for (int i = 0; i < Laeufe; ++i) {
        const std::size_t vorher = zem::test::allokationen();
        const auto start = std::chrono::steady_clock::now();
        zem::DateiBefehle::RwxNeuLaden(p); // the open command after its dialog
        const auto ende = std::chrono::steady_clock::now();
        allokationen = zem::test::allokationen() - vorher;
        zeiten.push_back(ms(ende - start));
        QApplication::processEvents();

        const auto zeichnenStart = std::chrono::steady_clock::now();
        zem::AllesZeichnen(p);
        zeichnen.push_back(ms(std::chrono::steady_clock::now() - zeichnenStart));
        QApplication::processEvents();
    }
    if (p.s.AnzPunkte == 0 && p.s.AnzDreiecke == 0) {
        std::fprintf(stderr, "nothing was read from %s\n", qPrintable(datei));
        return 1;
    }
    std::nth_element(zeiten.begin(), zeiten.begin() + Laeufe / 2, zeiten.end());
    std::nth_element(zeichnen.begin(), zeichnen.begin() + Laeufe / 2, zeichnen.end());
    const double oeffnen = zeiten[Laeufe / 2];
    const double neuZeichnen = zeichnen[Laeufe / 2];
    std::printf("open_ms=%.3f redraw_ms=%.3f ratio=%.2f allocations=%zu\n", oeffnen, neuZeichnen, oeffnen / neuZeichnen,
        allokationen);
    return 0;
}
