#include "view/Mathe.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace zem;
using namespace zem::Mathe;

Q_DECLARE_METATYPE(zem::Vektor)

namespace {
Matrix aus(std::initializer_list<float> werte)
{
    Matrix m;
    int i = 0;
    for (float w : werte)
        m.m[i++] = w;
    return m;
}
const Matrix Vierteldrehung = aus({0, -1, 0, 1, 0, 0, 0, 0, 1});
} // namespace

class TestMathe : public QObject {
    Q_OBJECT
private slots:
    void vierteldrehungUndTransponierte()
    {
        Vektor v;
        MatrixMalVektor(v, Vierteldrehung, {1, 0, 0});
        QCOMPARE(v, (Vektor{0, 1, 0}));
        Matrix t;
        Transponiere(t, Vierteldrehung);
        QCOMPARE(t, aus({0, 1, 0, -1, 0, 0, 0, 0, 1}));
        MatrixMalVektor(v, t, {0, 1, 0});
        QCOMPARE(v, (Vektor{1, 0, 0}));
    }

    void normiere_data()
    {
        QTest::addColumn<Vektor>("ein");
        QTest::addColumn<Vektor>("aus");
        const float nahe1em7 = 1e-7f; // nearest single to 1e-7 lies just above it
        QVERIFY(double(nahe1em7) > 1e-7);
        QTest::newRow("null") << Vektor{0, 0, 0} << Vektor{1, 0, 0};
        QTest::newRow("1e-8") << Vektor{0, 0, 1e-8f} << Vektor{1, 0, 0};
        QTest::newRow("2e-7") << Vektor{0, 2e-7f, 0} << Vektor{0, 1, 0};
        QTest::newRow("knapp ueber 1e-7") << Vektor{0, 0, nahe1em7} << Vektor{0, 0, 1};
        QTest::newRow("knapp unter 1e-7") << Vektor{0, 0, std::nextafter(nahe1em7, 0.0f)} << Vektor{1, 0, 0};
        QTest::newRow("3 4 0") << Vektor{3, 4, 0} << Vektor{0.6f, 0.8f, 0};
        QTest::newRow("negativ") << Vektor{0, -5, 0} << Vektor{0, -1, 0};
    }
    void normiere()
    {
        QFETCH(Vektor, ein);
        QFETCH(Vektor, aus);
        Normiere(ein);
        QCOMPARE(ein, aus);
    }

    void ergebnisDarfOperandSein()
    {
        const Matrix a = aus({0.5f, -0.25f, 1, 2, 3, -4, 0.125f, 7, -1});
        const Matrix b = aus({1, 2, 3, -3, 0.5f, 2, 9, -8, 0.75f});
        Matrix erwartet;
        MatrixMalMatrix(erwartet, a, b);

        Matrix alsA = a;
        MatrixMalMatrix(alsA, alsA, b);
        QCOMPARE(alsA, erwartet);
        Matrix alsB = b;
        MatrixMalMatrix(alsB, a, alsB);
        QCOMPARE(alsB, erwartet);

        Matrix t = a;
        Transponiere(t, t);
        QCOMPARE(t, aus({0.5f, 2, 0.125f, -0.25f, 3, 7, 1, -4, -1}));

        Vektor v{1.5f, -2, 3}, getrennt;
        MatrixMalVektor(getrennt, a, v);
        MatrixMalVektor(v, a, v);
        QCOMPARE(v, getrennt);
    }

    // Products are summed in double and rounded once: summing in single would lose the small term.
    void summeEinmalGerundet()
    {
        const Matrix m = aus({1, 1, -1, 0, 0, 0, 0, 0, 0});
        Vektor v;
        MatrixMalVektor(v, m, {1e8f, 1, 1e8f});
        QCOMPARE(v.X, 1.0f);
        Matrix p;
        MatrixMalMatrix(p, aus({1e8f, 1, -1e8f, 0, 0, 0, 0, 0, 0}), aus({1, 0, 0, 1, 0, 0, 1, 0, 0}));
        QCOMPARE(p.m[0], 1.0f);
    }

    void drehungMalTransponierteIstEinheit()
    {
        const double w = 0.7;
        const Matrix r = aus({float(std::cos(w)), float(-std::sin(w)), 0, float(std::sin(w)), float(std::cos(w)), 0, 0, 0, 1});
        Matrix t, e;
        Transponiere(t, r);
        MatrixMalMatrix(e, r, t);
        const Matrix einheit = Einheit();
        for (int i = 0; i < 9; ++i)
            QVERIFY2(std::fabs(e.m[i] - einheit.m[i]) < 1e-6f, qPrintable(QString::number(i)));
    }

    void einheitLaesstVektor()
    {
        Vektor v{3.25f, -1e30f, 7e-20f}, r;
        MatrixMalVektor(r, Einheit(), v);
        QCOMPARE(r, v);
    }

    void neuerVektorRundetAufSingle()
    {
        Vektor v;
        NeuerVektor(v, 0.1, std::int16_t(-7), 1e40);
        QCOMPARE(v.X, 0.1f);
        QCOMPARE(v.Y, -7.0f);
        QVERIFY(std::isinf(v.Z));
    }
};

QTEST_GUILESS_MAIN(TestMathe)
#include "tst_mathe.moc"
