// Times a whole open command of a model without the dialog: reset, read, refresh and redraw, in the
// real main window (offscreen, 1000 x 1000 pixels of client area). Without an argument the model is
// the sample at the reader's limits, 998 of each element; with one, the file named.
// Prints `open_ms=X allocations=N`: the median of many runs and the heap allocations of one of them.

#include "AllocZaehler.h"
#include "TestProgramm.h"

#include "ui/main/RwxToZem.h"

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

    constexpr int Laeufe = 31;
    std::vector<double> zeiten;
    std::size_t allokationen = 0;
    for (int i = 0; i < Laeufe; ++i) {
        const std::size_t vorher = zem::bench::allokationen();
        const auto start = std::chrono::steady_clock::now();
        zem::RwxToZem::RwxNeuLaden(p); // the open command after its dialog
        const auto ende = std::chrono::steady_clock::now();
        allokationen = zem::bench::allokationen() - vorher;
        zeiten.push_back(std::chrono::duration<double, std::milli>(ende - start).count());
        QApplication::processEvents();
    }
    if (p.s.AnzPunkte == 0 && p.s.AnzDreiecke == 0) {
        std::fprintf(stderr, "nothing was read from %s\n", qPrintable(datei));
        return 1;
    }
    std::nth_element(zeiten.begin(), zeiten.begin() + Laeufe / 2, zeiten.end());
    std::printf("open_ms=%.2f allocations=%zu\n", zeiten[Laeufe / 2], allokationen);
    return 0;
}
