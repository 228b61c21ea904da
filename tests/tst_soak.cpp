// The whole program under a long, seeded, random stream of what a user does with it: the mouse on the
// main window and the movement window, the zoom window, the four lists, every menu command, window sizes
// and states, and opens and reloads of valid and broken model files written on the way. After every step
// the program must answer and its state must hold together; at the end the heap must be no larger than
// after step 1000. A failure, a hang or a crash names the seed, the step and the last actions.

#include "TestProgramm.h"

#include "ui/side/BewegungsFenster.h"

#include <QPixmapCache>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <functional>
#include <map>
#include <random>

#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define ZEM_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZEM_SOAK_ASAN 1
#endif
#endif
// Steps per seed, the seconds a step may take, and the bytes in use on the heap. The sanitizers make a step
// three to four times slower, and their allocator counts the heap.
#ifdef ZEM_SOAK_ASAN
#include <sanitizer/common_interface_defs.h>
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
constexpr int SchritteJeSaat = 12000;
constexpr unsigned HaengegrenzeS = 8;
const auto heapBelegt = [] { return static_cast<long long>(__sanitizer_get_current_allocated_bytes()); };
#else
constexpr int SchritteJeSaat = 34000;
constexpr unsigned HaengegrenzeS = 2;
const auto heapBelegt = [] { return static_cast<long long>(mallinfo2().uordblks); };
#endif

using namespace zem;

