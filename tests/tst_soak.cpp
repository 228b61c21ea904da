// The whole program under a long, seeded, random stream of what a user does with it: the mouse on the
// main window (every button, two at once, double clicks, positions at and beyond the edges), presses
// and moves on the movement window with its timer steps and "Mitte", the zoom window, clicks and keys in
// the four lists, every menu command but "Beenden" (which is only checked to be recorded), window sizes
// and states, and opens and reloads of valid and broken model files that the stream writes itself.
// After every step the program must answer and its state must hold together; at the end the heap must
// be no larger than after the first thousand steps.
//
// A failure prints the seed, the step and the last actions. The stream depends on nothing but the seed,
// so ZEM_SOAK_SAAT=<seed> replays it (alone), ZEM_SOAK_SCHRITTE=<n> sets its length, and
// ZEM_SOAK_PROTOKOLL=1 prints every action as it runs.

#include "TestProgramm.h"

#include "platform/FeldEingabe.h"
#include "ui/side/SeitenFensterBau.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPixmapCache>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZEM_SOAK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ZEM_SOAK_ASAN 1
#endif
#ifdef ZEM_SOAK_ASAN
#include <sanitizer/common_interface_defs.h>
// The sanitizer runtime's count of the bytes allocated through it (clang's allocator_interface.h, which
// GCC does not ship).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace zem;
using zem::test::TestAusgabe;

namespace {

// Steps per seed, and how long one step may take before it counts as a hang. The sanitizers make every
// step three to four times slower; a third of the steps keeps their run as short as the plain one.
#ifdef ZEM_SOAK_ASAN
constexpr long SchritteJeSaat = 12000;
constexpr std::chrono::milliseconds Haengegrenze { 8000 };
#else
constexpr long SchritteJeSaat = 34000;
constexpr std::chrono::milliseconds Haengegrenze { 2000 };
#endif
constexpr long Basisschritt = 1000;
// How much the heap may grow from step 1000 to the end. Qt fills caches as new texts, glyphs and sizes
// come along (the glyph caches of the fonts, among them the fallback fonts for the odd characters of
// broken files); they level off after some ten thousand steps, about 250 kB above the heap after the
// first thousand, also over 100,000 steps. What depends on where the stream stands is put back before
// each measurement (see messen). A leak of 32 bytes a step passes this bound within 33,000 steps, one
// of 88 bytes within the 12,000 steps of a sanitizer run.
constexpr long long HeapToleranz = 1 << 20;

long long heapBelegt()
{
#ifdef ZEM_SOAK_ASAN
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<long long>(mallinfo2().uordblks);
#endif
}

long umgebungszahl(const char* name, long vorgabe)
{
    const QByteArray wert = qgetenv(name);
    bool ok = false;
    const long zahl = wert.toLong(&ok);
    return ok ? zahl : vorgabe;
}

// The random source of a stream. The engine's output is fixed by the language standard and the
// helpers below use nothing else, so a seed gives the same stream with every standard library.
class Zufall {
public:
    explicit Zufall(std::uint64_t saat)
        : m_maschine(saat)
    {
    }
    // A whole number from von to bis, both included.
    int zahl(int von, int bis)
    {
        return von + static_cast<int>(m_maschine() % static_cast<std::uint64_t>(bis - von + 1));
    }
    double bruch() { return static_cast<double>(m_maschine() >> 11) * 0x1p-53; }
    bool chance(double p) { return bruch() < p; }
    template <typename T, std::size_t N> const T& eines(const T (&werte)[N])
    {
        return werte[static_cast<std::size_t>(zahl(0, int(N) - 1))];
    }

private:
    std::mt19937_64 m_maschine;
};

// What reading a file must give: whether the reading ends without an error (the window is then
// refreshed) or with one (it is not), the four counts, the rows of the four lists, the extent and
// the number of message boxes. Broken files of unknown outcome only have to keep the invariants.
struct Erwartung {
    enum Ausgang { Gelesen, Fehler, Unbekannt };
    Ausgang ausgang = Unbekannt;
    std::array<int, 4> anzahl {};
    std::array<int, 4> zeilen {};
    float ausdehnung = -1000.0f;
    int meldungen = 0;
};

Erwartung fehlschlag()
{
    Erwartung e;
    e.ausgang = Erwartung::Fehler;
    return e;
}

// Characters of long filler text: none of the keywords can be spelled with them.
constexpr char Fuellzeichen[] = "abdefghijklnorsuwxyz0123456789 ";

QByteArray fuellung(Zufall& z, int laenge)
{
    QByteArray text(laenge, ' ');
    for (char& c : text)
        c = Fuellzeichen[z.zahl(0, int(sizeof Fuellzeichen) - 2)];
    return text;
}

// Writes a model statement by statement and keeps track of what reading it gives, the way a user
// knows it: each statement counts; the 999th of a kind shows a message, keeps 998 (700 for points)
// and ends the clump; a number that does not fit ends the reading with an error after its statement
// was counted; a nested clump or a model end inside the clump shows a message and ends the clump.
class Modell {
public:
    explicit Modell(Zufall& z)
        : m_z(z)
    {
        m_erwartung.ausgang = Erwartung::Gelesen;
    }

    void zeile(const QByteArray& text)
    {
        m_text += text;
        const int ende = m_z.zahl(0, 19);
        m_text += ende == 0 ? "\r\n" : ende == 1 ? "\r" : "\n";
    }
    void anfang()
    {
        if (m_z.chance(0.3))
            zeile(m_z.chance(0.5) ? "#RWX Modell" : "ModelBegin # capitals are not the keyword");
        if (m_z.chance(0.2))
            zeile("vertex 5000 5000 5000 # before the model start: passed over");
        zeile(m_z.chance(0.8) ? "modelbegin" : "  modelbegin # version 1");
        if (m_z.chance(0.3))
            zeile("vertex 7000 0 0 # before the clump: passed over");
        zeile(m_z.chance(0.9) ? "clumpbegin" : "\tclumpbegin");
    }
    void ende()
    {
        zeile(m_z.chance(0.9) ? "clumpend" : "  clumpend");
        if (m_z.chance(0.2)) {
            zeile("clumpbegin");
            zeile("vertex 9000 9000 9000");
            zeile("triangle 1 2 3");
            zeile("clumpend");
        }
        zeile("modelend");
        if (m_z.chance(0.2))
            zeile("vertex 1 2 3 # after the model end");
    }
    // One of the lines that the reader passes over.
    void rauschen()
    {
        static const char* const zeilen[] = { "color 0.5 0.5 0.5", "surface .5 .3 .1", "texture none", "# Kommentar",
            "", "   ", "opacity 1", "transform 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1", "lightsampling vertex",
            "lightsampling facet", "  # clumpend", "# modelend", "ambient 0.5", "diffuse 0.7" };
        zeile(m_z.eines(zeilen));
    }

    // A statement of kind art (0 points, 1 triangles, 2 quads, 3 polygons) whose numbers all fit.
    void anweisung(int art)
    {
        switch (art) {
        case 0:
            vertex();
            break;
        case 1:
            zeile(mitEcken("triangle", 3));
            break;
        case 2:
            zeile(mitEcken("quad", 4));
            break;
        default:
            polygon();
            break;
        }
        zaehlen(art);
    }
    // A statement whose last number does not fit its target: the reading ends with an error.
    void ueberlauf()
    {
        const int art = m_z.zahl(0, 3);
        static const char* const koordinaten[] = { "1e39", "-3.5e38", "1e309", "-1e400", "1e99999" };
        static const char* const ganze[] = { "32768", "-32769", "1e10", "40000", "32767.5", "-99999999999" };
        switch (art) {
        case 0:
            zeile(QByteArray("vertex 1 2 ") + m_z.eines(koordinaten));
            break;
        case 1:
            zeile(QByteArray("triangle 1 ") + m_z.eines(ganze) + " 2");
            break;
        case 2:
            zeile(QByteArray("quad ") + m_z.eines(ganze) + " 1 2 3");
            break;
        default:
            zeile(m_z.chance(0.5) ? QByteArray("polygon ") + m_z.eines(ganze) + " 1 2 3"
                                  : QByteArray("polygon 3 1 2 ") + m_z.eines(ganze));
            break;
        }
        if (m_beendet)
            return;
        ++m_erwartung.anzahl[static_cast<std::size_t>(art)];
        m_erwartung.ausgang = Erwartung::Fehler;
        m_beendet = true;
    }
    // A statement that ends the clump with the message "Da stimmt was nicht".
    void verschachtelt()
    {
        zeile(m_z.chance(0.5) ? "clumpbegin" : "modelend");
        if (m_beendet)
            return;
        ++m_erwartung.meldungen;
        m_beendet = true;
    }
    // A statement whose keyword or numbers lie beyond the 32767th character of its line.
    void jenseitsDerLeseposition()
    {
        const int art = m_z.zahl(0, 3);
        static const char* const woerter[] = { "vertex", "triangle", "quad", "polygon" };
        if (m_z.chance(0.5))
            zeile(QByteArray(33000 + m_z.zahl(0, 9000), 'x') + woerter[art] + " 1 2 3");
        else
            zeile(QByteArray(woerter[art]) + QByteArray(33000 + m_z.zahl(0, 9000), ' ') + "1 2 3 4");
        if (m_beendet)
            return;
        ++m_erwartung.anzahl[static_cast<std::size_t>(art)];
        m_erwartung.ausgang = Erwartung::Fehler;
        m_beendet = true;
    }
    // A long line that reads normally: a comment, or a vertex with a long tail after its numbers.
    void langeZeile()
    {
        if (m_z.chance(0.5)) {
            zeile("#" + fuellung(m_z, m_z.zahl(40000, 200000)));
        } else {
            m_text += "vertex 1 -2 3 ";
            zeile(fuellung(m_z, m_z.zahl(1000, 100000)));
            punkt(1, 2, 3);
            zaehlen(0);
        }
    }
    // The reading fails when the file's only field after the clump start is a statement.
    void einzigeAnweisungAmEnde()
    {
        m_text += "vertex 4 5 6";
        punkt(4, 5, 6);
        zaehlen(0);
        m_erwartung.ausgang = Erwartung::Fehler;
        m_beendet = true;
    }
    // The file ends right after a statement: the last field is not acted upon.
    void letzteAnweisungOhneEnde() { m_text += "vertex 1 2 3\ntriangle 1 2 3"; }

