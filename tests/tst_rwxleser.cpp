// The reader on whole files, in a German locale, without the program's windows: the scene is compared
// as a short text "P(x y z).. D(a b c).. V(a b c d).. G(n: a ..).. A<extent>" (data/rwxleser.txt tells
// the form), and the report's entries and messages with it.

#include "TestBericht.h"

#include "model/Anfang.h"
#include "model/RwxToZem.h"
#include "model/Szene.h"
#include "platform/FeldEingabe.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <memory>

using namespace zem;

namespace {
QByteArray modell(const QByteArray& anweisungen)
{
    return "modelbegin\nclumpbegin\n" + anweisungen + "\nclumpend\nmodelend\n";
}

// Numbers with the sign of a negative zero, which Qt leaves out.
template <typename Werte> QString zahlen(const Werte& werte, int von, int bis)
{
    QString t;
    for (int i = von; i < bis; ++i) {
        char zahl[32] = { ' ' };
        const double w = werte[std::size_t(i)];
        t += QLatin1String(zahl, std::to_chars(zahl + 1, zahl + 32, w, std::chars_format::general, 9).ptr);
    }
    return t;
}

QString szeneText(const Szene& s, const test::TestBericht& bericht)
{
    QString t;
    const auto art = [&](const char* name, int n, RwxToZem::Art a, auto element) {
        const int eintraege = int(bericht.felder[std::size_t(a)].size());
        t += n != 0 || eintraege != 0 ? QLatin1String(name) : QLatin1String();
        for (int i = 1; i <= n && n <= 9; ++i)
            t += QLatin1Char('(') + element(i).trimmed() + QLatin1Char(')');
        t += n > 9 ? QStringLiteral("#%1").arg(n) : QString();
        t += eintraege != n ? QStringLiteral("[%1]").arg(eintraege) : QString();
    };
    art(" P", s.AnzPunkte, RwxToZem::Art::Punkt, [&](int i) {
        return zahlen(std::array { s.Punkte(i).X, s.Punkte(i).Y, s.Punkte(i).Z }, 0, 3);
    });
    art(" D", s.AnzDreiecke, RwxToZem::Art::Dreieck, [&](int i) { return zahlen(s.Dreiecke(i).ecke, 0, 3); });
    art(" V", s.AnzVierecke, RwxToZem::Art::Viereck, [&](int i) { return zahlen(s.Vierecke(i).ecke, 0, 4); });
    art(" G", s.AnzPolygone, RwxToZem::Art::Polygon, [&](int i) {
        const auto& g = s.Polygone(i).slot;
        return QString::number(g[0]) + ':' + zahlen(g, 1, std::clamp(g[0] + 1, 1, int(g.size())));
    });
    return (t + QStringLiteral(" A") + QString::number(s.Ausdehnung, 'g', 9)).trimmed();
}

void zeile(const char* name, const QByteArray& inhalt, const QString& szene, const QString& fehler = {},
    const QString& meldung = {}, const QString& datei = QStringLiteral("m.rwx"))
{
    QTest::newRow(name) << inhalt << szene << fehler << meldung << datei;
}

} // namespace

