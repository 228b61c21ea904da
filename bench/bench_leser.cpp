// Benchmark of the RWX reader. Prints, each on a line of its own:
//   read_ratio=R        ModellLesen on a generated 50 MB file (998 of each element in the first clump, then
//                       a long second clump that the reader passes over) over a plain pass that only
//                       splits the same file into lines; medians of the same run
//   load_allocations=N  heap allocations of loading the 998-of-each model (reset and read) into a scene
//                       that already held it
//   load_ms=X           median time of reset and read of the file named on the command line, or of the
//                       998-of-each model without one
//   bench_leser [model.rwx]

#include "AllocZaehler.h"
#include "TestProgramm.h"

#include "model/Anfang.h"
#include "model/RwxToZem.h"
#include "ui/main/DateiBefehle.h"
#include "ui/widgets/Zeichenflaeche.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace {

using namespace zem;
using Uhr = std::chrono::steady_clock;

// The parts of the program that a reset and a reading touch.
struct Aufbau {
    test::TestAusgabe t;
    Programm& p = t.p();

    // Reset and read, as the open command does; a file that ends in an error counts all the same.
    void laden(const QString& pfad)
    {
        Anfang::Zuruecksetzen(p.s, p.listen, *p.f.leinwand, *p.f.haken);
        try {
            DateiBefehle::ModellLesen(p, pfad);
        } catch (const LeseFehler& fehler) {
            if (!gemeldet)
                std::fprintf(stderr, "reading ends with an error: %s\n", fehler.what());
            gemeldet = true;
        }
    }

    bool gemeldet = false;
};

// The first clump: 998 vertices, triangles, quads and polygons of 50 corners.
std::string ersterClump()
{
    std::string text = "modelbegin\nclumpbegin\n";
    for (int k = 1; k <= Grenze; ++k)
        text += "vertex " + std::to_string(k % 37 - 18) + ".25 " + std::to_string(k % 11) + " -" + std::to_string(k % 7)
            + ".5e-1\n";
    for (int k = 1; k <= Grenze; ++k)
        text += "triangle " + std::to_string(k) + ' ' + std::to_string(k % 998 + 1) + ' ' + std::to_string(k % 500 + 1)
            + '\n';
    for (int k = 1; k <= Grenze; ++k)
        text += "quad " + std::to_string(k) + " 1 2 " + std::to_string(999 - k) + '\n';
    for (int k = 1; k <= Grenze; ++k) {
        text += "polygon 50";
        for (int j = 0; j < 50; ++j)
            text += ' ' + std::to_string((k + j) % 998 + 1);
        text += '\n';
    }
    return text + "clumpend\n";
}

bool schreiben(const QString& pfad, const std::string& text)
{
    std::FILE* datei = std::fopen(QFile::encodeName(pfad).constData(), "wb");
    if (!datei)
        return false;
    const bool ganz = std::fwrite(text.data(), 1, text.size(), datei) == text.size();
    return std::fclose(datei) == 0 && ganz;
}

// The plain pass: the file read in blocks and split into lines, nothing else.
std::size_t zeilenZaehlen(const QString& pfad)
{
    std::FILE* datei = std::fopen(QFile::encodeName(pfad).constData(), "rb");
    if (!datei)
        return 0;
    static char puffer[1 << 16];
    std::size_t zeilen = 0;
    std::size_t n = 0;
    while ((n = std::fread(puffer, 1, sizeof puffer, datei)) > 0) {
        const char* z = puffer;
        const char* ende = puffer + n;
        while ((z = static_cast<const char*>(std::memchr(z, '\n', std::size_t(ende - z))))) {
            ++zeilen;
            ++z;
        }
    }
    std::fclose(datei);
    return zeilen;
}

template <typename F> double millisekunden(F&& was)
{
    const auto anfang = Uhr::now();
    was();
    return std::chrono::duration<double, std::milli>(Uhr::now() - anfang).count();
}

double median(std::vector<double> werte)
{
    std::sort(werte.begin(), werte.end());
    const std::size_t n = werte.size();
    return n % 2 ? werte[n / 2] : (werte[n / 2 - 1] + werte[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir ordner;
    Aufbau a;

    const std::string clump = ersterClump();
    const QString modell998 = ordner.filePath(QStringLiteral("998.rwx"));
    const QString gross = ordner.filePath(QStringLiteral("50mb.rwx"));
    std::string text = clump + "clumpbegin\n";
    const std::string zweiterClump = "vertex 1.5 -2.25 3e1\ntriangle 1 2 3\nquad 4 3 2 1\npolygon 5 1 2 3 4 5\n"
                                     "# a comment line that the reader passes over as well\n";
    while (text.size() < 50u * 1000 * 1000)
        text += zweiterClump;
    text += "clumpend\nmodelend\n";
    if (!schreiben(modell998, clump + "modelend\n") || !schreiben(gross, text)) {
        std::fprintf(stderr, "cannot write the generated models\n");
        return 1;
    }
    text = {};

    // (a) Reading against splitting, alternately, so that both see the same state of the page cache.
    std::vector<double> lesen, teilen;
    std::size_t zeilen = 0;
    for (int lauf = 0; lauf < 7; ++lauf) {
        Anfang::Zuruecksetzen(a.p.s, a.p.listen, *a.p.f.leinwand, *a.p.f.haken);
        lesen.push_back(millisekunden([&] { DateiBefehle::ModellLesen(a.p, gross); }));
        teilen.push_back(millisekunden([&] { zeilen += zeilenZaehlen(gross); }));
    }
    if (a.p.s.AnzPolygone != Grenze || zeilen == 0) {
        std::fprintf(stderr, "the generated model was not read whole\n");
        return 1;
    }
    std::printf("read_ms=%.2f\nsplit_ms=%.2f\nread_ratio=%.2f\n", median(lesen), median(teilen),
        median(lesen) / median(teilen));

    // (b) Into a scene that already holds the model, so that every buffer has had its first use.
    a.laden(modell998);
    const std::size_t vorher = test::allokationen();
    a.laden(modell998);
    std::printf("load_allocations=%zu\n", test::allokationen() - vorher);

    // (c) Reset and read, as often as fits in about three seconds, at least 20 times.
    const QString pfad = argc > 1 ? QString::fromLocal8Bit(argv[1]) : modell998;
    std::vector<double> laden;
    const auto anfang = Uhr::now();
    while (laden.size() < 20 || Uhr::now() - anfang < std::chrono::seconds(3))
        laden.push_back(millisekunden([&] { a.laden(pfad); }));
    std::printf("load_runs=%zu\nload_ms=%.3f\n", laden.size(), median(laden));
    return 0;
}