    // How many statements of each kind a model gets: mostly few, now and then up to and beyond the
    // limit of 998.
    int groesse()
    {
        const double r = m_z.bruch();
        if (r < 0.35)
            return m_z.zahl(0, 10);
        if (r < 0.7)
            return m_z.zahl(11, 80);
        if (r < 0.9)
            return m_z.zahl(81, 400);
        return m_z.zahl(990, 1003);
    }
    int punkte() const { return m_erwartung.anzahl[0]; }
    QByteArray text() const { return m_text; }
    const Erwartung& erwartung() const { return m_erwartung; }

private:
    void zaehlen(int art)
    {
        if (m_beendet)
            return;
        const auto a = static_cast<std::size_t>(art);
        if (++m_erwartung.anzahl[a] > Grenze) {
            m_erwartung.anzahl[a] = art == 0 ? 700 : Grenze;
            ++m_erwartung.meldungen;
            m_beendet = true;
            return;
        }
        ++m_erwartung.zeilen[a];
        if (art == 0)
            m_erwartung.ausdehnung = std::max({ m_erwartung.ausdehnung, m_letzter[0], m_letzter[1], m_letzter[2] });
    }
    void punkt(float x, float y, float z) { m_letzter = { std::fabs(x), std::fabs(y), std::fabs(z) }; }
    QByteArray trenner()
    {
        static const char* const trenner[] = { " ", " ", " ", "  ", "\t", " \t " };
        return m_z.eines(trenner);
    }
    // A coordinate's text and its value in single precision.
    std::pair<QByteArray, float> koordinate()
    {
        struct Fest {
            const char* text;
            double wert;
        };
        // Forms whose value the text does not show plainly: the longest leading number counts.
        static const Fest besondere[]
            = { { ".5", 0.5 }, { "+4.", 4 }, { "7abc", 7 }, { "abc", 0 }, { "1.2.3", 1.2 }, { "1e", 1 }, { "--5", 0 },
                  { "0x1A", 0 }, { "-0", 0 }, { "1e-400", 0 }, { "3E1", 30 }, { "-2.5e-1", -0.25 } };
        // Extents from 1e33 on still fit the zoom, but a few pan steps take the view to the end of the range.
        static const char* const extreme[]
            = { "3.4e38", "-3.4028234e38", "1e38", "1e-40", "-1e-45", "1e30", "3e35", "-1e36", "5e33" };
        QByteArray text;
        switch (m_z.zahl(0, 19)) {
        case 0:
        case 1: {
            const Fest& f = m_z.eines(besondere);
            return { f.text, static_cast<float>(f.wert) };
        }
        case 2:
            text = m_z.eines(extreme);
            break;
        case 3:
        case 4:
            text = QByteArray::number(m_z.zahl(-99, 99)) + (m_z.chance(0.5) ? "e" : "E")
                + QByteArray::number(m_z.zahl(-6, 6));
            break;
        case 5:
        case 6:
        case 7:
        case 8:
            text = QByteArray::number(m_z.zahl(-100, 100));
            break;
        default:
            text = QByteArray::number(m_z.zahl(-100000, 100000) / 1000.0, 'f', 3);
            break;
        }
        double wert = 0;
        std::from_chars(text.constData(), text.constData() + text.size(), wert);
        return { text, static_cast<float>(wert) };
    }
    void vertex()
    {
        QByteArray text = "vertex";
        std::array<float, 3> werte {};
        const int zahlen = m_z.chance(0.05) ? m_z.zahl(0, 2) : 3;
        for (int j = 0; j < zahlen; ++j) {
            auto [t, w] = koordinate();
            text += trenner() + t;
            werte[static_cast<std::size_t>(j)] = w;
        }
        if (m_z.chance(0.05))
            text += " uv 0.5 0.25";
        zeile(text);
        punkt(werte[0], werte[1], werte[2]);
    }
    // A corner index: mostly a vertex of the model, else anything a 16-bit number can hold, also the
    // reserved points, numbers above the count, beyond the table's 1010, and rounded fractions.
    QByteArray ecke()
    {
        if (m_z.chance(0.75))
            return QByteArray::number(m_z.zahl(1, std::max(1, punkte())));
        static const char* const seltsame[] = { "0", "-1", "-2", "-3", "-4", "-5", "-100", "1005", "1010", "1011",
            "2000", "32767", "-32768", "1.5", "2.5", "-0.5", "3.49", "x" };
        if (m_z.chance(0.3))
            return QByteArray::number(punkte() + m_z.zahl(1, 20));
        return m_z.eines(seltsame);
    }
    QByteArray mitEcken(const char* wort, int ecken)
    {
        QByteArray text = wort;
        const int zahlen = m_z.chance(0.05) ? m_z.zahl(0, ecken - 1) : ecken;
        for (int j = 0; j < zahlen; ++j)
            text += trenner() + ecke();
        return text;
    }
    void polygon()
    {
        static const int seltene[] = { 0, -2, 1, 2, 50, 51, 60, 32767 };
        const int n = m_z.chance(0.9) ? m_z.zahl(3, 8) : m_z.eines(seltene);
        QByteArray text = "polygon " + QByteArray::number(n);
        const int zahlen = n > 50 ? m_z.zahl(50, 60) : std::max(0, n);
        for (int j = 0; j < zahlen; ++j)
            text += trenner() + ecke();
        zeile(text);
    }

