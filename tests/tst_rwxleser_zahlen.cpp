// The numbers of a statement: tokens, their values, the reading position, and the user's locale.

#include "LeserHilfe.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include <clocale>
#include <cmath>
#include <cstdlib>

using namespace zem;
using namespace zem::test;

class TestRwxLeserZahlen : public QObject {
    Q_OBJECT
private slots:
    void naechsteZahl_data()
    {
        QTest::addColumn<QByteArray>("zeile");
        QTest::addColumn<int>("start");
        QTest::addColumn<double>("wert");
        QTest::addColumn<int>("danach"); // -1: the number does not fit, a ZahlFehler

        QTest::newRow("plain") << QByteArray("1.5") << 1 << 1.5 << 4;
        QTest::newRow("separators before") << QByteArray(" \t -2 x") << 1 << -2.0 << 6;
        QTest::newRow("control chars separate") << QByteArray("\x01\x1f"
                                                              "7\x02"
                                                              "8")
                                                << 1 << 7.0 << 4;
        QTest::newRow("from the middle") << QByteArray("7 8") << 2 << 8.0 << 4;
        QTest::newRow("exponent") << QByteArray("3e1") << 1 << 30.0 << 4;
        QTest::newRow("capital exponent, signs") << QByteArray("+.5E-1") << 1 << 0.05 << 7;
        QTest::newRow("point last") << QByteArray("5.") << 1 << 5.0 << 3;
        QTest::newRow("second point ends") << QByteArray("1.2.3") << 1 << 1.2 << 6;
        QTest::newRow("exponent without digits") << QByteArray("1e+") << 1 << 1.0 << 4;
        QTest::newRow("fraction in exponent") << QByteArray("1e2.5") << 1 << 100.0 << 6;
        QTest::newRow("D exponent not taken") << QByteArray("1d2") << 1 << 1.0 << 4;
        QTest::newRow("comma ends") << QByteArray("1,5") << 1 << 1.0 << 4;
        QTest::newRow("trailing letters") << QByteArray("12abc") << 1 << 12.0 << 6;
        QTest::newRow("word") << QByteArray("tag 4") << 1 << 0.0 << 4;
        QTest::newRow("two signs") << QByteArray("--1") << 1 << 0.0 << 4;
        QTest::newRow("point only") << QByteArray(".e5") << 1 << 0.0 << 4;
        QTest::newRow("hexadecimal not taken") << QByteArray("0x10") << 1 << 0.0 << 5;
        QTest::newRow("inf not taken") << QByteArray("inf") << 1 << 0.0 << 4;
        QTest::newRow("nan not taken") << QByteArray("nan") << 1 << 0.0 << 4;
        QTest::newRow("bytes above 127 belong to the token") << QByteArray("\xc3\xa9 7") << 1 << 0.0 << 3;
        QTest::newRow("empty line") << QByteArray() << 1 << 0.0 << 2;
        QTest::newRow("only blanks") << QByteArray("   ") << 1 << 0.0 << 4;
        QTest::newRow("past the end, one more") << QByteArray("1 2") << 4 << 0.0 << 5;
        QTest::newRow("before the line") << QByteArray("7") << -3 << 7.0 << 2;
        QTest::newRow("negative zero is zero") << QByteArray("-0") << 1 << 0.0 << 3;
        QTest::newRow("negative zero with point") << QByteArray("-0.0e5") << 1 << 0.0 << 7;
        QTest::newRow("18 digits") << QByteArray("-123456789012345678") << 1 << -123456789012345678.0 << 20;
        QTest::newRow("19 digits") << QByteArray("9223372036854775808") << 1 << 9223372036854775808.0 << 20;
        QTest::newRow("many digits") << "0000" + QByteArray(300, '1') + "e-299" << 1 << 1.1111111111111111 << 310;
        QTest::newRow("largest double") << QByteArray("1.7976931348623157e308") << 1 << 1.7976931348623157e308 << 23;
        QTest::newRow("beyond double") << QByteArray("1.7976931348623159e308") << 1 << 0.0 << -1;
        QTest::newRow("many digits beyond double") << "1" + QByteArray(400, '0') << 1 << 0.0 << -1;
        QTest::newRow("huge exponent") << QByteArray("1e99999999999999999999") << 1 << 0.0 << -1;
        QTest::newRow("below double is 0") << "-0." + QByteArray(400, '0') + "1" << 1 << 0.0 << 405;
        QTest::newRow("huge negative exponent") << QByteArray("1e-99999999999999999999") << 1 << 0.0 << 24;
        QTest::newRow("zero with huge exponent") << QByteArray("0.000e999") << 1 << 0.0 << 10;

        // The reading position is a 16-bit number; it may reach 32767, not beyond.
        QTest::newRow("token up to 32766") << QByteArray(32764, ' ') + "12" << 1 << 12.0 << 32767;
        QTest::newRow("token up to 32767") << QByteArray(32765, ' ') + "12" << 1 << 0.0 << -1;
        QTest::newRow("blanks up to 32766") << QByteArray(32766, ' ') << 1 << 0.0 << 32767;
        QTest::newRow("blanks up to 32767") << QByteArray(32767, ' ') << 1 << 0.0 << -1;
        QTest::newRow("ended line at 32767") << QByteArray("1") << 32767 << 0.0 << -1;
    }
    void naechsteZahl()
    {
        QFETCH(QByteArray, zeile);
        QFETCH(int, start);
        QFETCH(double, wert);
        QFETCH(int, danach);
        const std::string text = zeile.toStdString();
        std::int16_t position = std::int16_t(start);
        if (danach < 0) {
            QVERIFY_THROWS_EXCEPTION(ZahlFehler, RwxToZem::NaechsteZahl(text, position));
            return;
        }
        const double gelesen = RwxToZem::NaechsteZahl(text, position);
        QVERIFY2(gelesen == wert && std::signbit(gelesen) == std::signbit(wert),
            qPrintable(QString::number(gelesen, 'g', 17)));
        QCOMPARE(int(position), danach);
    }

    // Qt sets the C library's locale from the environment; with a German one, strtod reads "1.5" as 1.
    // The reader has to read it as one and a half all the same.
    void deutschesGebietsschema()
    {
        const QByteArray bisher = std::setlocale(LC_ALL, nullptr);
        QTemporaryDir ordner;
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
            // Not installed: build it for this test alone, where the system has the locale sources.
            const int ergebnis = QProcess::execute(QStringLiteral("localedef"),
                { QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                    ordner.filePath("de_DE.UTF-8") });
            qputenv("LOCPATH", QFile::encodeName(ordner.path()));
            if (ergebnis != 0 || !std::setlocale(LC_ALL, "de_DE.UTF-8"))
                QSKIP("No German locale, and localedef cannot build one here");
        }
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto zurueck = qScopeGuard([&] {
            std::setlocale(LC_ALL, bisher.constData());
            QLocale::setDefault(QLocale::c());
        });
        QCOMPARE(std::strtod("1.5", nullptr), 1.0);

        std::int16_t position = 1;
        QCOMPARE(RwxToZem::NaechsteZahl("1.5e1", position), 15.0);
        BlankesProgramm b;
        QCOMPARE(lies(b.p, modell("vertex 1.5 -2.25 3e-1")), QString());
        QCOMPARE(szeneText(b.p), QStringLiteral("P(1.5 -2.25 0.300000012) D V G A2.25 L1 0 0 0"));
    }
};

QTEST_MAIN(TestRwxLeserZahlen)
#include "tst_rwxleser_zahlen.moc"
