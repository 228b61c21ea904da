// The whole program as a user drives it: its command line, open and reload, menus, side windows, the mouse
// on the main window and on the movement window, the lists, the zoom; what its most frequent commands allocate.

#include "AllocZaehler.h"
#include "TestProgramm.h"
#include "support/SzeneText.h"

#include "selection/Auswahl.h"
#include "ui/main/Aufruf.h"
#include "ui/main/DateiBefehle.h"
#include "view/Bewegungen.h"

#include "ui/side/BewegungsFenster.h"
#include "ui/side/ListenFenster.h"
#include "ui/side/ZoomFenster.h"
#include "ui/widgets/Listenfeld.h"
#include "ui/widgets/SeitenFenster.h"

#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <unistd.h>

using namespace zem;

namespace {

int g_schritt = 0; // of the random stream, for the report of a hang

// The program on the (offscreen) screen, run by steps of a script.
struct Sitzung {
    QTemporaryDir ordner;
    test::TestAusgabe t;
    Fenster& f = t.p().f;
    QRectF gemerkt;
    bool sauber = true; // false after a reading that may have stopped inside a statement
    Listen& l = t.p().listen;
    Listen& listen = l;

    QRectF skala() const
    {
        return { f.leinwand->scaleLeft(), f.leinwand->scaleTop(), f.leinwand->scaleWidth(), f.leinwand->scaleHeight() };
    }

    // A mouse action on a window's surface at user coordinates, through the window system: p press,
    // r release, k click, d double click, m move with the buttons held; L, R or M the button.
    void maus(Zeichenflaeche* flaeche, const QStringList& s)
    {
        QWidget* fenster = flaeche->window();
        QVERIFY(QTest::qWaitForWindowExposed(fenster));
        const QPoint ort = flaeche->mapTo(
            fenster, flaeche->leinwand().zuPixel(s.end()[-2].toFloat(), s.end()[-1].toFloat()).toPoint());
        // Qt's left, right and middle buttons are 1, 2 and 4.
        const auto taste = Qt::MouseButton(1 << QString("LRM").indexOf(s.size() > 3 ? s[1] : "L"));
        if (ort.x() >= fenster->windowHandle()->width() || ort.y() >= fenster->windowHandle()->height())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("outside target window"));
        QTest::mouseEvent(
            QTest::MouseAction(QString("prkdm").indexOf(s[0].back())), fenster->windowHandle(), taste, {}, ort);
    }