    Zufall& m_z;
    QByteArray m_text;
    Erwartung m_erwartung;
    std::array<float, 3> m_letzter {};
    bool m_beendet = false;
};

// A model file as the stream writes it, its kind for the table of outcomes, and what reading it gives.
struct Datei {
    QByteArray inhalt;
    const char* art;
    Erwartung erwartung;
};

Datei gueltigesModell(Zufall& z)
{
    Modell m(z);
    m.anfang();
    std::array<int, 4> anzahl {};
    for (int& n : anzahl)
        n = m.groesse();
    // The points first, then the elements in a random order.
    for (int i = 0; i < anzahl[0]; ++i)
        m.anweisung(0);
    std::array<int, 3> rest { anzahl[1], anzahl[2], anzahl[3] };
    while (rest[0] + rest[1] + rest[2] > 0) {
        int art = z.zahl(0, 2);
        while (rest[static_cast<std::size_t>(art)] == 0)
            art = (art + 1) % 3;
        --rest[static_cast<std::size_t>(art)];
        m.anweisung(art + 1);
        if (z.chance(0.03))
            m.rauschen();
    }
    m.ende();
    const bool grenze = *std::max_element(anzahl.begin(), anzahl.end()) > Grenze;
    return { m.text(), grenze ? "valid model past a limit of 998" : "valid model", m.erwartung() };
}

// A few statements of each kind, then one of the faults, then more statements.
Datei fehlerhaftesModell(Zufall& z)
{
    Modell m(z);
    m.anfang();
    for (int i = z.zahl(0, 12); i > 0; --i)
        m.anweisung(0);
    for (int i = z.zahl(0, 12); i > 0; --i)
        m.anweisung(z.zahl(1, 3));
    const char* art = "";
    switch (z.zahl(0, 4)) {
    case 0:
    case 1:
        m.ueberlauf();
        art = "number beyond single precision or 16 bits";
        break;
    case 2:
        m.verschachtelt();
        art = "nested clump or model end inside the clump";
        break;
    case 3:
        m.jenseitsDerLeseposition();
        art = "statement beyond the 32767th character";
        break;
    default:
        m.langeZeile();
        art = "long line (comment or vertex tail, 1 to 200 kB)";
        break;
    }
    for (int i = z.zahl(0, 8); i > 0; --i)
        m.anweisung(z.zahl(0, 3));
    m.ende();
    return { m.text(), art, m.erwartung() };
}

// Files that end early, an empty file, keywords in capitals.
Datei kurzesModell(Zufall& z)
{
    Modell m(z);
    switch (z.zahl(0, 3)) {
    case 0:
        m.anfang();
        m.einzigeAnweisungAmEnde();
        return { m.text(), "only field after the clump start is a statement", m.erwartung() };
    case 1:
        m.anfang();
        m.letzteAnweisungOhneEnde();
        {
            Erwartung e;
            e.ausgang = Erwartung::Gelesen;
            e.anzahl = e.zeilen = { 1, 0, 0, 0 };
            e.ausdehnung = 3;
            return { m.text(), "file ends after a statement", e };
        }
    case 2: {
        Erwartung e;
        e.ausgang = Erwartung::Gelesen;
        return { QByteArray(), "empty file", e };
    }
    default: {
        Erwartung e;
        e.ausgang = Erwartung::Gelesen;
        return { "ModelBegin\nClumpBegin\nVertex 1 2 3\nTriangle 1 1 1\nClumpEnd\nModelEnd\n", "keywords in capitals",
            e };
    }
    }
}

// Text with the keywords among random tokens, huge and odd numbers, commas, quotes, control
// characters, and several keywords in one line.
Datei kaputterText(Zufall& z)
{
    static const char* const woerter[] = { "vertex", "triangle", "quad", "polygon", "clumpbegin", "clumpend",
        "modelbegin", "modelend", "lightsampling", "vertex triangle quad polygon", "# quad mesh", "polygon 60" };
    static const char* const zahlen[] = { "1", "-7", "1e39", "99999", "-40000", "nan", "inf", "1e99999", "0.5", "1,5",
        "\"3\"", "-0", "1e-999", "32767", "-32768", "2.5", "1010", "-5", "60", "\x01", "\x7f", "\xff", "\xc3\xa4", "" };
    QByteArray text;
    if (z.chance(0.7))
        text += "modelbegin\nclumpbegin\n";
    for (int zeile = z.zahl(0, 60); zeile > 0; --zeile) {
        if (z.chance(0.15))
            text += QByteArray(z.zahl(1, 4), z.chance(0.5) ? ' ' : '\t');
        text += z.eines(woerter);
        for (int k = z.zahl(0, 8); k > 0; --k)
            text += QByteArray(z.chance(0.8) ? " " : "\t") + z.eines(zahlen);
        text += z.chance(0.9) ? "\n" : z.chance(0.5) ? "\r" : ",";
    }
    return { text, "broken text: random tokens, huge numbers, commas, quotes", {} };
}

// Random bytes, NUL bytes among them, now and then with a model start and keywords.
Datei binaerdaten(Zufall& z)
{
    QByteArray text;
    if (z.chance(0.5))
        text += "modelbegin\nclumpbegin\n";
    const int laenge = z.zahl(0, 4000);
    text.reserve(text.size() + laenge + 64);
    for (int i = 0; i < laenge; ++i) {
        if (z.chance(0.01))
            text += z.chance(0.5) ? "\nvertex 1 2 3\n" : "\npolygon 4 1 2 3 4\n";
        else
            text += static_cast<char>(z.chance(0.1) ? 0 : z.zahl(0, 255));
    }
    return { text, "binary junk with NUL bytes", {} };
}

Datei zufallsdatei(Zufall& z)
{
    const double r = z.bruch();
    if (r < 0.45)
        return gueltigesModell(z);
    if (r < 0.7)
        return fehlerhaftesModell(z);
    if (r < 0.78)
        return kurzesModell(z);
    if (r < 0.88)
        return kaputterText(z);
    return binaerdaten(z);
}

// Sends a mouse event to a widget as the window system delivers it: to the widget under the pointer,
// or during a press to the widget that got it, wherever the pointer is.
void maus(QWidget* ziel, QEvent::Type typ, Qt::MouseButton taste, Qt::MouseButtons tasten, QPointF ort,
    Qt::KeyboardModifiers umschalt = {})
{
    QMouseEvent ereignis(typ, ort, ziel->mapToGlobal(ort), taste, tasten, umschalt);
    QSpontaneKeyEvent::setSpontaneous(&ereignis);
    QApplication::instance()->notify(ziel, &ereignis);
}

// The last actions of the stream, for the report of a failure, a hang or a crash.
class Protokoll {
public:
    static constexpr std::size_t Laenge = 12;

    void eintragen(long schritt, const char* text)
    {
        const std::lock_guard<std::mutex> sperre(m_sperre);
        std::snprintf(m_eintraege[m_naechster % Laenge].data(), Breite, "%7ld  %s", schritt, text);
        ++m_naechster;
    }
    std::string letzte()
    {
        const std::unique_lock<std::mutex> sperre(m_sperre, std::try_to_lock);
        return letzteOhneSperre();
    }
    // Also for a crash handler: reads without the lock.
    std::string letzteOhneSperre() const
    {
        std::string text;
        for (std::size_t i = m_naechster > Laenge ? m_naechster - Laenge : 0; i < m_naechster; ++i) {
            text += m_eintraege[i % Laenge].data();
            text += '\n';
        }
        return text;
    }

private:
    static constexpr std::size_t Breite = 200;
    std::mutex m_sperre;
    std::array<std::array<char, Breite>, Laenge> m_eintraege {};
    std::size_t m_naechster = 0;
};

// What the stream did with each kind of bad input, for the summary.
struct Ausgaenge {
    int mal = 0;
    int aufgefrischt = 0;
    int meldungen = 0;
    double laengsteMs = 0;
};

class Soak;
// The running stream, for the report of a crash.
Soak* g_laufend = nullptr;

class Soak {
public:
    Soak(std::uint64_t saat, long schritte)
        : m_saat(saat)
        , m_schritte(schritte)
        , m_z(saat)
    {
    }

    // Runs the stream; gives the report of the first failure, or nothing.
    QString laufen();

    double sekunden = 0;
    long long heapNachBasis = 0;
    long long heapAmEnde = 0;
    std::vector<long long> heapVerlauf;
    double laengsterSchrittMs = 0;
    std::string laengsterSchritt;
    std::map<std::string, Ausgaenge> ausgaenge;

    std::uint64_t saat() const { return m_saat; }
    long schritt() const { return m_schritt.load(); }
    Protokoll& protokoll() { return m_protokoll; }

private:
    using Handlung = void (Soak::*)();

