#include "TestProgramm.h"

#include "platform/SeitenFenster.h"

#include <QScrollBar>
#include <QTest>

using namespace zem;
using zem::test::TestAusgabe;

namespace {
const QByteArray DreieckDatei = "modelbegin\nclumpbegin\nvertex 0 0 0\nvertex 4 0 0\nvertex 0 2 0\ntriangle 1 2 3\n"
                                "clumpend\nmodelend\n";

QString oeffne(TestAusgabe& t, const QString& pfad)
{
    t.dialoge.naechsteDateien.push_back(pfad);
    t.ausgabe->Oeffnen_Click();
    return t.ausgabe->windowTitle();
}
} // namespace

class TestLaden : public QObject {
    Q_OBJECT
private slots:
    void oeffnenZeigtModell()
    {
        QTemporaryDir ordner;
        TestAusgabe t;
        Programm& p = t.p();
        p.f.ZoomScroll->setValue(565);
        const QString pfad = test::schreibeDatei(ordner, QStringLiteral("dreieck.rwx"), DreieckDatei);
        QCOMPARE(oeffne(t, pfad), QStringLiteral("dreieck.rwx - ZemViewer"));
        QCOMPARE(t.dialoge.dialogTitel, QStringLiteral("Öffner"));
        QCOMPARE(t.dialoge.dialogFilter, QStringLiteral("Rwx-Datei  (*.Rwx)|*.Rwx|Alle und jede (*.*)|*.*"));
        QCOMPARE(p.f.Seiten[Seite::Punkts]->windowTitle(), QStringLiteral(" 3 Punkte ( 0 selected)"));
        QCOMPARE(p.f.Seiten[Seite::Dreie]->windowTitle(), QStringLiteral(" 1 Dreiecke ( 0 selected)"));
        QCOMPARE(p.f.ZoomScroll->value(), 600);
        // Unrotated, with the axes as long as the model's extent.
        QCOMPARE(p.s.Sichtpunkte(2), (Vektor { 4, 0, 0 }));
        QCOMPARE(p.s.Sichtpunkte(-1), (Vektor { 0, 0, 4 }));
        QCOMPARE(p.s.Fangweite, 600 * 4.0f / 500 / 50);
    }

    void neuLadenNachAenderung()
    {
        QTemporaryDir ordner;
        TestAusgabe t;
        Programm& p = t.p();
        const QString pfad = test::schreibeDatei(ordner, QStringLiteral("m.rwx"), DreieckDatei);
        oeffne(t, pfad);
        // A view and marks that the reload throws away.
        p.s.Drehmatrix.m[0] = 0.5f;
        p.s.Punkte(0) = { 4, 0, 0 };
        p.f.PunktList->setSelected(1, true);
        test::schreibeDatei(ordner, QStringLiteral("m.rwx"),
            "modelbegin\nclumpbegin\nvertex 1 1 1\nvertex 2 2 2\nclumpend\nmodelend\n");
        t.ausgabe->Aktualisieren_Click();
        QVERIFY(p.s.AnzPunkte == 2 && p.s.AnzDreiecke == 0);
        QCOMPARE(p.s.Drehmatrix, Mathe::Einheit());
        QCOMPARE(p.s.Punkte(0), (Vektor { 0, 0, 0 }));
        QCOMPARE(p.f.Seiten[Seite::Punkts]->windowTitle(), QStringLiteral(" 2 Punkte ( 0 selected)"));
    }

    // With no file chosen yet the reading fails at the open; the command ends without a refresh.
    void neuLadenOhneDateiBleibtStill()
    {
        TestAusgabe t;
        Programm& p = t.p();
        p.f.ZoomScroll->setValue(300);
        t.ausgabe->Aktualisieren_Click();
        QCOMPARE(t.ausgabe->windowTitle(), QStringLiteral("Neu - ZemViewer"));
        QCOMPARE(p.f.ZoomScroll->value(), 300);
        QCOMPARE(t.dialoge.texte.size(), 1); // only the welcome box
        QCOMPARE(p.s.AnzPunkte, 0);
        QCOMPARE(p.s.Ausdehnung, -1000.0f);
    }

    // A failure in the middle of the file keeps what was read, and the window shows the old state.
    void fehlerMittendrinBehaeltGelesenes()
    {
        QTemporaryDir ordner;
        TestAusgabe t;
        Programm& p = t.p();
        oeffne(t, test::schreibeDatei(ordner, QStringLiteral("gut.rwx"), DreieckDatei));
        const Vektor sichtVorher = p.s.Sichtpunkte(2);
        const QString kaputt = test::schreibeDatei(ordner, QStringLiteral("kaputt.rwx"),
            "modelbegin\nclumpbegin\nvertex 7 0 0\ntriangle 1 1 1\nvertex 1e39 0 0\nvertex 3 3 "
            "3\nclumpend\nmodelend\n");
        QCOMPARE(oeffne(t, kaputt), QStringLiteral("gut.rwx - ZemViewer"));
        QVERIFY(p.s.AnzPunkte == 2 && p.s.AnzDreiecke == 1); // the second vertex counted, then it did not fit
        QCOMPARE(p.s.Punkte(1), (Vektor { 7, 0, 0 }));
        QCOMPARE(p.s.Ausdehnung, 7.0f);
        QCOMPARE(p.s.Sichtpunkte(2), sichtVorher);
        QCOMPARE(p.f.Seiten[Seite::Punkts]->windowTitle(), QStringLiteral(" 3 Punkte ( 0 selected)"));
    }

