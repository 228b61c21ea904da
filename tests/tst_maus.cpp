#include "TestProgramm.h"

#include "platform/SeitenFenster.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

using namespace zem;
using zem::test::TestAusgabe;

namespace {

const QByteArray Modell = "modelbegin\nclumpbegin\n"
                          "vertex 0 0 0\nvertex 4 0 0\nvertex 0 4 0\nvertex 4 4 0\nvertex -4 -4 2\n"
                          "triangle 1 2 3\ntriangle 2 4 3\nquad 1 2 4 3\npolygon 3 5 1 2\n"
                          "clumpend\nmodelend\n";

// The whole program with the model open and the main window on the (offscreen) screen.
struct Sitzung {
    QTemporaryDir ordner;
    TestAusgabe t;
    Programm& p = t.p();
    Zeichenflaeche* f = p.f.Flaeche;

    Sitzung()
    {
        t.ausgabe->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.ausgabe.get()));
        t.dialoge.naechsteDateien.push_back(test::schreibeDatei(ordner, QStringLiteral("m.rwx"), Modell));
        t.ausgabe->Oeffnen_Click();
    }
    QPoint ort(float x, float y) const { return f->zuPixel(x, y).toPoint(); }
    void bewegen(float x, float y, Qt::MouseButtons tasten)
    {
        QMouseEvent e(QEvent::MouseMove, ort(x, y), f->mapToGlobal(ort(x, y)), Qt::NoButton, tasten, {});
        QCoreApplication::sendEvent(f, &e);
    }
};

} // namespace

class TestMaus : public QObject {
    Q_OBJECT
private slots:
    void klickOhneDruckTutNichts()
    {
        Sitzung s;
        QCOMPARE(s.p.s.Maustaste, 0.0f);
        s.t.ausgabe->klick();
        s.t.ausgabe->doppelklick();
        QCOMPARE(s.p.f.PunktList->SelCount(), 0);
        QCOMPARE(s.p.f.ZoomScroll->value(), 600);
    }

    // A press of any button but the left one saves the rotation and the press direction for a drag.
    void druckMerktDrehung_data()
    {
        QTest::addColumn<Qt::MouseButton>("taste");
        QTest::addColumn<bool>("merkt");
        QTest::newRow("links") << Qt::LeftButton << false;
        QTest::newRow("rechts") << Qt::RightButton << true;
        QTest::newRow("mitte") << Qt::MiddleButton << true;
    }
    void druckMerktDrehung()
    {
        QFETCH(Qt::MouseButton, taste);
        QFETCH(bool, merkt);
        Sitzung s;
        Szene& sz = s.p.s;
        sz.Drehmatrix.m[1] = 0.25f;
        const Matrix vorher = sz.Druckmatrix;
        QTest::mousePress(s.f, taste, {}, s.ort(4, 4));
        QCOMPARE(sz.Fangpunkt, 4);
        QCOMPARE(sz.Punkte(0), (Vektor { 4, 4, 0 }));
        QCOMPARE(sz.Druckmatrix == sz.Drehmatrix, merkt);
        if (merkt) {
            QVERIFY(std::abs(sz.Druckvektor.X - 4) < 0.1f && std::abs(sz.Druckvektor.Y - 4) < 0.1f);
            QCOMPARE(sz.Druckvektor.Z, 2 * sz.Ausdehnung);
        } else {
            QCOMPARE(sz.Druckmatrix, vorher);
        }
        QTest::mouseRelease(s.f, taste, {}, s.ort(4, 4));
    }

    // Only a move with the right button alone turns the model.
    void nurRechtsDreht_data()
    {
        QTest::addColumn<int>("tasten");
        QTest::addColumn<bool>("dreht");
        QTest::newRow("rechts") << int(Qt::RightButton) << true;
        QTest::newRow("links") << int(Qt::LeftButton) << false;
        QTest::newRow("links und rechts") << int(Qt::LeftButton | Qt::RightButton) << false;
        QTest::newRow("mitte") << int(Qt::MiddleButton) << false;
        QTest::newRow("keine") << 0 << false;
    }
    void nurRechtsDreht()
    {
        QFETCH(int, tasten);
        QFETCH(bool, dreht);
        Sitzung s;
        QTest::mousePress(s.f, Qt::RightButton, {}, s.ort(1, 1));
        s.bewegen(3, 1, Qt::MouseButtons(tasten));
        QCOMPARE(s.p.s.Drehmatrix != Mathe::Einheit(), dreht);
        QCOMPARE(s.p.s.Sichtpunkte(2) != s.p.s.Punkte(2), dreht);
    }

    // A left click marks the point under the press and leaves the caption until a list release.
    void linksKlickMarkiert()
    {
        Sitzung s;
        const QString titel = s.p.f.Seiten[Seite::Punkts]->windowTitle();
        QTest::mouseClick(s.f, Qt::LeftButton, {}, s.ort(4, 0));
        QVERIFY(s.p.f.PunktList->Selected(1));
        QCOMPARE(s.p.f.Seiten[Seite::Punkts]->windowTitle(), titel);
        QTest::mouseClick(s.f, Qt::LeftButton, {}, s.ort(4, 0));
        QVERIFY(!s.p.f.PunktList->Selected(1));

        // A right click only redraws; it marks nothing.
        QTest::mouseClick(s.f, Qt::RightButton, {}, s.ort(4, 0));
        QCOMPARE(s.p.f.PunktList->SelCount(), 0);
    }