namespace {

constexpr int Basisschritt = 1000;
// How much the heap may grow from step 1000 to the end. Qt's caches (glyphs, layouts, fonts) fill as new
// texts and sizes come along; over 100,000 steps they level off about 200 kB above the heap at step 1000.
// What depends on where the stream stands is put back before each measurement (see messen). A leak of 32
// bytes a step passes this bound within 34,000 steps, one of 96 bytes within the 12,000 of a sanitizer run.
constexpr long long HeapToleranz = 1 << 20;

struct Zufall {
    std::mt19937_64 m;
    int zahl(int von, int bis) { return von + int(m() % std::uint64_t(bis - von + 1)); }
    bool chance(double p) { return double(m() >> 11) * 0x1p-53 < p; }
    template <typename T, std::size_t N> T eines(const T (&w)[N]) { return w[std::size_t(zahl(0, int(N) - 1))]; }
};

// What ends the reading or the clump, or leaves the outcome open: numbers that overflow single precision
// or 16 bits, a nested clump, long lines, statements beyond the 32767th character, binary junk, nothing.
QByteArray fehler(Zufall& z)
{
    static const char* const faelle[]
        = { "vertex 1 2 1e39", "vertex -3.5e38 0 0", "vertex 1 1e309 2", "triangle 1 32768 2", "quad -32769 1 2 3",
              "polygon 40000 1 2 3", "polygon 3 1 2 1e10", "triangle 1 2 32767.5", "clumpbegin", "modelend", "" };
    const QByteArray lang(z.zahl(33000, 200000), z.chance(0.5) ? 'x' : ' ');
    QByteArray muell;
    switch (z.zahl(0, 4)) {
    case 0:
        return z.eines<const char*>({ "#", "vertex 1 2 3", "", "quad" }) + lang
            + z.eines<const char*>({ "", " vertex 1 2 3", " 1 2 3 4" });
    case 1: // statements on lines of their own: list rows of random characters would load fallback fonts
        for (int i = z.zahl(0, 3000); i > 0; --i)
            muell += z.chance(0.03) ? "\nvertex 1 2 3\n" : QByteArray(1, char(z.chance(0.2) ? 0 : z.zahl(0, 255)));
        return muell;
    default:
        return z.eines(faelle);
    }
}

// A model file, and whether it is valid: every number fits and the clump closes, though a count may pass
// the limit of 998, and spellings, values at the ends of single precision, corner indices outside
// -4..1010 and polygon counts of 60, 0 and below may be odd. A broken file has a fault too, or only that.
QByteArray modelldatei(Zufall& z, bool& gueltig)
{
    static const char* const woerter[] = { "vertex", "triangle", "quad", "polygon" };
    static const char* const seltsam[2][10]
        = { { ".5", "7abc", "1.2.3", "1e", "-0", "1e-400", "3E1", "3.4e38", "-3.4028234e38", "1e-45" },
              { "0", "-4", "-5", "-100", "1010", "1011", "32767", "-32768", "2.5", "x" } };
    gueltig = z.chance(0.6);
    if (!gueltig && z.chance(0.2))
        return fehler(z);
    QByteArray text = "modelbegin\nclumpbegin\n";
    int anzahl[4];
    for (int& n : anzahl)
        n = z.chance(0.9) ? z.zahl(0, z.eines({ 10, 80, 400 })) : z.zahl(990, 1003);
    const int punkte = anzahl[0];
    for (int stelle = gueltig ? -1 : z.zahl(0, 100);; --stelle) {
        const bool ende = anzahl[0] + anzahl[1] + anzahl[2] + anzahl[3] == 0;
        if (stelle == 0 || (ende && stelle > 0))
            text += fehler(z) + '\n';
        if (ende)
            return text + "clumpend\nmodelend\n";
        int art = anzahl[0] > 0 ? 0 : z.zahl(1, 3); // the points first, then the elements in any order
        while (anzahl[art] == 0)
            art = art % 3 + 1;
        --anzahl[art];
        text += woerter[art];
        int n = art == 0 ? 3 : art + 2;
        if (art == 3) {
            n = z.chance(0.7) ? z.zahl(3, 8) : z.eines({ 0, -2, 1, 50, 51, 60, 32767 });
            text += ' ' + QByteArray::number(n);
            n = n > 50 ? z.zahl(50, 60) : std::max(0, n);
        }
        for (int i = 0; i < n; ++i)
            text += ' '
                + (z.chance(0.1)   ? QByteArray(z.eines(seltsam[art > 0]))
                        : art == 0 ? QByteArray::number(z.zahl(-99999, 99999) / 1000.0)
                                   : QByteArray::number(z.zahl(1, punkte + 3)));
        text += '\n';
    }
}

// What a report of a failure, a hang or a crash names: the seed, the step and the last actions.
unsigned long long g_saat = 0;
long g_schritt = 0, g_eintraege = 0; // the step, and how many actions the stream has done
char g_letzte[12][200];
QtMessageHandler g_meldungen = nullptr;

void berichten(const char* was)
{
    dprintf(STDERR_FILENO, "tst_soak: %s at seed %llu, step %ld; last actions:\n", was, g_saat, g_schritt);
    for (long i = std::max(0L, g_eintraege - 12); i < g_eintraege; ++i)
        dprintf(STDERR_FILENO, "%s\n", g_letzte[i % 12]);
}

struct Soak {
    explicit Soak(std::uint64_t saat)
        : m_z { std::mt19937_64(saat) }
        , m_t(std::make_unique<test::TestAusgabe>())
        , m_p(m_t->p())
        , m_f(m_p.f)
        , m_listen { m_f.PunktList, m_f.DreieList, m_f.ViereList, m_f.PolyList }
    {
        g_saat = saat;
        g_eintraege = 0;
        m_t->ausgabe->zeigen();
        (void)QTest::qWaitForWindowExposed(m_t->ausgabe.get());
        // Paths that give no model: a directory, a missing file, a named pipe without a writer, a file
        // without read permission (root reads it all the same), a NUL in the name, an empty name, a device
        // and a file whose reading fails.
        const QString o = m_ordner.path() + '/';
        mkdir(QFile::encodeName(o + "Ordner.rwx").constData(), 0700);
        mkfifo(QFile::encodeName(o + "Leitung.rwx").constData(), 0600);
        QFile(test::schreibeDatei(m_ordner, "gesperrt.rwx", "modelbegin\nclumpbegin\n")).setPermissions({});
        for (const QString& pfad : { o + "Ordner.rwx", o + "fehlt.rwx", o + "Leitung.rwx", o + "gesperrt.rwx",
                 o + "a" + QChar(0) + "b.rwx", QString(), QString("/dev/zero"), QString("/proc/self/mem") })
            m_gueltig[pfad] = false;
    }

