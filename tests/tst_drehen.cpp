#include "TestProgramm.h"

#include "model/Anfang.h"
#include "selection/Auswahl.h"
#include "view/Bewegungen.h"
#include "view/Mathe.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace zem;
using namespace zem::Mathe;

Q_DECLARE_METATYPE(zem::Vektor)

namespace {

constexpr float Unendlich = std::numeric_limits<float>::infinity();

// The scene after a reset, with extent e, its axes, the given model points, and a user scale of ten
// pixels per unit with the origin in the middle of the 400 x 300 surface (left -20, top 15).
void szene(Programm& p, float e, std::initializer_list<Vektor> punkte = {})
{
    Anfang::Zuruecksetzen(p);
    Szene& s = p.s;
    s.Ausdehnung = e;
    s.Punkte(-3) = { e, 0, 0 };
    s.Punkte(-2) = { 0, e, 0 };
    s.Punkte(-1) = { 0, 0, e };
    int i = 0;
    for (const Vektor& punkt : punkte)
        s.Punkte(++i) = punkt;
    s.AnzPunkte = static_cast<std::int16_t>(i);
    for (int k = PunktMin; k <= i; ++k)
        s.Sichtpunkte(k) = s.Punkte(k);
    s.Fangweite = 0.5f;
    s.Achsenmass = 1.5f;
    p.f.Flaeche->setScaleLeft(-20);
    p.f.Flaeche->setScaleTop(15);
    p.f.Flaeche->setScaleWidth(40);
    p.f.Flaeche->setScaleHeight(-30);
    // A hidden widget gets its size only when shown; the surface draws into an image of that size.
    p.f.Flaeche->setAttribute(Qt::WA_DontShowOnScreen);
    p.f.Flaeche->show();
}

// What the main window does on a mouse press: store the button, pick, and for any button but the left
// one begin a rotating drag.
void druecken(Programm& p, int taste, float x, float y)
{
    p.s.Maustaste = static_cast<float>(taste);
    Auswahl::PunktFangen(p, x, y);
    if (taste != 1) {
        p.s.Druckmatrix = p.s.Drehmatrix;
        NeuerVektor(p.s.Druckvektor, x, y, 2.0 * p.s.Ausdehnung);
    }
}

bool nahe(const Vektor& ist, const Vektor& soll, float toleranz)
{
    return std::fabs(ist.X - soll.X) <= toleranz && std::fabs(ist.Y - soll.Y) <= toleranz
        && std::fabs(ist.Z - soll.Z) <= toleranz;
}

QByteArray text(const Vektor& v)
{
    return QByteArray::number(v.X) + ", " + QByteArray::number(v.Y) + ", " + QByteArray::number(v.Z);
}

#define VERGLEICHE_NAHE(ist, soll, toleranz)                                                                           \
    QVERIFY2(nahe((ist), (soll), (toleranz)), text(ist) + " statt " + text(soll))

bool endlich(const Matrix& m)
{
    for (float w : m.m)
        if (!std::isfinite(w))
            return false;
    return true;
}

// The rotation a step added in front of Druckmatrix: Drehmatrix times the transpose of Druckmatrix.
Matrix schritt(const Szene& s)
{
    Matrix t, r;
    Transponiere(t, s.Druckmatrix);
    MatrixMalMatrix(r, s.Drehmatrix, t);
    return r;
}

// v scaled to length 1 in double precision; the zero vector gives (1, 0, 0).
Vektor einheit(Vektor v)
{
    const double l = std::sqrt(double(v.X) * v.X + double(v.Y) * v.Y + double(v.Z) * v.Z);
    if (l == 0)
        return { 1, 0, 0 };
    return { float(v.X / l), float(v.Y / l), float(v.Z / l) };
}

Vektor kreuz(const Vektor& a, const Vektor& b)
{
    return { a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X };
}

bool hatRot(const QImage& bild, QPoint mitte)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (bild.pixel(mitte + QPoint(dx, dy)) == qRgb(255, 0, 0))
                return true;
    return false;
}

} // namespace

