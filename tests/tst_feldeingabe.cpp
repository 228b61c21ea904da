// The sequential field input: where fields end, what a line end and the end of the file do, and the
// failures of the input.

#include "TestProgramm.h"

#include "platform/FeldEingabe.h"

#include <QElapsedTimer>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zem;
using namespace zem::test;

namespace {
// Every field of the file, read until the end is reported.
QByteArrayList alleFelder(const QString& pfad)
{
    FeldEingabe eingabe;
    eingabe.oeffnen(pfad.toStdString());
    QByteArrayList felder;
    std::string feld;
    while (!eingabe.dateiende()) {
        eingabe.naechstesFeld(feld);
        felder << QByteArray(feld.data(), qsizetype(feld.size()));
    }
    return felder;
}
} // namespace

class TestFeldEingabe : public QObject {
    Q_OBJECT
private slots:
    void felder_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QByteArrayList>("felder");
        QTest::newRow("empty file") << QByteArray() << QByteArrayList();
        QTest::newRow("no line end at the end") << QByteArray("a\nb") << QByteArrayList { "a", "b" };
        QTest::newRow("line end at the end") << QByteArray("a\nb\n") << QByteArrayList { "a", "b" };
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QByteArrayList { "a", "b" };
        QTest::newRow("lone CR") << QByteArray("a\rb\r") << QByteArrayList { "a", "b" };
        QTest::newRow("only a line end") << QByteArray("\r\n") << QByteArrayList { "" };
        QTest::newRow("empty lines") << QByteArray("\n\nx") << QByteArrayList { "", "", "x" };
        QTest::newRow("commas") << QByteArray("a,b\nc") << QByteArrayList { "a", "b", "c" };
        QTest::newRow("comma before the line end") << QByteArray("a,\nb") << QByteArrayList { "a", "", "b" };
        QTest::newRow("comma at the file's end") << QByteArray("a,") << QByteArrayList { "a" };
        QTest::newRow("blanks and tabs in front skipped, behind kept")
            << QByteArray(" \t a b \t\n,  c") << QByteArrayList { "a b \t", "", "c" };
        QTest::newRow("quoted") << QByteArray("\"a,b\" rest,c\n") << QByteArrayList { "a,b", "c" };
        QTest::newRow("quoted after blanks") << QByteArray("  \"x\"") << QByteArrayList { "x" };
        QTest::newRow("quote not at the start") << QByteArray("x\"y,z\"") << QByteArrayList { "x\"y", "z\"" };
        QTest::newRow("unclosed quote ends at the line end") << QByteArray("\"a\nb") << QByteArrayList { "a", "b" };
        QTest::newRow("empty quotes") << QByteArray("\"\"\n") << QByteArrayList { "" };
        QTest::newRow("NUL and high bytes")
            << QByteArray("a\0b\n\xff\xfe", 6) << QByteArrayList { QByteArray("a\0b", 3), "\xff\xfe" };

        // The file is read in blocks of 64 KiB: a field or a CR LF may straddle two of them.
        const QByteArray block(65535, 'x');
        QTest::newRow("CR LF across blocks") << block + "\r\ny" << QByteArrayList { block, "y" };
        QTest::newRow("comma as the block's last byte") << block + ",\n" << QByteArrayList { block, "" };
        const QByteArray lang(200000, 'y');
        QTest::newRow("field over several blocks") << lang + "\nq" << QByteArrayList { lang, "q" };
        QTest::newRow("quoted field over several blocks") << "\"" + lang + "\"\nq" << QByteArrayList { lang, "q" };
    }
    void felder()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QByteArrayList, felder);
        QTemporaryDir ordner;
        QCOMPARE(alleFelder(schreibeDatei(ordner, QStringLiteral("f.txt"), inhalt)), felder);
    }

    void lesenNachDemEnde()
    {
        QTemporaryDir ordner;
        FeldEingabe eingabe;
        eingabe.oeffnen(schreibeDatei(ordner, QStringLiteral("f.txt"), "a\n").toStdString());
        std::string feld;
        eingabe.naechstesFeld(feld);
        QVERIFY(eingabe.dateiende());
        QVERIFY_THROWS_EXCEPTION(EingabeFehler, eingabe.naechstesFeld(feld));
        eingabe.schliessen();
        QVERIFY(!eingabe.offen());
        QVERIFY_THROWS_EXCEPTION(EingabeFehler, eingabe.naechstesFeld(feld));
    }

    void oeffnenScheitert_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("empty name") << QByteArray();
        QTest::newRow("missing") << QByteArray("fehlt.txt");
        QTest::newRow("directory") << QByteArray(".");
        QTest::newRow("device") << QByteArray("/dev/zero");
        QTest::newRow("NUL in the name") << QByteArray("f.txt\0x", 7);
    }
    void oeffnenScheitert()
    {
        QFETCH(QByteArray, name);
        QTemporaryDir ordner;
        schreibeDatei(ordner, QStringLiteral("f.txt"), "a\n");
        const std::string pfad = name.isEmpty() || name.startsWith('/')
            ? name.toStdString()
            : (ordner.path() + '/').toStdString() + name.toStdString();
        FeldEingabe eingabe;
        QVERIFY_THROWS_EXCEPTION(EingabeFehler, eingabe.oeffnen(pfad));
        QVERIFY(!eingabe.offen());
    }

    // A named pipe without a writer is refused at once: waiting for a writer would freeze the program.
    void benannteLeitungOhneSchreiber()
    {
        QTemporaryDir ordner;
        const QByteArray pfad = QFile::encodeName(ordner.filePath(QStringLiteral("leitung.rwx")));
        QCOMPARE(mkfifo(pfad.constData(), 0600), 0);
        // Should the open wait after all, a writer ends the wait after two seconds: the test then fails
        // on the time instead of hanging.
        std::atomic<bool> fertig { false };
        std::thread schreiber([&] {
            for (int i = 0; i < 20 && !fertig; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const int fd = fertig ? -1 : ::open(pfad.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
        QElapsedTimer uhr;
        uhr.start();
        FeldEingabe eingabe;
        bool abgewiesen = false;
        try {
            eingabe.oeffnen(pfad.toStdString());
        } catch (const EingabeFehler&) {
            abgewiesen = true;
        }
        const qint64 ms = uhr.elapsed();
        fertig = true;
        schreiber.join();
        QVERIFY(abgewiesen);
        QVERIFY(!eingabe.offen());
        QVERIFY2(ms < 1000, qPrintable(QStringLiteral("the open waited %1 ms").arg(ms)));
    }

    // A field may not grow without bound: past FeldMax the reading fails instead of exhausting memory.
    void zuLangesFeld()
    {
        QTemporaryDir ordner;
        const QString pfad
            = schreibeDatei(ordner, QStringLiteral("f.txt"), QByteArray(qsizetype(FeldEingabe::FeldMax) + 1, 'z'));
        FeldEingabe eingabe;
        eingabe.oeffnen(pfad.toStdString());
        std::string feld;
        QVERIFY_THROWS_EXCEPTION(EingabeFehler, eingabe.naechstesFeld(feld));
    }
};

QTEST_MAIN(TestFeldEingabe)
#include "tst_feldeingabe.moc"