    void schritt(const QString& text)
    {
        const QStringList s = text.split(' ');
        if (QAction* punkt = t.ausgabe->findChild<QAction*>(s[0])) {
            punkt->trigger();
        } else if (s[0] == "oeffnen") { // five points, and unless the step names others, two triangles, a quad
            // and a polygon: point 2 is a corner of each of them, point 5 of the polygon only
            schritt("datei m.rwx vertex 0 0 0/vertex 4 0 0/vertex 0 4 0/vertex 4 4 0/vertex -4 -4 2/"
                + (s.size() > 1 ? text.mid(8) : "triangle 1 2 3/triangle 2 4 3/quad 1 2 4 3/polygon 3 5 1 2"));
            schritt("Öffnen");
        } else if (s[0] == "datei") { // a model of statements, N*statement for N of them, for the next file dialog
            if (s.size() > 2) {
                QByteArray modell = "modelbegin\nclumpbegin\n";
                for (const QString& z : s.mid(2).join(' ').split('/')) {
                    const qsizetype stern = z.indexOf('*');
                    modell += (z.mid(stern + 1) + '\n').repeated(stern < 0 ? 1 : z.left(stern).toInt()).toUtf8();
                }
                test::schreibeDatei(ordner, s[1], modell + "clumpend\nmodelend\n");
            }
            t.dialoge.naechsteDateien.append(ordner.filePath(s[1]));
        } else if (s[0] == "b" || s[0].size() == 1) { // the mouse, "b ..." on the movement window
            maus(s[0] == "b" ? t.ausgabe->bewegungsFenster().flaeche() : f.Flaeche, s.mid(s[0] == "b"));
        } else if (s[0] == "zeile") { // clicks on rows of a list
            Listenfeld* liste = static_cast<ListenFenster*>(f.Seiten[s[1].toInt()])->liste();
            if (!liste->isVisible())
                return; // no rows to click
            for (const QString& k : s.mid(2)) {
                const QModelIndex zeile = liste->model()->index(k.toInt(), 0);
                liste->scrollTo(zeile);
                QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualRect(zeile).center());
            }
        } else if (s[0] == "zu") {
            QVERIFY(!f.Seiten[s[1].toInt()]->close());
        } else if (s[0] == "zoom") {
            f.ZoomScroll->setValue(s[1].toInt());
        } else if (s[0] == "normal") {
            static_cast<ZoomFenster*>(f.Seiten[Seite::ZoomFenster])->ZoomNormal->click();
        } else if (s[0] == "merken") {
            gemerkt = skala();
        } else if (s[0] == "groesse") {
            t.ausgabe->resize(s[1].toInt(), s[2].toInt());
        } else if (s[0] == "takt") {
            BewegungsFenster::MoveTimer_Timer(t.p());
        } else {
            QVERIFY2(s[0] == "min" || s[0] == "wieder", qPrintable(text));
            t.ausgabe->setWindowState(s[0] == "min" ? Qt::WindowMinimized : Qt::WindowNoState);
            QTRY_COMPARE(t.ausgabe->isMinimized(), s[0] == "min");
        }
    }

    // What holds after every step: counts within the limit with a row each, the origin untouched, the view
    // finite, the zoom in its range, the check marks of the "Fenster" menu on the shown side windows and of
    // the "Optionen" menu on the marking mode.
    void pruefen()
    {
        const Szene& s = t.p().s;
        const int anzahl[] = { s.AnzPunkte, s.AnzDreiecke, s.AnzVierecke, s.AnzPolygone };
        for (int k = 0; k < 4; ++k) {
            // A reading that stopped may leave its statement counted without a row; each 999th vertex puts
            // the points back to 700 and leaves 298 more rows than points.
            const int zeilen = listen[Art(k)].ListCount(), n = anzahl[k], mehr = zeilen - n + !sauber;
            QVERIFY2(n >= 0 && n <= Grenze && mehr >= 0 && (k == 0 ? mehr % 298 : mehr) <= !sauber,
                qPrintable(QString("kind %1: count %2, %3 rows").arg(k).arg(n).arg(zeilen)));
        }
        QVERIFY(s.Punkte(PunktMin) == Vektor {} && s.Sichtpunkte(PunktMin) == Vektor {});
        QList<float> werte(std::begin(s.Drehmatrix.m), std::end(s.Drehmatrix.m));
        werte << s.Fangweite << s.Ausdehnung << s.MitteX << s.MitteY << f.leinwand->scaleLeft()
              << f.leinwand->scaleTop();
        QVERIFY(std::ranges::all_of(werte, [](float w) { return std::isfinite(w); }));
        QVERIFY(f.ZoomScroll->value() >= 6 && f.ZoomScroll->value() <= 1000);
        for (int i = 0; i < Seite::Anzahl; ++i)
            QVERIFY((f.Shows[i]->isChecked() == f.Seiten[i]->isVisible())
                && (i > 3 || f.MarkWith[i]->isChecked() == (i == s.Markierart)));
    }

    // The side windows in the order of Seite; the first four name the element lists too.
    const QStringList namen { "Punkte", "Dreiecke", "Vierecke", "Polygone", "Bewegungen", "Zoom", "Koordinaten" };

    // The values that data/ausgabe.txt names, whose head says what each means.
    QString wert(const QString& name)
    {
        const auto art = QString("PDVG").indexOf(name.left(1)); // row 12 of the points list: P12
        if (QRegularExpression("^[PDVG]\\d+$").match(name).hasMatch())
            return listen[Art(art)].modell().index(name.mid(1).toInt() - 1, 0).data().toString();
        const Szene& s = t.p().s;
        const QRectF a = skala(); // the user scale
        std::map<QString, std::function<QString()>> werte {
            { "koords", [&] { return f.Label1[0]->text() + ',' + f.Label1[1]->text() + ',' + f.Label1[2]->text(); } },
            { "meldung", [&] { return t.dialoge.meldungen.join(""); } },
            { "szene", [&] { return test::szeneText(s, [&](int k) { return listen[Art(k)].ListCount(); }); } },
            { "titel", [&] { return t.ausgabe->windowTitle(); } },
            { "zoom", [&] { return QString::number(f.ZoomScroll->value()); } },
            { "fang", [&] { return QString::number(s.Fangpunkt); } },
            { "achse", [&] { return QString::number(s.Sichtpunkte(-3).X); } },
            { "auredra", [&] { return QString::number(f.AuReDra->isChecked()); } },
            { "dialog", [&] { return t.dialoge.dialogTitel + '|' + t.dialoge.dialogFilter; } },
            { "dreht", [&] { return QString::number(s.Drehmatrix != Mathe::Einheit()); } },
            { "timer", [&] { return QString::number(f.MoveTimer->isActive()); } },
            { "beweg", [&] { return QString::asprintf("%.2f %.2f", s.BewegX, s.BewegY); } },
            { "druck",
                [&] { return QString::asprintf("%g %g %g", s.Druckvektor.X, s.Druckvektor.Y, s.Druckvektor.Z); } },
            { "skala", [&] { return a == gemerkt ? "gleich" : "anders"; } },
            // The longer side follows the drawing area, whose height depends on the menu's font.
            { "masse",
                [&] {
                    return QString::asprintf("%g %g %g %g %g, %g %g", a.x() / a.width(), a.y() / a.height(),
                        std::copysign(1, a.width()), std::copysign(1, a.height()),
                        std::min(std::fabs(a.width()), std::fabs(a.height())), s.Fangweite, s.Achsenmass);
                } },
            { "tipp", [&] { return f.Seiten[Seite::ZoomFenster]->findChild<QWidget*>("ZoomNormal")->toolTip(); } },
        };
        // A side window's name gives its title; the others list the windows or lists that they hold for.
        std::map<QString, QStringList> je { { "fenster", {} }, { "fest", {} }, { "markiert", {} }, { "haken", {} } };
        for (std::size_t i = 0; i < f.Seiten.size(); ++i) {
            werte[namen[i]] = [&, i] { return f.Seiten[i]->windowTitle(); };
            const bool gezeigt = f.Seiten[i]->isVisible(), minimiert = f.Seiten[i]->windowState() & Qt::WindowMinimized;
            if (gezeigt || minimiert)
                je["fenster"] << namen[i] + (!gezeigt ? ":verborgen-minimiert" : minimiert ? ":minimiert" : ":gezeigt");
            if (f.Seiten[i]->minimumSize() == f.Seiten[i]->maximumSize())
                je["fest"] << namen[i];
            if (i < ArtAnzahl && listen[Art(i)].SelCount())
                je["markiert"] << namen[i] + ':' + QString::number(listen[Art(i)].SelCount());
            if (i < f.MarkWith.size() && f.MarkWith[i]->isChecked())
                je["haken"] << f.MarkWith[i]->objectName();
        }
        for (const auto& [wort, liste] : je)
            werte[wort] = [&] { return liste.isEmpty() ? "keine" : liste.join(' '); };
        return werte.contains(name) ? werte[name]() : "(unknown name)";
    }
};

