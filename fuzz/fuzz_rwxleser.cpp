// Fuzz target of the RWX reader: each input is a model file that is reset into and read like one the
// user opens, with a report that writes the entries and messages down instead of the program's lists
// and message boxes. The reader's errors (LeseFehler) end a reading normally; a crash, a sanitizer
// report, any other exception or a scene that breaks the invariants below is a finding.

#include "TestBericht.h"

#include "model/Anfang.h"
#include "model/RwxToZem.h"
#include "model/Szene.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using namespace zem;

// The scene, and an in-memory file that every input overwrites, so that no input leaves anything on disk.
class Umgebung {
public:
    Umgebung()
    {
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

    std::unique_ptr<Szene> s = std::make_unique<Szene>();
    int datei = -1;
    QString pfad;
};

void pruefe(bool bedingung, const char* was)
{
    if (!bedingung) {
        std::fprintf(stderr, "broken invariant: %s\n", was);
        std::abort();
    }
}

// One entry per stored element. A 999th vertex puts the count back to 700 without an entry, so each
// such message leaves 298 more entries than points, and the vertices after it go on from there. Gives
// whether the kind is one entry short, as the kind of the statement that an error ended is.
bool pruefeArt(int anzahl, int eintraege, int versatz)
{
    pruefe(anzahl >= 0 && anzahl <= Grenze, "count within 0..998");
    pruefe(eintraege == anzahl + versatz || eintraege == anzahl + versatz - 1, "one entry per element");
    return eintraege == anzahl + versatz - 1;
}

void pruefeSzene(const Szene& s, const test::TestBericht& bericht, bool fehler)
{
    const int grenzen = int(std::count_if(bericht.meldungen.begin(), bericht.meldungen.end(),
        [](const QString& meldung) { return meldung.startsWith(QStringLiteral("vertex 1000|")); }));
    const auto eintraege = [&](RwxToZem::Art art) { return int(bericht.felder[std::size_t(art)].size()); };
    const int kurz = pruefeArt(s.AnzPunkte, eintraege(RwxToZem::Art::Punkt), 298 * grenzen)
        + pruefeArt(s.AnzDreiecke, eintraege(RwxToZem::Art::Dreieck), 0)
        + pruefeArt(s.AnzVierecke, eintraege(RwxToZem::Art::Viereck), 0)
        + pruefeArt(s.AnzPolygone, eintraege(RwxToZem::Art::Polygon), 0);
    pruefe(kurz <= (fehler ? 1 : 0), "only an error leaves a kind short, and only one");
    pruefe(std::isfinite(s.Ausdehnung) && s.Ausdehnung >= -1000.0f, "extent finite, -1000 at least");
    for (int i = 1; i <= s.AnzPolygone; ++i)
        pruefe(s.Polygone(i).slot[0] <= PolygonEckenMax && s.Polygone(i).slot[51] == 0, "polygon slots");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    static Umgebung u;
    u.schreiben(daten, groesse);
    Anfang::SzeneZuruecksetzen(*u.s);
    test::TestBericht bericht;
    bool fehler = false;
    try {
        RwxToZem::ModellLesen(*u.s, bericht, u.pfad);
    } catch (const LeseFehler&) {
        // a read past the end or a number that does not fit: the reading ends, the scene stays
        fehler = true;
    }
    pruefeSzene(*u.s, bericht, fehler);
    return 0;
}
