// The field input: where fields end, the search for the field with a word, the 64 KiB blocks and the
// failures of the input.

#include "TestProgramm.h"

#include "platform/FeldEingabe.h"

#include <QTest>

#include <sys/stat.h>

using namespace zem;
using namespace zem::test;

class TestFeldEingabe : public QObject {
    Q_OBJECT
private slots:
    void felder_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QByteArray>("wort"); // when set, the field with it comes first, "-" when there is none
        QTest::addColumn<QByteArrayList>("felder");
        const auto zeile = [](const char* name, const QByteArray& inhalt, const QByteArrayList& felder,
                               const QByteArray& wort = {}) { QTest::newRow(name) << inhalt << wort << felder; };
        zeile("empty file", "", {});
        zeile("line ends", "a\nb\r\nc\rd\n", { "a", "b", "c", "d" });
        zeile("no line end at the end", "a\nb", { "a", "b" });
        zeile("empty lines and commas", "\n\r\nx,y\nc,\nd,", { "", "", "x", "y", "c", "", "d" });
        zeile("blanks and tabs in front", " \t a b \t\n,  c", { "a b \t", "", "c" });
        zeile("quoted", "\"a,b\" rest,c\n  \"x\"\n\"\"\nx\"y,z\"\n\"u\nv",
            { "a,b", "c", "x", "", "x\"y", "z\"", "u", "v" });
        zeile("NUL and high bytes", QByteArray("a\0b\n\377", 5), { QByteArray("a\0b", 3), "\377" });
        const QByteArray block(65535, 'x'), lang(200000, 'y');
        zeile("CR LF across blocks", block + "\r\ny", { block, "y" });
        zeile("fields across blocks", lang + "\n\"" + lang + "\"\nq", { lang, lang, "q" });
        // Fields of every length around the 8- and 16-byte steps of the search, of bytes near the delimiters;
        // the last one ends with the file.
        QByteArray fast;
        QByteArrayList felder;
        for (int n = 0; n <= 41; ++n) {
            felder << QByteArray("-\254\255\013\212\213\014\215\214\0\377", 11).repeated(4).left(n);
            fast += felder.last() + ",\n\r"[n % 3];
        }
        fast.chop(1);
        zeile("every length", fast, felder);

        zeile("word", "a\nb modelend c\nd", { "b modelend c", "d" }, "modelend");
        zeile("word last, after blanks", "a\r\n  modelend", { "modelend" }, "modelend");
        zeile("word in quotes", "\"a,modelend\",b", { "a,modelend", "b" }, "modelend");
        zeile("word missing", "model,end\nmodel\r\nend\n\"a\" modelend,b\nm mo mod modelen", { "-" }, "modelend");
        zeile("word across blocks", block.left(65531) + " modelend\nd", { block.left(65531) + " modelend", "d" },
            "modelend");
    }
    void felder()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QByteArray, wort);
        QFETCH(QByteArrayList, felder);
        QTemporaryDir ordner;
        FeldEingabe eingabe;
        eingabe.oeffnen(schreibeDatei(ordner, QStringLiteral("f"), inhalt).toStdString());
        QByteArrayList gelesen;
        std::string feld;
        if (!wort.isEmpty())
            gelesen << (eingabe.feldMitWortLesen(feld, wort.toStdString()) ? QByteArray::fromStdString(feld) : "-");
        while (!eingabe.dateiende()) {
            eingabe.naechstesFeld(feld);
            gelesen << QByteArray::fromStdString(feld);
        }
        QCOMPARE(gelesen, felder);
        QVERIFY_THROWS_EXCEPTION(EingabeFehler, eingabe.naechstesFeld(feld)); // nothing after the end
    }

    void fehler()
    {
        QTemporaryDir ordner;
        const std::string datei = schreibeDatei(ordner, QStringLiteral("f"), "a\n").toStdString();
        FeldEingabe eingabe;
        std::string feld;
        QVERIFY_THROWS_EXCEPTION(EingabeFehler, eingabe.naechstesFeld(feld)); // no file open
        // A named pipe without a writer is refused at once; waiting for one would freeze the program.
        const std::string leitung = ordner.filePath(QStringLiteral("leitung")).toStdString();
        QCOMPARE(mkfifo(leitung.c_str(), 0600), 0);
        for (const std::string& name : { std::string(), datei + ".x", ordner.path().toStdString(),
                 std::string("/dev/zero"), datei + std::string("\0x", 2), leitung }) {
            QVERIFY_THROWS_EXCEPTION(EingabeFehler, eingabe.oeffnen(name));
            QVERIFY(!eingabe.offen());
        }
        // A field may not grow without bound: past FeldMax the reading fails rather than exhaust the memory.
        const QByteArray lang(qsizetype(FeldEingabe::FeldMax) + 1, 'z');
        eingabe.oeffnen(schreibeDatei(ordner, QStringLiteral("g"), lang).toStdString());
        QVERIFY_THROWS_EXCEPTION(EingabeFehler, eingabe.naechstesFeld(feld));
    }
};

QTEST_MAIN(TestFeldEingabe)
#include "tst_feldeingabe.moc"
