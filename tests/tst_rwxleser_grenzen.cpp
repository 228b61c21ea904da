// The statements one by one, the limit of 998 elements of each kind, and the entries of the lists.

#include "LeserHilfe.h"

#include <QDir>
#include <QTest>

using namespace zem;
using namespace zem::test;

namespace {
QByteArray zeilen(const QByteArray& zeile, int anzahl)
{
    return (zeile + '\n').repeated(anzahl);
}

int offeneDateien()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}
} // namespace

class TestRwxLeserGrenzen : public QObject {
    Q_OBJECT
private slots:
    void zeileAuswerten_data()
    {
        QTest::addColumn<QByteArray>("zeile");
        QTest::addColumn<bool>("weiter");
        QTest::addColumn<QString>("szene");
        QTest::addColumn<int>("meldungen");
        const QString leer = QStringLiteral("P D V G A1 L0 0 0 0");
        QTest::newRow("clumpend") << QByteArray("clumpend") << false << leer << 0;
        QTest::newRow("clumpend and more") << QByteArray("clumpend vertex 1 2 3") << false << leer << 0;
        QTest::newRow("clumpend not first") << QByteArray("# clumpend") << true << leer << 0;
        QTest::newRow("clumpbegin") << QByteArray("clumpbegin") << false << leer << 1;
        QTest::newRow("clumpbegin not first") << QByteArray(" clumpbegin") << true << leer << 0;
        QTest::newRow("modelend") << QByteArray("modelend") << false << leer << 1;
        QTest::newRow("modelend not first") << QByteArray("#modelend") << true << leer << 0;
        QTest::newRow("lightsampling first") << QByteArray("lightsampling vertex 1 2 3") << true << leer << 0;
        QTest::newRow("lightsampling also before clumpend")
            << QByteArray("clumpend lightsampling") << true << leer << 0;
        QTest::newRow("empty") << QByteArray() << true << leer << 0;
        QTest::newRow("all four") << QByteArray("vertex 1 2 3 triangle 4 quad 5 polygon 1 6") << true
                                  << "P(1 2 3) D(4 0 5) V(5 0 1 6) G(1: 6) A3 L1 1 1 1" << 0;
    }
    void zeileAuswerten()
    {
        QFETCH(QByteArray, zeile);
        QFETCH(bool, weiter);
        QFETCH(QString, szene);
        QFETCH(int, meldungen);
        BlankesProgramm b;
        Anfang::Zuruecksetzen(b.p);
        QCOMPARE(RwxToZem::ZeileAuswerten(b.p, zeile.toStdString()), weiter);
        QCOMPARE(szeneText(b.p), szene);
        QCOMPARE(b.dialoge.texte.size(), meldungen);
    }

    // A field with several keywords runs several readers; the last one run decides, even after a limit.
    void letzterLeserEntscheidet()
    {
        BlankesProgramm b;
        Anfang::Zuruecksetzen(b.p);
        b.p.s.AnzPunkte = Grenze;
        QVERIFY(RwxToZem::ZeileAuswerten(b.p, "vertex 1 2 3 triangle 4 5 6"));
        QCOMPARE(int(b.p.s.AnzPunkte), 700);
        QCOMPARE(int(b.p.s.AnzDreiecke), 1);
        QCOMPARE(b.dialoge.titel, QStringList { QStringLiteral("vertex 1000") });
        b.p.s.AnzPolygone = Grenze;
        QVERIFY(!RwxToZem::ZeileAuswerten(b.p, "quad 1 2 3 4 polygon 3"));
        QCOMPARE(int(b.p.s.AnzVierecke), 1);
        QCOMPARE(int(b.p.s.AnzPolygone), 998);
    }

    // 998 elements of every kind are read whole; the 999th of one kind shows its message, sets its count
    // and ends the reading of the clump.
    void grenze_data()
    {
        QTest::addColumn<QByteArray>("anweisung");
        QTest::addColumn<int>("art");
        QTest::addColumn<QString>("titel");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("danach");
        QTest::newRow("vertex") << QByteArray("vertex 1 2 3") << 0 << "vertex 1000"
                                << "Der 1.Clump enthält fast 1000 Punkte\nDas paßt mir aber garnicht" << 700;
        QTest::newRow("triangle") << QByteArray("triangle 1 2 3") << 1 << "Dreieck 1000"
                                  << "Der 1.Clump enthält fast 1000 Dreiecke\nDas paßt mir aber garnicht" << 998;
        QTest::newRow("quad") << QByteArray("quad 1 2 3 4") << 2 << "quad 1000"
                              << "Der 1.Clump enthält fast 1000 Vierecke\nDas paßt mir aber garnicht" << 998;
        QTest::newRow("polygon") << QByteArray("polygon 3 1 2 3") << 3 << "Polygon 1000"
                                 << "Der 1.Clump enthält fast 1000 Polygone\nDas paßt mir aber garnicht" << 998;
    }
    void grenze()
    {
        QFETCH(QByteArray, anweisung);
        QFETCH(int, art);
        QFETCH(QString, titel);
        QFETCH(QString, text);
        QFETCH(int, danach);
        const QByteArray alle = zeilen("vertex 1 2 3", 998) + zeilen("triangle 1 2 3", 998)
            + zeilen("quad 1 2 3 4", 998) + zeilen("polygon 3 1 2 3", 998);
        const auto anzahlen = [](const Programm& p) {
            return QList<int> { p.s.AnzPunkte, p.s.AnzDreiecke, p.s.AnzVierecke, p.s.AnzPolygone,
                p.f.PunktList->ListCount(), p.f.DreieList->ListCount(), p.f.ViereList->ListCount(),
                p.f.PolyList->ListCount() };
        };
        BlankesProgramm b;
        QCOMPARE(lies(b.p, modell(alle)), QString());
        QCOMPARE(anzahlen(b.p), QList<int>(8, 998));
        QVERIFY(b.dialoge.texte.isEmpty());

        // After the 999th, no statement is read: another of the same kind, nor one of another kind.
        QCOMPARE(lies(b.p, modell(zeilen(anweisung, 1000) + "vertex 7 7 7\ntriangle 1 2 3")), QString());
        QList<int> erwartet(8, 0);
        erwartet[art] = danach;
        erwartet[4 + art] = 998;
        QCOMPARE(anzahlen(b.p), erwartet);
        QCOMPARE(b.dialoge.titel, QStringList { titel });
        QCOMPARE(b.dialoge.texte, QStringList { text });
    }

