#include "model/RwxToZem.h"

#include "model/Szene.h"
#include "platform/Bytesuche.h"
#include "platform/FeldEingabe.h"
#include "platform/FeldText.h"

#include <QFile>
#include <QStringEncoder>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
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

constexpr long PositionMax = std::numeric_limits<std::int16_t>::max();

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
        QStringLiteral("Da stimmt was nicht\n") + FeldText(QByteArrayView(zeile.data(), qsizetype(zeile.size()))),
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

[[noreturn]] void positionZuGross()
{
    throw ZahlFehler("Leseposition jenseits von 32767");
}

// Moves a 1-based reading position on; it has to stay a 16-bit number.
long weiter(long position, long schritte)
{
    const long neu = position + schritte;
    if (neu > PositionMax)
        positionZuGross();
    return neu;
}

// The 1-based reading position right after the keyword that stands at stelle.
std::int16_t nachDemWort(std::string_view wort, std::size_t stelle)
{
    return std::int16_t(weiter(long(stelle) + 1, long(wort.size())));
}

float alsSingle(double wert)
{
    // A double rounds to infinity in single precision from the midpoint between the largest float and
    // 2^128 on; below it, a value beyond the largest float rounds to it. Converting directly would be
    // undefined behaviour there.
    constexpr double unendlichAb = 0x1p128 - 0x1p103;
    if (std::fabs(wert) >= unendlichAb)
        throw ZahlFehler("Zahl passt nicht in einfache Genauigkeit");
    if (std::fabs(wert) > double(std::numeric_limits<float>::max()))
        return wert < 0 ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    return static_cast<float>(wert);
}

// Rounds to the nearest integer, a half to the even neighbour, independently of the FPU's rounding
// mode, and checks the 16-bit range.
std::int16_t alsInteger(double wert)
{
    // Whole numbers in range, the usual case, need no rounding; the test of the range comes first, so
    // that the cast is defined.
    if (wert >= -32768.0 && wert <= 32767.0 && wert == static_cast<double>(static_cast<int>(wert)))
        return static_cast<std::int16_t>(wert);
    double gerundet = std::round(wert);
    if (std::fabs(wert - std::trunc(wert)) == 0.5)
        gerundet = 2.0 * std::round(wert / 2.0);
    if (gerundet < std::numeric_limits<std::int16_t>::min() || gerundet > std::numeric_limits<std::int16_t>::max())
        throw ZahlFehler("Zahl passt nicht in 16 Bit");
    return static_cast<std::int16_t>(gerundet);
}

bool istZiffer(char c)
{
    return c >= '0' && c <= '9';
}

// The powers of ten that are exact doubles.
constexpr double Zehnerpotenz[] = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14,
    1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };

// The value of the token's longest leading part that reads as a decimal number: optional sign, digits
// with at most one point, optional exponent (E or e, optional sign, digits); 0 without such a part.
// std::from_chars does the rounding: it is exact and, unlike strtod, ignores the locale that Qt sets.
double tokenWert(std::string_view token)
{
    const std::size_t n = token.size();
    std::size_t i = 0;
    if (i < n && (token[i] == '+' || token[i] == '-'))
        ++i;
    std::size_t punkt = std::string_view::npos;
    std::size_t ersteSignifikante = std::string_view::npos;
    bool ziffern = false;
    for (; i < n; ++i) {
        if (istZiffer(token[i])) {
            ziffern = true;
            if (token[i] != '0' && ersteSignifikante == std::string_view::npos)
                ersteSignifikante = i;
        } else if (token[i] == '.' && punkt == std::string_view::npos) {
            punkt = i;
        } else {
            break;
        }
    }
    if (!ziffern)
        return 0;
    const std::size_t mantissenEnde = i;

    // A plain integer of up to 18 digits is exact as a 64-bit integer, and its conversion rounds
    // correctly: the usual token, read without from_chars.
    const std::size_t zifferAnfang = token[0] == '+' || token[0] == '-' ? 1 : 0;
    const bool exponentFolgt = i < n && (token[i] == 'E' || token[i] == 'e');
    if (punkt == std::string_view::npos && !exponentFolgt && mantissenEnde - zifferAnfang <= 18) {
        std::int64_t ganz = 0;
        for (std::size_t k = zifferAnfang; k < mantissenEnde; ++k)
            ganz = ganz * 10 + (token[k] - '0');
        return static_cast<double>(token[0] == '-' ? -ganz : ganz);
    }

    // Saturated: any exponent beyond this is out of range, whatever the mantissa's length.
    constexpr long long ExponentGrenze = 1'000'000'000;
    long long exponent = 0;
    if (exponentFolgt) {
        std::size_t k = i + 1;
        const bool negativ = k < n && token[k] == '-';
        if (k < n && (token[k] == '+' || token[k] == '-'))
            ++k;
        if (k < n && istZiffer(token[k])) {
            for (; k < n && istZiffer(token[k]); ++k)
                exponent = std::min(exponent * 10 + (token[k] - '0'), ExponentGrenze);
            if (negativ)
                exponent = -exponent;
            i = k;
        }
    }

    // Most other tokens have few digits and a small exponent: their digits as an integer times or over
    // an exact power of ten round correctly in one step, as both operands are exact doubles.
    if (mantissenEnde - zifferAnfang <= 16) {
        std::int64_t ziffernWert = 0;
        for (std::size_t k = zifferAnfang; k < mantissenEnde; ++k)
            if (k != punkt)
                ziffernWert = ziffernWert * 10 + (token[k] - '0');
        const long long zehnerExponent
            = exponent - static_cast<long long>(punkt == std::string_view::npos ? 0 : mantissenEnde - punkt - 1);
        if (ziffernWert == 0)
            return 0;
        if (ziffernWert <= (std::int64_t { 1 } << 53) && zehnerExponent >= -22 && zehnerExponent <= 22) {
            const double betrag = zehnerExponent < 0 ? double(ziffernWert) / Zehnerpotenz[-zehnerExponent]
                                                     : double(ziffernWert) * Zehnerpotenz[zehnerExponent];
            return token[0] == '-' ? -betrag : betrag;
        }
    }

    const char* anfang = token.data() + (token[0] == '+' ? 1 : 0); // from_chars takes no plus sign
    double wert = 0;
    const auto ergebnis = std::from_chars(anfang, token.data() + i, wert);
    if (ergebnis.ec == std::errc::result_out_of_range) {
        if (ersteSignifikante == std::string_view::npos)
            return 0;
        // Out of range is too large or too small; the decimal place of the first significant digit
        // together with the exponent tells which.
        const long long punktStelle = static_cast<long long>(punkt == std::string_view::npos ? mantissenEnde : punkt);
        const long long erste = static_cast<long long>(ersteSignifikante);
        const long long groessenordnung
            = (erste < punktStelle ? punktStelle - erste - 1 : punktStelle - erste) + exponent;
        if (groessenordnung >= 0)
            throw ZahlFehler("Zahl passt nicht in doppelte Genauigkeit");
        return 0;
    }
    // A negative zero would show as "-0" in the user interface; it is zero like any other.
    return ergebnis.ec == std::errc() && wert != 0 ? wert : 0;
}