    // Runs the stream; gives the report of the first failure, or nothing.
    QString laufen(int schritte)
    {
        const auto anfang = std::chrono::steady_clock::now();
        for (int i = 1; i <= schritte && m_fehler.isEmpty(); ++i) {
            g_schritt = i;
            alarm(HaengegrenzeS); // a hang never comes back: the alarm's signal ends the run with the report
            handlung();
            // The program answers: a call posted now runs within this round of the event loop.
            bool beantwortet = false;
            QMetaObject::invokeMethod(
                qApp, [&beantwortet] { beantwortet = true; }, Qt::QueuedConnection);
            QCoreApplication::processEvents();
            alarm(0);
            fordern(beantwortet, "the event loop did not deliver a posted call");
            m_t->dialoge.texte = m_t->dialoge.titel = {};
            pruefen();
            if (i == Basisschritt)
                heapBasis = messen();
        }
        heapEnde = m_fehler.isEmpty() ? messen() : 0;
        sekunden = std::chrono::duration<double>(std::chrono::steady_clock::now() - anfang).count();
        fordern(heapBasis == 0 || heapEnde <= heapBasis + HeapToleranz,
            "heap %lld bytes at the end, %lld after step %d", heapEnde, heapBasis, Basisschritt);
        return m_fehler;
    }

    template <typename... Werte> void tun(const char* format, Werte... werte)
    {
        char* eintrag = g_letzte[g_eintraege++ % 12];
        const int laenge = std::snprintf(eintrag, sizeof g_letzte[0], "%7ld  ", g_schritt);
        std::snprintf(eintrag + laenge, sizeof g_letzte[0] - std::size_t(laenge), format, werte...);
    }

    template <typename... Werte> void fordern(bool bedingung, const char* format, Werte... werte)
    {
        if (bedingung || !m_fehler.isEmpty())
            return;
        char text[300];
        std::snprintf(text, sizeof text, format, werte...);
        berichten(text);
        m_fehler = QStringLiteral("seed %1, step %2: %3 (last actions above)").arg(g_saat).arg(g_schritt).arg(text);
    }

    void pruefen()
    {
        const Szene& s = m_p.s;
        fordern(s.Punkte(PunktMin) == Vektor {} && s.Sichtpunkte(PunktMin) == Vektor {}, "point -4 is not the origin");
        const int anzahl[] = { s.AnzPunkte, s.AnzDreiecke, s.AnzVierecke, s.AnzPolygone };
        int ohneZeile = 0;
        for (int k = 0; k < 4; ++k) {
            const int zeilen = m_listen[k]->ListCount();
            // After the vertex limit the points list keeps 998 rows for 700 points.
            const bool gleich = zeilen == anzahl[k] || (k == 0 && anzahl[k] == 700 && zeilen == Grenze);
            ohneZeile += !gleich && zeilen == anzahl[k] - 1;
            fordern(anzahl[k] >= 0 && anzahl[k] <= Grenze && (gleich || zeilen == anzahl[k] - 1),
                "kind %d: count %d, %d rows", k, anzahl[k], zeilen);
        }
        // A reading that failed may leave the statement it was reading counted without its row.
        fordern(ohneZeile == 0 || (ohneZeile == 1 && !m_sauber), "%d kinds counted without a row", ohneZeile);
        fordern(std::count_if(m_f.MarkWith.begin(), m_f.MarkWith.end(), std::mem_fn(&QAction::isChecked)) == 1
                && s.Markierart >= 0 && s.Markierart <= 3 && m_f.MarkWith[s.Markierart]->isChecked(),
            "marking mode %d and its check marks", s.Markierart);
        const Zeichenflaeche& z = *m_f.Flaeche;
        const float* d = s.Drehmatrix.m;
        for (float w : { s.Fangweite, s.Achsenmass, s.Ausdehnung, s.MitteX, s.MitteY, z.scaleLeft(), z.scaleTop(),
                 z.scaleWidth(), z.scaleHeight(), d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8] })
            fordern(std::isfinite(w), "a view value is %g", double(w));
        fordern(m_f.ZoomScroll->value() >= 6 && m_f.ZoomScroll->value() <= 1000, "zoom %d", m_f.ZoomScroll->value());
        for (std::size_t i = 0; i < Seite::Anzahl; ++i)
            fordern(m_f.Shows[i]->isChecked() == m_f.Seiten[i]->isVisible(), "side window %zu: check mark", i);
        fordern(m_f.MoveTimer->isActive() == m_timerLaeuft, "the movement timer runs: %d", m_f.MoveTimer->isActive());
    }