class TestDrehen : public QObject {
    Q_OBJECT
private slots:
    // A drag from the origin by one extent to the right turns the model about the view's Y axis by
    // atan(1/2): the Z axis end comes towards the pointer, the X axis end goes away from the viewer.
    void zugUmEineAusdehnung_data()
    {
        QTest::addColumn<float>("e");
        QTest::newRow("E 1") << 1.0f;
        QTest::newRow("E 10") << 10.0f;
        QTest::newRow("E 0.25") << 0.25f;
        QTest::newRow("E 600") << 600.0f;
    }
    void zugUmEineAusdehnung()
    {
        QFETCH(float, e);
        test::BlankesProgramm b;
        Programm& p = b.p;
        szene(p, e, { { 0, 0, -e } });
        druecken(p, 2, 0, 0);
        // A stray value in the origin's model entry shows whether the step turns the origin too.
        p.s.Punkte(-4) = { 1, 2, 3 };
        Bewegungen::MausDrehen(p, e, 0);

        const float s5 = float(1 / std::sqrt(5.0));
        const float tol = 2e-6f * e;
        const Szene& s = p.s;
        VERGLEICHE_NAHE(s.Sichtpunkte(-3), (Vektor { 2 * s5 * e, 0, -s5 * e }), tol);
        VERGLEICHE_NAHE(s.Sichtpunkte(-2), (Vektor { 0, e, 0 }), tol);
        VERGLEICHE_NAHE(s.Sichtpunkte(-1), (Vektor { s5 * e, 0, 2 * s5 * e }), tol);
        VERGLEICHE_NAHE(s.Sichtpunkte(1), (Vektor { -s5 * e, 0, -2 * s5 * e }), tol);
        QCOMPARE(s.Sichtpunkte(-4), (Vektor { 0, 0, 0 }));
        QCOMPARE(s.Druckvektor, (Vektor { 0, 0, 2 * e }));
    }

    // Whatever the press, the move and the orientation at the press, the step's own rotation carries
    // the press direction onto the pointer direction about their common normal, and is a rotation. The
    // sine is formed from the cosine after its rounding to single precision, so a small turn is a
    // rotation only to about 1e-4 (a shrink of 3.5e-5 at 1.5 degrees): far closer than any fault comes.
    void drehtDruckrichtungAufZeiger_data()
    {
        QTest::addColumn<float>("e");
        QTest::addColumn<QPointF>("vorher");
        QTest::addColumn<QPointF>("druck");
        QTest::addColumn<QPointF>("zeiger");
        QTest::newRow("aus dem Ursprung") << 10.0f << QPointF(0, 0) << QPointF(0, 0) << QPointF(3, -4);
        QTest::newRow("schraeg") << 10.0f << QPointF(5, 5) << QPointF(-7, 2) << QPointF(6, -9);
        QTest::newRow("kleiner Schritt") << 10.0f << QPointF(-3, 1) << QPointF(1, 1) << QPointF(1.5, 1.2);
        QTest::newRow("weit draussen") << 2.0f << QPointF(1, 0) << QPointF(-400, 300) << QPointF(500, -250);
        QTest::newRow("kleine Ausdehnung") << 0.01f << QPointF(0, 0.02) << QPointF(0.01, 0) << QPointF(-0.02, 0.03);
    }
    void drehtDruckrichtungAufZeiger()
    {
        QFETCH(float, e);
        QFETCH(QPointF, vorher);
        QFETCH(QPointF, druck);
        QFETCH(QPointF, zeiger);
        test::BlankesProgramm b;
        Programm& p = b.p;
        szene(p, e);
        // An earlier drag leaves the view turned, so that Druckmatrix is not the identity.
        druecken(p, 2, 0, 0);
        Bewegungen::MausDrehen(p, float(vorher.x()), float(vorher.y()));
        druecken(p, 2, float(druck.x()), float(druck.y()));
        Bewegungen::MausDrehen(p, float(zeiger.x()), float(zeiger.y()));

        const Matrix r = schritt(p.s);
        const Vektor a = einheit({ float(druck.x()), float(druck.y()), 2 * e });
        const Vektor z = einheit({ float(zeiger.x()), float(zeiger.y()), 2 * e });
        Vektor ra;
        MatrixMalVektor(ra, r, a);
        VERGLEICHE_NAHE(ra, z, 1e-4f);
        const Vektor achse = kreuz(a, z);
        Vektor rachse;
        MatrixMalVektor(rachse, r, achse);
        VERGLEICHE_NAHE(rachse, achse, 1e-4f);
        Matrix t, e2;
        Transponiere(t, r);
        MatrixMalMatrix(e2, r, t);
        for (int i = 0; i < 9; ++i)
            QVERIFY2(std::fabs(e2.m[i] - Einheit().m[i]) < 1e-4f, qPrintable(QString::number(i)));
        const double det = double(r.m[0]) * (double(r.m[4]) * r.m[8] - double(r.m[5]) * r.m[7])
            - double(r.m[1]) * (double(r.m[3]) * r.m[8] - double(r.m[5]) * r.m[6])
            + double(r.m[2]) * (double(r.m[3]) * r.m[7] - double(r.m[4]) * r.m[6]);
        QVERIFY(std::fabs(det - 1) < 1e-4);
    }