    // Cancelling the dialog keeps the name it held, so the current file is read again.
    void abbrechenLiestDieselbeDatei()
    {
        QTemporaryDir ordner;
        TestAusgabe t;
        Programm& p = t.p();
        const QString pfad = test::schreibeDatei(ordner, QStringLiteral("m.rwx"), DreieckDatei);
        oeffne(t, pfad);
        p.f.DreieList->setSelected(0, true);
        t.ausgabe->Oeffnen_Click(); // the test dialog answers with a cancel
        QCOMPARE(p.CommonDialog1.FileName, pfad);
        QVERIFY(p.s.AnzDreiecke == 1 && p.f.DreieList->SelCount() == 0);
    }

    void ohneModelbeginLeer()
    {
        QTemporaryDir ordner;
        TestAusgabe t;
        Programm& p = t.p();
        QCOMPARE(oeffne(t, test::schreibeDatei(ordner, QStringLiteral("leer.rwx"), "ModelBegin\nvertex 1 2 3\n")),
            QStringLiteral("leer.rwx - ZemViewer"));
        QCOMPARE(p.s.Sichtpunkte(-3), (Vektor { -1000, 0, 0 }));
        QVERIFY(p.s.AnzPunkte == 0 && p.s.Fangweite < 0 && t.dialoge.texte.size() == 1);
    }

    void zuVielePunkte()
    {
        QTemporaryDir ordner;
        TestAusgabe t;
        Programm& p = t.p();
        QByteArray inhalt = "modelbegin\nclumpbegin\n";
        for (int i = 0; i < 999; ++i)
            inhalt += "vertex " + QByteArray::number(i) + " 0 0\n";
        inhalt += "triangle 1 2 3\nclumpend\nmodelend\n";
        oeffne(t, test::schreibeDatei(ordner, QStringLiteral("gross.rwx"), inhalt));
        QCOMPARE(t.dialoge.titel.last(), QStringLiteral("vertex 1000"));
        QVERIFY(p.s.AnzPunkte == 700 && p.s.AnzDreiecke == 0 && p.f.PunktList->ListCount() == 998);
        QCOMPARE(p.f.Seiten[Seite::Punkts]->windowTitle(), QStringLiteral(" 998 Punkte ( 0 selected)"));
    }

    // The item "Automatische Wiederselbstherstellung" keeps its check mark through an open; each choice
    // turns it over.
    void wiederherstellungNachOeffnen()
    {
        QTemporaryDir ordner;
        TestAusgabe t;
        Programm& p = t.p();
        p.f.AuReDra->trigger();
        oeffne(t, test::schreibeDatei(ordner, QStringLiteral("m.rwx"), DreieckDatei));
        QVERIFY(p.f.AuReDra->isChecked());
        p.f.AuReDra->trigger();
        QVERIFY(!p.f.AuReDra->isChecked());
    }

    void beispieleLassenSichOeffnen_data()
    {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<int>("punkte");
        QTest::addColumn<int>("dreiecke");
        QTest::addColumn<int>("vierecke");
        QTest::addColumn<int>("polygone");
        QTest::addColumn<int>("meldungen");
        QTest::newRow("Würfel") << "wuerfel.rwx" << 8 << 0 << 6 << 0 << 0;
        QTest::newRow("Haus") << "haus.rwx" << 14 << 14 << 0 << 1 << 0;
        QTest::newRow("Grenzen") << "grenzen.rwx" << 998 << 998 << 998 << 998 << 0;
        QTest::newRow("verschachtelt") << "verschachtelt.rwx" << 3 << 1 << 0 << 0 << 1;
    }
    void beispieleLassenSichOeffnen()
    {
        QFETCH(QString, datei);
        TestAusgabe t;
        Programm& p = t.p();
        QCOMPARE(oeffne(t, QStringLiteral(ZEM_EXAMPLES_DIR "/") + datei), datei + QStringLiteral(" - ZemViewer"));
        QTEST(int(p.s.AnzPunkte), "punkte");
        QTEST(int(p.s.AnzDreiecke), "dreiecke");
        QTEST(int(p.s.AnzVierecke), "vierecke");
        QTEST(int(p.s.AnzPolygone), "polygone");
        QTEST(int(t.dialoge.texte.size() - 1), "meldungen");
    }
};

QTEST_MAIN(TestLaden)
#include "tst_laden.moc"
