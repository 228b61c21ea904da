// The byte search under the field input and the keyword tests: every place of a find, in texts of
// every length around the 8- and 16-byte steps, among bytes that differ from the one sought by a bit.

#include "platform/Bytesuche.h"

#include <QTest>

#include <string>

using namespace zem;

class TestBytesuche : public QObject {
    Q_OBJECT
private slots:
    void findetJedeStelle_data()
    {
        QTest::addColumn<char>("gesucht");
        QTest::addColumn<char>("umgebung");
        QTest::newRow("comma among minus signs") << ',' << '-';
        QTest::newRow("CR among CR+1") << '\r' << '\x0e';
        QTest::newRow("LF among CR") << '\n' << '\r';
        QTest::newRow("LF among LF|0x80") << '\n' << '\x8a';
        QTest::newRow("LF among 0x01") << '\n' << '\x01';
        QTest::newRow("m among 0xFF") << 'm' << '\xff';
        QTest::newRow("m among NUL") << 'm' << '\0';
    }
    void findetJedeStelle()
    {
        QFETCH(char, gesucht);
        QFETCH(char, umgebung);
        for (std::size_t laenge = 0; laenge <= 40; ++laenge) {
            const std::string leer(laenge, umgebung);
            QCOMPARE(Bytesuche::finde(leer.data(), 0, laenge, gesucht, 'z'), laenge);
            for (std::size_t stelle = 0; stelle < laenge; ++stelle) {
                std::string text = leer;
                text[stelle] = gesucht;
                if (stelle + 1 < laenge)
                    text[stelle + 1] = gesucht; // a second find right after must not hide the first
                for (std::size_t von = 0; von <= stelle; von += 3)
                    QCOMPARE(Bytesuche::finde(text.data(), von, laenge, 'z', gesucht), stelle);
                // a search that ends before the place finds nothing
                QCOMPARE(Bytesuche::finde(text.data(), 0, stelle, gesucht), stelle);
            }
        }
    }

    void enthaelt_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("ergebnis");
        QTest::newRow("alone") << QByteArray("modelend") << true;
        QTest::newRow("at the end after 20 bytes") << QByteArray("mmmmmmmmmmmmmmmmmmm modelend") << true;
        QTest::newRow("cut at the end") << QByteArray("# the model ends: modelen") << false;
        QTest::newRow("first byte often") << QByteArray("m mo mod mode model modelen modelend.") << true;
        QTest::newRow("capitals") << QByteArray("ModelEnd") << false;
        QTest::newRow("empty text") << QByteArray() << false;
    }
    void enthaelt()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, ergebnis);
        QCOMPARE(
            Bytesuche::enthaelt(std::string_view(text.constData(), std::size_t(text.size())), "modelend"), ergebnis);
    }
};

QTEST_MAIN(TestBytesuche)
#include "tst_bytesuche.moc"