// The value of a token of NaechsteZahl: a whole number of up to 18 digits exactly as an integer, which
// converts to double with correct rounding, and any other in double precision. The integer readers take
// the whole number as it is, without a round trip through double.
struct Wert {
    bool istGanz;
    std::int64_t ganz;
    double sonst;
};

// The sign and the digits at the start of a token, read in one pass. Past 19 digits the sum wraps
// harmlessly: a caller takes it only for fewer digits.
struct GanzeZahl {
    const char* ziffern; // the first digit, after the sign
    const char* ende; // the first byte that is no digit
    bool negativ;
    std::uint64_t betrag;
    // A whole token of 1 to hoechstens digits: a blank, a control byte or the zero byte after it.
    bool ganz(std::ptrdiff_t hoechstens) const
    {
        return ende > ziffern && ende - ziffern <= hoechstens && static_cast<unsigned char>(*ende) <= ' ';
    }
};

[[gnu::always_inline]] inline GanzeZahl ganzeZahlLesen(const char* anfang)
{
    const bool negativ = *anfang == '-';
    const char* const ziffern = anfang + (negativ || *anfang == '+' ? 1 : 0);
    const char* ende = ziffern;
    std::uint64_t betrag = 0;
    for (unsigned ziffer; (ziffer = unsigned(static_cast<unsigned char>(*ende)) - '0') < 10; ++ende)
        betrag = betrag * 10 + ziffer;
    return { ziffern, ende, negativ, betrag };
}

// NaechsteZahl's work, inlined into both number readers: it runs for every number of a model.
[[gnu::always_inline]] inline Wert zahlLesen(Feld zeile, std::int16_t& position)
{
    // The string's terminating zero byte stops every scan below, as a separator: positions after the
    // line count as separators, and so do those before it.
    const char* const text = zeile.data();
    const long laenge = long(zeile.size());
    long pos = std::max<long>(position, 1);
    while (pos <= laenge && static_cast<unsigned char>(text[pos - 1]) < '!')
        ++pos;
    if (pos > PositionMax)
        positionZuGross();
    if (pos > laenge) {
        position = std::int16_t(pos);
        return Wert { true, 0, 0 };
    }
    const char* const anfang = text + pos - 1;
    // The usual token, a whole number of up to 18 digits, is read in the pass that finds its end.
    const GanzeZahl zahl = ganzeZahlLesen(anfang);
    const bool ganzeZahl = zahl.ganz(18);
    const char* ende = zahl.ende;
    while (static_cast<unsigned char>(*ende) > ' ')
        ++ende;
    const long neu = pos + (ende - anfang);
    if (neu > PositionMax)
        positionZuGross();
    if (ganzeZahl) {
        position = std::int16_t(neu);
        const auto wert = static_cast<std::int64_t>(zahl.betrag);
        return Wert { true, zahl.negativ ? -wert : wert, 0 };
    }
    // A decimal fraction of up to 15 digits without an exponent, the usual coordinate, read on from its
    // whole part: its digits as an integer over an exact power of ten round correctly in one step, as
    // in tokenWert.
    if (*zahl.ende == '.' && ende - zahl.ziffern - 1 <= 15 && ende - zahl.ziffern > 1) {
        std::uint64_t ziffernWert = zahl.betrag;
        const char* z = zahl.ende + 1;
        for (unsigned ziffer; z < ende && (ziffer = unsigned(static_cast<unsigned char>(*z)) - '0') < 10; ++z)
            ziffernWert = ziffernWert * 10 + ziffer;
        if (z == ende) {
            position = std::int16_t(neu);
            if (ziffernWert == 0) // no negative zero, as in tokenWert
                return Wert { false, 0, 0 };
            const double betrag = double(ziffernWert) / Zehnerpotenz[ende - zahl.ende - 1];
            return Wert { false, 0, zahl.negativ ? -betrag : betrag };
        }
    }
    const double wert = tokenWert(std::string_view(anfang, std::size_t(ende - anfang)));
    position = std::int16_t(neu);
    return Wert { false, 0, wert };
}

