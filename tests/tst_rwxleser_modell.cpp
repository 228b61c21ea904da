// The reader on whole files: keywords, statements, the last-field rules, files as other tools write
// them, and files that are no model at all.

#include "LeserHilfe.h"

#include <QRandomGenerator>
#include <QTest>

using namespace zem;
using namespace zem::test;

namespace {
const QString Leer = QStringLiteral("P D V G A-1000 L0 0 0 0");

QByteArray wiederholt(const QByteArray& teil, int anzahl)
{
    return teil.repeated(anzahl);
}
} // namespace

class TestRwxLeserModell : public QObject {
    Q_OBJECT
private slots:
    void lesen_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("szene");
        QTest::addColumn<QString>("fehler");
        QTest::addColumn<QStringList>("meldungen"); // "title|text" each

        const QByteArray minimal = "modelbegin\nclumpbegin\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0\n"
                                   "vertex 0 0 -2.5\ntriangle 1 2 3\nquad 1 2 3 4\npolygon 3 2 3 4\n"
                                   "clumpend\nmodelend\n";
        const QString minimalSzene = "P(0 0 0)(1 0 0)(0 1 0)(0 0 -2.5) D(1 2 3) V(1 2 3 4) G(3: 2 3 4) A2.5 L4 1 1 1";
        QTest::newRow("minimal") << minimal << minimalSzene << "" << QStringList();
        QTest::newRow("CR LF") << QByteArray(minimal).replace("\n", "\r\n") << minimalSzene << "" << QStringList();
        QTest::newRow("tabs") << modell("vertex\t1.5\t-2\t3e1") << "P(1.5 -2 30) D V G A30 L1 0 0 0"
                              << "" << QStringList();
        QTest::newRow("blanks and tabs mixed, indented")
            << modell(" \t vertex \t 1 \t\t2  3\n    triangle 1 1 1") << "P(1 2 3) D(1 1 1) V G A3 L1 1 0 0"
            << "" << QStringList();
        QTest::newRow("capitals") << QByteArray("ModelBegin\nClumpBegin\nVertex 1 2 3\nClumpEnd\nModelEnd\n") << Leer
                                  << "" << QStringList();
        QTest::newRow("capital keyword in the clump")
            << modell("Vertex 1 2 3\nTriangle 1 2 3\nQuad 1 2 3 4\nPolygon 1 1") << Leer << "" << QStringList();
        QTest::newRow("protos and capitals, then a clump")
            << QByteArray("#!RWX\nModelBegin\nmodelbegin\nprotobegin p\nvertex 5 5 5\nprotoend\nProtoBegin q\n"
                          "clumpbegin\nprotoinstance p\nvertex 1 2 3\nclumpend\nmodelend\n")
            << "P(1 2 3) D V G A3 L1 0 0 0"
            << "" << QStringList();
        QTest::newRow("missing numbers") << modell("vertex 1\ntriangle 4 5\nquad\npolygon")
                                         << "P(1 0 0) D(4 5 0) V(0 0 0 0) G(0:) A1 L1 1 1 1"
                                         << "" << QStringList();
        QTest::newRow("half to even") << modell("triangle 1.5 2.5 3\ntriangle -0.5 -1.5 -2.5")
                                      << "P D(2 2 3)(0 -2 -2) V G A-1000 L0 2 0 0"
                                      << "" << QStringList();
        QTest::newRow("polygon counts 0 and negative")
            << modell("polygon 0 7 8\npolygon -3 1 2") << "P D V G(0:)(-3:) A-1000 L0 0 0 2"
            << "" << QStringList();
        QTest::newRow("comment with quad") << modell("# quad mesh") << "P D V(0 0 0 0) G A-1000 L0 0 1 0"
                                           << "" << QStringList();
        QTest::newRow("quad and polygon in one field")
            << modell("# quad polygon 3 1 2 3") << "P D V(0 3 1 2) G(3: 1 2 3) A-1000 L0 0 1 1"
            << "" << QStringList();
        QTest::newRow("lightsampling before vertex")
            << modell("lightsampling vertex 1 2 3") << Leer << "" << QStringList();
        QTest::newRow("comma splits the field") << modell("vertex 1,5 2 3") << "P(1 0 0) D V G A1 L1 0 0 0"
                                                << "" << QStringList();
        QTest::newRow("quoted field keeps the comma") << modell("\"vertex 1,5 2 3\"") << "P(1 2 3) D V G A3 L1 0 0 0"
                                                      << "" << QStringList();
        QTest::newRow("trailing #12, uv, tag")
            << modell("vertex 1 2 3 #12\nvertex 4 5 6 uv 0 1\npolygon 4 1 2 3 4 tag 100")
            << "P(1 2 3)(4 5 6) D V G(4: 1 2 3 4) A6 L2 0 0 1"
            << "" << QStringList();
        QTest::newRow("commented-out vertex still is one") << modell("# vertex 9 9 9") << "P(9 9 9) D V G A9 L1 0 0 0"
                                                           << "" << QStringList();
        QTest::newRow("NUL separates numbers")
            << modell(QByteArray("vertex 1\0 2 3", 13)) << "P(1 2 3) D V G A3 L1 0 0 0"
            << "" << QStringList();
        QTest::newRow("second clump skipped")
            << QByteArray("modelbegin\nclumpbegin\nvertex 1 0 0\nclumpend\nclumpbegin\nvertex 9 9 9\n"
                          "triangle 1 1 1\nclumpend\nmodelend\nvertex 8 8 8\n")
            << "P(1 0 0) D V G A1 L1 0 0 0"
            << "" << QStringList();
        QTest::newRow("tab before clumpend")
            << modell("vertex 1 0 0\n\tclumpend\nvertex 2 0 0") << "P(1 0 0) D V G A1 L1 0 0 0"
            << "" << QStringList();
        QTest::newRow("nested clump") << modell("vertex 1 0 0\n  clumpbegin\nvertex 2 0 0")
                                      << "P(1 0 0) D V G A1 L1 0 0 0"
                                      << "" << QStringList { "|Da stimmt was nicht\nclumpbegin" };
        QTest::newRow("modelend in the clump") << QByteArray("modelbegin\nclumpbegin\nvertex 1 0 0\nmodelend x\n"
                                                             "vertex 2 0 0\nclumpend\nmodelend\n")
                                               << "P(1 0 0) D V G A1 L1 0 0 0"
                                               << "" << QStringList { "|Da stimmt was nicht\nmodelend x" };
        QTest::newRow("clumpbegin on the modelbegin line")
            << QByteArray("modelbegin clumpbegin\nvertex 1 0 0\nclumpend\n") << "P(1 0 0) D V G A1 L1 0 0 0"
            << "" << QStringList();
        QTest::newRow("no vertex") << modell("triangle 1 2 3") << "P D(1 2 3) V G A-1000 L0 1 0 0"
                                   << "" << QStringList();

