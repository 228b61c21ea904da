#include "TestSzene.h"

#include "selection/Auswahl.h"
#include "view/Bewegungen.h"

#include <QTest>

#include <cmath>

using namespace zem;

Q_DECLARE_METATYPE(zem::Vektor)

namespace {

// A right drag as the main window runs it: the press picks and keeps the rotation and the press
// direction, every further position turns the view.
void ziehen(Programm& p, const QPolygonF& weg)
{
    Auswahl::PunktFangen(p, float(weg[0].x()), float(weg[0].y()));
    p.s.Druckmatrix = p.s.Drehmatrix;
    p.s.Druckvektor = { float(weg[0].x()), float(weg[0].y()), 2 * p.s.Ausdehnung };
    for (qsizetype i = 1; i < weg.size(); ++i)
        Bewegungen::MausDrehen(p, float(weg[i].x()), float(weg[i].y()));
}

// Equal to within 1e-5 of the length of soll.
bool nahe(const Vektor& ist, const Vektor& soll)
{
    return std::hypot(ist.X - soll.X, ist.Y - soll.Y, ist.Z - soll.Z) <= 1e-5f * std::hypot(soll.X, soll.Y, soll.Z);
}

} // namespace

class TestDrehen : public QObject {
    Q_OBJECT
private slots:
    // A drag from (0, 0) by one extent to the right turns the view about its Y axis by atan(1/2), without
    // model points too, but not the origin; the picture is drawn anew.
    void zugUmEineAusdehnung()
    {
        const float e = 600;
        test::BlankesProgramm b;
        Szene& s = b.p.s;
        test::szene(b.p, e, {});
        s.Punkte(-4) = { 1, 2, 3 }; // a stray entry shows whether the origin turns too
        const QImage bild = b.p.f.Flaeche->bild();
        ziehen(b.p, { { 0, 0 }, { e, 0 } });
        QVERIFY(nahe(s.Sichtpunkte(-3), { 0.894427191f * e, 0, -0.447213595f * e }));
        QVERIFY(nahe(s.Sichtpunkte(-2), { 0, e, 0 }));
        QVERIFY(nahe(s.Sichtpunkte(-1), { 0.447213595f * e, 0, 0.894427191f * e }));
        QCOMPARE(s.Sichtpunkte(-4), Vektor {});
        QVERIFY(b.p.f.Flaeche->bild() != bild);
    }

    // Whatever the directions, the step carries a point on the press direction onto the pointer direction
    // and leaves a point on the axis through both where it is (at extent 10). The view is turned a quarter
    // before the press, so the step must come in front of that turn. The centre point, picked by the press,
    // moves with the model and its fractions follow.
    void drehtDruckrichtungAufZeiger_data()
    {
        QTest::addColumn<QLineF>("zug");
        QTest::addColumn<Vektor>("achse");
        QTest::newRow("schraeg") << QLineF(3, 4, 4, -3) << Vektor { 28, 4, -5 };
        QTest::newRow("weit draussen") << QLineF(-400, 300, 500, 0) << Vektor { 1, 3, -25 };
    }
    void drehtDruckrichtungAufZeiger()
    {
        QFETCH(QLineF, zug);
        QFETCH(Vektor, achse);
        test::BlankesProgramm b;
        // Model points whose views are the axis and the press direction.
        const Vektor druck { float(zug.y1()), float(-zug.x1()), 20 };
        test::szene(b.p, 10, { { achse.Y, -achse.X, achse.Z }, druck }, test::Vierteldrehung);
        ziehen(b.p, { zug.p1(), zug.p2() });
        QVERIFY(nahe(b.p.s.Sichtpunkte(1), achse));
        QVERIFY(nahe(b.p.s.Sichtpunkte(2), { float(zug.x2()), float(zug.y2()), 20 }));
        QCOMPARE(b.p.s.Sichtpunkte(0), b.p.s.Sichtpunkte(b.p.s.Fangpunkt));
        QCOMPARE(b.p.s.MitteX, (b.p.s.Sichtpunkte(0).X + 20) / 40);
    }

    // A tiny drag turns the view and nothing else: the determinant of Drehmatrix stays 1 and its rows
    // unit vectors (a sine taken from the rounded cosine made them 0.52 long). The rows may be off by
    // what the single-precision cosine and c / s leave, a few 1e-5 at these small angles.
    void kleinerZugDrehtNur_data()
    {
        QTest::addColumn<QLineF>("zug");
        QTest::newRow("senkrecht") << QLineF(2, 1, 2, 1.005);
        QTest::newRow("schraeg") << QLineF(-3, 2, -2.99, 2.01);
    }
    void kleinerZugDrehtNur()
    {
        QFETCH(QLineF, zug);
        test::BlankesProgramm b;
        test::szene(b.p, 10, {});
        ziehen(b.p, { zug.p1(), zug.p2() });
        const Matrix& d = b.p.s.Drehmatrix;
        QVERIFY(d != Mathe::Einheit());
        for (int i = 1; i <= 3; ++i)
            QVERIFY(std::fabs(std::hypot(d(i, 1), d(i, 2), d(i, 3)) - 1) <= 1e-4);
        const double det = double(d(1, 1)) * (double(d(2, 2)) * d(3, 3) - double(d(2, 3)) * d(3, 2))
            - double(d(1, 2)) * (double(d(2, 1)) * d(3, 3) - double(d(2, 3)) * d(3, 1))
            + double(d(1, 3)) * (double(d(2, 1)) * d(3, 2) - double(d(2, 2)) * d(3, 1));
        QVERIFY(std::fabs(det - 1) <= 1e-5);
    }

    // Every step starts afresh from the press: a drag ends as the straight drag to the last position that
    // turned the view. Directions without an axis leave the view as the step before left it: back on the
    // press position, however the rounded product of the direction with itself comes out (below 1 for
    // (2, 1) at extent 10), opposite directions (at extent 0), an infinite position.
    void zugUeberZwischenpunkt_data()
    {
        QTest::addColumn<float>("e");
        QTest::addColumn<QPolygonF>("weg");
        QTest::addColumn<QPointF>("ziel");
        QTest::newRow("Umweg") << 10.0f << QPolygonF({ { 1, 2 }, { 8, -3 }, { -4, 5 } }) << QPointF(-4, 5);
        QTest::newRow("zurueck") << 10.0f << QPolygonF({ { 2, 1 }, { 6, -4 }, { 2, 1 } }) << QPointF(6, -4);
        QTest::newRow("entgegen") << 0.0f << QPolygonF({ { 2, 2 }, { 6, -4 }, { -2, -2 } }) << QPointF(6, -4);
        QTest::newRow("unendlich") << 10.0f << QPolygonF({ { 2, 1 }, { 6, -4 }, { INFINITY, 0 } }) << QPointF(6, -4);
    }
    void zugUeberZwischenpunkt()
    {
        QFETCH(float, e);
        QFETCH(QPolygonF, weg);
        QFETCH(QPointF, ziel);
        test::BlankesProgramm umweg, gerade;
        test::szene(umweg.p, e, {}, test::Vierteldrehung);
        test::szene(gerade.p, e, {}, test::Vierteldrehung);
        ziehen(umweg.p, weg);
        ziehen(gerade.p, { weg[0], ziel });
        QCOMPARE(umweg.p.s.Drehmatrix, gerade.p.s.Drehmatrix);
    }
};

QTEST_MAIN(TestDrehen)
#include "tst_drehen.moc"
