// The whole program under a long, seeded, random stream of what a user does: the mouse on the main window
// and the movement window, the zoom, the lists, every menu item, window sizes and states, and opens and
// reloads of valid and broken model files written on the way. After every step the program must answer
// within two seconds and its state must hold together. The stream depends on the seed alone, so the seed
// and the step that a failure, a hang or a crash names are enough to replay it.

#include "TestProgramm.h"

#include "ui/side/BewegungsFenster.h"
#include "ui/side/KoordsFenster.h"
#include "ui/side/ListenFenster.h"
#include "ui/side/ZoomFenster.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include <csignal>
#include <random>
#include <unistd.h>

using namespace zem;

namespace {

int g_schritt = 0;

struct Soak {
    std::mt19937 z;
    test::TestAusgabe t;
    Fenster& f = t.p().f;
    Szene& s = t.p().s;
    QWidget& h = *t.ausgabe;
    QTemporaryDir ordner;
    bool sauber = true; // false after a reading that may have stopped inside a statement

    int zahl(int bis) { return int(z() % unsigned(bis + 1)); }
    // A user shows a side window through the menu before working in it; true if that was the step.
    bool zeigen(int i) { return !f.Seiten[i]->isVisible() && (f.Shows[i]->trigger(), true); }

    // A press, a release, a move or a double click of a button in a widget, now and then far beyond it.
    void maus(QWidget* w, int seite = -1)
    {
        const int weit = zahl(3) ? 0 : 1000;
        const QPoint ort(zahl(w->width() * (2 * weit + 1)) - w->width() * weit,
            zahl(w->height() * (2 * weit + 1)) - w->height() * weit);
        if (seite < 0 || !zeigen(seite))
            QTest::mouseEvent(QTest::MouseAction(std::array { 0, 1, 3, 4, 4 }[zahl(4)]), w,
                std::array { Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton }[zahl(3)], {}, ort);
    }

    // Opens or reloads a model: points, then elements whose corners may name points that do not exist,
    // polygons of up to 60 corners; now and then more than 998 statements. One file in five ends in a
    // number that does not fit or a nested clump. A valid one must refresh the title.
    void laden()
    {
        const bool gueltig = zahl(4) > 0;
        const int n = zahl(9) ? zahl(40) : 1010;
        QByteArray text = "modelbegin\nclumpbegin";
        for (int i = 0; i < n; ++i) {
            const int art = i < n / 3 ? 0 : 1 + zahl(2), ecken = art < 3 ? art + 2 : zahl(60);
            text += std::array { "\nvertex", "\ntriangle", "\nquad", "\npolygon" }[std::size_t(art)];
            for (int k = art < 3 ? 0 : -1; k < (art ? ecken : 3); ++k)
                text += ' ' + QByteArray::number(k < 0 ? ecken : art ? zahl(n + 5) - 5 : zahl(20000) / 100.0 - 100);
        }
        text += gueltig ? "\nclumpend\nmodelend\n" : zahl(1) ? "\nvertex 1e39 1 2" : "\nclumpbegin";
        const QString pfad = test::schreibeDatei(ordner, QString("m %1 ä.rwx").arg(zahl(9)), text);
        t.ausgabe->setWindowTitle("-"); // only a reading without an error refreshes it
        t.dialoge.naechsteDateien = { zahl(5) ? std::optional(pfad) : std::nullopt }; // none reads again
        zahl(3) ? t.ausgabe->Oeffnen_Click() : t.ausgabe->Aktualisieren_Click();
        sauber = t.ausgabe->windowTitle() != "-";
        QVERIFY2(sauber || !gueltig || t.p().CommonDialog1.FileName != pfad, "a valid model without a refresh");
    }

