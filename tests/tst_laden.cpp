// Open and reload through the whole program: what the window shows after each, and the list entries
// that the reader's report fills in.

#include "TestProgramm.h"

#include "platform/SeitenFenster.h"

#include <QScrollBar>
#include <QTest>

using namespace zem;
using zem::test::TestAusgabe;

namespace {
const QByteArray DreieckDatei = "modelbegin\nclumpbegin\nvertex 0 0 0\nvertex 4 0 0\nvertex 0 2 0\ntriangle 1 2 3\n"
                                "clumpend\nmodelend\n";

QByteArray modell(const QByteArray& anweisungen)
{
    return "modelbegin\nclumpbegin\n" + anweisungen + "clumpend\nmodelend\n";
}

QString punkteTitel(Programm& p)
{
    return p.f.Seiten[Seite::Punkts]->windowTitle();
}
} // namespace

class TestLaden : public QObject {
    Q_OBJECT
private slots:
    // After a.rwx (the triangle) is open, the view turned, a point marked and the zoom at 300, a command
    // runs with b.rwx written as given (an empty text: no b.rwx). A refresh fits the axes to the new
    // extent and sets the zoom to 600; a failure of the reading leaves the window as it was, with the
    // scene as the reading left it.
    void befehl_data()
    {
        QTest::addColumn<QString>("befehl");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<QString>("titel");
        QTest::addColumn<QString>("punkte"); // the caption of the points list
        QTest::addColumn<int>("anzahl");
        QTest::addColumn<float>("achse"); // the X axis end in the view
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QString>("meldung"); // the title of the last message box

        const QByteArray zwei = modell("vertex 1 1 1\nvertex -2 2 2\n");
        const QString a = QStringLiteral("a.rwx - ZemViewer");
        QTest::newRow("open") << "oeffnen" << zwei << "b.rwx - ZemViewer"
                              << " 2 Punkte ( 0 selected)" << 2 << 2.f << 600 << "ZemViewer 2.3";
        QTest::newRow("cancel reads the same file")
            << "abbrechen" << zwei << a << " 3 Punkte ( 0 selected)" << 3 << 4.f << 600 << "ZemViewer 2.3";
        QTest::newRow("reload") << "neu" << zwei << a << " 2 Punkte ( 0 selected)" << 2 << 2.f << 600
                                << "ZemViewer 2.3";
        QTest::newRow("without modelbegin")
            << "oeffnen" << QByteArray("ModelBegin\nvertex 1 2 3\n") << "b.rwx - ZemViewer"
            << " 0 Punkte ( 0 selected)" << 0 << -1000.f << 600 << "ZemViewer 2.3";
        QTest::newRow("failure in the middle") << "oeffnen" << modell("vertex 7 0 0\ntriangle 1 1 1\nvertex 1e39 0 0\n")
                                               << a << " 3 Punkte ( 0 selected)" << 2 << 4.f << 300 << "ZemViewer 2.3";
        QTest::newRow("missing file") << "oeffnen" << QByteArray() << a << " 3 Punkte ( 0 selected)" << 0 << 4.f << 300
                                      << "ZemViewer 2.3";
        QTest::newRow("999 vertices") << "oeffnen" << modell(QByteArray("vertex 1 0 0\n").repeated(999))
                                      << "b.rwx - ZemViewer"
                                      << " 998 Punkte ( 0 selected)" << 700 << 1.f << 600 << "vertex 1000";
    }
    void befehl()
    {
        QFETCH(QString, befehl);
        QFETCH(QByteArray, b);
        QTemporaryDir ordner;
        TestAusgabe t;
        Programm& p = t.p();
        t.dialoge.naechsteDateien.push_back(test::schreibeDatei(ordner, QStringLiteral("a.rwx"), DreieckDatei));
        t.ausgabe->Oeffnen_Click();
        QCOMPARE(t.dialoge.dialogTitel, QStringLiteral("Öffner"));
        QCOMPARE(t.dialoge.dialogFilter, QStringLiteral("Rwx-Datei  (*.Rwx)|*.Rwx|Alle und jede (*.*)|*.*"));
        p.s.Drehmatrix.m[0] = 0.5f;
        p.f.PunktList->setSelected(1, true);
        p.f.ZoomScroll->setValue(300);
        p.f.AuReDra->trigger();

        const QString pfadB = ordner.filePath(QStringLiteral("b.rwx"));
        if (!b.isEmpty())
            test::schreibeDatei(ordner, QStringLiteral("b.rwx"), b);
        if (befehl == "neu") {
            test::schreibeDatei(ordner, QStringLiteral("a.rwx"), b);
            t.ausgabe->Aktualisieren_Click();
        } else {
            if (befehl == "oeffnen")
                t.dialoge.naechsteDateien.push_back(pfadB);
            t.ausgabe->Oeffnen_Click();
        }
        QTEST(t.ausgabe->windowTitle(), "titel");
        QTEST(punkteTitel(p), "punkte");
        QTEST(int(p.s.AnzPunkte), "anzahl");
        QTEST(p.s.Sichtpunkte(-3).X, "achse");
        QTEST(p.f.ZoomScroll->value(), "zoom");
        QTEST(t.dialoge.titel.last(), "meldung");
        // Every command resets the view and the marks, whether the reading succeeds or not.
        QCOMPARE(p.s.Drehmatrix, Mathe::Einheit());
        QCOMPARE(p.f.PunktList->SelCount(), 0);
        QVERIFY(p.f.AuReDra->isChecked());
    }