        // The end of the file inside the clump: its last field is not acted upon, with or without a line
        // end after it; when that field is the first after the clump start, it is, and the next read fails.
        QTest::newRow("last field, line end")
            << QByteArray("modelbegin\nclumpbegin\nvertex 1 2 3\nvertex 4 5 6\n") << "P(1 2 3) D V G A3 L1 0 0 0"
            << "" << QStringList();
        QTest::newRow("last field, no line end")
            << QByteArray("modelbegin\nclumpbegin\nvertex 1 2 3\nvertex 4 5 6") << "P(1 2 3) D V G A3 L1 0 0 0"
            << "" << QStringList();
        QTest::newRow("only field after the clump start")
            << QByteArray("modelbegin\nclumpbegin\nvertex 1 2 3\n") << "P(1 2 3) D V G A3 L1 0 0 0"
            << "Eingabe" << QStringList();
        QTest::newRow("only field, a comment")
            << QByteArray("modelbegin\nclumpbegin\r\n# x") << Leer << "Eingabe" << QStringList();
        QTest::newRow("only field, clumpend")
            << QByteArray("modelbegin\nclumpbegin\nclumpend") << Leer << "" << QStringList();
        QTest::newRow("nothing after the clump start")
            << QByteArray("modelbegin\nclumpbegin\n") << Leer << "" << QStringList();
        QTest::newRow("no modelend") << QByteArray("modelbegin\nclumpbegin\nvertex 1 2 3\nclumpend")
                                     << "P(1 2 3) D V G A3 L1 0 0 0"
                                     << "" << QStringList();
        QTest::newRow("empty file") << QByteArray() << Leer << "" << QStringList();