    // What a user does: each action with the last of the numbers 0 to 99 that choose it.
    const std::vector<std::pair<int, std::function<void()>>> handlungen {
        { 49, [this] { maus(f.Flaeche); } },
        { 57, [this] { maus(t.ausgabe->bewegungsFenster().flaeche(), Seite::BewegungsFenster); } },
        { 58, [this] { maus(t.ausgabe->bewegungsFenster().Command1, Seite::BewegungsFenster); } },
        { 59, [this] { maus(f.Seiten[Seite::ZoomFenster]->findChild<QWidget*>("ZoomNormal"), Seite::ZoomFenster); } },
        { 69,
            [this] {
                maus(std::array { f.PunktList, f.DreieList, f.ViereList, f.PolyList }[zahl(3)]->viewport());
            } },
        { 72, [this] { BewegungsFenster::MoveTimer_Timer(t.p()); } },
        { 78, [this] { f.ZoomScroll->setValue(zahl(3) ? zahl(1100) : 40000 - zahl(80000)); } },
        { 86,
            [this] { // every other menu item, Beenden too (the test program records it)
                const auto punkte = t.ausgabe->findChildren<QAction*>(QRegularExpression("^(?!Öffnen|Aktual).+"));
                punkte[zahl(int(punkte.size()) - 1)]->trigger();
            } },
        { 91, [this] { laden(); } },
        { 93, [this] { f.Seiten[zahl(6)]->close(); } },
        { 95,
            [this] {
                (h.*std::array { &QWidget::showMaximized, &QWidget::showMinimized, &QWidget::showNormal }[zahl(2)])();
            } },
        { 99, [this] { (zahl(2) ? &h : f.Seiten[zahl(3)])->resize(zahl(1600), zahl(1200)); } },
    };

    void pruefen()
    {
        const int anzahl[] = { s.AnzPunkte, s.AnzDreiecke, s.AnzVierecke, s.AnzPolygone };
        const Listenfeld* listen[] = { f.PunktList, f.DreieList, f.ViereList, f.PolyList };
        for (int k = 0; k < 4; ++k) {
            // A reading that stopped may leave its statement counted without a row; past the limit the
            // points list keeps its 998 rows for 700 points.
            const int zeilen = listen[k]->ListCount(), n = anzahl[k];
            QVERIFY2(n >= 0 && n <= Grenze
                    && (zeilen == n || (!sauber && zeilen == n - 1) || (k == 0 && n == 700 && zeilen == Grenze)),
                qPrintable(QString("kind %1: count %2, %3 rows").arg(k).arg(n).arg(zeilen)));
        }
        QVERIFY(s.Punkte(PunktMin) == Vektor {} && s.Sichtpunkte(PunktMin) == Vektor {});
        QList<float> werte(std::begin(s.Drehmatrix.m), std::end(s.Drehmatrix.m));
        werte << s.Fangweite << s.Ausdehnung << s.MitteX << s.MitteY << f.Flaeche->scaleLeft() << f.Flaeche->scaleTop();
        QVERIFY(std::ranges::all_of(werte, [](float w) { return std::isfinite(w); }));
        QVERIFY(f.ZoomScroll->value() >= 6 && f.ZoomScroll->value() <= 1000);
        for (int i = 0; i < Seite::Anzahl; ++i)
            QVERIFY((f.Shows[i]->isChecked() == f.Seiten[i]->isVisible())
                && (i > 3 || f.MarkWith[i]->isChecked() == (i == s.Markierart)));
    }
};

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void zufallsstrom_data()
    {
        QTest::addColumn<unsigned>("saat");
        for (unsigned saat : { 1u, 20240229u, 987654321u })
            QTest::addRow("seed %u", saat) << saat;
        // The offscreen platform cannot raise or lower a window and says so each time.
        // A hang: the step here, the seed in Qt Test's report of the abort.
        std::signal(
            SIGALRM, [](int) { dprintf(STDERR_FILENO, "tst_soak: hang at step %d\n", g_schritt), std::abort(); });
    }
    void zufallsstrom()
    {
        QFETCH(unsigned, saat);
        Soak lauf;
        lauf.z.seed(saat);
        lauf.t.ausgabe->zeigen();
        for (g_schritt = 1; g_schritt <= 20000 && !QTest::currentTestFailed(); ++g_schritt) {
            alarm(2);
            const int wahl = lauf.zahl(99);
            std::ranges::find_if(lauf.handlungen, [wahl](const auto& h) { return wahl <= h.first; })->second();
            // The program answers: a call posted now runs within this round of the event loop.
            bool beantwortet = false;
            QMetaObject::invokeMethod(
                qApp, [&] { beantwortet = true; }, Qt::QueuedConnection);
            QCoreApplication::processEvents();
            alarm(0);
            QVERIFY2(beantwortet, qPrintable(QString("seed %1, step %2: no answer").arg(saat).arg(g_schritt)));
            lauf.pruefen();
        }
        if (QTest::currentTestFailed())
            dprintf(STDERR_FILENO, "tst_soak: seed %u, step %d\n", saat, g_schritt - 1);
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