    // The heap in a state that does not depend on where the stream stands: no model, no held button, every
    // window shown at one size, Qt's pixmap cache empty.
    long long messen()
    {
        for (Qt::MouseButton b : { Qt::LeftButton, Qt::RightButton, Qt::MiddleButton }) {
            if (m_gehalten.testFlag(b))
                maus(m_f.Flaeche, QEvent::MouseButtonRelease, b, m_gehalten &= ~b, {});
            if (m_bewegGehalten.testFlag(b))
                maus(m_bewegZiel, QEvent::MouseButtonRelease, b, m_bewegGehalten &= ~b, {});
        }
        ausloesen(aktion("MachsNeu"));
        m_t->ausgabe->showNormal();
        m_t->ausgabe->resize(600, 500);
        for (int i = 0; i < Seite::Anzahl; ++i) {
            m_f.Seiten[i]->resize(i < 4 ? QSize(200, 300) : m_f.Seiten[i]->size()); // only the lists change size
            zeigen(i);
        }
        QCoreApplication::processEvents();
        QPixmapCache::clear();
        pruefen();
        return heapBelegt();
    }

    void handlung()
    {
        // How often each case below comes, in tenths of a percent.
        std::discrete_distribution<int> verteilung { 600, 20, 60, 110, 80, 40, 20, 40, 30 };
        const int h = verteilung(m_z.m);
        if (m_t->ausgabe->isMinimized() && m_z.chance(0.3)) {
            tun("main window: restore"); // as a user soon would
            return m_t->ausgabe->showNormal();
        }
        BewegungsFenster& bewegung = m_t->ausgabe->bewegungsFenster();
        switch (h) {
        case 0: { // the mouse on the main window or the movement window: moves, presses and releases (two
                  // buttons held together among them), clicks and double clicks, which Qt delivers as press,
                  // release, double click, release. The first press on the movement window picks the arrows
                  // or "Mitte" for the events up to the last release.
            const bool haupt = m_z.chance(0.8);
            Qt::MouseButtons& gehalten = haupt ? m_gehalten : m_bewegGehalten;
            if (!haupt && !gehalten && zeigen(Seite::BewegungsFenster))
                return;
            const QPointF o = ort(haupt ? static_cast<QWidget*>(m_f.Flaeche) : &bewegung);
            if (!haupt && !gehalten)
                m_bewegZiel = bewegung.Command1->geometry().contains(o.toPoint())
                    ? static_cast<QWidget*>(bewegung.Command1)
                    : bewegung.flaeche();
            QWidget* ziel = haupt ? m_f.Flaeche : m_bewegZiel;
            const QPointF lokal = haupt ? o : o - QPointF(ziel->pos());
            const int r = m_z.zahl(0, 9);
            if (r < 6 || gehalten)
                return r < 4 ? maus(ziel, QEvent::MouseMove, Qt::NoButton, gehalten, lokal)
                             : taste(ziel, gehalten, lokal);
            const Qt::MouseButton b = knopf();
            for (const QEvent::Type typ : { QEvent::MouseButtonPress, QEvent::MouseButtonDblClick })
                if (typ == QEvent::MouseButtonPress || r >= 8) {
                    maus(ziel, typ, b, b, lokal);
                    maus(ziel, QEvent::MouseButtonRelease, b, {}, lokal);
                }
            return;
        }
        case 1: // the pan steps that the movement window's timer makes while a button is held on the arrows
            if (m_f.MoveTimer->isActive()) {
                const int takte = m_z.zahl(1, 50);
                tun("movement window: %d pan steps of %g,%g", takte, double(m_p.s.BewegX), double(m_p.s.BewegY));
                for (int i = 0; i < takte; ++i)
                    BewegungsFenster::MoveTimer_Timer(m_p);
            }
            return;
        case 2: { // zoom values, also out of range; steps and page steps of the scroll bar; "Normal" and "Mitte"
            static const char* const was[] = { "zoom: value %d", "zoom: action %d", "click Normal", "click Mitte" };
            const int r = m_z.zahl(0, 3), seite = r == 2 ? Seite::ZoomFenster : Seite::BewegungsFenster;
            const int wert = r == 0 ? (m_z.chance(0.8) ? m_z.zahl(6, 1000) : m_z.eines({ -100, 0, 5, 1001, 40000 }))
                                    : m_z.zahl(QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderToMaximum);
            if (r >= 2 && zeigen(seite))
                return;
            tun(was[r], wert);
            return r == 0 ? m_f.ZoomScroll->setValue(wert)
                : r == 1  ? m_f.ZoomScroll->triggerAction(QAbstractSlider::SliderAction(wert))
                : r == 2  ? QTest::mouseClick(m_f.Seiten[seite]->findChild<QWidget*>("ZoomNormal"), Qt::LeftButton)
                          : QTest::mouseClick(bewegung.Command1, Qt::LeftButton);
        }
        case 3: { // a list: mostly on a row, with modifiers now and then; the release runs the list's handler
            const int i = m_z.zahl(0, 3);
            if (zeigen(i))
                return;
            Listenfeld* l = m_listen[i];
            QPoint o = ort(l->viewport()).toPoint();
            if (l->ListCount() > 0 && m_z.chance(0.9)) {
                const QModelIndex zeile = l->model()->index(m_z.zahl(0, l->ListCount() - 1), 0);
                l->scrollTo(zeile);
                o = l->visualRect(zeile).center();
            }
            const Qt::MouseButton b = m_z.chance(0.8) ? Qt::LeftButton : knopf();
            const auto u = m_z.eines({ Qt::NoModifier, Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier });
            tun("list %d: click %d at %d,%d, modifiers %x", i, int(b), o.x(), o.y(), unsigned(u));
            return QTest::mouseClick(l->viewport(), b, u, o);
        }
        case 4: { // every side window and marking mode, Automatische Wiederselbstherstellung, Neu, Beenden (which
                  // the test program records instead of carrying it out)
            const int i = m_z.zahl(0, 13), beendet = m_t->beendet;
            ausloesen(i < 7   ? m_f.Shows[i]
                    : i < 11  ? m_f.MarkWith[i - 7]
                    : i == 11 ? m_f.AuReDra
                              : aktion(i == 12 ? "MachsNeu" : "Beenden"));
            return fordern(m_t->beendet == beendet + (i == 13), "Beenden recorded %d times", m_t->beendet - beendet);
        }
        case 5: { // the dialog answers with a new file, one from before, or not at all (the file is read again)
            const auto alt = std::next(m_gueltig.begin(), m_z.zahl(0, int(m_gueltig.size()) - 1))->first;
            const int r = m_z.zahl(0, 9);
            m_t->dialoge.naechsteDateien.push_back(r < 8 ? dateiSchreiben() : r < 9 ? alt : std::optional<QString>());
            return laden("Öffnen");
        }
        case 6: // now and then after the file changed
            if (m_p.CommonDialog1.FileName.contains("/modell") && m_z.chance(0.4))
                dateiSchreiben(QFileInfo(m_p.CommonDialog1.FileName).fileName());
            return laden("Aktualisieren");
        case 7: { // the main window down to nothing and beyond the screen; a list window down to nothing
            const int r = m_z.zahl(0, 9);
            const QSize g = r < 7 ? QSize { m_z.zahl(150, 900), m_z.zahl(120, 700) }
                : r < 9           ? QSize { m_z.zahl(0, 30), m_z.zahl(0, 45) }
                                  : QSize { m_z.zahl(900, 1600), m_z.zahl(700, 1200) };
            QWidget* fenster = m_z.chance(0.7) ? static_cast<QWidget*>(m_t->ausgabe.get()) : m_f.Seiten[m_z.zahl(0, 3)];
            tun("%s: resize to %dx%d", qPrintable(fenster->objectName()), g.width(), g.height());
            return fenster->resize(g);
        }
        default: { // a side window closed, the main window maximised, minimised or restored
            const int i = m_z.zahl(0, Seite::Anzahl + 3);
            QWidget* fenster = i < Seite::Anzahl ? m_f.Seiten[i] : static_cast<QWidget*>(m_t->ausgabe.get());
            tun("%s: %s", qPrintable(fenster->objectName()), i < 7 ? "close" : i < 8 ? "maximise" : "minimise/restore");
            return i < 7 ? void(fenster->close())
                : i < 8  ? fenster->showMaximized()
                : i < 9  ? fenster->showMinimized()
                         : fenster->showNormal();
        }
        }
    }

