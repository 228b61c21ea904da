#include "platform/ZahlText.h"

#include <QTest>

#include <clocale>
#include <cmath>

using zem::ZahlText;

class TestZahlText : public QObject {
    Q_OBJECT
private slots:
    void regel_data()
    {
        QTest::addColumn<double>("wert");
        QTest::addColumn<QString>("text");
        QTest::newRow("halb") << 0.5 << " .5";
        QTest::newRow("ganz") << 12.0 << " 12";
        QTest::newRow("negativer Bruch") << -0.25 << "-.25";
        QTest::newRow("Million") << 1e6 << " 1000000";
        QTest::newRow("zehn Millionen") << 1e7 << " 1E+07";
        QTest::newRow("acht Stellen") << 12345678.0 << " 1.234568E+07";
        QTest::newRow("minus null") << -0.0 << " 0";
        QTest::newRow("gerundet auf sieben") << 3.14159265 << " 3.141593";
        QTest::newRow("kleiner Bruch") << 0.0001 << " .0001";
        QTest::newRow("zu klein") << -0.00001 << "-1E-05";
        QTest::newRow("single 0.1") << double(0.1f) << " .1";
        QTest::newRow("nicht endlich") << -HUGE_VAL << "-Inf";
    }
    void regel()
    {
        QFETCH(double, wert);
        QTEST(ZahlText(wert), "text");
    }

    // A German locale writes a comma; the texts keep the full stop.
    void unabhaengigVomGebietsschema()
    {
        QVERIFY(std::setlocale(LC_ALL, "de_DE.UTF-8"));
        const QString text = ZahlText(-1.5);
        std::setlocale(LC_ALL, "C");
        QCOMPARE(text, QStringLiteral("-1.5"));
    }
};

QTEST_GUILESS_MAIN(TestZahlText)
#include "tst_zahltext.moc"