// The sessions of data/ausgabe.txt: name, steps and what then holds.
QList<QStringList> faelle()
{
    QFile datei(QStringLiteral(ZEM_TESTDATA_DIR "/ausgabe.txt"));
    if (!datei.open(QIODevice::ReadOnly))
        qFatal("no data/ausgabe.txt");
    QString text = QString::fromUtf8(datei.readAll()); // a line that starts with blanks goes on the last
    text.replace(QRegularExpression("\n +([|;])"), "\\1").replace(QRegularExpression("\n +"), " ");
    QList<QStringList> liste;
    for (const QString& fall : text.split(u'\n')) {
        const auto teile = QRegularExpression("^([^#:]+): (.*) => (.*)$").match(fall.trimmed());
        if (!teile.hasMatch() && !fall.isEmpty() && !fall.startsWith(u'#'))
            qFatal("not a session: %s", qPrintable(fall));
        if (teile.hasMatch())
            liste.append({ teile.captured(1), teile.captured(2), teile.captured(3).replace("\\n", "\n") });
    }
    return liste;
}

} // namespace

class TestAusgabe : public QObject {
    Q_OBJECT
private slots:
    // The program's users write German: every session runs in their locale, where strtod reads "1.5" as 1,
    // and numbers must be written and read the same. Where it is missing, scripts/abhaengigkeiten test makes it.
    void initTestCase() { QVERIFY(std::setlocale(LC_ALL, "de_DE.UTF-8") && std::strtod("1.5", nullptr) == 1.0); }