    void eintraege()
    {
        QByteArray felder;
        for (int k = 1; k <= 998; ++k)
            felder += "vertex " + QByteArray::number(k) + " 0 0\n";
        BlankesProgramm b;
        QCOMPARE(lies(b.p, modell(felder)), QString());
        const Listenfeld& liste = *b.p.f.PunktList;
        QCOMPARE(liste.ListCount(), 998);
        QCOMPARE(liste.item(0)->text(), QStringLiteral("     1  vertex 1 0 0"));
        QCOMPARE(liste.item(8)->text(), QStringLiteral("     9  vertex 9 0 0"));
        QCOMPARE(liste.item(9)->text(), QStringLiteral("   10  vertex 10 0 0"));
        QCOMPARE(liste.item(98)->text(), QStringLiteral("   99  vertex 99 0 0"));
        QCOMPARE(liste.item(99)->text(), QStringLiteral(" 100  vertex 100 0 0"));
        QCOMPARE(liste.item(997)->text(), QStringLiteral(" 998  vertex 998 0 0"));
    }

    // The field is shown as UTF-8; bytes that are not UTF-8 become U+FFFD and never break the entry.
    void eintragText_data()
    {
        QTest::addColumn<QByteArray>("feld");
        QTest::addColumn<QString>("text");
        QTest::newRow("ASCII, tab kept") << QByteArray("quad\t1 2 3 4") << QStringLiteral("quad\t1 2 3 4");
        QTest::newRow("UTF-8") << QByteArray("# quad W\xc3\xbcrfel") << QStringLiteral("# quad Würfel");
        QTest::newRow("invalid byte") << QByteArray("# quad \xff!") << QStringLiteral("# quad \uFFFD!");
        QTest::newRow("cut-off sequence, one mark a byte")
            << QByteArray("# quad \xe2\x82") << QStringLiteral("# quad \uFFFD\uFFFD");
        QTest::newRow("byte order mark kept") << QByteArray("\xef\xbb\xbfquad") << QStringLiteral("\uFEFFquad");
        QTest::newRow("NUL kept") << QByteArray("quad\0 1", 7) << QString::fromUtf16(u"quad\0 1", 7);
        QTest::newRow("CR LF not part of it") << QByteArray("quad 1\r") << QStringLiteral("quad 1");
    }
    void eintragText()
    {
        QFETCH(QByteArray, feld);
        QFETCH(QString, text);
        BlankesProgramm b;
        QCOMPARE(lies(b.p, "modelbegin\nclumpbegin\n" + feld + "\nclumpend\n"), QString());
        QCOMPARE(b.p.f.ViereList->ListCount(), 1);
        QCOMPARE(b.p.f.ViereList->item(0)->text(), QStringLiteral("     1  ") + text);
    }

    void meldungZeigtDieZeile()
    {
        BlankesProgramm b;
        QCOMPARE(lies(b.p, modell("clumpbegin \xc3\xa4\xff")), QString());
        QCOMPARE(b.dialoge.texte, QStringList { QStringLiteral("Da stimmt was nicht\nclumpbegin ä\uFFFD") });
        QCOMPARE(b.dialoge.titel, QStringList { QString() });
    }

    // However the reading ends, the file is closed.
    void dateiWirdGeschlossen_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("fehler");
        QTest::newRow("normal end") << modell("vertex 1 2 3") << "";
        QTest::newRow("limit") << modell(zeilen("quad", 999)) << "";
        QTest::newRow("number too large") << modell("vertex 1e39") << "Zahl";
        QTest::newRow("read past the end") << QByteArray("modelbegin\nclumpbegin\nvertex 1 2 3") << "Eingabe";
    }
    void dateiWirdGeschlossen()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, fehler);
        BlankesProgramm b;
        const int vorher = offeneDateien();
        QCOMPARE(lies(b.p, inhalt), fehler);
        QCOMPARE(offeneDateien(), vorher);
    }
};

QTEST_MAIN(TestRwxLeserGrenzen)
#include "tst_rwxleser_grenzen.moc"