    void listenLoslassenAktualisiert()
    {
        Sitzung s;
        s.p.f.Seiten[Seite::Punkts]->show();
        s.p.f.Seiten[Seite::Dreie]->show();
        s.t.ausgabe->MarkWith_Click(1);
        // A click on point 2's row marks it; on release both triangles with corner 2 are marked.
        Listenfeld* punkte = s.p.f.PunktList;
        QTest::mouseClick(
            punkte->viewport(), Qt::LeftButton, {}, punkte->visualRect(punkte->model()->index(1, 0)).center());
        QVERIFY(punkte->Selected(1));
        QCOMPARE(s.p.f.DreieList->SelCount(), 2);
        QCOMPARE(s.p.f.ViereList->SelCount(), 1);
        QCOMPARE(s.p.f.PolyList->SelCount(), 1);
        QCOMPARE(s.p.f.Seiten[Seite::Punkts]->windowTitle(), QStringLiteral(" 5 Punkte ( 1 selected)"));
        QCOMPARE(s.p.f.Seiten[Seite::Dreie]->windowTitle(), QStringLiteral(" 2 Dreiecke ( 2 selected)"));

        // In the triangles list a click toggles the row and the release updates the caption.
        Listenfeld* dreiecke = s.p.f.DreieList;
        QTest::mouseClick(
            dreiecke->viewport(), Qt::LeftButton, {}, dreiecke->visualRect(dreiecke->model()->index(0, 0)).center());
        QCOMPARE(s.p.f.Seiten[Seite::Dreie]->windowTitle(), QStringLiteral(" 2 Dreiecke ( 1 selected)"));

        // Hidden and shown again, the window keeps its rows and selections.
        QVERIFY(!s.p.f.Seiten[Seite::Dreie]->close());
        s.t.ausgabe->Shows_Click(Seite::Dreie);
        QVERIFY(s.p.f.Seiten[Seite::Dreie]->isVisible());
        QCOMPARE(dreiecke->ListCount(), 2);
        QVERIFY(!dreiecke->Selected(0) && dreiecke->Selected(1));
    }

    void markierartWaehlen()
    {
        Sitzung s;
        s.p.f.PunktList->setSelected(4, true); // point 5, a corner of the polygon only
        s.p.f.DreieList->setSelected(0, true);
        s.t.ausgabe->MarkWith_Click(0);
        QCOMPARE(s.p.s.Markierart, 0);
        QVERIFY(s.p.f.DreieList->Selected(0)); // the manual mode leaves the lists alone
        s.p.f.MarkWith[2]->trigger();
        QCOMPARE(s.p.s.Markierart, 2);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(s.p.f.MarkWith[i]->isChecked(), i == 2);
        QCOMPARE(s.p.f.DreieList->SelCount(), 0);
        QCOMPARE(s.p.f.PolyList->SelCount(), 0);
    }

    void rechterDoppelklickZoomt_data()
    {
        QTest::addColumn<Qt::MouseButton>("taste");
        QTest::addColumn<int>("vorher");
        QTest::addColumn<int>("nachher");
        // Each row clicks elsewhere: two rows' clicks at one place would make a double click of their own.
        QTest::addColumn<int>("x");
        QTest::newRow("rechts 600") << Qt::RightButton << 600 << 303 << 20;
        QTest::newRow("rechts 7") << Qt::RightButton << 7 << 6 << 60;
        QTest::newRow("rechts 6") << Qt::RightButton << 6 << 6 << 100;
        QTest::newRow("links") << Qt::LeftButton << 600 << 600 << 140;
    }
    void rechterDoppelklickZoomt()
    {
        QFETCH(Qt::MouseButton, taste);
        QFETCH(int, vorher);
        QFETCH(int, x);
        Sitzung s;
        s.p.f.ZoomScroll->setValue(vorher);
        QTest::mouseDClick(s.t.ausgabe->windowHandle(), taste, {}, s.f->mapTo(s.t.ausgabe.get(), QPoint(x, 40)));
        QTEST(s.p.f.ZoomScroll->value(), "nachher");
    }

    // The release puts the coordinates window in front without showing it.
    void loslassenZeigtKoordsNicht()
    {
        Sitzung s;
        QTest::mouseClick(s.f, Qt::LeftButton, {}, s.ort(-3, 2));
        QVERIFY(!s.p.f.Seiten[Seite::KoordsFenster]->isVisible());
    }

    void schwebenZeigtPunkt()
    {
        Sitzung s;
        s.bewegen(4, 4, Qt::NoButton);
        QCOMPARE(s.p.f.Seiten[Seite::KoordsFenster]->windowTitle(), QStringLiteral("Punkt 4"));
        s.bewegen(-2, 2, Qt::NoButton);
        QCOMPARE(s.p.f.Seiten[Seite::KoordsFenster]->windowTitle(), QStringLiteral("no Punkt 0"));
    }
};

QTEST_MAIN(TestMaus)
#include "tst_maus.moc"