    // The sessions of data/ausgabe.txt: steps (see Sitzung::schritt) and what then holds (see its head).
    void sitzung_data()
    {
        QTest::addColumn<QString>("schritte");
        QTest::addColumn<QString>("erwartet");
        for (const QStringList& fall : faelle()) // name, steps, what then holds
            QTest::newRow(qPrintable(fall[0])) << fall[1] << fall[2];
    }
    void sitzung()
    {
        QFETCH(QString, schritte);
        QFETCH(QString, erwartet);
        Sitzung s;
        s.t.ausgabe->show();
        for (const QString& schritt : schritte.split(';', Qt::SkipEmptyParts)) {
            s.schritt(schritt);
            for (int i = 0; i < Seite::Anzahl; ++i)
                QCOMPARE(s.f.Shows[i]->isChecked(), s.f.Seiten[i]->isVisible());
        }
        for (const QString& paar : erwartet.split(QRegularExpression("\\|(?=[a-zA-Z0-9]+=)"))) // "name=value|.."
            QCOMPARE(paar.section('=', 0, 0) + '=' + s.wert(paar.section('=', 0, 0)), paar);
    }

    // The command line, read before the program starts: the file it opens ("-" for none), its exit status (-1
    // for a start) and its standard output|error output. sitzung.txt runs the real program without a display
    // with --help, --version, an unknown option and two files.
    void aufruf_data()
    {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<QString>("erwartet"); // a regular expression
        QTest::newRow("none") << QStringList() << "^- -1 \\|$";
        QTest::newRow("file") << QStringList { "m ü.rwx" } << "^m ü.rwx -1 \\|$";
        QTest::newRow("after --") << QStringList { "--", "-m.rwx" } << "^-m.rwx -1 \\|$";
        QTest::newRow("empty name") << QStringList { "" } << "^- 2 \\|zemviewer: der Dateiname ist leer\n";
        QTest::newRow("-h") << QStringList { "m.rwx", "-h" }
                            << "^- 0 Aufruf: .+--version  zeigt Namen und Version\n\\|$";
        QTest::newRow("Qt's") << QStringList { "-platform", "xcb" } << "^- 2 \\|.+»--platform«\n";
        QTest::newRow("short") << QStringList { "-x" } << "^- 2 \\|.+»-x«\n";
        QTest::newRow("value") << QStringList { "--version=2" } << "^- 2 \\|.+ nehmen keinen Wert\n";
    }
    void aufruf()
    {
        QFETCH(QStringList, argumente);
        QFETCH(QString, erwartet);
        const Aufruf::Auftrag a = Aufruf::lesen(QStringList("zemviewer") + argumente);
        const QString ist
            = QString("%1 %2 %3|%4").arg(a.datei.value_or("-")).arg(a.ende.value_or(-1)).arg(a.ausgabe, a.fehler);
        QVERIFY2(QRegularExpression(erwartet, QRegularExpression::DotMatchesEverythingOption).match(ist).hasMatch(),
            qPrintable(ist));
    }