    // The entry: the number right-aligned in a width that shrinks by one per digit down to none from
    // the 1000th entry on, two blanks, the whole field (as UTF-8 where it is valid UTF-8).
    void eintraege()
    {
        const QByteArray mega(1 << 20, 'x');
        QByteArray felder = QByteArray("vertex 0 0 0\n").repeated(99)
            + QByteArray("\357\273\277vertex \303\244\377\0!\n", 16) + "vertex 1 2 3 " + mega + '\n'
            + QByteArray("vertex 0 0 0\n").repeated(897) + "vertex triangle 1 2 3\nvertex 4 5 6\nvertex 7 8 9\n";
        QTemporaryDir ordner;
        TestAusgabe t;
        t.dialoge.naechsteDateien.push_back(test::schreibeDatei(ordner, QStringLiteral("m.rwx"), modell(felder)));
        t.ausgabe->Oeffnen_Click();
        const auto eintrag = [&](int k) { return t.p().f.PunktList->model()->index(k - 1, 0).data().toString(); };
        QCOMPARE(t.p().f.PunktList->ListCount(), 1000);
        QCOMPARE(eintrag(1), "     1  vertex 0 0 0");
        QCOMPARE(eintrag(10), "   10  vertex 0 0 0");
        QCOMPARE(eintrag(100), QString::fromUtf16(u" 100  ï»¿vertex Ã¤ÿ\0!", 21)); // not UTF-8: Windows-1252
        QCOMPARE(eintrag(101), " 101  vertex 1 2 3 " + QString(mega));
        QCOMPARE(eintrag(1000), " 1000  vertex 7 8 9");
        QCOMPARE(t.p().f.DreieList->model()->index(0, 0).data().toString(), "     1  vertex triangle 1 2 3");
    }

    void beispiele_data()
    {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QList<int>>("anzahlen"); // points, triangles, quads, polygons, messages
        QTest::newRow("Würfel") << "wuerfel.rwx" << QList { 8, 0, 6, 0, 0 };
        QTest::newRow("Haus") << "haus.rwx" << QList { 14, 14, 0, 1, 0 };
        QTest::newRow("Grenzen") << "grenzen.rwx" << QList { 998, 998, 998, 998, 0 };
        QTest::newRow("verschachtelt") << "verschachtelt.rwx" << QList { 3, 1, 0, 0, 1 };
    }
    void beispiele()
    {
        QFETCH(QString, datei);
        TestAusgabe t;
        const Szene& s = t.p().s;
        t.dialoge.naechsteDateien.push_back(QStringLiteral(ZEM_EXAMPLES_DIR "/") + datei);
        t.ausgabe->Oeffnen_Click();
        QCOMPARE(t.ausgabe->windowTitle(), datei + QStringLiteral(" - ZemViewer"));
        QTEST(
            (QList<int> { s.AnzPunkte, s.AnzDreiecke, s.AnzVierecke, s.AnzPolygone, int(t.dialoge.texte.size() - 1) }),
            "anzahlen");
    }
};

QTEST_MAIN(TestLaden)
#include "tst_laden.moc"
