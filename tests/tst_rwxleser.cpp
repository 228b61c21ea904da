// The reader on whole files, each read as the open command reads it, in a German locale: the scene is
// compared as a short text "P(x y z).. D(a b c).. V(a b c d).. G(n: a ..).. A<extent>".

#include "TestProgramm.h"

#include "model/Anfang.h"
#include "model/RwxToZem.h"
#include "model/ZahlFehler.h"
#include "platform/FeldEingabe.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <charconv>
#include <clocale>
#include <cstdlib>

using namespace zem;
using namespace zem::test;

namespace {
const QByteArray Minimal = "modelbegin\nclumpbegin\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0\nvertex 0 0 -2.5\n"
                           "triangle 1 2 3\nquad 1 2 3 4\npolygon 3 2 3 4\nclumpend\nmodelend\n";

QByteArray modell(const QByteArray& anweisungen)
{
    return "modelbegin\nclumpbegin\n" + anweisungen + "\nclumpend\nmodelend\n";
}

QByteArray zeilen(const QByteArray& zeile, int anzahl)
{
    return (zeile + '\n').repeated(anzahl);
}

// Resets, reads the file and gives "" for a normal end, "Eingabe" or "Zahl" for the error it ends with.
QString lies(Programm& p, const QByteArray& inhalt, const QString& name = QStringLiteral("m.rwx"))
{
    QTemporaryDir ordner;
    schreibeDatei(ordner, QStringLiteral("m.rwx"), inhalt);
    Anfang::Zuruecksetzen(p);
    try {
        RwxToZem::ModellLesen(p, ordner.filePath(name));
    } catch (const ZahlFehler&) {
        return QStringLiteral("Zahl");
    } catch (const EingabeFehler&) {
        return QStringLiteral("Eingabe");
    }
    return {};
}

// Kinds without elements are left out; more than nine elements show as their count, "#998"; a list whose
// entry count differs from its kind's count adds it in brackets, "[998]".
QString szeneText(const Programm& p)
{
    const Szene& s = p.s;
    const auto zahlen = [](const auto& werte, int von, int bis) {
        QString t;
        for (int i = von; i < bis; ++i) {
            char zahl[32] = { ' ' }; // with the sign of a negative zero, which Qt leaves out
            const double w = werte[std::size_t(i)];
            t += QLatin1String(zahl, std::to_chars(zahl + 1, zahl + 32, w, std::chars_format::general, 9).ptr);
        }
        return t;
    };
    QString t;
    const auto art = [&](const char* name, int n, const Listenfeld* liste, auto element) {
        t += n != 0 || liste->ListCount() != 0 ? QLatin1String(name) : QLatin1String();
        for (int i = 1; i <= n && n <= 9; ++i)
            t += QLatin1Char('(') + element(i).trimmed() + QLatin1Char(')');
        t += n > 9 ? QStringLiteral("#%1").arg(n) : QString();
        t += liste->ListCount() != n ? QStringLiteral("[%1]").arg(liste->ListCount()) : QString();
    };
    art(" P", s.AnzPunkte, p.f.PunktList, [&](int i) {
        return zahlen(std::array { s.Punkte(i).X, s.Punkte(i).Y, s.Punkte(i).Z }, 0, 3);
    });
    art(" D", s.AnzDreiecke, p.f.DreieList, [&](int i) { return zahlen(s.Dreiecke(i).ecke, 0, 3); });
    art(" V", s.AnzVierecke, p.f.ViereList, [&](int i) { return zahlen(s.Vierecke(i).ecke, 0, 4); });
    art(" G", s.AnzPolygone, p.f.PolyList, [&](int i) {
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

// The message at the 999th element of a kind: vertex, triangle, quad, polygon.
QString grenze(int art)
{
    const char* titel[] = { "vertex", "Dreieck", "quad", "Polygon" };
    const char* elemente[] = { "Punkte", "Dreiecke", "Vierecke", "Polygone" };
    return QStringLiteral("%1 1000|Der 1.Clump enthält fast 1000 %2\nDas paßt mir aber garnicht")
        .arg(titel[art], elemente[art]);
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

        const QString minimal = "P(0 0 0)(1 0 0)(0 1 0)(0 0 -2.5) D(1 2 3) V(1 2 3 4) G(3: 2 3 4) A2.5";
        zeile("minimal", Minimal, minimal);
        zeile("CR LF", QByteArray(Minimal).replace("\n", "\r\n"), minimal);
        zeile("tabs", modell("vertex\t1.5\t-2\t3e1\n \t triangle \t 1 \t\t2  3"), "P(1.5 -2 30) D(1 2 3) A30");
        zeile("capitals", modell("Vertex 1 2 3\nTriangle 1 2 3\nQuad 1 2 3 4\nPolygon 1 1\nClumpEnd\nvertex 1 2 3"),
            "P(1 2 3) A3");
        zeile("#!, capitals and protos before the clump",
            "#!RWX\nModelBegin\nmodelbegin\nprotobegin p\nvertex 5 5 5\nprotoend\nProtoBegin q\nclumpbegin\n"
            "protoinstance p\nvertex 1 2 3\nclumpend\nmodelend\n",
            "P(1 2 3) A3");
        zeile("no numbers", modell("vertex 1\ntriangle 4 5\nquad\npolygon"), "P(1 0 0) D(4 5 0) V(0 0 0 0) G(0:) A1");
        zeile("half to even, 16 bits",
            modell("triangle 1.5 2.5 3\ntriangle -0.5 -1.5 -2.5\ntriangle -32768.5 32767.4 -32768"),
            "D(2 2 3)(0 -2 -2)(-32768 32767 -32768) A-1000");
        zeile("beyond 16 bits", modell("triangle 5 32767.5 1"), "D(5 0 0)[0] A-1000", "Zahl");
        QByteArray sechzig = "polygon 60";
        for (int i = 1; i <= 60; ++i)
            sechzig += ' ' + QByteArray::number(i);
        zeile("polygon of 60 corners", modell(sechzig), "G(50: " + QString(sechzig).section(' ', 2, 51) + ") A-1000");
        zeile("polygon counts 0 and negative", modell("polygon 0 7 8\npolygon -3 1 2"), "G(0:)(-3:) A-1000");
        zeile("comments", modell("clumpend lightsampling vertex 1\n# quad mesh\n#!x\n# clumpend clumpbegin modelend"),
            "V(0 0 0 0) A-1000");
        zeile("quad and polygon in one field", modell("# quad polygon 3 1 2 3"), "V(0 3 1 2) G(3: 1 2 3) A-1000");
        zeile("the last keyword decides", modell(zeilen("quad", 998) + "# quad polygon 3 1 2 3\nvertex 1 2 3"),
            "P(1 2 3) V#998 G(3: 1 2 3) A3", "", grenze(2));
        zeile("comma, #12, uv, tag",
            modell("vertex 1,5 2 3\nvertex 1 2 3 #12\nvertex 4 5 6 uv 0 1\npolygon 4 1 2 3 4 tag 100"),
            "P(1 0 0)(1 2 3)(4 5 6) G(4: 1 2 3 4) A6");
        zeile("separators", modell(QByteArray("vertex 7\08\0379\nvertex \3775 6 7", 26)), "P(7 8 9)(0 6 7) A9");
        zeile("number rule",
            modell("vertex +.5E1 -2.5e-1 3.\nvertex 1.5.3 12abc 1e+\nvertex 1e2.5 1d2 0x10\nvertex --1 .e5 inf\n"
                   "vertex -0.0e5 1e-99999999999999999999 0.000e999\nvertex -0."
                + QByteArray(400, '0') + "1"),
            "P(5 -0.25 3)(1.5 12 1)(100 1 0)(0 0 0)(0 0 0)(0 0 0) A100");
        zeile("many digits",
            modell("vertex 9223372036854775808 -123456789012345678 0000" + QByteArray(300, '1') + "e-299"),
            "P(9.22337204e+18 -1.23456791e+17 1.11111116) A9.22337204e+18");
        zeile("largest single", modell("vertex 3.40282356e38 -3.4028235e38"),
            "P(3.40282347e+38 -3.40282347e+38 0) A3.40282347e+38");
        zeile("beyond single", modell("vertex 1 2 3\nvertex 4 3.40282357e38 5"), "P(1 2 3)(0 0 0)[1] A4", "Zahl");
        zeile("beyond double", modell("triangle 2 1e99999999999999999999"), "D(2 0 0)[0] A-1000", "Zahl");
        zeile("read on to modelend", modell("vertex 1 2 3\nclumpend\n" + QByteArray(FeldEingabe::FeldMax + 1, 'x')),
            "P(1 2 3) A3", "Eingabe");
        zeile("second clump skipped",
            "modelbegin\nclumpbegin\nvertex 1 0 0\nclumpend x\nclumpbegin\nvertex 9 9 9\nclumpend\nmodelend\n",
            "P(1 0 0) A1");
        zeile("nested clump", modell("vertex 1 0 0\n  clumpbegin \xc3\xa4\xff\nvertex 2 0 0"), "P(1 0 0) A1", "",
            "|Da stimmt was nicht\nclumpbegin ä\uFFFD");
        zeile("modelend in the clump", "modelbegin\nclumpbegin\nvertex 1 0 0\nmodelend x\nvertex 2 0 0\nclumpend\n",
            "P(1 0 0) A1", "", "|Da stimmt was nicht\nmodelend x");
        zeile("one line, no modelend, no line end", "modelbegin clumpbegin\nvertex 1 2 3\nclumpend", "P(1 2 3) A3");
        zeile("last field, line end", "modelbegin\nclumpbegin\nvertex 1 2 3\nvertex 4 5 6\n", "P(1 2 3) A3");
        zeile("last field, no line end", "modelbegin\nclumpbegin\nvertex 1 2 3\nvertex 4 5 6", "P(1 2 3) A3");
        zeile("only field after the clump start", "modelbegin\nclumpbegin\nvertex 1 2 3\n", "P(1 2 3) A3", "Eingabe");
        zeile("nothing after the clump start", "modelbegin\nclumpbegin\n", "A-1000");
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
        zeile("998 of each",
            modell(zeilen("vertex 1 2 3", 998) + zeilen("triangle 1 2 3", 998) + zeilen("quad 1 2 3 4", 998)
                + zeilen("polygon 3 1 2 3", 998)),
            "P#998 D#998 V#998 G#998 A3");
        const QByteArray danach = "vertex 7 7 7\ntriangle 1 2 3";
        zeile("999 vertices", modell(zeilen("vertex", 999) + danach), "P#700[998] A0", "", grenze(0));
        zeile("999 triangles", modell(zeilen("triangle", 999) + danach), "D#998 A-1000", "", grenze(1));
        zeile("999 quads", modell(zeilen("quad", 999) + danach), "V#998 A-1000", "", grenze(2));
        zeile("999 polygons", modell(zeilen("polygon", 999) + danach), "G#998 A-1000", "", grenze(3));
    }
    void lesen()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, szene);
        QFETCH(QString, fehler);
        QFETCH(QString, meldung);
        QFETCH(QString, datei);
        BlankesProgramm b;
        const uint offen = QDir(QStringLiteral("/proc/self/fd")).count();
        QCOMPARE(lies(b.p, inhalt, datei), fehler);
        QCOMPARE(QDir(QStringLiteral("/proc/self/fd")).count(), offen); // the file is closed
        QCOMPARE(szeneText(b.p), szene);
        QString gezeigt;
        for (int i = 0; i < b.dialoge.texte.size(); ++i)
            gezeigt += b.dialoge.titel[i] + '|' + b.dialoge.texte[i];
        QCOMPARE(gezeigt, meldung);
    }

    // The list entry: the number right-aligned in a width that shrinks by one per digit, two blanks,
    // the whole field as UTF-8.
    void eintraege()
    {
        const QByteArray mega(1 << 20, 'x');
        const QByteArray felder = zeilen("vertex 0 0 0", 100) + QByteArray("\357\273\277vertex \303\244\377\0!\n", 16);
        BlankesProgramm b;
        QCOMPARE(lies(b.p, modell(felder + "# " + mega + "\nvertex 1 2 3 " + mega)), QString());
        const auto eintrag = [&](int k) { return b.p.f.PunktList->item(k - 1)->text(); };
        QCOMPARE(b.p.f.PunktList->ListCount(), 102);
        QCOMPARE(eintrag(1), "     1  vertex 0 0 0");
        QCOMPARE(eintrag(10), "   10  vertex 0 0 0");
        QCOMPARE(eintrag(100), " 100  vertex 0 0 0");
        QCOMPARE(eintrag(101), QString::fromUtf16(u" 101  \uFEFFvertex ä\uFFFD\0!", 18));
        QCOMPARE(eintrag(102), " 102  vertex 1 2 3 " + QString(mega));
    }
};

QTEST_MAIN(TestRwxLeser)
#include "tst_rwxleser.moc"
