// The view of a model on a bare program, without the windows around it: the picture, turning by a right
// drag, and the thumbnail, drawn here and by the thumbnailer program.

#include "TestProgramm.h"

#include "model/Anfang.h"
#include "model/RwxToZem.h"
#include "selection/Auswahl.h"
#include "view/Bewegungen.h"
#include "view/Mathe.h"
#include "view/Vorschau.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>

#include <cmath>
#include <initializer_list>

using namespace zem;

namespace {

// A quarter turn about Z: (x, y, z) to (-y, x, z).
const Matrix Vierteldrehung { { 0, -1, 0, 1, 0, 0, 0, 0, 1 } };

// A reset scene of extent e: its axis ends and the model points 1, 2, ... with one PunktList row each, all
// seen through drehung; Fangweite 0.5 and ten pixels per unit with the origin in the middle of the 400 x 300
// surface (left -20, top 15).
void szene(Programm& p, float e, std::initializer_list<Vektor> punkte, const Matrix& drehung = Mathe::einheit())
{
    Anfang::Zuruecksetzen(p.s, p.listen, *p.f.leinwand, *p.f.haken);
    Szene& s = p.s;
    s.Ausdehnung = e;
    RwxToZem::AchsenSetzen(s);
    for (const Vektor& punkt : punkte) {
        s.Punkte(++s.AnzPunkte) = punkt;
        p.listen[Art::Punkt].AddItem(QString::number(s.AnzPunkte));
    }
    s.Drehmatrix = drehung;
    for (int k = -3; k <= s.AnzPunkte; ++k)
        Mathe::MatrixMalVektor(s.Sichtpunkte(k), drehung, s.Punkte(k));
    s.Fangweite = 0.5f;
    p.f.flaeche->resize(400, 300);
    p.f.leinwand->setScaleLeft(-20);
    p.f.leinwand->setScaleTop(15);
    p.f.leinwand->setScaleWidth(40);
    p.f.leinwand->setScaleHeight(-30);
}

// 200 x 200 pixels for the user scale -50..50 both ways with y up. Axes of extent 30, Fangweite 1,
// Achsenmass 3, the centre point at (-40, -40). Points 1 (0, 10), 2 (20, 10), 3 = -4 = 1010 (10, 20),
// 4 (10, 0); a triangle (corners 1 2 e), a quad (1 2 e 4) and a polygon (1 2 e 4), each counted by the
// rows of its list. Letters add rows: d, v, p to the element lists, q to the points' list; upper case
// selects the row.
QImage bild(const QString& was = {}, std::int16_t e = 3)
{
    test::TestAusgabe t;
    Programm& p = t.p();
    Szene& s = p.s;
    szene(p, 30, {});
    p.f.flaeche->resize(200, 200);
    AllesZeichnen(p); // a picture at another scale, which the drawing below must clear
    const Vektor punkte[] = { { -40, -40, 0 }, { 0, 10, 0 }, { 20, 10, 0 }, { 10, 20, 0 }, { 10, 0, 0 } };
    std::copy(std::begin(punkte), std::end(punkte), &s.Sichtpunkte(0));
    s.Sichtpunkte(-4) = s.Sichtpunkte(1010) = s.Sichtpunkte(3);
    s.Fangweite = 1;
    s.Achsenmass = 3;
    p.f.leinwand->setScaleWidth(100);
    p.f.leinwand->setScaleHeight(-100);
    p.f.leinwand->setScaleLeft(-50);
    p.f.leinwand->setScaleTop(50);
    s.Dreiecke(1).ecke = { 1, 2, e };
    s.Vierecke(1).ecke = { 1, 2, e, 4 };
    s.Polygone(1).slot = { 4, 1, 2, e, 4 };
    for (QChar c : was) {
        const auto art = QString("qdvp").indexOf(c.toLower()); // in the order of Art
        Liste& l = p.listen[Art(art)];
        l.AddItem({});
        l.setSelected(l.ListCount() - 1, c.isUpper());
        *std::array { &s.AnzPunkte, &s.AnzDreiecke, &s.AnzVierecke, &s.AnzPolygone }[std::size_t(art)]
            = std::int16_t(l.ListCount());
    }
    AllesZeichnen(p);
    return p.f.leinwand->bild();
}

// A right drag as the main window runs it, on a scene of extent e whose view was turned a quarter before
// the press, with model point 1 seen on the press direction: the press picks and keeps the rotation and
// the press direction, every further position turns the view.
void ziehen(Programm& p, float e, const QPolygonF& weg)
{
    const Vektor druck { float(weg[0].x()), float(weg[0].y()), 2 * e };
    szene(p, e, { { druck.Y, -druck.X, druck.Z } }, Vierteldrehung);
    p.s.Punkte(-4) = { 1, 2, 3 }; // a stray entry shows whether the origin turns too
    Auswahl::PunktFangen(p.s, *p.f.leinwand, druck.X, druck.Y);
    p.s.Druckmatrix = p.s.Drehmatrix;
    p.s.Druckvektor = druck;
    for (qsizetype i = 1; i < weg.size(); ++i)
        Bewegungen::MausDrehen(p.s, p.listen, *p.f.leinwand, float(weg[i].x()), float(weg[i].y()));
}

} // namespace