    // Sends a mouse event as the window system delivers it: to the widget under the pointer, or during a
    // press to the widget that got the press, wherever the pointer is.
    void maus(QWidget* ziel, QEvent::Type typ, Qt::MouseButton taste, Qt::MouseButtons tasten, QPointF ort)
    {
        tun("%s: event %d, button %d, held %d, at %g,%g", qPrintable(ziel->objectName()), typ, taste, int(tasten),
            ort.x(), ort.y());
        QMouseEvent ereignis(typ, ort, ziel->mapToGlobal(ort), taste, tasten, {});
        QSpontaneKeyEvent::setSpontaneous(&ereignis);
        QApplication::instance()->notify(ziel, &ereignis);
        if (typ != QEvent::MouseMove && ziel == m_t->ausgabe->bewegungsFenster().flaeche())
            m_timerLaeuft = typ == QEvent::MouseButtonPress; // any release on the arrows stops their timer
    }
    // Presses a button, or releases it if it is held.
    void taste(QWidget* ziel, Qt::MouseButtons& gehalten, QPointF o)
    {
        const Qt::MouseButton b = knopf();
        const QEvent::Type typ = gehalten.testFlag(b) ? QEvent::MouseButtonRelease : QEvent::MouseButtonPress;
        maus(ziel, typ, b, gehalten ^= b, o);
    }
    Qt::MouseButton knopf() { return m_z.eines({ Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton }); }
    // A position in a widget: mostly inside, often on or next to an edge, now and then far beyond.
    QPointF ort(const QWidget* w)
    {
        const auto koordinate = [this](int n) -> double {
            const int r = m_z.zahl(0, 99);
            if (r < 85)
                return r < 70 ? m_z.zahl(0, std::max(0, n - 1)) + m_z.eines({ 0.0, 0.5 })
                              : m_z.eines({ -1, 0, 1, n - 1, n, n + 1 });
            return r < 98 ? m_z.zahl(-2 * n - 10, 3 * n + 10) : m_z.chance(0.5) ? -1e5 : 1e5;
        };
        return { koordinate(w->width()), koordinate(w->height()) };
    }
    QAction* aktion(const char* name) { return m_t->ausgabe->findChild<QAction*>(QString::fromUtf8(name)); }
    void ausloesen(QAction* a)
    {
        tun("menu: %s", qPrintable(a->text()));
        a->trigger();
    }
    // A user shows a side window through the "Fenster" menu before working in it; true if that was the step.
    bool zeigen(int seite)
    {
        const bool verborgen = !m_f.Seiten[seite]->isVisible();
        if (verborgen)
            ausloesen(m_f.Shows[seite]);
        return verborgen;
    }
    // Writes a model into the named file, or into one of a dozen places.
    QString dateiSchreiben(QString name = {})
    {
        bool gueltig = false;
        name = name.isEmpty() ? QStringLiteral("modell %1 ä,x.rwx").arg(m_platz++ % 12) : name;
        const QString pfad = test::schreibeDatei(m_ordner, name, modelldatei(m_z, gueltig));
        m_gueltig[pfad] = gueltig;
        return pfad;
    }
    // Runs the open or the reload item. Only the refresh after a reading without an error sets the main
    // window's title, so a mark put there first tells whether it came; a valid model must bring it.
    void laden(const char* punkt)
    {
        const QString titel = m_t->ausgabe->windowTitle();
        m_t->ausgabe->setWindowTitle("-");
        ausloesen(aktion(punkt));
        const bool aufgefrischt = m_t->ausgabe->windowTitle() != "-";
        if (!aufgefrischt)
            m_t->ausgabe->setWindowTitle(titel);
        const QString pfad = m_p.CommonDialog1.FileName;
        m_sauber = m_gueltig.count(pfad) && m_gueltig[pfad];
        tun("read %s: %s", qPrintable(pfad), m_sauber ? "valid" : "broken");
        fordern(aufgefrischt || !m_sauber, "the valid model %s was read without a refresh", qPrintable(pfad));
    }