class TestRwxLeser : public QObject {
    Q_OBJECT
private slots:
    // Qt sets the C library's locale from the environment; in a German one, strtod reads "1.5" as 1.
    void initTestCase()
    {
        QTemporaryDir ordner;
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) { // not installed: built for this test
            QProcess::execute("localedef", { "-i", "de_DE", "-f", "UTF-8", ordner.filePath("de_DE.UTF-8") });
            qputenv("LOCPATH", QFile::encodeName(ordner.path()));
        }
        QVERIFY2(std::setlocale(LC_ALL, "de_DE.UTF-8"), "no German locale, and localedef cannot build one");
        QCOMPARE(std::strtod("1.5", nullptr), 1.0);
    }

    void lesen_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("szene");
        QTest::addColumn<QString>("fehler");
        QTest::addColumn<QString>("meldung"); // "title|text" of each message box
        QTest::addColumn<QString>("datei");

        QFile faelle(QStringLiteral(ZEM_TESTDATA_DIR "/rwxleser.txt"));
        QVERIFY(faelle.open(QIODevice::ReadOnly));
        for (const QString& fall : QString::fromUtf8(faelle.readAll()).split(QStringLiteral("\n== ")).mid(1)) {
            QStringList z = fall.split(u'\n');
            const QByteArray name = z.takeFirst().toUtf8();
            const qsizetype ergebnis = z.indexOf(QRegularExpression(QStringLiteral("=> .*")));
            const auto wert = [&](const char* marke) {
                const QStringList treffer = z.mid(ergebnis).filter(QRegularExpression(QLatin1Char('^') + marke));
                return treffer.isEmpty() ? QString() : treffer[0].mid(3).replace(QStringLiteral("\\n"), "\n");
            };
            QByteArray inhalt;
            for (const QString& m : z.first(ergebnis)) {
                const auto n = QRegularExpression(QStringLiteral("^(\\d+)\\* (.*)$")).match(m);
                inhalt += (n.hasMatch() ? (n.captured(2) + u'\n').repeated(n.captured(1).toInt()) : m + u'\n').toUtf8();
            }
            zeile(name.constData(), inhalt, wert("=> "), wert("!> "), wert("\\?> "));
        }

        zeile("CR LF and lone CR", "modelbegin\r\nclumpbegin\rvertex 0 0 -2.5\r\ntriangle 1 2 3\r\nclumpend\r\n",
            "P(0 0 -2.5) D(1 2 3) A2.5");
        zeile("separators", modell(QByteArray("vertex 7\08\0379\nvertex \3775 6 7", 26)), "P(7 8 9)(0 6 7) A9");
        zeile("read on to modelend", modell("vertex 1 2 3\nclumpend\n" + QByteArray(FeldEingabe::FeldMax + 1, 'x')),
            "P(1 2 3) A3", "Eingabe");
        zeile("nested clump", modell("vertex 1 0 0\n  clumpbegin \xc3\xa4\xff\nvertex 2 0 0"), "P(1 0 0) A1", "",
            "|Da stimmt was nicht\nclumpbegin Ã¤ÿ"); // not UTF-8 as a whole: Windows-1252
        zeile("one line, no modelend, no line end", "modelbegin clumpbegin\nvertex 1 2 3\nclumpend", "P(1 2 3) A3");
        zeile("last field, no line end", "modelbegin\nclumpbegin\nvertex 1 2 3\nvertex 4 5 6", "P(1 2 3) A3");
        zeile("empty file", "", "A-1000");
        zeile("missing file", modell("vertex 1 2 3"), "A-1000", "Eingabe", "", "fehlt.rwx");
        zeile("directory", modell("vertex 1 2 3"), "A-1000", "Eingabe", "", ".");
        QByteArray bytes;
        for (int i = 0; i < 1 << 18; ++i)
            bytes += char(i ^ i >> 8);
        zeile("binary junk", bytes + modell(bytes), "A-1000");
        QByteArray orte; // the keyword at every place of fields 4 to 44 bytes long, among bytes near its first
        for (int n = 0; n <= 40; ++n)
            orte += QByteArray("p\xf1\xf0\0\xffqua", 8).repeated(6).left(n) + "quad\n";
        zeile("keyword at every place", modell(orte), "V#41 A-1000");
        zeile("keyword past 32767", modell(QByteArray(40000, 'x') + " quad 1"), "V(0 0 0 0)[0] A-1000", "Zahl");
        zeile("end at 32766", modell("triangle 1 2" + QByteArray(32753, ' ') + "3"), "D(1 2 3) A-1000");
        zeile("end at 32767", modell("triangle 1 2" + QByteArray(32754, ' ') + "3"), "D(1 2 0)[0] A-1000", "Zahl");
    }
    void lesen()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, datei);
        QTemporaryDir ordner;
        QFile modell(ordner.filePath(QStringLiteral("m.rwx")));
        QVERIFY(modell.open(QIODevice::WriteOnly) && modell.write(inhalt) == inhalt.size());
        modell.close();
        const auto s = std::make_unique<Szene>();
        Anfang::SzeneZuruecksetzen(*s);
        test::TestBericht bericht;
        const uint offen = QDir(QStringLiteral("/proc/self/fd")).count();
        QString fehler;
        try {
            RwxToZem::ModellLesen(*s, bericht, ordner.filePath(datei));
        } catch (const ZahlFehler&) {
            fehler = QStringLiteral("Zahl");
        } catch (const EingabeFehler&) {
            fehler = QStringLiteral("Eingabe");
        }
        QTEST(fehler, "fehler");
        QCOMPARE(QDir(QStringLiteral("/proc/self/fd")).count(), offen); // the file is closed
        QTEST(szeneText(*s, bericht), "szene");
        QTEST(bericht.meldungen.join(QString()), "meldung");
    }
};

QTEST_GUILESS_MAIN(TestRwxLeser)
#include "tst_rwxleser.moc"
