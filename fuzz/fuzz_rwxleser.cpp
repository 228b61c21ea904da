// Fuzz target of the RWX reader: each input is a model file that is reset into and read like one the
// user opens, with a report that counts the entries and messages instead of the program's lists and
// message boxes, and then drawn as a file manager's thumbnail. The reader's errors (LeseFehler) end a
// reading normally; a crash, a sanitizer report, any other exception or a scene that breaks the
// invariants below is a finding.

#include "model/Anfang.h"
#include "model/RwxToZem.h"
#include "model/Szene.h"
#include "view/Vorschau.h"

#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using namespace zem;

// The reader's report counted: the entries of each kind, in the order of Art, and the messages
// of a 999th vertex.
struct Zaehler : RwxToZem::Bericht {
    void eintrag(Art art, std::string_view) override { ++eintraege[std::size_t(art)]; }
    void meldung(const QString&, const QString& titel) override { grenzen += titel == QLatin1String("vertex 1000"); }

    std::array<int, 4> eintraege {};
    int grenzen = 0;
};

void pruefe(bool bedingung, const char* was)
{
    if (!bedingung) {
        std::fprintf(stderr, "broken: %s\n", was);
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

void pruefeSzene(const Szene& s, const Zaehler& bericht, bool fehler)
{
    const int kurz = pruefeArt(s.AnzPunkte, bericht.eintraege[0], 298 * bericht.grenzen)
        + pruefeArt(s.AnzDreiecke, bericht.eintraege[1], 0) + pruefeArt(s.AnzVierecke, bericht.eintraege[2], 0)
        + pruefeArt(s.AnzPolygone, bericht.eintraege[3], 0);
    pruefe(kurz <= (fehler ? 1 : 0), "only an error leaves a kind short, and only one");
    pruefe(std::isfinite(s.Ausdehnung) && s.Ausdehnung >= -1000.0f, "extent finite, -1000 at least");
    for (int i = 1; i <= s.AnzPolygone; ++i)
        pruefe(s.Polygone(i).slot[0] <= PolygonEckenMax && s.Polygone(i).slot[51] == 0, "polygon slots");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    // An in-memory file that every input overwrites, so that no input leaves anything on disk.
    static const int datei = memfd_create("fuzz_rwxleser", 0);
    static const QString pfad = QStringLiteral("/proc/self/fd/%1").arg(datei);
    static const auto s = std::make_unique<Szene>();
    pruefe(ftruncate(datei, 0) == 0 && pwrite(datei, daten, groesse, 0) == ssize_t(groesse), "input file");
    Anfang::szeneZuruecksetzen(*s);
    Zaehler bericht;
    bool fehler = false;
    try {
        RwxToZem::ModellLesen(*s, bericht, pfad);
    } catch (const LeseFehler&) {
        // a read past the end or a number that does not fit: the reading ends, the scene stays
        fehler = true;
    }
    pruefeSzene(*s, bericht, fehler);
    // The thumbnailer's way on, whatever the reading left: fitted and drawn into the smallest picture.
    const QImage bild = Vorschau::bild(*s, Vorschau::SeiteMin);
    pruefe(bild.isNull() || bild.size() == QSize(Vorschau::SeiteMin, Vorschau::SeiteMin), "thumbnail square");
    return 0;
}
