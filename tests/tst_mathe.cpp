#include "view/Mathe.h"

#include <QTest>

#include <cmath>

using namespace zem;
using namespace zem::Mathe;

Q_DECLARE_METATYPE(zem::Vektor)

namespace {
Matrix aus(std::initializer_list<float> werte)
{
    Matrix m;
    std::copy(werte.begin(), werte.end(), m.m);
    return m;
}
} // namespace

class TestMathe : public QObject {
    Q_OBJECT
private slots:
    // Row-by-row storage: the quarter turn about Z maps X to Y, and its transpose maps it back.
    void vierteldrehungUndTransponierte()
    {
        const Matrix drehung = aus({ 0, -1, 0, 1, 0, 0, 0, 0, 1 });
        Vektor v;
        MatrixMalVektor(v, drehung, { 1, 0, 0 });
        QCOMPARE(v, (Vektor { 0, 1, 0 }));
        Matrix t = drehung;
        Transponiere(t, t); // in place
        QCOMPARE(t, aus({ 0, 1, 0, -1, 0, 0, 0, 0, 1 }));
        MatrixMalVektor(v, t, v); // in place
        QCOMPARE(v, (Vektor { 1, 0, 0 }));
        Matrix e;
        MatrixMalMatrix(e, drehung, t);
        QCOMPARE(e, Einheit());
    }

    void normiere_data()
    {
        QTest::addColumn<Vektor>("ein");
        QTest::addColumn<Vektor>("aus");
        const float nahe1em7 = 1e-7f; // the nearest single lies just above 1e-7
        QTest::newRow("null") << Vektor { 0, 0, 0 } << Vektor { 1, 0, 0 };
        QTest::newRow("1e-8") << Vektor { 0, 0, 1e-8f } << Vektor { 1, 0, 0 };
        QTest::newRow("2e-7") << Vektor { 0, 2e-7f, 0 } << Vektor { 0, 1, 0 };
        QTest::newRow("knapp über 1e-7") << Vektor { 0, 0, nahe1em7 } << Vektor { 0, 0, 1 };
        QTest::newRow("knapp unter 1e-7") << Vektor { 0, 0, std::nextafter(nahe1em7, 0.0f) } << Vektor { 1, 0, 0 };
        QTest::newRow("3 4 0") << Vektor { 3, 4, 0 } << Vektor { 0.6f, 0.8f, 0 };
    }
    void normiere()
    {
        QFETCH(Vektor, ein);
        Normiere(ein);
        QTEST(ein, "aus");
    }

    // The whole result is formed before it is stored, so the result may be either operand.
    void ergebnisDarfOperandSein()
    {
        const Matrix a = aus({ 0.5f, -0.25f, 1, 2, 3, -4, 0.125f, 7, -1 });
        const Matrix b = aus({ 1, 2, 3, -3, 0.5f, 2, 9, -8, 0.75f });
        Matrix erwartet;
        MatrixMalMatrix(erwartet, a, b);
        Matrix alsA = a, alsB = b;
        MatrixMalMatrix(alsA, alsA, b);
        MatrixMalMatrix(alsB, a, alsB);
        QCOMPARE(alsA, erwartet);
        QCOMPARE(alsB, erwartet);
    }

    // Sums of products in double, rounded once: in single the 1 would vanish beside 1e8.
    void summeEinmalGerundet()
    {
        Vektor v;
        MatrixMalVektor(v, aus({ 1, 1, -1, 0, 0, 0, 0, 0, 0 }), { 1e8f, 1, 1e8f });
        QCOMPARE(v.X, 1.0f);
        Matrix p;
        MatrixMalMatrix(p, aus({ 1e8f, 1, -1e8f, 0, 0, 0, 0, 0, 0 }), aus({ 1, 0, 0, 1, 0, 0, 1, 0, 0 }));
        QCOMPARE(p.m[0], 1.0f);
    }
};

QTEST_GUILESS_MAIN(TestMathe)
#include "tst_mathe.moc"