    void aufbauen();
    void schritt(Handlung handlung);
    void tun(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void fordern(bool bedingung, const char* was, ...) __attribute__((format(printf, 3, 4)));
    void pruefen();
    void laden(const char* punkt, const char* art);
    void pruefeLaden(const QString& pfad, bool aufgefrischt, const char* art, double ms);
    long long messen();
    void waechter();

    QPointF ort(QSize groesse);
    Qt::MouseButton knopf();
    void hauptBewegen();
    void hauptDruecken();
    void hauptLoslassen();
    void hauptKlick();
    void hauptDoppelklick();
    void bewegDruecken();
    void bewegBewegen();
    void bewegLoslassen();
    void bewegTakte();
    void mitte();
    void zoomWert();
    void zoomAktion();
    void zoomNormal();
    void zoomSchieber();
    void zoomKlick();
    void listenKlick();
    void listenDoppelklick();
    void listenTaste();
    void listenFensterGroesse();
    void neu();
    void oeffnen();
    void aktualisieren();
    void fensterMenue();
    void markierart();
    void auReDra();
    void beendenWuerdeVermerkt();
    void hauptfensterGroesse();
    void minimieren();
    void wiederherstellen();
    void maximieren();
    void seitenfensterSchliessen();
    void hauptfensterSchliessen();

    Handlung waehlen();
    bool sichtbar(int seite);
    std::array<Listenfeld*, 4> listen() const
    {
        return { m_p->f.PunktList, m_p->f.DreieList, m_p->f.ViereList, m_p->f.PolyList };
    }
    void zeigen(int seite);
    QString neueDatei(const char** art);
    const char* artVon(const QString& pfad) const;

    const std::uint64_t m_saat;
    const long m_schritte;
    Zufall m_z;
    Protokoll m_protokoll;
    std::atomic<long> m_schritt { 0 };
    std::atomic<std::int64_t> m_schrittBeginn { 0 };
    std::atomic<bool> m_fertig { false };
    bool m_ausgeben = false;
    QString m_fehler;
    char m_handlung[160] = {};

    std::unique_ptr<TestAusgabe> m_t;
    Programm* m_p = nullptr;
    Zeichenflaeche* m_flaeche = nullptr;
    BewegungsFenster* m_beweg = nullptr;
    QTemporaryDir m_ordner;
    std::map<QString, Erwartung> m_erwartungen;
    std::map<QString, const char*> m_arten;
    std::set<QString> m_plaetze;
    int m_naechsterPlatz = 0;
    QSize m_ersteGroesse;
    std::array<QSize, 4> m_ersteListengroessen;

    Qt::MouseButtons m_gehalten;
    Qt::MouseButtons m_bewegGehalten;
    QWidget* m_bewegZiel = nullptr;
    bool m_timerSollLaufen = false;
    // After Neu and after every reading that ended as it had to, each count matches its list exactly;
    // after a reading that ended with an error, the statement being read was counted without a row.
    bool m_sauber = true;
};

QString Soak::laufen()
{
    m_ausgeben = qEnvironmentVariableIsSet("ZEM_SOAK_PROTOKOLL");
    aufbauen();
    g_laufend = this;
    std::thread waechterFaden([this] { waechter(); });

    QElapsedTimer uhr;
    uhr.start();
    // Besides the two measurements that count, a few in between show whether the heap levels off.
    const long abstand = std::max(1L, m_schritte / 8);
    for (long i = 1; i <= m_schritte && m_fehler.isEmpty(); ++i) {
        m_schritt = i;
        schritt(waehlen());
        if (i == Basisschritt)
            heapNachBasis = messen();
        if (i > Basisschritt && i % abstand == 0 && i < m_schritte)
            heapVerlauf.push_back(messen());
    }
    if (m_fehler.isEmpty())
        heapAmEnde = messen();
    sekunden = uhr.nsecsElapsed() / 1e9;

    m_fertig = true;
    waechterFaden.join();
    g_laufend = nullptr;
    if (m_fehler.isEmpty() && heapNachBasis > 0)
        fordern(heapAmEnde <= heapNachBasis + HeapToleranz, "heap %lld bytes at the end, %lld after step %ld",
            heapAmEnde, heapNachBasis, Basisschritt);
    m_t.reset();
    return m_fehler;
}

void Soak::aufbauen()
{
    m_t = std::make_unique<TestAusgabe>();
    m_p = &m_t->p();
    m_flaeche = m_p->f.Flaeche;
    m_beweg = &m_t->ausgabe->bewegungsFenster();
    m_ersteGroesse = m_t->ausgabe->size();
    for (int i = 0; i < 4; ++i)
        m_ersteListengroessen[std::size_t(i)] = m_p->f.Seiten[std::size_t(i)]->size();
    m_t->ausgabe->zeigen();
    (void)QTest::qWaitForWindowExposed(m_t->ausgabe.get());
    m_t->dialoge.texte.clear(); // the welcome box
    m_t->dialoge.titel.clear();

    // Paths that the dialog may answer with, and what opening them gives.
    const QString ordner = m_ordner.path();
    QDir(ordner).mkdir(QStringLiteral("Ordner.rwx"));
    m_erwartungen[ordner + QStringLiteral("/Ordner.rwx")] = fehlschlag();
    m_arten[ordner + QStringLiteral("/Ordner.rwx")] = "a directory";
    m_erwartungen[ordner + QStringLiteral("/fehlt.rwx")] = fehlschlag();
    m_arten[ordner + QStringLiteral("/fehlt.rwx")] = "a missing file";
    m_erwartungen[QString()] = fehlschlag();
    m_arten[QString()] = "an empty name";
    m_erwartungen[QStringLiteral("/dev/zero")] = fehlschlag();
    m_arten[QStringLiteral("/dev/zero")] = "a device (/dev/zero)";
    // A regular file whose reading fails with an I/O error.
    m_erwartungen[QStringLiteral("/proc/self/mem")] = fehlschlag();
    m_arten[QStringLiteral("/proc/self/mem")] = "a file that cannot be read (/proc/self/mem)";
    const QString mitNul = ordner + QStringLiteral("/a") + QChar(0) + QStringLiteral("b.rwx");
    m_erwartungen[mitNul] = fehlschlag();
    m_arten[mitNul] = "a name with a NUL character";
    const QString fifo = ordner + QStringLiteral("/Leitung.rwx");
    if (mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0) {
        m_erwartungen[fifo] = fehlschlag();
        m_arten[fifo] = "a named pipe with no writer";
    }
    // Without read permission; root reads it all the same.
    const QString gesperrt = test::schreibeDatei(m_ordner, QStringLiteral("gesperrt.rwx"),
        "modelbegin\nclumpbegin\nvertex 1 0 0\nvertex 0 1 0\nclumpend\nmodelend\n");
    QFile(gesperrt).setPermissions({});
    if (geteuid() == 0) {
        Erwartung e;
        e.ausgang = Erwartung::Gelesen;
        e.anzahl = e.zeilen = { 2, 0, 0, 0 };
        e.ausdehnung = 1;
        m_erwartungen[gesperrt] = e;
    } else {
        m_erwartungen[gesperrt] = fehlschlag();
    }
    m_arten[gesperrt] = "a file without read permission";
    // A field longer than the input takes, after one vertex of the clump.
    QByteArray riesig = "modelbegin\nclumpbegin\nvertex 1 2 3\n";
    riesig += QByteArray(qsizetype(FeldEingabe::FeldMax) + 1, 'z');
    riesig += "\nclumpend\nmodelend\n";
    const QString riesigPfad = test::schreibeDatei(m_ordner, QStringLiteral("riesig.rwx"), riesig);
    Erwartung e = fehlschlag();
    e.anzahl = e.zeilen = { 1, 0, 0, 0 };
    m_erwartungen[riesigPfad] = e;
    m_arten[riesigPfad] = "a field of 16 MiB + 1 byte";
}

void Soak::tun(const char* format, ...)
{
    va_list argumente;
    va_start(argumente, format);
    std::vsnprintf(m_handlung, sizeof m_handlung, format, argumente);
    va_end(argumente);
    m_protokoll.eintragen(m_schritt, m_handlung);
    if (m_ausgeben)
        std::fprintf(stderr, "%7ld  %s\n", m_schritt.load(), m_handlung);
}

void Soak::fordern(bool bedingung, const char* was, ...)
{
    if (bedingung || !m_fehler.isEmpty())
        return;
    char text[400];
    va_list argumente;
    va_start(argumente, was);
    std::vsnprintf(text, sizeof text, was, argumente);
    va_end(argumente);
    m_fehler = QStringLiteral("seed %1, step %2: %3\nlast actions:\n%4")
                   .arg(m_saat)
                   .arg(m_schritt.load())
                   .arg(QString::fromUtf8(text), QString::fromStdString(m_protokoll.letzte()));
}

void Soak::schritt(Handlung handlung)
{
    const auto beginn = std::chrono::steady_clock::now();
    m_schrittBeginn = beginn.time_since_epoch().count();
    try {
        (this->*handlung)();
    } catch (const std::exception& ausnahme) {
        fordern(false, "exception out of the program: %s", ausnahme.what());
    }
    // The program answers: a call posted now runs within this round of the event loop.
    bool beantwortet = false;
    QMetaObject::invokeMethod(
        qApp, [&beantwortet] { beantwortet = true; }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    fordern(beantwortet, "the event loop did not deliver a posted call");
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - beginn).count();
    m_schrittBeginn = 0;
    fordern(ms < double(Haengegrenze.count()), "the step took %.0f ms", ms);
    if (ms > laengsterSchrittMs) {
        laengsterSchrittMs = ms;
        laengsterSchritt = m_handlung;
    }
    m_t->dialoge.texte.clear();
    m_t->dialoge.titel.clear();
    pruefen();
}

// A hang never returns to the loop, so a thread of its own watches the steps.
void Soak::waechter()
{
    while (!m_fertig) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const std::int64_t beginn = m_schrittBeginn;
        if (beginn == 0)
            continue;
        const auto jetzt = std::chrono::steady_clock::now().time_since_epoch().count();
        if (std::chrono::nanoseconds(jetzt - beginn) > Haengegrenze) {
            std::fprintf(stderr, "tst_soak: hang: seed %llu, step %ld has run for more than %lld ms\nlast actions:\n%s",
                static_cast<unsigned long long>(m_saat), m_schritt.load(), static_cast<long long>(Haengegrenze.count()),
                m_protokoll.letzte().c_str());
            std::fflush(stderr);
            std::_Exit(3);
        }
    }
}

void Soak::pruefen()
{
    const Programm& p = *m_p;
    const Szene& s = p.s;
    fordern(s.Punkte(PunktMin) == Vektor {} && s.Sichtpunkte(PunktMin) == Vektor {}, "point -4 is not the origin");

    const std::array<int, 4> anzahl { s.AnzPunkte, s.AnzDreiecke, s.AnzVierecke, s.AnzPolygone };
    const std::array<int, 4> zeilen { p.f.PunktList->ListCount(), p.f.DreieList->ListCount(),
        p.f.ViereList->ListCount(), p.f.PolyList->ListCount() };
    int ohneZeile = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        fordern(anzahl[k] >= 0 && anzahl[k] <= Grenze && zeilen[k] <= Grenze, "count %d or rows %d of kind %zu",
            anzahl[k], zeilen[k], k);
        const bool gleich = zeilen[k] == anzahl[k] || (k == 0 && anzahl[k] == 700 && zeilen[k] == Grenze);
        if (!gleich && zeilen[k] == anzahl[k] - 1)
            ++ohneZeile;
        else
            fordern(gleich, "kind %zu: count %d, %d rows", k, anzahl[k], zeilen[k]);
    }
    fordern(
        ohneZeile == 0 || (!m_sauber && ohneZeile == 1), "%d kinds with a statement counted without a row", ohneZeile);