    // A drag depends on its start and its end only: every step starts afresh from Druckmatrix.
    void zugUeberZwischenpunkt_data()
    {
        QTest::addColumn<QPointF>("druck");
        QTest::addColumn<QPointF>("mitte");
        QTest::addColumn<QPointF>("ende");
        QTest::newRow("Umweg") << QPointF(1, 2) << QPointF(8, -3) << QPointF(-4, 5);
        QTest::newRow("ueber den Druckpunkt") << QPointF(-2, 3) << QPointF(-2, 3) << QPointF(6, 6);
        QTest::newRow("weiter Umweg") << QPointF(0, 0) << QPointF(-19, 14) << QPointF(2, -1);
    }
    void zugUeberZwischenpunkt()
    {
        QFETCH(QPointF, druck);
        QFETCH(QPointF, mitte);
        QFETCH(QPointF, ende);
        test::BlankesProgramm umweg, gerade;
        for (Programm* p : { &umweg.p, &gerade.p }) {
            szene(*p, 10, { { 3, 4, 5 }, { -6, 2, -1 } });
            druecken(*p, 2, 5, 5);
            Bewegungen::MausDrehen(*p, -3, 7);
            druecken(*p, 2, float(druck.x()), float(druck.y()));
        }
        Bewegungen::MausDrehen(umweg.p, float(mitte.x()), float(mitte.y()));
        Bewegungen::MausDrehen(umweg.p, float(ende.x()), float(ende.y()));
        Bewegungen::MausDrehen(gerade.p, float(ende.x()), float(ende.y()));

        QCOMPARE(umweg.p.s.Drehmatrix, gerade.p.s.Drehmatrix);
        for (int i = -4; i <= 2; ++i)
            QCOMPARE(umweg.p.s.Sichtpunkte(i), gerade.p.s.Sichtpunkte(i));
        QVERIFY(!(umweg.p.s.Drehmatrix == umweg.p.s.Druckmatrix));
    }

    // Back on the press position the directions are parallel: the rotation stays as the step before
    // left it, yet the points, the centre fractions and the picture are still renewed. At extent 10 the
    // direction of (2, 2) has a rounded product with itself of exactly 1, that of (2, 1) just below 1
    // and that of (-10, 3) just above.
    void zurueckAufDruckstelle_data()
    {
        QTest::addColumn<QPointF>("druck");
        QTest::newRow("Produkt 1") << QPointF(2, 2);
        QTest::newRow("Produkt unter 1") << QPointF(2, 1);
        QTest::newRow("Produkt ueber 1") << QPointF(-10, 3);
    }
    void zurueckAufDruckstelle()
    {
        QFETCH(QPointF, druck);
        const float x0 = float(druck.x()), y0 = float(druck.y());
        test::BlankesProgramm b;
        Programm& p = b.p;
        szene(p, 10, { { 4, -6, 2 } });
        druecken(p, 2, 5, 5);
        Bewegungen::MausDrehen(p, -3, 7);
        druecken(p, 2, x0, y0);
        QCOMPARE(p.s.Fangpunkt, std::int16_t(-4));
        const Matrix beimDruck = p.s.Druckmatrix;

        Bewegungen::MausDrehen(p, x0, y0);
        QCOMPARE(p.s.Drehmatrix, beimDruck);

        Bewegungen::MausDrehen(p, 6, -4);
        const Matrix zwischen = p.s.Drehmatrix;
        QVERIFY(!(zwischen == beimDruck));

        p.s.Punkte(1) = { -1, 8, 3 };
        p.f.Flaeche->setScaleLeft(-10);
        p.f.Flaeche->setScaleTop(5);
        p.f.Flaeche->loeschen();
        Bewegungen::MausDrehen(p, x0, y0);
        QCOMPARE(p.s.Drehmatrix, zwischen);
        Vektor erwartet;
        MatrixMalVektor(erwartet, zwischen, { -1, 8, 3 });
        QCOMPARE(p.s.Sichtpunkte(1), erwartet);
        QCOMPARE(p.s.MitteX, 0.25f);
        QCOMPARE(p.s.MitteY, float(5.0 / -30.0));
        const Vektor x = p.s.Sichtpunkte(-3);
        QVERIFY(hatRot(p.f.Flaeche->bild(), p.f.Flaeche->zuPixel(x.X / 2, x.Y / 2).toPoint()));
    }