class TestAnsicht : public QObject {
    Q_OBJECT
private slots:
    // The colour at user points. The X arrow's barbs end at (27, 1) and (27, -1), just short of (26.6, 1)
    // and (26.6, -1). (5, 10) lies on the edge from corner 1 to 2 of every element and on nothing else. An
    // element with a corner outside the point tables is skipped whole: the picture (no places given) is the
    // empty scene's.
    void bild_data()
    {
        QTest::addColumn<QString>("szene");
        QTest::addColumn<int>("ecke");
        QTest::addColumn<QList<QPointF>>("orte");
        QTest::addColumn<QColor>("farbe");
        const auto zeile = [](const char* name, const char* szene, QList<QPointF> orte, QColor farbe, int ecke = 3) {
            QTest::newRow(name) << QString(szene) << ecke << orte << farbe;
        };
        zeile("axes, arrows, letters", "",
            { { 30, 0 }, { -30, 0 }, { 0, 30 }, { 27, 1 }, { 27, -1 }, { 31, 3 }, { 1.5, 32.5 } }, Qt::red);
        zeile("gaps, circle centre", "",
            { { -30.5, 0 }, { 30.5, 0 }, { 26.6, 1 }, { 26.6, -1 }, { 3, 31 }, { -40, -40 } }, Qt::black);
        zeile("circle", "", { { -39, -40 } }, Qt::green);
        zeile("triangle over axis, closed", "d", { { 5, 10 }, { 0, 10 }, { 5, 15 } }, QColor(0, 100, 255));
        zeile("quad over triangle, closed", "dv", { { 5, 10 }, { 5, 5 } }, Qt::blue);
        zeile("polygon over triangle", "dp", { { 5, 10 } }, Qt::blue);
        zeile("marked over quad and polygon", "Dvp", { { 5, 10 } }, Qt::green);
        zeile("marked quad", "dV", { { 5, 10 } }, Qt::green);
        zeile("marked polygon", "dP", { { 5, 10 } }, Qt::green);
        zeile("square over marked", "VPQ", { { 1, 10 }, { 1, 9 }, { -1, 11 } }, Qt::cyan);
        zeile("nothing past the last corner", "dvp", { { -15, -10 }, { -5, 2 } }, Qt::black);
        zeile("corner -4 counts", "P", { { 5, 10 } }, Qt::green, -4);
        zeile("corner 1010 counts", "P", { { 5, 10 } }, Qt::green, 1010);
        zeile("corner 1011", "dvp", {}, {}, 1011);
    }
    void bild()
    {
        QFETCH(QString, szene);
        QFETCH(int, ecke);
        QFETCH(QList<QPointF>, orte);
        QFETCH(QColor, farbe);
        const QImage gemalt = ::bild(szene, std::int16_t(ecke)).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!orte.isEmpty() || gemalt == ::bild());
        for (QPointF o : orte) {
            const QColor ist = gemalt.pixelColor(int(std::floor((o.x() + 50) * 2)), int(std::floor((50 - o.y()) * 2)));
            QVERIFY2(ist == farbe, qPrintable(QString("%1 %2 is %3").arg(o.x()).arg(o.y()).arg(ist.name())));
        }
        // Every other pixel as in the picture kept in data/bilder. A difference leaves the drawn and the
        // expected picture beside the test log, where an image viewer shows them side by side.
        const QString name = QString(QTest::currentDataTag()).replace(QRegularExpression("[^a-z0-9]+"), "-");
        const QImage erwartet
            = QImage(ZEM_TESTDATA_DIR "/bilder/" + name + ".png").convertToFormat(QImage::Format_RGB32);
        if (gemalt != erwartet) {
            const QString ablage = QDir::current().absoluteFilePath(name);
            gemalt.save(ablage + "-drawn.png");
            erwartet.save(ablage + "-expected.png");
            QFAIL(qPrintable("the picture differs from the expected one: " + ablage + "-{drawn,expected}.png"));
        }
    }

    // Every step of a drag starts afresh from the press: a drag ends as the straight drag to the last
    // position that turned the view, which carries the press direction onto that position's direction and
    // stays a rotation (determinant 1, unit rows; a sine taken from the rounded cosine made tiny drags
    // stretch the view). Directions without an axis leave the view as the step before left it: back on
    // the press position, however the rounded product of the direction with itself comes out (below 1 for
    // (2, 1) at extent 10), opposite directions (at extent 0), an infinite position. The origin stays, the
    // centre point moves with the model and its fractions follow.
    void ziehen_data()
    {
        QTest::addColumn<float>("e");
        QTest::addColumn<QPolygonF>("weg");
        QTest::addColumn<QPointF>("ziel");
        QTest::newRow("slanted") << 10.0f << QPolygonF({ { 3, 4 }, { 4, -3 } }) << QPointF(4, -3);
        QTest::newRow("far outside") << 10.0f << QPolygonF({ { -400, 300 }, { 500, 0 } }) << QPointF(500, 0);
        QTest::newRow("tiny") << 10.0f << QPolygonF({ { -3, 2 }, { -2.99, 2.01 } }) << QPointF(-2.99, 2.01);
        QTest::newRow("detour, back") << 10.0f << QPolygonF({ { 2, 1 }, { 8, -3 }, { 6, -4 }, { 2, 1 } })
                                      << QPointF(6, -4);
        QTest::newRow("opposite") << 0.0f << QPolygonF({ { 2, 2 }, { 6, -4 }, { -2, -2 } }) << QPointF(6, -4);
        QTest::newRow("infinite") << 10.0f << QPolygonF({ { 2, 1 }, { 6, -4 }, { INFINITY, 0 } }) << QPointF(6, -4);
    }
    void ziehen()
    {
        QFETCH(float, e);
        QFETCH(QPolygonF, weg);
        QFETCH(QPointF, ziel);
        test::TestAusgabe umweg, gerade;
        ::ziehen(umweg.p(), e, weg);
        ::ziehen(gerade.p(), e, { weg[0], ziel });
        const Szene& s = umweg.p().s;
        const Matrix& d = s.Drehmatrix;
        QCOMPARE(d, gerade.p().s.Drehmatrix);
        for (int i = 1; i <= 3; ++i)
            QVERIFY(std::fabs(std::hypot(d(i, 1), d(i, 2), d(i, 3)) - 1) <= 1e-4);
        const double det = double(d(1, 1)) * (double(d(2, 2)) * d(3, 3) - double(d(2, 3)) * d(3, 2))
            - double(d(1, 2)) * (double(d(2, 1)) * d(3, 3) - double(d(2, 3)) * d(3, 1))
            + double(d(1, 3)) * (double(d(2, 1)) * d(3, 2) - double(d(2, 2)) * d(3, 1));
        QVERIFY(std::fabs(det - 1) <= 1e-5);
        const Vektor& p = s.Sichtpunkte(1);
        const double z = std::hypot(ziel.x(), ziel.y(), 2 * e), laenge = std::hypot(p.X, p.Y, p.Z);
        QVERIFY(std::hypot(p.X / laenge - ziel.x() / z, p.Y / laenge - ziel.y() / z, p.Z / laenge - 2 * e / z) < 1e-4);
        QCOMPARE(s.Sichtpunkte(-4), Vektor {});
        QCOMPARE(s.Sichtpunkte(0), p);
        QCOMPARE(s.MitteX, (p.X + 20) / 40);
        QCOMPARE(s.MitteY, (15 - p.Y) / -30);
    }

    // The thumbnail of a square of side 2 about the origin: at zoom 600 the picture spans 2.4 times the extent
    // 1, so the middle row crosses the square's sides a twelfth of the picture in from its edges, each line
    // as wide as the pen (w pixels from -(w - 1) / 2 to w / 2). Sides are brought into 128..1024. No
    // thumbnail without a point, without an element, or of extent 0.
    void vorschau_data()
    {
        QTest::addColumn<QByteArray>("modell");
        QTest::addColumn<int>("seite");
        QTest::addColumn<int>("bildseite");
        QTest::addColumn<QList<int>>("linien");
        const QByteArray quadrat = "vertex -1 -1 0\nvertex 1 -1 0\nvertex 1 1 0\nvertex -1 1 0\nquad 1 2 3 4\n";
        QTest::newRow("128") << quadrat << 128 << 128 << QList { 10, 117 };
        QTest::newRow("256") << quadrat << 256 << 256 << QList { 21, 234 };
        QTest::newRow("512") << quadrat << 512 << 512 << QList { 42, 43, 469, 470 };
        QTest::newRow("64 taken as 128") << quadrat << 64 << 128 << QList { 10, 117 };
        QTest::newRow("2000 taken as 1024") << quadrat << 2000 << 1024 << QList { 84, 85, 86, 87, 937, 938, 939, 940 };
        QTest::newRow("no point") << QByteArray("quad 1 2 3 4\n") << 256 << 0 << QList<int>();
        QTest::newRow("no element") << QByteArray("vertex 1 1 1\n") << 256 << 0 << QList<int>();
        QTest::newRow("extent 0") << QByteArray("vertex 0 0 0\ntriangle 1 1 1\n") << 256 << 0 << QList<int>();
    }
    void vorschau()
    {
        QFETCH(QByteArray, modell);
        QFETCH(int, seite);
        QFETCH(int, bildseite);
        QTemporaryFile datei;
        QVERIFY(datei.open() && datei.write("modelbegin\nclumpbegin\n" + modell + "clumpend\n") > 0 && datei.flush());
        const auto s = std::make_unique<Szene>();
        Vorschau::lesen(*s, datei.fileName());
        const QImage bild = Vorschau::bild(*s, seite);
        QCOMPARE(bild.size(), QSize(bildseite, bildseite));
        QList<int> linien;
        for (int x = 0; x < bildseite; ++x)
            if (bild.pixel(x, bildseite / 2) != qRgb(0, 0, 0))
                linien << x;
        QTEST(linien, "linien");
    }

    // The thumbnailer as a file manager runs it (MODELL and BILD stand for the files): a model gives a PNG of
    // the size asked, brought into 128..1024, and status 0; no model or a wrong call, another status and no
    // file (side 0).
    void thumbnailer_data()
    {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<QByteArray>("modell");
        QTest::addColumn<int>("seite");
        const QByteArray dreieck = "vertex -1 -1 0\nvertex 1 -1 0\nvertex 0 1 0\ntriangle 1 2 3\n";
        const QStringList aufruf { "-s", "300", "MODELL", "BILD" };
        QTest::newRow("model") << aufruf << dreieck << 300;
        QTest::newRow("size 10") << QStringList { "-s", "10", "MODELL", "BILD" } << dreieck << 128;
        QTest::newRow("no element") << aufruf << QByteArray("vertex 1 1 1\n") << 0;
        QTest::newRow("no size") << aufruf.mid(2) << dreieck << 0;
    }
    void thumbnailer()
    {
        QFETCH(QStringList, argumente);
        QFETCH(QByteArray, modell);
        QFETCH(int, seite);
        QTemporaryDir ordner;
        test::schreibeDatei(ordner, "m.rwx", "modelbegin\nclumpbegin\n" + modell + "clumpend\n");
        QProcess programm;
        programm.start(ZEM_THUMBNAILER,
            argumente.replaceInStrings("MODELL", ordner.filePath("m.rwx"))
                .replaceInStrings("BILD", ordner.filePath("b")));
        QVERIFY(programm.waitForFinished(60000));
        QCOMPARE(programm.exitCode() == 0, seite > 0);
        QCOMPARE(QImage(ordner.filePath("b"), "PNG").size(), QSize(seite, seite));
    }
};

QTEST_MAIN(TestAnsicht)
#include "tst_ansicht.moc"