    fordern(s.Markierart >= 0 && s.Markierart <= 3, "Markierart %d", s.Markierart);
    for (int i = 0; i < 4; ++i)
        fordern(p.f.MarkWith[std::size_t(i)]->isChecked() == (i == s.Markierart), "MarkWith %d check mark, mode %d", i,
            s.Markierart);
    fordern(std::isfinite(s.Fangweite) && std::isfinite(s.Achsenmass) && std::isfinite(s.Ausdehnung),
        "Fangweite %g, Achsenmass %g, Ausdehnung %g", double(s.Fangweite), double(s.Achsenmass), double(s.Ausdehnung));
    fordern(s.Fangpunkt >= PunktMin && s.Fangpunkt <= std::max<int>(0, s.AnzPunkte), "Fangpunkt %d of %d points",
        s.Fangpunkt, s.AnzPunkte);
    for (float w : s.Drehmatrix.m)
        fordern(std::isfinite(w), "Drehmatrix not finite");
    const Zeichenflaeche& f = *p.f.Flaeche;
    fordern(
        std::isfinite(f.scaleWidth()) && std::isfinite(f.scaleHeight()) && f.scaleWidth() != 0 && f.scaleHeight() != 0,
        "scale width %g, height %g", double(f.scaleWidth()), double(f.scaleHeight()));
    fordern(std::isfinite(f.scaleLeft()) && std::isfinite(f.scaleTop()), "scale left %g, top %g", double(f.scaleLeft()),
        double(f.scaleTop()));
    fordern(
        std::isfinite(s.MitteX) && std::isfinite(s.MitteY), "MitteX %g, MitteY %g", double(s.MitteX), double(s.MitteY));
    fordern(!f.dauerhaft() || p.f.AuReDra->isChecked(), "persistent drawing on without its check mark");
    const int zoom = p.f.ZoomScroll->value();
    fordern(zoom >= 6 && zoom <= 1000, "zoom value %d", zoom);
    for (int i = 0; i < Seite::Anzahl; ++i)
        fordern(p.f.Shows[std::size_t(i)]->isChecked() == p.f.Seiten[std::size_t(i)]->isVisible(),
            "side window %d: check mark %d, shown %d", i, int(p.f.Shows[std::size_t(i)]->isChecked()),
            int(p.f.Seiten[std::size_t(i)]->isVisible()));
    fordern(p.f.MoveTimer->isActive() == m_timerSollLaufen, "movement timer %s",
        p.f.MoveTimer->isActive() ? "runs without a held button" : "stopped while a button is held");
}

// Runs the open or the reload item and checks what it did with the file. The main window's title is set
// to a mark first: only the refresh after a reading without an error replaces it, so the mark tells
// whether the window was refreshed; a mark still standing gets the title from before back.
void Soak::laden(const char* punkt, const char* art)
{
    static const QString Marke = QStringLiteral("(soak: not refreshed)");
    const QString titelVorher = m_t->ausgabe->windowTitle();
    m_t->ausgabe->setWindowTitle(Marke);
    const auto beginn = std::chrono::steady_clock::now();
    m_t->ausgabe->findChild<QAction*>(QString::fromUtf8(punkt))->trigger();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - beginn).count();
    const bool aufgefrischt = m_t->ausgabe->windowTitle() != Marke;
    if (!aufgefrischt)
        m_t->ausgabe->setWindowTitle(titelVorher);
    const QString pfad = m_p->CommonDialog1.FileName;
    pruefeLaden(pfad, aufgefrischt, art ? art : artVon(pfad), ms);
}

// After an open or a reload of the path: the outcome that the file's content asks for.
void Soak::pruefeLaden(const QString& pfad, bool aufgefrischt, const char* art, double ms)
{
    const auto gefunden = m_erwartungen.find(pfad);
    const Erwartung e = gefunden == m_erwartungen.end() ? Erwartung {} : gefunden->second;
    const Programm& p = *m_p;
    const Szene& s = p.s;
    const std::array<int, 4> anzahl { s.AnzPunkte, s.AnzDreiecke, s.AnzVierecke, s.AnzPolygone };
    const std::array<int, 4> zeilen { p.f.PunktList->ListCount(), p.f.DreieList->ListCount(),
        p.f.ViereList->ListCount(), p.f.PolyList->ListCount() };
    const QString titel = m_t->ausgabe->windowTitle();
    const QString neuerTitel
        = (pfad.isEmpty() ? QStringLiteral("Neu") : p.CommonDialog1.FileTitle()) + QStringLiteral(" - ZemViewer");
    const int meldungen = int(m_t->dialoge.texte.size());

    Ausgaenge& a = ausgaenge[art];
    ++a.mal;
    a.aufgefrischt += aufgefrischt;
    a.meldungen += meldungen;
    a.laengsteMs = std::max(a.laengsteMs, ms);

    if (e.ausgang == Erwartung::Unbekannt) {
        m_sauber = false;
        return;
    }
    fordern(anzahl == e.anzahl && zeilen == e.zeilen,
        "reading %s (%s): counts %d %d %d %d rows %d %d %d %d, expected %d %d %d %d rows %d %d %d %d", qPrintable(pfad),
        art, anzahl[0], anzahl[1], anzahl[2], anzahl[3], zeilen[0], zeilen[1], zeilen[2], zeilen[3], e.anzahl[0],
        e.anzahl[1], e.anzahl[2], e.anzahl[3], e.zeilen[0], e.zeilen[1], e.zeilen[2], e.zeilen[3]);
    fordern(meldungen == e.meldungen, "reading %s (%s): %d messages, expected %d", qPrintable(pfad), art, meldungen,
        e.meldungen);
    if (e.ausgang == Erwartung::Gelesen) {
        fordern(
            aufgefrischt, "reading %s (%s) ended normally, yet the window was not refreshed", qPrintable(pfad), art);
        fordern(titel == neuerTitel && p.f.ZoomScroll->value() == 600 && s.Drehmatrix == Mathe::Einheit()
                && s.Sichtpunkte(-3) == s.Punkte(-3) && s.Punkte(-3).X == s.Ausdehnung,
            "reading %s (%s): after the refresh title \"%s\", zoom %d, axis end %g", qPrintable(pfad), art,
            qPrintable(titel), p.f.ZoomScroll->value(), double(s.Sichtpunkte(-3).X));
        fordern(s.Ausdehnung == e.ausdehnung, "reading %s (%s): extent %g, expected %g", qPrintable(pfad), art,
            double(s.Ausdehnung), double(e.ausdehnung));
        m_sauber = true;
    } else {
        fordern(!aufgefrischt, "reading %s (%s) failed, yet the window was refreshed", qPrintable(pfad), art);
        fordern(s.Ausdehnung == -1000.0f || anzahl[0] > 0, "reading %s (%s) failed: extent %g without a vertex",
            qPrintable(pfad), art, double(s.Ausdehnung));
        m_sauber = false;
    }
}

