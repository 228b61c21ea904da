// The whole program as a user drives it: its command line, open and reload, menus, side windows, the mouse
// on the main window and on the movement window, the lists, the zoom; what its most frequent commands allocate.

#include "AllocZaehler.h"
#include "SzeneText.h"
#include "TestProgramm.h"

#include "selection/Auswahl.h"
#include "ui/main/Aufruf.h"
#include "ui/main/DateiBefehle.h"
#include "view/Bewegungen.h"

#include "ui/side/BewegungsFenster.h"
#include "ui/side/ListenFenster.h"
#include "ui/side/ZoomFenster.h"
#include "ui/widgets/SeitenFenster.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <unistd.h>

using namespace zem;

namespace {

int laufenderSchritt = 0; // of the random stream, for the report of a hang

// Qt's mouse actions and buttons by the letters of the steps.
const std::map<QString, QTest::MouseAction> Aktionen { { "p", QTest::MousePress }, { "r", QTest::MouseRelease },
    { "k", QTest::MouseClick }, { "d", QTest::MouseDClick }, { "m", QTest::MouseMove } };
const std::map<QString, Qt::MouseButton> Tasten { { "L", Qt::LeftButton }, { "R", Qt::RightButton },
    { "M", Qt::MiddleButton } };

// The program on the (offscreen) screen, run by the steps of data/ausgabe.txt, whose head says what each does.
struct Sitzung {
    QTemporaryDir ordner;
    test::TestAusgabe t;
    Fenster& f = t.p().f;
    QRectF gemerkt;
    QStringList ablagen; // whether the main window took each drag: 1 or 0
    bool sauber = true; // false after a reading that may have stopped inside a statement
    Listen& listen = t.p().listen;

    QRectF skala() const
    {
        return { f.leinwand->scaleLeft(), f.leinwand->scaleTop(), f.leinwand->scaleWidth(), f.leinwand->scaleHeight() };
    }

    // A mouse action on a window's surface at user coordinates, through the window system: "p R x y", or
    // "p x y" with the left button.
    void maus(Zeichenflaeche* flaeche, const QStringList& s)
    {
        QWidget* fenster = flaeche->window();
        QVERIFY(QTest::qWaitForWindowExposed(fenster));
        const QPoint ort = flaeche->mapTo(
            fenster, flaeche->leinwand().zuPixel(s.end()[-2].toFloat(), s.end()[-1].toFloat()).toPoint());
        if (ort.x() >= fenster->windowHandle()->width() || ort.y() >= fenster->windowHandle()->height())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("outside target window"));
        QTest::mouseEvent(Aktionen.at(s[0]), fenster->windowHandle(), Tasten.at(s.size() > 3 ? s[1] : "L"), {}, ort);
    }

    void fensterstand(Qt::WindowState stand)
    {
        t.ausgabe->setWindowState(stand);
        QTRY_COMPARE(t.ausgabe->isMinimized(), stand == Qt::WindowMinimized);
    }