    // The soak: the sessions' steps in a long, seeded, random order, ZEM_SCHRITTE of them for each seed
    // (300 at least), every other mouse step at a random place, now and then far beyond the window, and
    // now and then a random menu item. After every step the program answers within two seconds (times
    // ZEM_ZEITFAKTOR, which sanitized builds raise) and its state holds together (Sitzung::pruefen). The
    // seed and the step that a failure, a hang or a crash names replay it.
    void zufallsstrom_data()
    {
        QTest::addColumn<unsigned>("saat");
        for (unsigned saat : { 1u, 20240229u, 987654321u })
            QTest::addRow("seed %u", saat) << saat;
        std::signal(SIGALRM, [](int) { dprintf(STDERR_FILENO, "hang at step %d\n", g_schritt), std::abort(); });
    }
    void zufallsstrom()
    {
        QFETCH(unsigned, saat);
        QStringList tabelle;
        for (const auto& fall : faelle())
            tabelle += fall[1].split(';', Qt::SkipEmptyParts);
        std::mt19937 z(saat);
        const auto zahl = [&](int bis) { return int(z() % unsigned(bis + 1)); };
        Sitzung s;
        s.t.ausgabe->zeigen();
        const auto punkte = s.t.ausgabe->findChildren<QAction*>(QRegularExpression(".+"));
        const int schritte = std::max(300, qEnvironmentVariableIntValue("ZEM_SCHRITTE"));
        for (g_schritt = 1; g_schritt <= schritte && !QTest::currentTestFailed(); ++g_schritt) {
            QString schritt
                = zahl(9) ? tabelle[zahl(int(tabelle.size()) - 1)] : punkte[zahl(int(punkte.size()) - 1)]->objectName();
            const bool bewegung = schritt.startsWith("b ");
            if (QRegularExpression("^(b )?[prkdm] ").match(schritt).hasMatch()) {
                const double weit = bewegung ? 1 : zahl(3) ? 10 : 10000;
                const double x = zahl(200) / 100.0 - 1, y = zahl(200) / 100.0 - 1;
                if (zahl(1))
                    schritt = schritt.section(' ', 0, -3) + QString(" %1 %2").arg(x * weit).arg(y * weit);
                // the mouse needs its window on the screen
                schritt = s.t.ausgabe->isMinimized()                                ? "wieder"
                    : bewegung && !s.f.Seiten[Seite::BewegungsFenster]->isVisible() ? "Shows_4"
                                                                                    : schritt;
            }
            const auto bericht = qScopeGuard([&] {
                if (QTest::currentTestFailed())
                    qWarning("seed %u, step %d: %s", saat, g_schritt, qPrintable(schritt.left(300)));
            });
            alarm(2 * ZEM_ZEITFAKTOR);
            s.t.ausgabe->setWindowTitle("-"); // only a reading without an error refreshes it
            s.schritt(schritt);
            QCoreApplication::processEvents(); // what the step posted runs before the checks
            alarm(0);
            if (schritt == "Öffnen" || schritt == "Aktualisieren" || schritt.startsWith("oeffnen"))
                s.sauber = s.t.ausgabe->windowTitle() != "-";
            s.pruefen();
        }
    }