// The heap in a state that does not depend on where the stream stands: no model, no side window,
// no held button, the main window at its first size, Qt's pixmap cache empty.
long long Soak::messen()
{
    tun("measure the heap: release the buttons, Neu, hide the side windows, first size");
    for (Qt::MouseButton b : { Qt::LeftButton, Qt::RightButton, Qt::MiddleButton }) {
        if (m_gehalten & b) {
            m_gehalten &= ~b;
            maus(m_flaeche, QEvent::MouseButtonRelease, b, m_gehalten, {});
        }
        if (m_bewegGehalten & b) {
            m_bewegGehalten &= ~b;
            maus(m_bewegZiel, QEvent::MouseButtonRelease, b, m_bewegGehalten, {});
            if (m_bewegZiel == m_beweg->flaeche())
                m_timerSollLaufen = false;
        }
    }
    m_t->ausgabe->findChild<QAction*>(QStringLiteral("MachsNeu"))->trigger();
    m_sauber = true;
    m_t->ausgabe->showNormal();
    m_t->ausgabe->resize(m_ersteGroesse);
    // A hidden window keeps the backing store of the size it had when it was last shown, so each list
    // window is shown once at its first size before all side windows are hidden.
    for (int i = 0; i < 4; ++i) {
        m_p->f.Seiten[std::size_t(i)]->resize(m_ersteListengroessen[std::size_t(i)]);
        if (!m_p->f.Shows[std::size_t(i)]->isChecked())
            m_p->f.Shows[std::size_t(i)]->trigger();
    }
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    for (int i = 0; i < Seite::Anzahl; ++i)
        if (m_p->f.Shows[std::size_t(i)]->isChecked())
            m_p->f.Shows[std::size_t(i)]->trigger();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    QPixmapCache::clear();
    m_t->dialoge.texte.clear();
    m_t->dialoge.titel.clear();
    pruefen();
    return heapBelegt();
}

Soak::Handlung Soak::waehlen()
{
    struct Gewicht {
        double gewicht;
        Handlung handlung;
    };
    static const Gewicht tabelle[] = {
        { 20, &Soak::hauptBewegen },
        { 6, &Soak::hauptDruecken },
        { 6, &Soak::hauptLoslassen },
        { 5, &Soak::hauptKlick },
        { 3, &Soak::hauptDoppelklick },
        { 2, &Soak::bewegDruecken },
        { 2, &Soak::bewegBewegen },
        { 2, &Soak::bewegLoslassen },
        { 2, &Soak::bewegTakte },
        { 0.7, &Soak::mitte },
        { 1.5, &Soak::zoomWert },
        { 1.5, &Soak::zoomAktion },
        { 0.7, &Soak::zoomNormal },
        { 0.5, &Soak::zoomSchieber },
        { 0.5, &Soak::zoomKlick },
        { 6, &Soak::listenKlick },
        { 1, &Soak::listenDoppelklick },
        { 2, &Soak::listenTaste },
        { 0.4, &Soak::listenFensterGroesse },
        { 0.6, &Soak::neu },
        { 3, &Soak::oeffnen },
        { 1.5, &Soak::aktualisieren },
        { 3, &Soak::fensterMenue },
        { 2, &Soak::markierart },
        { 1, &Soak::auReDra },
        { 0.1, &Soak::beendenWuerdeVermerkt },
        { 1.2, &Soak::hauptfensterGroesse },
        { 0.3, &Soak::minimieren },
        { 0.4, &Soak::wiederherstellen },
        { 0.2, &Soak::maximieren },
        { 0.6, &Soak::seitenfensterSchliessen },
        { 0.05, &Soak::hauptfensterSchliessen },
    };
    // A minimised window gets restored soon, as a user would.
    if (m_t->ausgabe->isMinimized() && m_z.chance(0.3))
        return &Soak::wiederherstellen;
    double summe = 0;
    for (const Gewicht& g : tabelle)
        summe += g.gewicht;
    double wahl = m_z.bruch() * summe;
    for (const Gewicht& g : tabelle) {
        if (wahl < g.gewicht)
            return g.handlung;
        wahl -= g.gewicht;
    }
    return tabelle[0].handlung;
}

// A position for an area of the given size: mostly inside, often exactly on or next to an edge,
// sometimes far beyond.
QPointF Soak::ort(QSize groesse)
{
    const auto koordinate = [this](int n) -> double {
        const double r = m_z.bruch();
        if (r < 0.7)
            return m_z.zahl(0, std::max(0, n - 1)) + (m_z.chance(0.1) ? 0.5 : 0.0);
        if (r < 0.85) {
            const int kanten[] = { -1, 0, 1, n - 1, n, n + 1 };
            return m_z.eines(kanten);
        }
        if (r < 0.98)
            return m_z.zahl(-2 * n - 10, 3 * n + 10);
        return m_z.chance(0.5) ? -100000.0 : 100000.0;
    };
    return { koordinate(groesse.width()), koordinate(groesse.height()) };
}

Qt::MouseButton Soak::knopf()
{
    static const Qt::MouseButton knoepfe[]
        = { Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::RightButton, Qt::MiddleButton };
    return m_z.eines(knoepfe);
}

const char* knopfName(Qt::MouseButton b)
{
    return b == Qt::LeftButton ? "left" : b == Qt::RightButton ? "right" : "middle";
}

void Soak::hauptBewegen()
{
    const QPointF o = ort(m_flaeche->size());
    tun("main window: move to %g,%g, buttons %d", o.x(), o.y(), int(m_gehalten));
    maus(m_flaeche, QEvent::MouseMove, Qt::NoButton, m_gehalten, o);
}

void Soak::hauptDruecken()
{
    const Qt::MouseButton b = knopf();
    if (m_gehalten & b)
        return hauptLoslassen();
    const QPointF o = ort(m_flaeche->size());
    m_gehalten |= b;
    tun("main window: press %s at %g,%g, buttons %d", knopfName(b), o.x(), o.y(), int(m_gehalten));
    maus(m_flaeche, QEvent::MouseButtonPress, b, m_gehalten, o);
}

void Soak::hauptLoslassen()
{
    if (!m_gehalten)
        return hauptBewegen();
    Qt::MouseButton b = knopf();
    while (!(m_gehalten & b))
        b = knopf();
    const QPointF o = ort(m_flaeche->size());
    m_gehalten &= ~b;
    tun("main window: release %s at %g,%g", knopfName(b), o.x(), o.y());
    maus(m_flaeche, QEvent::MouseButtonRelease, b, m_gehalten, o);
}

void Soak::hauptKlick()
{
    if (m_gehalten)
        return hauptLoslassen();
    const Qt::MouseButton b = knopf();
    const QPointF o = ort(m_flaeche->size());
    tun("main window: click %s at %g,%g", knopfName(b), o.x(), o.y());
    maus(m_flaeche, QEvent::MouseButtonPress, b, b, o);
    maus(m_flaeche, QEvent::MouseButtonRelease, b, {}, o);
}

// Qt delivers a double click as press, release, double click, release.
void Soak::hauptDoppelklick()
{
    if (m_gehalten)
        return hauptLoslassen();
    const Qt::MouseButton b = knopf();
    const QPointF o = ort(m_flaeche->size());
    tun("main window: double click %s at %g,%g", knopfName(b), o.x(), o.y());
    maus(m_flaeche, QEvent::MouseButtonPress, b, b, o);
    maus(m_flaeche, QEvent::MouseButtonRelease, b, {}, o);
    maus(m_flaeche, QEvent::MouseButtonDblClick, b, b, o);
    maus(m_flaeche, QEvent::MouseButtonRelease, b, {}, o);
}

bool Soak::sichtbar(int seite)
{
    return m_p->f.Seiten[std::size_t(seite)]->isVisible();
}

// A user shows a side window through the "Fenster" menu before working in it.
void Soak::zeigen(int seite)
{
    tun("Fenster menu: show side window %d", seite);
    m_p->f.Shows[std::size_t(seite)]->trigger();
}

void Soak::bewegDruecken()
{
    if (!sichtbar(Seite::BewegungsFenster) && !m_bewegGehalten)
        return zeigen(Seite::BewegungsFenster);
    const Qt::MouseButton b = knopf();
    if (m_bewegGehalten & b)
        return bewegLoslassen();
    const QPointF o = ort(m_beweg->size());
    // The first press decides which widget gets the events up to the last release.
    if (!m_bewegGehalten) {
        const QRect knopfFeld = m_beweg->Command1->geometry();
        m_bewegZiel = knopfFeld.contains(o.toPoint()) ? static_cast<QWidget*>(m_beweg->Command1) : m_beweg->flaeche();
    }
    const QPointF lokal = o - QPointF(m_bewegZiel->pos());
    m_bewegGehalten |= b;
    tun("movement window: press %s at %g,%g on %s", knopfName(b), o.x(), o.y(),
        m_bewegZiel == m_beweg->flaeche() ? "the arrows" : "Mitte");
    maus(m_bewegZiel, QEvent::MouseButtonPress, b, m_bewegGehalten, lokal);
    if (m_bewegZiel == m_beweg->flaeche())
        m_timerSollLaufen = true;
}