    Zufall m_z;
    QString m_fehler;
    QTemporaryDir m_ordner;
    std::unique_ptr<test::TestAusgabe> m_t;
    Programm& m_p;
    Fenster& m_f;
    const std::array<Listenfeld*, 4> m_listen;
    std::map<QString, bool> m_gueltig; // the paths the dialog may answer with: whether each holds a valid model
    int m_platz = 0;
    Qt::MouseButtons m_gehalten, m_bewegGehalten; // on the main window and on the movement window
    QWidget* m_bewegZiel = nullptr;
    bool m_sauber = true; // false after a reading that may have failed
    bool m_timerLaeuft = false;
    long long heapBasis = 0;
    long long heapEnde = 0;
    double sekunden = 0;
};

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
#ifdef ZEM_SOAK_ASAN
        __sanitizer_set_death_callback([] { berichten("sanitizer report"); });
#endif
        // A crash or a hang: the report, then the handler from before (Qt Test's, the sanitizer's, the default).
        static struct sigaction vorher[32];
        for (int nummer : { SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGALRM }) {
            struct sigaction neu { };
            neu.sa_handler = [](int n) {
                berichten(n == SIGALRM ? "hang" : "fatal signal");
                sigaction(n, &vorher[n], nullptr);
                raise(n);
            };
            sigaction(nummer, &neu, &vorher[nummer]);
        }
        // The offscreen platform cannot raise the coordinates window on a release and says so each time.
        g_meldungen = qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext& kontext, const QString& text) {
            if (typ != QtWarningMsg || !text.startsWith(QLatin1String("This plugin does not support")))
                g_meldungen(typ, kontext, text);
        });
    }

    void zufallsstrom_data()
    {
        QTest::addColumn<quint64>("saat");
        for (quint64 saat : { 1ULL, 20240229ULL, 987654321ULL })
            QTest::addRow("seed %llu", saat) << saat;
    }

    void zufallsstrom()
    {
        QFETCH(quint64, saat);
        Soak lauf(saat);
        const QString fehler = lauf.laufen(SchritteJeSaat);
        QVERIFY2(fehler.isEmpty(), qPrintable(fehler));
        qInfo("seed %llu: %d steps in %.1f s, %.0f steps/s; heap %lld bytes after step %d, %lld at the end", saat,
            SchritteJeSaat, lauf.sekunden, SchritteJeSaat / lauf.sekunden, lauf.heapBasis, Basisschritt, lauf.heapEnde);
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