    // The heap allocations of what a user repeats most: open, redraw, a drag step and a hover, in the shown
    // main window with the model at the reader's limits. Once its buffers have had their first use the
    // program allocates nothing of its own there; a repaint request is an event Qt posts, and may allocate once.
    void budget_data()
    {
        QTest::addColumn<int>("befehl");
        QTest::addColumn<int>("budget");
        QTest::newRow("open") << 0 << 2;
        QTest::newRow("redraw") << 1 << 1;
        QTest::newRow("drag step") << 2 << 1;
        QTest::newRow("hover") << 3 << 0;
    }
    void budget()
    {
        QFETCH(int, befehl);
        test::TestAusgabe t;
        Programm& p = t.p();
        t.ausgabe->zeigen();
        QVERIFY(QTest::qWaitForWindowExposed(t.ausgabe.get()));
        p.CommonDialog1.FileName = QStringLiteral(ZEM_EXAMPLES_DIR "/grenzen.rwx");
        DateiBefehle::RwxNeuLaden(p);
        // The first runs grow the buffers; each run is followed by the paint it asked for.
        std::size_t anzahl = 0;
        for (float x = 0; x < 4; ++x) {
            const std::size_t vorher = bench::allokationen();
            befehl == 0       ? DateiBefehle::RwxNeuLaden(p)
                : befehl == 1 ? AllesZeichnen(p)
                : befehl == 2 ? Bewegungen::MausDrehen(p.s, p.listen, *p.f.leinwand, x, 0.5f)
                              : Auswahl::PunktZeigen(p.s, *p.f.koords, 0.3f, 0.5f); // the texts of the first run stay
            anzahl = bench::allokationen() - vorher;
            QCoreApplication::processEvents();
        }
        QFETCH(int, budget);
        QCOMPARE_LE(int(anzahl), budget);
    }

    // What a drag's list of addresses (text/uri-list as X brings it) gives the main window to open: the path of
    // one local file, or nothing (empty) when it refuses the drag.
    void ablage_data()
    {
        QTest::addColumn<QString>("liste");
        QTest::addColumn<QString>("pfad");
        const auto zeile
            = [](const char* name, const char* liste, const char* pfad) { QTest::newRow(name) << liste << pfad; };
        zeile("file", "file:///tmp/h%C3%A4user/a%20b.rwx\r\n", "/tmp/häuser/a b.rwx");
        zeile("localhost, no line end", "file://localhost/tmp/a.rwx", "/tmp/a.rwx");
        zeile("folder", "file:///tmp/\r\n", "/tmp/");
        zeile("two files", "file:///tmp/a.rwx\r\nfile:///tmp/b.rwx\r\n", "");
        zeile("https", "https://example.org/a.rwx\r\n", "");
        zeile("trash", "trash:///a.rwx\r\n", "");
        zeile("other host", "file://server/tmp/a.rwx\r\n", "");
        zeile("relative", "file:a.rwx\r\n", "");
        zeile("a path, no address", "/tmp/a.rwx\r\n", "");
        zeile("empty", "", "");
    }
    void ablage()
    {
        QFETCH(QString, liste);
        QMimeData daten;
        daten.setData("text/uri-list", liste.toUtf8());
        QTEST(abgelegteDatei(daten).value_or(""), "pfad");
    }

    // The movement window's picture: an arrow from the middle in each of the eight directions, those to the
    // corners longer, none between.
    void pfeilbild()
    {
        const QImage bild = BewegungsFenster::pfeilbild();
        const QTransform zwischen = QTransform().translate(90, 90).rotate(22.5).translate(-90, -90);
        for (QPoint pfeil : { QPoint(140, 90), QPoint(157, 23), QPoint(90, 40), QPoint(23, 23), QPoint(40, 90),
                 QPoint(23, 157), QPoint(90, 140), QPoint(157, 157) }) {
            QVERIFY2(qGray(bild.pixel(pfeil)) < 64, qPrintable(QString("%1 %2").arg(pfeil.x()).arg(pfeil.y())));
            QCOMPARE(bild.pixel(zwischen.map(pfeil)), qRgb(192, 192, 192));
        }
    }
};

QTEST_MAIN(TestAusgabe)
#include "tst_ausgabe.moc"