void Soak::bewegBewegen()
{
    // While a button is held the pointer may travel to the far edge of the screen and stay there.
    const QPointF o = m_bewegGehalten && m_z.chance(0.15)
        ? QPointF(m_z.zahl(-100000, 100000), m_z.zahl(-100000, 100000))
        : ort(m_beweg->size());
    QWidget* ziel = m_bewegGehalten ? m_bewegZiel : m_beweg->flaeche();
    tun("movement window: move to %g,%g, buttons %d", o.x(), o.y(), int(m_bewegGehalten));
    maus(ziel, QEvent::MouseMove, Qt::NoButton, m_bewegGehalten, o - QPointF(ziel->pos()));
}

void Soak::bewegLoslassen()
{
    if (!m_bewegGehalten)
        return bewegBewegen();
    Qt::MouseButton b = knopf();
    while (!(m_bewegGehalten & b))
        b = knopf();
    const QPointF o = ort(m_beweg->size());
    m_bewegGehalten &= ~b;
    tun("movement window: release %s at %g,%g", knopfName(b), o.x(), o.y());
    maus(m_bewegZiel, QEvent::MouseButtonRelease, b, m_bewegGehalten, o - QPointF(m_bewegZiel->pos()));
    // Any release on the arrows stops the timer, also the first of two held buttons.
    if (m_bewegZiel == m_beweg->flaeche())
        m_timerSollLaufen = false;
}

// The ticks of the timer while a button is held: the pan step itself, as the timer would call it.
void Soak::bewegTakte()
{
    if (!m_p->f.MoveTimer->isActive())
        return bewegDruecken();
    const int takte = m_z.zahl(1, 50);
    tun("movement window: %d pan steps, step %g,%g", takte, double(m_p->s.BewegX), double(m_p->s.BewegY));
    for (int i = 0; i < takte; ++i)
        BewegungsFenster::MoveTimer_Timer(*m_p);
}

void Soak::mitte()
{
    if (!sichtbar(Seite::BewegungsFenster))
        return zeigen(Seite::BewegungsFenster);
    tun("movement window: click Mitte");
    QTest::mouseClick(m_beweg->Command1, Qt::LeftButton);
}

void Soak::zoomWert()
{
    static const int seltene[] = { -100, 0, 5, 6, 7, 9, 1000, 1001, 40000 };
    const int wert = m_z.chance(0.8) ? m_z.zahl(6, 1000) : m_z.eines(seltene);
    tun("zoom: value %d", wert);
    m_p->f.ZoomScroll->setValue(wert);
}

void Soak::zoomAktion()
{
    static const QAbstractSlider::SliderAction aktionen[] = { QAbstractSlider::SliderSingleStepAdd,
        QAbstractSlider::SliderSingleStepSub, QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderPageStepSub,
        QAbstractSlider::SliderToMinimum, QAbstractSlider::SliderToMaximum };
    const auto aktion = m_z.eines(aktionen);
    tun("zoom: scroll bar action %d", int(aktion));
    m_p->f.ZoomScroll->triggerAction(aktion);
}

void Soak::zoomNormal()
{
    if (!sichtbar(Seite::ZoomFenster))
        return zeigen(Seite::ZoomFenster);
    tun("zoom: click Normal");
    QTest::mouseClick(
        m_p->f.Seiten[Seite::ZoomFenster]->findChild<QPushButton*>(QStringLiteral("ZoomNormal")), Qt::LeftButton);
}

// Dragging the thumb changes the value only on its release.
void Soak::zoomSchieber()
{
    QScrollBar& leiste = *m_p->f.ZoomScroll;
    const int ziel = m_z.zahl(6, 1000);
    tun("zoom: drag the thumb to %d", ziel);
    leiste.setSliderDown(true);
    leiste.setSliderPosition(ziel);
    leiste.setSliderDown(false);
}

void Soak::zoomKlick()
{
    if (!sichtbar(Seite::ZoomFenster))
        return zeigen(Seite::ZoomFenster);
    QScrollBar* leiste = m_p->f.ZoomScroll;
    const QPoint o(m_z.zahl(0, leiste->width() - 1), m_z.zahl(0, leiste->height() - 1));
    tun("zoom: click the scroll bar at %d,%d", o.x(), o.y());
    QTest::mouseClick(leiste, Qt::LeftButton, {}, o);
}

void Soak::listenKlick()
{
    const int i = m_z.zahl(0, 3);
    if (!sichtbar(i))
        return zeigen(i);
    Listenfeld* liste = listen()[std::size_t(i)];
    QPoint o(m_z.zahl(0, std::max(0, liste->viewport()->width() - 1)),
        m_z.zahl(0, std::max(0, liste->viewport()->height() - 1)));
    int zeile = -1;
    if (liste->count() > 0 && m_z.chance(0.9)) {
        zeile = m_z.zahl(0, liste->count() - 1);
        QListWidgetItem* eintrag = liste->item(zeile);
        liste->scrollToItem(eintrag);
        const QRect feld = liste->visualItemRect(eintrag);
        if (liste->viewport()->rect().contains(feld.center()))
            o = feld.center();
    }
    static const Qt::KeyboardModifiers umschalter[]
        = { Qt::NoModifier, Qt::NoModifier, Qt::NoModifier, Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier };
    const Qt::MouseButton b = m_z.chance(0.8) ? Qt::LeftButton : knopf();
    const Qt::KeyboardModifiers u = m_z.eines(umschalter);
    tun("list %d: click %s on row %d at %d,%d, modifiers %x", i, knopfName(b), zeile, o.x(), o.y(), unsigned(u));
    QTest::mouseClick(liste->viewport(), b, u, o);
}

void Soak::listenDoppelklick()
{
    const int i = m_z.zahl(0, 3);
    if (!sichtbar(i))
        return zeigen(i);
    Listenfeld* liste = listen()[std::size_t(i)];
    const QPoint o(m_z.zahl(0, std::max(0, liste->viewport()->width() - 1)),
        m_z.zahl(0, std::max(0, liste->viewport()->height() - 1)));
    tun("list %d: double click at %d,%d", i, o.x(), o.y());
    QTest::mousePress(liste->viewport(), Qt::LeftButton, {}, o);
    QTest::mouseRelease(liste->viewport(), Qt::LeftButton, {}, o);
    QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, o);
    QTest::mouseRelease(liste->viewport(), Qt::LeftButton, {}, o);
}

// Keys change the selection without the release handler: the drawing follows at the next redraw.
void Soak::listenTaste()
{
    const int i = m_z.zahl(0, 3);
    if (!sichtbar(i))
        return zeigen(i);
    struct Taste {
        Qt::Key taste;
        Qt::KeyboardModifiers umschalt;
    };
    static const Taste tasten[] = { { Qt::Key_Space, {} }, { Qt::Key_Down, {} }, { Qt::Key_Up, {} },
        { Qt::Key_End, {} }, { Qt::Key_Home, {} }, { Qt::Key_PageDown, {} }, { Qt::Key_A, Qt::ControlModifier } };
    const Taste& t = m_z.eines(tasten);
    tun("list %d: key %x, modifiers %x", i, unsigned(t.taste), unsigned(t.umschalt));
    QTest::keyClick(listen()[std::size_t(i)], t.taste, t.umschalt);
}

void Soak::listenFensterGroesse()
{
    const int i = m_z.zahl(0, 3);
    const QSize g(m_z.zahl(0, 500), m_z.zahl(0, 500));
    tun("list window %d: resize to %dx%d", i, g.width(), g.height());
    m_p->f.Seiten[std::size_t(i)]->resize(g);
}

void Soak::neu()
{
    tun("Datei menu: Neu");
    m_t->ausgabe->findChild<QAction*>(QStringLiteral("MachsNeu"))->trigger();
    m_sauber = true;
}

// A new file in one of a dozen places, so that the folder does not grow.
QString Soak::neueDatei(const char** art)
{
    static const char* const namen[] = { "modell", "Haus ä", "x,y", "würfel" };
    const QString name = QStringLiteral("%1 %2.rwx").arg(QString::fromUtf8(m_z.eines(namen))).arg(m_naechsterPlatz);
    m_naechsterPlatz = (m_naechsterPlatz + 1) % 12;
    const Datei datei = zufallsdatei(m_z);
    const QString pfad = m_ordner.filePath(name);
    QFile::remove(pfad);
    test::schreibeDatei(m_ordner, name, datei.inhalt);
    m_erwartungen[pfad] = datei.erwartung;
    m_arten[pfad] = datei.art;
    m_plaetze.insert(pfad);
    *art = datei.art;
    return pfad;
}