std::int16_t naechsteGanzzahl(Feld zeile, std::int16_t& position)
{
    const Wert wert = zahlLesen(zeile, position);
    if (!wert.istGanz)
        return alsInteger(wert.sonst);
    if (wert.ganz < std::numeric_limits<std::int16_t>::min() || wert.ganz > std::numeric_limits<std::int16_t>::max())
        throw ZahlFehler("Zahl passt nicht in 16 Bit");
    return static_cast<std::int16_t>(wert.ganz);
}

// Reads n whole numbers in a row into ziel, as n calls of naechsteGanzzahl would. The corners of an
// element are nearly all of a model's numbers: the usual one, up to five digits that fit 16 bits with a
// blank or the line's end after them, is read here in one pass with the place kept in a register; any
// other goes the general way.
void ganzzahlenLesen(Feld zeile, std::int16_t& position, std::int16_t* ziel, int n)
{
    const char* const text = zeile.data(); // its zero byte ends the digits, as in zahlLesen
    const char* const zeilenende = text + zeile.size();
    if (n <= 0)
        return;
    const long anfang = std::max<long>(position, 1) - 1;
    if (anfang > long(zeile.size())) { // a reader called without its keyword on a short field
        std::fill(ziel, ziel + n, std::int16_t { 0 });
        return;
    }
    // In a field shorter than the largest reading position no position can pass it.
    if (zeile.size() >= std::size_t(PositionMax)) {
        for (int k = 0; k < n; ++k)
            ziel[k] = naechsteGanzzahl(zeile, position);
        return;
    }
    const char* p = text + anfang;
    for (int k = 0; k < n; ++k) {
        while (p < zeilenende && static_cast<unsigned char>(*p) < '!')
            ++p;
        if (p >= zeilenende) {
            ziel[k] = 0;
            continue;
        }
        const GanzeZahl zahl = ganzeZahlLesen(p);
        if (zahl.ganz(5) && zahl.betrag <= 32767u + (zahl.negativ ? 1u : 0u)) {
            const auto betrag = static_cast<int>(zahl.betrag);
            ziel[k] = static_cast<std::int16_t>(zahl.negativ ? -betrag : betrag);
            p = zahl.ende;
            continue;
        }
        position = static_cast<std::int16_t>(p - text + 1);
        ziel[k] = naechsteGanzzahl(zeile, position);
        p = text + position - 1;
    }
    position = static_cast<std::int16_t>(p - text + 1);
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
    auto& ecken = tabelle(anzahl).ecke;
    ganzzahlenLesen(zeile, position, ecken.data(), int(ecken.size()));
    bericht.eintrag(art.art, zeile);
    return true;
}

// The next number of the line from the 1-based reading position on, which it advances past the number;
// 0 when the line has ended.
double NaechsteZahl(Feld zeile, std::int16_t& position)
{
    const Wert wert = zahlLesen(zeile, position);
    return wert.istGanz ? static_cast<double>(wert.ganz) : wert.sonst;
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
    slot[0] = std::min<std::int16_t>(naechsteGanzzahl(zeile, position), PolygonEckenMax);
    ganzzahlenLesen(zeile, position, slot.data() + 1, slot[0]);
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
    std::string zeile;
    ModellLesen(s, bericht, dateiname, zeile);
}

void ModellLesen(Szene& s, Bericht& bericht, const QString& dateiname, std::string& zeile)
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
    zeile.clear();
    if (!bisFeldMit(eingabe, zeile, "modelbegin") || !bisFeldMit(eingabe, zeile, "clumpbegin") || eingabe.dateiende())
        return;
    Feld feld = eingabe.naechstesFeld(zeile);
    for (;;) {
        if (!ZeileAuswerten(s, bericht, feld)) {
            if (!enthaelt(feld, "modelend"))
                eingabe.feldMitWortLesen(zeile, "modelend");
            return;
        }
        // Only this read can meet the end of the file: when the first statement field was the file's
        // last, it throws. Every later read follows a test for the end below.
        feld = eingabe.naechstesFeld(zeile);
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
