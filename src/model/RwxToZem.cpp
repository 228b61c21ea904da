#include "model/RwxToZem.h"

#include "model/RwxZahlen.h"
#include "model/Szene.h"
#include "platform/Bytesuche.h"
#include "platform/FeldEingabe.h"
#include "platform/FeldText.h"

#include <QFile>
#include <QStringEncoder>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>

// The reader of RWX model files. Keywords are found by plain text search in each field, in lower case
// only; only the first clump is read.
//
// Long fields: every field that the field input takes (up to FeldEingabe::FeldMax bytes) is read. The
// reading position inside a statement is a 16-bit number, so a statement whose reading position would
// have to pass 32767 (the character after its keyword or after a number it reads, or a search for a
// missing number past the line's end) ends the reading with a ZahlFehler, like any other number that
// does not fit 16 bits. A field that is merely long, such as a long comment or a statement with a long
// tail after its last number, reads normally.

namespace zem::RwxToZem {

namespace {

// What sets the four statement readers apart.
struct Anweisung {
    Art art;
    std::string_view wort;
    const char16_t* grenzMeldung;
    const char16_t* titel;
    std::int16_t nachGrenze;
};
// A 999th vertex leaves only 700 points in the model, while the other kinds keep their 998.
constexpr Anweisung Vertex { Art::Punkt, "vertex", u"Der 1.Clump enthält fast 1000 Punkte", u"vertex 1000", 700 };
constexpr Anweisung Triangle { Art::Dreieck, "triangle", u"Der 1.Clump enthält fast 1000 Dreiecke", u"Dreieck 1000",
    998 };
constexpr Anweisung Quad { Art::Viereck, "quad", u"Der 1.Clump enthält fast 1000 Vierecke", u"quad 1000", 998 };
constexpr Anweisung Polygon { Art::Polygon, "polygon", u"Der 1.Clump enthält fast 1000 Polygone", u"Polygon 1000",
    998 };

using Bytesuche::beginntMit;
using Bytesuche::enthaelt;

// Reads fields until one contains the word; false when the file ends first.
bool bisFeldMit(FeldEingabe& eingabe, std::string& zeile, std::string_view wort)
{
    return enthaelt(zeile, wort) || eingabe.feldMitWortLesen(zeile, wort);
}

void meldeFehlerhafteZeile(Bericht& bericht, Feld zeile)
{
    // An empty title: the message box shows the program's title.
    bericht.meldung(
        QStringLiteral("Da stimmt was nicht\n") + feldText(QByteArrayView(zeile.data(), qsizetype(zeile.size()))),
        QString());
}

// How every statement reader begins: counts the element; past the limit shows the message, puts
// the count to its value after the limit and gives false.
bool zaehlen(Bericht& bericht, std::int16_t& anzahl, const Anweisung& art)
{
    ++anzahl;
    if (anzahl <= Grenze)
        return true;
    bericht.meldung(QString::fromUtf16(art.grenzMeldung) + QStringLiteral("\nDas paßt mir aber garnicht"),
        QString::fromUtf16(art.titel));
    anzahl = art.nachGrenze;
    return false;
}

// The 1-based reading position right after the keyword that stands at stelle.
std::int16_t nachDemWort(std::string_view wort, std::size_t stelle)
{
    return std::int16_t(weiter(long(stelle) + 1, long(wort.size())));
}

// The keywords that a field holds, found in one pass over it.
struct Schluesselwoerter {
    static constexpr std::size_t Fehlt = std::string_view::npos;
    // Where each keyword first stands in the field, or Fehlt.
    std::size_t lightsampling = Fehlt;
    std::size_t vertex = Fehlt;
    std::size_t triangle = Fehlt;
    std::size_t quad = Fehlt;
    std::size_t polygon = Fehlt;
};

Schluesselwoerter schluesselwoerter(std::string_view zeile)
{
    Schluesselwoerter w;
    const std::size_t n = zeile.size();
    const auto finden = [&](std::size_t& stelle, std::size_t i, std::string_view wort) {
        if (stelle == Schluesselwoerter::Fehlt && beginntMit(zeile.substr(i), wort))
            stelle = i;
    };
    // The five keywords begin with five different letters: at each place of one, only its word.
    for (std::size_t i = 0; (i = Bytesuche::finde(zeile.data(), i, n, 'l', 'v', 't', 'q', 'p')) < n; ++i) {
        switch (zeile[i]) {
        case 'l':
            finden(w.lightsampling, i, "lightsampling");
            break;
        case 'v':
            finden(w.vertex, i, Vertex.wort);
            break;
        case 't':
            finden(w.triangle, i, Triangle.wort);
            break;
        case 'q':
            finden(w.quad, i, Quad.wort);
            break;
        default:
            finden(w.polygon, i, Polygon.wort);
        }
    }
    return w;
}

// Triangles and quads alike: a fixed number of corners, each stored right after it is read.
template <typename Tabelle>
bool eckenLesen(
    Bericht& bericht, Feld zeile, std::size_t wortStelle, std::int16_t& anzahl, const Anweisung& art, Tabelle& tabelle)
{
    if (!zaehlen(bericht, anzahl, art))
        return false;
    std::int16_t position = nachDemWort(art.wort, wortStelle);
    for (std::int16_t& ecke : tabelle(anzahl).ecke)
        ecke = alsInteger(NaechsteZahl(zeile, position));
    bericht.eintrag(art.art, zeile);
    return true;
}

// The statement readers: each reads its numbers from right after its keyword, which stands at wortStelle
// in the field.
bool VertexLesen(Szene& s, Bericht& bericht, Feld zeile, std::size_t wortStelle)
{
    if (!zaehlen(bericht, s.AnzPunkte, Vertex))
        return false;
    std::int16_t position = nachDemWort(Vertex.wort, wortStelle);
    Vektor punkt;
    for (float* koordinate : { &punkt.X, &punkt.Y, &punkt.Z }) {
        *koordinate = alsSingle(NaechsteZahl(zeile, position));
        s.Ausdehnung = std::max(s.Ausdehnung, std::fabs(*koordinate));
    }
    s.Punkte(s.AnzPunkte) = punkt;
    bericht.eintrag(Vertex.art, zeile);
    return true;
}

bool DreieckLesen(Szene& s, Bericht& bericht, Feld zeile, std::size_t wortStelle)
{
    return eckenLesen(bericht, zeile, wortStelle, s.AnzDreiecke, Triangle, s.Dreiecke);
}

bool ViereckLesen(Szene& s, Bericht& bericht, Feld zeile, std::size_t wortStelle)
{
    return eckenLesen(bericht, zeile, wortStelle, s.AnzVierecke, Quad, s.Vierecke);
}

bool PolygonLesen(Szene& s, Bericht& bericht, Feld zeile, std::size_t wortStelle)
{
    if (!zaehlen(bericht, s.AnzPolygone, Polygon))
        return false;
    std::int16_t position = nachDemWort(Polygon.wort, wortStelle);
    auto& slot = s.Polygone(s.AnzPolygone).slot;
    slot[0] = std::min<std::int16_t>(alsInteger(NaechsteZahl(zeile, position)), PolygonEckenMax);
    for (int j = 1; j <= slot[0]; ++j)
        slot[j] = alsInteger(NaechsteZahl(zeile, position));
    bericht.eintrag(Polygon.art, zeile);
    return true;
}

bool ZeileAuswerten(Szene& s, Bericht& bericht, Feld zeile)
{
    const Schluesselwoerter wort = schluesselwoerter(zeile);
    // Tested first, so that a line "lightsampling vertex" is no vertex.
    if (wort.lightsampling != Schluesselwoerter::Fehlt)
        return true;
    if (beginntMit(zeile, "clumpbegin")) {
        meldeFehlerhafteZeile(bericht, zeile);
        return false;
    }
    if (beginntMit(zeile, "clumpend"))
        return false;
    if (beginntMit(zeile, "modelend")) {
        meldeFehlerhafteZeile(bericht, zeile);
        return false;
    }
    // Each keyword independently: a field with several runs several readers, the last one decides.
    bool weiterLesen = true;
    if (wort.vertex != Schluesselwoerter::Fehlt)
        weiterLesen = VertexLesen(s, bericht, zeile, wort.vertex);
    if (wort.triangle != Schluesselwoerter::Fehlt)
        weiterLesen = DreieckLesen(s, bericht, zeile, wort.triangle);
    if (wort.quad != Schluesselwoerter::Fehlt)
        weiterLesen = ViereckLesen(s, bericht, zeile, wort.quad);
    if (wort.polygon != Schluesselwoerter::Fehlt)
        weiterLesen = PolygonLesen(s, bericht, zeile, wort.polygon);
    return weiterLesen;
}

} // namespace

void ModellLesen(Szene& s, Bericht& bericht, const QString& dateiname)
{
    std::string feldpuffer;
    ModellLesen(s, bericht, dateiname, feldpuffer);
}

void ModellLesen(Szene& s, Bericht& bericht, const QString& dateiname, std::string& feldpuffer)
{
    s.Ausdehnung = -1000.0f;
    FeldEingabe eingabe; // closes the file on every way out, an exception included
    // The name in the file system's encoding, formed on the stack where it fits: UTF-8, as
    // QFile::encodeName gives it on Unix.
    QStringEncoder kodierer(QStringEncoder::Utf8);
    char name[PATH_MAX];
    if (kodierer.requiredSpace(dateiname.size()) <= qsizetype(sizeof name)) {
        const char* ende = kodierer.appendToBuffer(name, dateiname);
        eingabe.oeffnen(std::string_view(name, std::size_t(ende - name)));
    } else {
        const QByteArray langerName = QFile::encodeName(dateiname);
        eingabe.oeffnen(std::string_view(langerName.constData(), std::size_t(langerName.size())));
    }

    // The field that holds "modelbegin" may hold "clumpbegin" too; the buffer's field from an earlier
    // reading holds neither.
    feldpuffer.clear();
    if (!bisFeldMit(eingabe, feldpuffer, "modelbegin") || !bisFeldMit(eingabe, feldpuffer, "clumpbegin")
        || eingabe.dateiende())
        return;
    Feld feld = eingabe.naechstesFeld(feldpuffer);
    for (;;) {
        if (!ZeileAuswerten(s, bericht, feld)) {
            if (!enthaelt(feld, "modelend"))
                eingabe.feldMitWortLesen(feldpuffer, "modelend");
            return;
        }
        // Only this read can meet the end of the file: when the first statement field was the file's
        // last, it throws. Every later read follows a test for the end below.
        feld = eingabe.naechstesFeld(feldpuffer);
        // The file's last field is not acted upon.
        if (eingabe.dateiende())
            return;
    }
}

void AchsenSetzen(Szene& s)
{
    const float a = s.Ausdehnung;
    Mathe::NeuerVektor(s.Punkte(-3), a, 0, 0);
    Mathe::NeuerVektor(s.Punkte(-2), 0, a, 0);
    Mathe::NeuerVektor(s.Punkte(-1), 0, 0, a);
    PunkteKopieren(s);
}

void PunkteKopieren(Szene& s)
{
    const int bis = std::min<int>(s.AnzPunkte, PunktMax);
    for (int i = PunktMin; i <= bis; ++i)
        s.Sichtpunkte(i) = s.Punkte(i);
}

} // namespace zem::RwxToZem