    // The steps by their first word, besides the menu items (by object name) and the mouse on the main
    // window (by the action's letter).
    const std::map<QString, std::function<void(const QStringList&)>> schritte {
        { "oeffnen", // five points, and unless the step names others, two triangles, a quad and a polygon
            [this](const auto& s) {
                schritt("datei m.rwx vertex 0 0 0/vertex 4 0 0/vertex 0 4 0/vertex 4 4 0/vertex -4 -4 2/"
                    + (s.size() > 1 ? s.mid(1).join(' ')
                                    : "triangle 1 2 3/triangle 2 4 3/quad 1 2 4 3/polygon 3 5 1 2"));
                schritt("Öffnen");
            } },
        { "datei", // a model of statements, N*statement for N of them, for the next file dialog; a name alone
                   // names a file that is not there
            [this](const auto& s) {
                if (s.size() > 2) {
                    QByteArray modell = "modelbegin\nclumpbegin\n";
                    for (const QString& z : s.mid(2).join(' ').split('/')) {
                        const qsizetype stern = z.indexOf('*');
                        modell += (z.mid(stern + 1) + '\n').repeated(stern < 0 ? 1 : z.left(stern).toInt()).toUtf8();
                    }
                    test::schreibeDatei(ordner, s[1], modell + "clumpend\nmodelend\n");
                }
                t.dialoge.naechsteDateien.append(ordner.filePath(s[1]));
            } },
        { "b", [this](const auto& s) { maus(t.ausgabe->bewegungsFenster().flaeche(), s.mid(1)); } },
        { "zeile", // clicks on rows of a list
            [this](const auto& s) {
                Listenfeld* liste = static_cast<ListenFenster*>(f.seiten[s[1].toInt()])->liste();
                if (!liste->isVisible())
                    return; // no rows to click
                for (const QString& k : s.mid(2)) {
                    const QModelIndex zeile = liste->model()->index(k.toInt(), 0);
                    liste->scrollTo(zeile);
                    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualRect(zeile).center());
                }
            } },
        { "zu", [this](const auto& s) { QVERIFY(!f.seiten[s[1].toInt()]->close()); } },
        { "zoom", [this](const auto& s) { f.ZoomScroll->setValue(s[1].toInt()); } },
        { "normal", [this](auto&) { static_cast<ZoomFenster*>(f.seiten[Seite::ZoomFenster])->ZoomNormal->click(); } },
        { "merken", [this](auto&) { gemerkt = skala(); } },
        { "groesse", [this](const auto& s) { t.ausgabe->resize(s[1].toInt(), s[2].toInt()); } },
        { "ablegen", // a drag of addresses ("\\r\\n" a line end, ORDNER the folder of "datei") over the main window,
                     // dropped where it takes them
            [this](const auto& s) {
                QMimeData daten;
                const QString liste = s.mid(1).join(' ').replace("\\r\\n", "\r\n").replace("ORDNER", ordner.path());
                daten.setData("text/uri-list", liste.toUtf8());
                QDragEnterEvent hinein({ 10, 10 }, Qt::CopyAction | Qt::MoveAction, &daten, Qt::LeftButton, {});
                QCoreApplication::sendEvent(t.ausgabe.get(), &hinein);
                ablagen << QString::number(hinein.isAccepted());
                QDropEvent ablage(QPointF(10, 10), hinein.possibleActions(), &daten, Qt::LeftButton, {});
                if (hinein.isAccepted())
                    QCoreApplication::sendEvent(t.ausgabe.get(), &ablage);
                QCoreApplication::processEvents(); // the open that the drop left for after its end
            } },
        { "takt", [this](auto&) { BewegungsFenster::MoveTimer_Timer(t.p()); } },
        { "min", [this](auto&) { fensterstand(Qt::WindowMinimized); } },
        { "wieder", [this](auto&) { fensterstand(Qt::WindowNoState); } },
    };

    void schritt(const QString& text)
    {
        const QStringList s = text.split(' ');
        if (QAction* punkt = t.ausgabe->findChild<QAction*>(s[0]))
            punkt->trigger();
        else if (Aktionen.contains(s[0]))
            maus(f.flaeche, s);
        else if (schritte.contains(s[0]))
            schritte.at(s[0])(s);
        else
            QFAIL(qPrintable("unknown step: " + text));
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
            QVERIFY((f.Shows[i]->isChecked() == f.seiten[i]->isVisible())
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
            { "dreht", [&] { return QString::number(s.Drehmatrix != Mathe::einheit()); } },
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
            { "ablagen", [&] { return ablagen.join(' '); } },
            { "ruhig", // 1 when, what the steps queued done, three more rounds of events draw no frame
                [&] {
                    for (int runde = 0; runde < 5; ++runde)
                        QCoreApplication::processEvents();
                    const std::uint64_t bilder = f.leinwand->bilder();
                    for (int runde = 0; runde < 3; ++runde)
                        QCoreApplication::processEvents();
                    return QString::number(f.leinwand->bilder() == bilder);
                } },
            { "menue",
                [&] {
                    QStringList menues;
                    for (const QAction* menue : t.ausgabe->menuBar()->actions()) {
                        QStringList punkte;
                        for (const QAction* punkt : menue->menu()->actions())
                            punkte << punkt->text();
                        menues << menue->text() + ':' + punkte.join(',');
                    }
                    return menues.join(' ');
                } },
            { "mittig",
                [&] {
                    const QPoint abstand
                        = t.ausgabe->frameGeometry().center() - t.ausgabe->screen()->availableGeometry().center();
                    return QString::number(abstand.manhattanLength() <= 1);
                } },
            { "tipp", [&] { return f.seiten[Seite::ZoomFenster]->findChild<QWidget*>("ZoomNormal")->toolTip(); } },
            { "farben",
                [&] {
                    const QImage b = f.leinwand->bild();
                    QSet<QRgb> farben;
                    for (int y = 0; y < b.height(); ++y)
                        for (int x = 0; x < b.width(); ++x)
                            farben.insert(b.pixel(x, y));
                    return QString::number(farben.size());
                } },
        };
        // A side window's name gives its title; the others list the windows or lists that they hold for.
        std::map<QString, QStringList> je { { "fenster", {} }, { "fest", {} }, { "markiert", {} }, { "haken", {} } };
        for (std::size_t i = 0; i < f.seiten.size(); ++i) {
            werte[namen[i]] = [&, i] { return f.seiten[i]->windowTitle(); };
            const bool gezeigt = f.seiten[i]->isVisible(), minimiert = f.seiten[i]->windowState() & Qt::WindowMinimized;
            if (gezeigt || minimiert)
                je["fenster"] << namen[i] + (!gezeigt ? ":verborgen-minimiert" : minimiert ? ":minimiert" : ":gezeigt");
            if (f.seiten[i]->minimumSize() == f.seiten[i]->maximumSize())
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
        s.t.ausgabe->zeigen();
        for (const QString& schritt : schritte.split(';', Qt::SkipEmptyParts)) {
            s.schritt(schritt);
            for (int i = 0; i < Seite::Anzahl; ++i)
                QCOMPARE(s.f.Shows[i]->isChecked(), s.f.seiten[i]->isVisible());
        }
        for (const QString& paar : erwartet.split(QRegularExpression("\\|(?=[a-zA-Z0-9]+=)"))) // "name=value|.."
            QCOMPARE(paar.section('=', 0, 0) + '=' + s.wert(paar.section('=', 0, 0)), paar);
    }

    // The command line, read before the program starts: the file it opens ("-" for none), its exit status (-1
    // for a start) and what it writes to standard output|error output as it ends. sitzung.txt runs the real
    // program without a display with --help, --version, an unknown option and two files.
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
        char* texte[2] = {}; // what an ending call writes to the two streams, caught in memory
        std::size_t laengen[2];
        std::FILE* stroeme[2] = { open_memstream(&texte[0], &laengen[0]), open_memstream(&texte[1], &laengen[1]) };
        const int ende = a.ende ? Aufruf::beantworten(a, stroeme[0], stroeme[1]) : -1;
        for (std::FILE* strom : stroeme)
            std::fclose(strom);
        const QString ist = QString("%1 %2 %3|%4").arg(a.datei.value_or("-")).arg(ende).arg(texte[0], texte[1]);
        std::free(texte[0]);
        std::free(texte[1]);
        QVERIFY2(QRegularExpression(erwartet, QRegularExpression::DotMatchesEverythingOption).match(ist).hasMatch(),
            qPrintable(ist));
    }

    // The soak: the sessions' steps in a long, seeded, random order, ZEM_SCHRITTE of them for each seed
    // (300 at least), every other mouse step at a random place, now and then far beyond the window, and
    // now and then a random menu item. After every step the program answers within 30 seconds (times
    // ZEM_ZEITFAKTOR, which sanitized builds raise), which only a hang takes even on a busy machine whose
    // disk stalls a step's file for seconds, and its state holds together (Sitzung::pruefen). The seed and
    // the step that a failure, a hang or a crash names replay it.
    void zufallsstrom_data()
    {
        QTest::addColumn<unsigned>("saat");
        for (unsigned saat : { 1u, 20240229u, 987654321u })
            QTest::addRow("seed %u", saat) << saat;
        std::signal(SIGALRM, [](int) {
            dprintf(STDERR_FILENO, "hang at step %d\n", laufenderSchritt);
            std::abort();
        });
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
        for (laufenderSchritt = 1; laufenderSchritt <= schritte && !QTest::currentTestFailed(); ++laufenderSchritt) {
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
                    : bewegung && !s.f.seiten[Seite::BewegungsFenster]->isVisible() ? "Shows_4"
                                                                                    : schritt;
            }
            const auto bericht = qScopeGuard([&] {
                if (QTest::currentTestFailed())
                    qWarning("seed %u, step %d: %s", saat, laufenderSchritt, qPrintable(schritt.left(300)));
            });
            alarm(30 * ZEM_ZEITFAKTOR);
            s.t.ausgabe->setWindowTitle("-"); // only a reading without an error refreshes it
            s.schritt(schritt);
            QCoreApplication::processEvents(); // what the step posted runs before the checks
            alarm(0);
            if (QRegularExpression("^(Öffnen|Aktualisieren|oeffnen|ablegen)").match(schritt).hasMatch())
                s.sauber = s.t.ausgabe->windowTitle() != "-";
            s.pruefen();
        }
    }

    // The heap allocations of what a user repeats most: open, redraw, a drag step and a hover, in the shown
    // main window with the model at the reader's limits. Once its buffers have had their first use the
    // program allocates nothing of its own there; a repaint request is an event Qt posts, and may allocate once.
    void budget_data()
    {
        QTest::addColumn<int>("budget");
        for (const auto& [name, budget] : { std::pair("open", 2), { "redraw", 1 }, { "drag step", 1 }, { "hover", 0 } })
            QTest::newRow(name) << budget;
    }
    void budget()
    {
        // The command of the row, run with a drag position x.
        const std::map<QString, std::function<void(Programm&, float)>> befehle {
            { "open", [](Programm& p, float) { DateiBefehle::RwxNeuLaden(p); } },
            { "redraw", [](Programm& p, float) { AllesZeichnen(p); } },
            { "drag step",
                [](Programm& p, float x) { Bewegungen::MausDrehen(p.s, p.listen, *p.f.leinwand, x, 0.5f); } },
            // the texts of the first run stay
            { "hover", [](Programm& p, float) { Auswahl::PunktZeigen(p.s, *p.f.koords, 0.3f, 0.5f); } },
        };
        const auto& befehl = befehle.at(QTest::currentDataTag());
        test::TestAusgabe t;
        Programm& p = t.p();
        t.ausgabe->zeigen();
        QVERIFY(QTest::qWaitForWindowExposed(t.ausgabe.get()));
        p.CommonDialog1.FileName = QStringLiteral(ZEM_EXAMPLES_DIR "/grenzen.rwx");
        DateiBefehle::RwxNeuLaden(p);
        // The first runs grow the buffers; each run is followed by the paint it asked for.
        std::size_t anzahl = 0;
        for (float x = 0; x < 4; ++x) {
            const std::size_t vorher = test::allokationen();
            befehl(p, x);
            anzahl = test::allokationen() - vorher;
            QCoreApplication::processEvents();
        }
        QFETCH(int, budget);
        QCOMPARE_LE(int(anzahl), budget);
    }

    // The movement window's picture, 180 pixels square at scale 1: an arrow from the middle in each of the
    // eight directions, those to the corners longer, none between; heads 14 pixels wide (160 85, 160 95).
    void pfeilbild()
    {
        const QImage bild = BewegungsFenster::pfeilbild();
        QCOMPARE(bild.size(), QSize(180, 180));
        const QTransform zwischen = QTransform().translate(90, 90).rotate(22.5).translate(-90, -90);
        for (QPoint pfeil : { QPoint(140, 90), QPoint(157, 23), QPoint(90, 40), QPoint(23, 23), QPoint(40, 90),
                 QPoint(23, 157), QPoint(90, 140), QPoint(157, 157), QPoint(160, 85), QPoint(160, 95) }) {
            QVERIFY2(qGray(bild.pixel(pfeil)) < 64, qPrintable(QString("%1 %2").arg(pfeil.x()).arg(pfeil.y())));
            QCOMPARE(bild.pixel(zwischen.map(pfeil)), qRgb(192, 192, 192));
        }
    }

    // The file dialog that the program shows, Qt's own: its title, the name filters it lists and the file it
    // starts on; the chosen file's path, or nothing when cancelled.
    void dateidialog_data()
    {
        QTest::addColumn<int>("ende");
        QTest::newRow("chosen") << int(QDialog::Accepted);
        QTest::newRow("cancelled") << int(QDialog::Rejected);
    }
    void dateidialog()
    {
        QFETCH(int, ende);
        QTemporaryDir ordner;
        const QString datei = test::schreibeDatei(ordner, "m.rwx", "x");
        QStringList gesehen;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                gesehen << dialog->windowTitle() << dialog->nameFilters() << dialog->selectedFiles();
                static_cast<QDialog*>(dialog)->done(ende); // public there
            }
        });
        QtDialoge dialoge;
        const auto gewaehlt = dialoge.dateiOeffnen(nullptr, "Öffner", "Rwx-Datei|*.Rwx|Alle (*.*)|*.*", datei);
        QCOMPARE(gesehen, (QStringList { "Öffner", "Rwx-Datei (*.Rwx)", "Alle (*.*)", datei }));
        QCOMPARE(gewaehlt, ende == QDialog::Accepted ? std::optional(datei) : std::nullopt);
    }

    // "Beenden" leaves the event loop with 0 at once and lets the side windows close, which otherwise hide
    // themselves instead. Last: Qt's event loops end at once after it.
    void beenden()
    {
        test::TestDialoge dialoge;
        Ausgabe ausgabe(dialoge); // as the program makes it, Beenden left as it is
        ausgabe.zeigen();
        SeitenFenster* punkte = ausgabe.programm().f.seiten[Seite::Punkts];
        QVERIFY(!punkte->close());
        QEventLoop schleife;
        QTimer::singleShot(0, [&] { ausgabe.findChild<QAction*>("Beenden")->trigger(); });
        QTimer::singleShot(60000, &schleife, [&] { schleife.exit(1); });
        QCOMPARE(schleife.exec(), 0);
        QVERIFY(punkte->close());
    }
};

QTEST_MAIN(TestAusgabe)
#include "tst_ausgabe.moc"
