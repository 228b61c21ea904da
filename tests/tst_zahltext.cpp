#include "platform/ZahlText.h"

#include <QLocale>
#include <QTest>

#include <clocale>
#include <cmath>
#include <limits>

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
        QTest::newRow("null") << 0.0 << " 0";
        QTest::newRow("minus null") << -0.0 << " 0";
        QTest::newRow("negativ ganz") << -2.0 << "-2";
        QTest::newRow("eins komma fuenf") << 1.5 << " 1.5";
        QTest::newRow("sieben Stellen") << 1234567.0 << " 1234567";
        QTest::newRow("gerundet auf sieben") << 3.14159265 << " 3.141593";
        QTest::newRow("kleiner Bruch") << 0.0001 << " .0001";
        QTest::newRow("zu klein") << 0.00001 << " 1E-05";
        QTest::newRow("negativ klein") << -1.25e-9 << "-1.25E-09";
        QTest::newRow("grosse Hochzahl") << 3.4e38 << " 3.4E+38";
        QTest::newRow("kleine Hochzahl") << 1e-300 << " 1E-300";
        QTest::newRow("single 0.1") << double(0.1f) << " .1";
        QTest::newRow("single 1e6+0.5") << double(1000000.5f) << " 1000000";
        QTest::newRow("nicht endlich") << std::numeric_limits<double>::infinity() << " Inf";
        QTest::newRow("nicht endlich negativ") << -std::numeric_limits<double>::infinity() << "-Inf";
        QTest::newRow("keine Zahl") << std::nan("") << " NaN";
    }
    void regel()
    {
        QFETCH(double, wert);
        QFETCH(QString, text);
        QCOMPARE(ZahlText(wert), text);
    }

    // A German locale uses the comma; the texts keep the full stop.
    void unabhaengigVomGebietsschema()
    {
        const QLocale vorher;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_ALL, "de_DE.UTF-8");
        const QString text = ZahlText(-1.5);
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(vorher);
        QCOMPARE(text, QStringLiteral("-1.5"));
    }
};

QTEST_GUILESS_MAIN(TestZahlText)
#include "tst_zahltext.moc"