    // Without model points a drag still turns the axes and the centre point and redraws; here the
    // centre point is the X axis end, picked by the press.
    void ohnePunkteDrehtAchsenUndMitte()
    {
        test::BlankesProgramm b;
        Programm& p = b.p;
        szene(p, 10);
        druecken(p, 2, 10, 0);
        QCOMPARE(p.s.Fangpunkt, std::int16_t(-3));
        p.f.Flaeche->loeschen();
        Bewegungen::MausDrehen(p, 0, 0);

        const float s5 = float(1 / std::sqrt(5.0));
        VERGLEICHE_NAHE(p.s.Sichtpunkte(-3), (Vektor { 20 * s5, 0, 10 * s5 }), 2e-5f);
        VERGLEICHE_NAHE(p.s.Sichtpunkte(-1), (Vektor { -10 * s5, 0, 20 * s5 }), 2e-5f);
        QCOMPARE(p.s.Sichtpunkte(0), p.s.Sichtpunkte(-3));
        QVERIFY(std::fabs(p.s.MitteX - (20 * s5 + 20) / 40) < 1e-6f);
        QCOMPARE(p.s.MitteY, -0.5f);
        QVERIFY(hatRot(p.f.Flaeche->bild(), p.f.Flaeche->zuPixel(10 * s5, 0).toPoint()));
    }

    // Equal or opposite directions leave Drehmatrix as it was, and both vectors come back normalised.
    // The press positions (-20, -12) and (-20, -13) at extent 10 are directions whose rounded product
    // with themselves is just below and just above 1.
    void parallel_data()
    {
        QTest::addColumn<Vektor>("a");
        QTest::addColumn<Vektor>("b");
        QTest::newRow("gleich gerichtet") << Vektor { 0, 3, 4 } << Vektor { 0, 6, 8 };
        QTest::newRow("entgegen") << Vektor { 2, 0, 0 } << Vektor { -5, 0, 0 };
        QTest::newRow("beide null") << Vektor { 0, 0, 0 } << Vektor { 0, 0, 0 };
        QTest::newRow("null und X") << Vektor { 0, 0, 0 } << Vektor { 7, 0, 0 };
        QTest::newRow("gleich, Produkt unter 1") << Vektor { -20, -12, 20 } << Vektor { -20, -12, 20 };
        QTest::newRow("gleich, Produkt ueber 1") << Vektor { -20, -13, 20 } << Vektor { -20, -13, 20 };
        QTest::newRow("entgegen, Produkt unter 1") << Vektor { -20, -12, 20 } << Vektor { 20, 12, -20 };
    }
    void parallel()
    {
        QFETCH(Vektor, a);
        QFETCH(Vektor, b);
        test::BlankesProgramm bp;
        Programm& p = bp.p;
        szene(p, 10);
        Matrix vorher;
        for (int i = 0; i < 9; ++i)
            vorher.m[i] = float(i) - 4;
        p.s.Drehmatrix = vorher;
        const Vektor aNormiert = einheit(a);
        const Vektor bNormiert = einheit(b);
        Bewegungen::DrehungBerechnen(p, a, b);
        QCOMPARE(a, aNormiert);
        QCOMPARE(b, bNormiert);
        QCOMPARE(p.s.Drehmatrix, vorher);
    }

    // An infinite pointer position or extent gives no direction to turn to: the view stays as the last
    // step left it and never becomes NaN. A NaN position normalises to (1, 0, 0) and still turns finitely.
    void unbrauchbareEingaben_data()
    {
        QTest::addColumn<float>("ausdehnung");
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<bool>("bleibt");
        QTest::newRow("Ausdehnung unendlich") << Unendlich << 4.0f << 2.0f << true;
        QTest::newRow("x unendlich") << 10.0f << Unendlich << 2.0f << true;
        QTest::newRow("y minus unendlich") << 10.0f << 4.0f << -Unendlich << true;
        QTest::newRow("x NaN") << 10.0f << std::numeric_limits<float>::quiet_NaN() << 2.0f << false;
    }
    void unbrauchbareEingaben()
    {
        QFETCH(float, ausdehnung);
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(bool, bleibt);
        test::BlankesProgramm b;
        Programm& p = b.p;
        szene(p, 10, { { 1, 2, 3 } });
        druecken(p, 2, 3, 1);
        Bewegungen::MausDrehen(p, 4, 2);
        const Matrix vorher = p.s.Drehmatrix;
        p.s.Ausdehnung = ausdehnung;
        Bewegungen::MausDrehen(p, x, y);
        QVERIFY(endlich(p.s.Drehmatrix));
        QCOMPARE(p.s.Drehmatrix == vorher, bleibt);
        for (int i = -3; i <= 1; ++i) {
            const Vektor& v = p.s.Sichtpunkte(i);
            QVERIFY(std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z));
        }
    }
};

QTEST_MAIN(TestDrehen)
#include "tst_drehen.moc"
