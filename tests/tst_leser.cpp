// The reader's cases of data/rwxleser.txt (its head tells the form), each read into a scene of its own
// with a report that keeps what the reader reports; no window takes part.

#include "support/SzeneText.h"

#include "model/RwxToZem.h"
#include "platform/FeldText.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>

#include <clocale>
#include <cstdlib>

using namespace zem;

// A reading: the scene it fills, the fields of each kind's entries (in the order of Art), and
// its outcome as the cases write it.
struct Lesung final : RwxToZem::Bericht {
    void eintrag(Art art, std::string_view feld) override { felder[int(art)] << std::string(feld); }
    void meldung(const QString& text, const QString& titel) override { gelesen << "?> " + titel + '|' + text; }

    // Reads the model, or the file of examples/ that "< name" names, with the field buffer given.
    void lesen(const QByteArray& inhalt, std::string& feldpuffer)
    {
        QTemporaryFile modell;
        QVERIFY(modell.open() && modell.write(inhalt) == inhalt.size() && modell.flush());
        const QString datei
            = inhalt.startsWith("< ") ? QDir(ZEM_EXAMPLES_DIR).filePath(inhalt.mid(2).trimmed()) : modell.fileName();
        try {
            RwxToZem::ModellLesen(szene, *this, datei, feldpuffer);
        } catch (const LeseFehler& e) { // a ZahlFehler or an EingabeFehler
            gelesen << (dynamic_cast<const ZahlFehler*>(&e) ? "!> Zahl" : "!> Eingabe");
        }
    }

    Szene szene;
    QList<std::string> felder[4];
    QStringList gelesen;
};

class TestLeser : public QObject {
    Q_OBJECT
    std::string feldpuffer; // one for all readings, as the program keeps one
private slots:
    // The users' German locale, where strtod reads "1.5" as 1: numbers must read the same there.
    void initTestCase() { QVERIFY(std::setlocale(LC_ALL, "de_DE.UTF-8") && std::strtod("1.5", nullptr) == 1.0); }

    void lesen_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QStringList>("ergebnis");
        QFile faelle(QStringLiteral(ZEM_TESTDATA_DIR "/rwxleser.txt"));
        QVERIFY(faelle.open(QIODevice::ReadOnly));
        for (const QString& fall : QString::fromUtf8(faelle.readAll()).split("\n== ").mid(1)) {
            QStringList z = fall.split(u'\n');
            const QString name = z.takeFirst();
            const qsizetype ergebnis = z.indexOf(QRegularExpression("=> .*"));
            QString inhalt;
            for (const QString& m : z.first(ergebnis)) {
                const auto n = QRegularExpression("^(\\d+)\\* (.*)$").match(m);
                const QString zeile = n.hasMatch() ? n.captured(2) : m;
                inhalt += (zeile.endsWith(u'%') ? zeile.chopped(1) : zeile + u'\n')
                              .repeated(n.hasMatch() ? n.captured(1).toInt() : 1);
            }
            const QByteArray erwartet = QByteArray::fromPercentEncoding(z.mid(ergebnis).join('\n').toUtf8());
            QTest::newRow(qPrintable(name)) << QByteArray::fromPercentEncoding(inhalt.toUtf8())
                                            << QString::fromUtf8(erwartet).split('\n', Qt::SkipEmptyParts);
        }
    }
    void lesen()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QStringList, ergebnis);
        Lesung l;
        const uint offen = QDir("/proc/self/fd").count();
        l.lesen(inhalt, feldpuffer);
        QCOMPARE(QDir("/proc/self/fd").count(), offen); // the file is closed
        l.gelesen.prepend("=> " + test::szeneText(l.szene, [&](int k) { return int(l.felder[k].size()); }));
        l.gelesen.replaceInStrings("\n", "\\n"); // as the cases write a line break
        // The entries that the case names: "P12> " and the field of the 12th point.
        for (const QString& zeile : ergebnis.filter(QRegularExpression("^[PDVG]\\d+> "))) {
            const int k = int(QString("PDVG").indexOf(zeile[0])), n = zeile.section('>', 0, 0).mid(1).toInt();
            l.gelesen << zeile.section(' ', 0, 0) + ' ' + feldText(l.felder[k].value(n - 1));
        }
        QCOMPARE(l.gelesen, ergebnis);
    }

    void zahlen_data()
    {
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("ecke");
        QFile faelle(QStringLiteral(ZEM_TESTDATA_DIR "/rwxleser.txt"));
        QVERIFY(faelle.open(QIODevice::ReadOnly));
        for (const QByteArray& zeile : faelle.readAll().split('\n'))
            if (const QList<QByteArray> t = zeile.split(' '); t[0] == "~")
                QTest::newRow(t[1]) << QByteArray::fromPercentEncoding(t[1]) << QString(t[2]) << QString(t[3]);
    }
    // Each token of the table as a point's X and as a triangle's first corner, with 7 after it.
    void zahlen()
    {
        QFETCH(QByteArray, token);
        QFETCH(QString, x);
        QFETCH(QString, ecke);
        for (const auto& [wort, erwartet] : { std::pair("vertex ", x), std::pair("triangle ", ecke) }) {
            Lesung l;
            l.lesen(QByteArray("modelbegin\nclumpbegin\n") + wort + token + " 7\nclumpend\n", feldpuffer);
            const QString element = test::szeneText(l.szene, [](int) { return 0; }).section('(', 1).section(')', 0, 0);
            QCOMPARE(l.gelesen.value(0, element), erwartet == "!" ? "!> Zahl" : erwartet + " 7 0");
        }
    }
};

QTEST_GUILESS_MAIN(TestLeser)
#include "tst_leser.moc"