        // Numbers that do not fit: the reading ends; what was stored before stays, the count included.
        QTest::newRow("beyond single precision")
            << modell("vertex 1 2 3\nvertex 4 3.40282357e38 5") << "P(1 2 3)(0 0 0) D V G A4 L1 0 0 0"
            << "Zahl" << QStringList();
        QTest::newRow("largest single") << modell("vertex 3.40282356e38 -3.4028235e38")
                                        << "P(3.40282347e+38 -3.40282347e+38 0) D V G A3.40282347e+38 L1 0 0 0"
                                        << "" << QStringList();
        QTest::newRow("beyond double") << modell("vertex 1e999") << "P(0 0 0) D V G A-1000 L0 0 0 0"
                                       << "Zahl" << QStringList();
        QTest::newRow("below double") << modell("vertex 1e-999 -1e-400") << "P(0 0 0) D V G A0 L1 0 0 0"
                                      << "" << QStringList();
        QTest::newRow("16-bit range") << modell("triangle -32768.5 32767.4 -32768")
                                      << "P D(-32768 32767 -32768) V G A-1000 L0 1 0 0"
                                      << "" << QStringList();
        QTest::newRow("beyond 16 bits") << modell("triangle 5 32767.5 1") << "P D(5 0 0) V G A-1000 L0 0 0 0"
                                        << "Zahl" << QStringList();
        QTest::newRow("polygon count beyond 16 bits") << modell("polygon -40000") << "P D V G(0:) A-1000 L0 0 0 0"
                                                      << "Zahl" << QStringList();
    }
    void lesen()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, szene);
        QFETCH(QString, fehler);
        QFETCH(QStringList, meldungen);
        BlankesProgramm b;
        QCOMPARE(lies(b.p, inhalt), fehler);
        QCOMPARE(szeneText(b.p), szene);
        QStringList gezeigt;
        for (int i = 0; i < b.dialoge.texte.size(); ++i)
            gezeigt << b.dialoge.titel[i] + QLatin1Char('|') + b.dialoge.texte[i];
        QCOMPARE(gezeigt, meldungen);
    }

    void polygonMitSechzigEcken()
    {
        QByteArray feld = "polygon 60";
        for (int i = 1; i <= 60; ++i)
            feld += ' ' + QByteArray::number(i);
        BlankesProgramm b;
        QCOMPARE(lies(b.p, modell(feld)), QString());
        QCOMPARE(int(b.p.s.AnzPolygone), 1);
        const auto& slot = b.p.s.Polygone(1).slot;
        QCOMPARE(int(slot[0]), 50);
        for (int j = 1; j <= 50; ++j)
            QCOMPARE(int(slot[j]), j);
        QCOMPARE(int(slot[51]), 0);
    }

    // The reset keeps the records: a polygon read with the count 0 leaves its corner slots as they were.
    void altePolygonEckenBleiben()
    {
        BlankesProgramm b;
        QCOMPARE(lies(b.p, modell("polygon 3 7 8 9")), QString());
        QCOMPARE(lies(b.p, modell("polygon 0")), QString());
        const auto& slot = b.p.s.Polygone(1).slot;
        QCOMPARE((std::array<std::int16_t, 4> { slot[0], slot[1], slot[2], slot[3] }),
            (std::array<std::int16_t, 4> { 0, 7, 8, 9 }));
    }

    void keineDatei_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << QStringLiteral("fehlt.rwx");
        QTest::newRow("directory") << QStringLiteral("<ordner>");
        QTest::newRow("empty name") << QStringLiteral("<leer>");
    }
    void keineDatei()
    {
        QFETCH(QString, name);
        QTemporaryDir ordner;
        const QString pfad = name == QStringLiteral("<leer>") ? QString()
            : name == QStringLiteral("<ordner>")              ? ordner.path()
                                                              : ordner.filePath(name);
        BlankesProgramm b;
        QCOMPARE(liesDatei(b.p, pfad), QStringLiteral("Eingabe"));
        QCOMPARE(szeneText(b.p), Leer);
    }

    // Lines far longer than a 16-bit reading position: read while the statement's keyword and numbers lie
    // within its first 32767 characters, an error past them; never a crash.
    void langeZeilen_data()
    {
        QTest::addColumn<QByteArray>("feld");
        QTest::addColumn<QString>("szene");
        QTest::addColumn<QString>("fehler");
        const QByteArray mega(1 << 20, 'x');
        QTest::newRow("1 MB comment") << "# " + mega << "P D V G A-1000 L0 0 0 0"
                                      << "";
        QTest::newRow("1 MB after the numbers") << "vertex 1 2 3 " + mega << "P(1 2 3) D V G A3 L1 0 0 0"
                                                << "";
        QTest::newRow("1 MB token") << "vertex " + mega << "P(0 0 0) D V G A-1000 L0 0 0 0"
                                    << "Zahl";
        QTest::newRow("keyword past 32767") << QByteArray(40000, 'x') + " quad 1 2 3 4"
                                            << "P D V(0 0 0 0) G A-1000 L0 0 0 0"
                                            << "Zahl";
        QTest::newRow("numbers past 32767") << "triangle 1" + QByteArray(40000, '\t') + "2 3"
                                            << "P D(1 0 0) V G A-1000 L0 0 0 0"
                                            << "Zahl";
    }
    void langeZeilen()
    {
        QFETCH(QByteArray, feld);
        QFETCH(QString, szene);
        QFETCH(QString, fehler);
        BlankesProgramm b;
        QCOMPARE(lies(b.p, modell(feld)), fehler);
        QCOMPARE(szeneText(b.p), szene);
        if (b.p.f.PunktList->ListCount() == 1)
            QCOMPARE(b.p.f.PunktList->item(0)->text().size(), 8 + feld.size());
    }

    // After the clump the fields up to "modelend" are still read, though not acted upon: a field longer
    // than the input takes ends the reading there with an error, after "modelend" it is never read.
    void ueberspringenBisModelend_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("fehler");
        const QByteArray anfang = "modelbegin\nclumpbegin\nvertex 1 2 3\nclumpend\n";
        const QByteArray riesig(qsizetype(FeldEingabe::FeldMax) + 1, 'x');
        QTest::newRow("before modelend") << anfang + riesig + "\nmodelend\n"
                                         << "Eingabe";
        QTest::newRow("after modelend") << anfang + "modelend\n" + riesig << "";
    }
    void ueberspringenBisModelend()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, fehler);
        BlankesProgramm b;
        QCOMPARE(lies(b.p, inhalt), fehler);
        QCOMPARE(szeneText(b.p), QStringLiteral("P(1 2 3) D V G A3 L1 0 0 0"));
    }

    // Files that are no model: whatever they hold, the reading ends, with or without an error, and the
    // scene stays within its limits.
    void binaerdateien_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QRandomGenerator zufall(4711);
        QByteArray rauschen(1 << 18, '\0');
        zufall.fillRange(reinterpret_cast<quint32*>(rauschen.data()), rauschen.size() / 4);
        QTest::newRow("noise") << rauschen;
        QTest::newRow("noise in a clump") << modell(rauschen);
        QTest::newRow("NUL bytes") << modell(QByteArray(1000, '\0') + "vertex" + QByteArray(10, '\0'));
        QTest::newRow("keywords and noise") << modell(wiederholt("vertex\xff\x80" + rauschen.left(64) + '\n', 200));
    }
    void binaerdateien()
    {
        QFETCH(QByteArray, inhalt);
        BlankesProgramm b;
        const QString fehler = lies(b.p, inhalt);
        QVERIFY(fehler.isEmpty() || fehler == QStringLiteral("Zahl") || fehler == QStringLiteral("Eingabe"));
        const Szene& s = b.p.s;
        for (const int anzahl : { int(s.AnzPunkte), int(s.AnzDreiecke), int(s.AnzVierecke), int(s.AnzPolygone) })
            QVERIFY(anzahl >= 0 && anzahl <= Grenze);
        QVERIFY(b.p.f.PunktList->ListCount() <= Grenze);
    }
};

QTEST_MAIN(TestRwxLeserModell)
#include "tst_rwxleser_modell.moc"