const char* Soak::artVon(const QString& pfad) const
{
    const auto gefunden = m_arten.find(pfad);
    return gefunden == m_arten.end() ? "a path of unknown content" : gefunden->second;
}

void Soak::oeffnen()
{
    const char* art = nullptr;
    std::optional<QString> antwort;
    const double r = m_z.bruch();
    if (r < 0.8) {
        antwort = neueDatei(&art);
    } else if (r < 0.85) {
        art = "cancel: the current file is read again";
    } else {
        // One of the paths that cannot be read, or a file that was written before.
        auto eintrag = m_erwartungen.begin();
        std::advance(eintrag, m_z.zahl(0, int(m_erwartungen.size()) - 1));
        antwort = eintrag->first;
        art = artVon(eintrag->first);
    }
    m_t->dialoge.naechsteDateien.push_back(antwort);
    tun("Datei menu: Öffnen, dialog answers %s: %s", antwort ? qPrintable(*antwort) : "cancel", art);
    laden("Öffnen", antwort ? nullptr : art);
}

// A reload, now and then after the file changed or vanished.
void Soak::aktualisieren()
{
    const QString pfad = m_p->CommonDialog1.FileName;
    const char* art = pfad.isEmpty() ? "no file chosen yet" : artVon(pfad);
    if (m_plaetze.count(pfad) && QFileInfo(pfad).isFile()) {
        const double r = m_z.bruch();
        if (r < 0.4) {
            const Datei datei = zufallsdatei(m_z);
            test::schreibeDatei(m_ordner, QFileInfo(pfad).fileName(), datei.inhalt);
            m_erwartungen[pfad] = datei.erwartung;
            m_arten[pfad] = datei.art;
            art = datei.art;
        } else if (r < 0.5) {
            QFile::remove(pfad);
            m_erwartungen[pfad] = fehlschlag();
            m_arten[pfad] = "a file deleted after it was opened";
            art = artVon(pfad);
        }
    }
    tun("Datei menu: Aktualisieren of %s: %s", qPrintable(pfad), art);
    laden("Aktualisieren", art);
}

void Soak::fensterMenue()
{
    const int i = m_z.zahl(0, Seite::Anzahl - 1);
    tun("Fenster menu: item %d", i);
    m_p->f.Shows[std::size_t(i)]->trigger();
}

void Soak::markierart()
{
    const int i = m_z.zahl(0, 3);
    tun("Optionen menu: marking mode %d", i);
    m_p->f.MarkWith[std::size_t(i)]->trigger();
}

void Soak::auReDra()
{
    tun("Optionen menu: Automatische Wiederselbstherstellung");
    m_p->f.AuReDra->trigger();
}

// "Beenden" would end the program; the test program records the end instead.
void Soak::beendenWuerdeVermerkt()
{
    const int vorher = m_t->beendet;
    tun("Datei menu: Beenden (recorded, not carried out)");
    m_t->ausgabe->findChild<QAction*>(QStringLiteral("Beenden"))->trigger();
    fordern(m_t->beendet == vorher + 1, "Beenden was not recorded");
}

void Soak::hauptfensterGroesse()
{
    QSize g;
    const double r = m_z.bruch();
    if (r < 0.7)
        g = QSize(m_z.zahl(150, 900), m_z.zahl(120, 700));
    else if (r < 0.9)
        // Down to nothing: a window no taller than its menu bar lays out nothing and leaves the drawing
        // surface as it was; a few pixels more leave a surface of one pixel.
        g = QSize(m_z.zahl(0, 30), m_z.zahl(0, 45));
    else
        g = QSize(m_z.zahl(900, 1600), m_z.zahl(700, 1200));
    tun("main window: resize to %dx%d", g.width(), g.height());
    m_t->ausgabe->resize(g);
}

void Soak::minimieren()
{
    tun("main window: minimise");
    m_t->ausgabe->showMinimized();
}

void Soak::wiederherstellen()
{
    tun("main window: restore");
    m_t->ausgabe->showNormal();
}

void Soak::maximieren()
{
    tun("main window: maximise");
    m_t->ausgabe->showMaximized();
}

void Soak::seitenfensterSchliessen()
{
    const int i = m_z.zahl(0, Seite::Anzahl - 1);
    tun("side window %d: close button", i);
    m_p->f.Seiten[std::size_t(i)]->close();
}

// Closing the main window ends the program; the test program records the end, and the window comes
// back for the rest of the stream.
void Soak::hauptfensterSchliessen()
{
    if (m_gehalten)
        return hauptLoslassen();
    const int vorher = m_t->beendet;
    tun("main window: close (recorded), then shown again");
    m_t->ausgabe->close();
    fordern(m_t->beendet == vorher + 1, "closing the main window was not recorded");
    m_t->ausgabe->zeigen();
}

void absturzMelden(int signal)
{
    if (Soak* lauf = g_laufend) {
        char kopf[160];
        const int laenge
            = std::snprintf(kopf, sizeof kopf, "tst_soak: signal %d at seed %llu, step %ld\nlast actions:\n", signal,
                static_cast<unsigned long long>(lauf->saat()), lauf->schritt());
        if (laenge > 0)
            (void)!write(STDERR_FILENO, kopf, std::size_t(laenge));
        const std::string letzte = lauf->protokoll().letzteOhneSperre();
        (void)!write(STDERR_FILENO, letzte.data(), letzte.size());
    }
}

#ifdef ZEM_SOAK_ASAN
void sanitizerTod()
{
    absturzMelden(0);
}
#endif

struct sigaction g_vorher[32];

void signalBehandeln(int signal)
{
    absturzMelden(signal);
    // Then whoever handled it before: Qt Test prints its stack and ends the run.
    sigaction(signal, &g_vorher[signal], nullptr);
    raise(signal);
}

QtMessageHandler g_vorherigeAusgabe = nullptr;

// A release on the main window lowers it and raises the coordinates window, which the offscreen
// platform cannot do and says so each time; every other message goes on as before.
void meldungenFiltern(QtMsgType typ, const QMessageLogContext& kontext, const QString& text)
{
    if (typ == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_vorherigeAusgabe(typ, kontext, text);
}

void absturzmeldungEinrichten()
{
#ifdef ZEM_SOAK_ASAN
    __sanitizer_set_death_callback(sanitizerTod);
#endif
    for (int signal : { SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT }) {
        struct sigaction neu { };
        neu.sa_handler = signalBehandeln;
        sigemptyset(&neu.sa_mask);
        sigaction(signal, &neu, &g_vorher[signal]);
    }
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        absturzmeldungEinrichten();
        g_vorherigeAusgabe = qInstallMessageHandler(meldungenFiltern);
    }

    void zufallsstrom_data()
    {
        QTest::addColumn<quint64>("saat");
        const long eigene = umgebungszahl("ZEM_SOAK_SAAT", -1);
        if (eigene >= 0) {
            QTest::newRow("ZEM_SOAK_SAAT") << quint64(eigene);
            return;
        }
        QTest::newRow("seed 1") << quint64(1);
        QTest::newRow("seed 20240229") << quint64(20240229);
        QTest::newRow("seed 987654321") << quint64(987654321);
    }
    void zufallsstrom()
    {
        QFETCH(quint64, saat);
        Soak lauf(saat, umgebungszahl("ZEM_SOAK_SCHRITTE", SchritteJeSaat));
        const QString fehler = lauf.laufen();
        if (!fehler.isEmpty())
            QFAIL(qPrintable(fehler));
        const long schritte = umgebungszahl("ZEM_SOAK_SCHRITTE", SchritteJeSaat);
        qInfo("seed %llu: %ld steps in %.1f s, %.0f steps/s; heap %lld bytes after step %ld, %lld at the end; "
              "longest step %.1f ms: %s",
            static_cast<unsigned long long>(saat), schritte, lauf.sekunden, schritte / lauf.sekunden,
            lauf.heapNachBasis, Basisschritt, lauf.heapAmEnde, lauf.laengsterSchrittMs, lauf.laengsterSchritt.c_str());
        QByteArray verlauf;
        for (long long h : lauf.heapVerlauf)
            verlauf += QByteArray::number(h) + ' ';
        qInfo("  heap between: %s", verlauf.constData());
        for (const auto& [art, a] : lauf.ausgaenge)
            qInfo("  %-52s %4d times, refreshed %4d, messages %4d, longest %.1f ms", art.c_str(), a.mal, a.aufgefrischt,
                a.meldungen, a.laengsteMs);
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
