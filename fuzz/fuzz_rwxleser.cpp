// Fuzz target of the RWX reader: each input is a model file that is reset into and read like one the
// user opens. The reader's errors are exceptions derived from std::exception and end a reading
// normally; a crash, a sanitizer report, any other exception or a scene that breaks the invariants
// below is a finding.

#include "model/Anfang.h"
#include "model/Programm.h"
#include "model/RwxToZem.h"
#include "platform/Dialoge.h"
#include "platform/Listenfeld.h"
#include "platform/Zeichenflaeche.h"

#include <QAction>
#include <QApplication>

#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

namespace {

using namespace zem;

class StilleDialoge : public Dialoge {
public:
    void meldung(QWidget*, const QString&, const QString&) override { }
    std::optional<QString> dateiOeffnen(QWidget*, const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
};

// What the reader needs of the program, built once: the application, the drawing surface and the
// marking items that the reset touches, the four lists, and an in-memory file that every input
// overwrites, so that no input leaves anything on disk.
class Umgebung {
public:
    Umgebung()
    {
        for (auto& punkt : markWith) {
            punkt.setCheckable(true);
        }
        p.f.Flaeche = &flaeche;
        p.f.Ausgabe = &flaeche;
        for (int i = 0; i < 4; ++i)
            p.f.MarkWith[std::size_t(i)] = &markWith[std::size_t(i)];
        p.f.PunktList = &listen[0];
        p.f.DreieList = &listen[1];
        p.f.ViereList = &listen[2];
        p.f.PolyList = &listen[3];
        p.dialoge = &dialoge;
        datei = memfd_create("fuzz_rwxleser", 0);
        if (datei < 0) {
            std::perror("memfd_create");
            std::abort();
        }
        pfad = QStringLiteral("/proc/self/fd/%1").arg(datei);
    }

    void schreiben(const std::uint8_t* daten, std::size_t groesse)
    {
        if (ftruncate(datei, 0) != 0 || pwrite(datei, daten, groesse, 0) != ssize_t(groesse)) {
            std::perror("fuzz input");
            std::abort();
        }
    }

    Zeichenflaeche flaeche;
    std::array<QAction, 4> markWith;
    std::array<Listenfeld, 4> listen;
    StilleDialoge dialoge;
    Programm p;
    int datei = -1;
    QString pfad;
};

Umgebung& umgebung()
{
    static int argc = 1;
    static char name[] = "fuzz_rwxleser";
    static char* argv[] = { name, nullptr };
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    static Umgebung u;
    (void)offscreen;
    return u;
}

void pruefe(bool bedingung, const char* was)
{
    if (!bedingung) {
        std::fprintf(stderr, "broken invariant: %s\n", was);
        std::abort();
    }
}

// A list holds one entry per stored element, and a 999th vertex puts the count to 700 under 998
// entries. Gives whether the list is one entry short of its count, as the list of the statement that an
// error ended is.
bool pruefeListe(int anzahl, const Listenfeld& liste, bool punkte)
{
    const int eintraege = liste.ListCount();
    pruefe(anzahl >= 0 && anzahl <= Grenze, "count within 0..998");
    pruefe(eintraege == anzahl || eintraege == anzahl - 1 || (punkte && anzahl == 700 && eintraege == Grenze),
        "list entries match the count");
    if (eintraege > 0) {
        const QString nummer = QString::number(eintraege);
        const QString vorn = QString(std::max<qsizetype>(0, 8 - 2 * (nummer.size() + 1)), QLatin1Char(' '));
        pruefe(liste.item(eintraege - 1)->text().startsWith(vorn + QLatin1Char(' ') + nummer + QStringLiteral("  ")),
            "entry k starts with its number");
    }
    return eintraege == anzahl - 1;
}

void pruefeSzene(const Programm& p, bool fehler)
{
    const Szene& s = p.s;
    const int kurz = pruefeListe(s.AnzPunkte, *p.f.PunktList, true) + pruefeListe(s.AnzDreiecke, *p.f.DreieList, false)
        + pruefeListe(s.AnzVierecke, *p.f.ViereList, false) + pruefeListe(s.AnzPolygone, *p.f.PolyList, false);
    pruefe(kurz <= (fehler ? 1 : 0), "only an error leaves a list short, and only one");
    pruefe(std::isfinite(s.Ausdehnung) && s.Ausdehnung >= -1000.0f, "extent finite, -1000 at least");
    for (int i = 1; i <= s.AnzPolygone; ++i)
        pruefe(s.Polygone(i).slot[0] <= PolygonEckenMax && s.Polygone(i).slot[51] == 0, "polygon slots");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    Umgebung& u = umgebung();
    u.schreiben(daten, groesse);
    Anfang::Zuruecksetzen(u.p);
    bool fehler = false;
    try {
        RwxToZem::ModellLesen(u.p, u.pfad);
    } catch (const std::exception&) {
        // a read past the end or a number that does not fit: the reading ends, the scene stays
        fehler = true;
    }
    pruefeSzene(u.p, fehler);
    return 0;
}
