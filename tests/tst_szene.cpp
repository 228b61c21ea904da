#include "TestProgramm.h"

#include "model/Anfang.h"
#include "model/RwxToZem.h"

#include <QTest>

using namespace zem;
using zem::test::BlankesProgramm;

class TestSzene : public QObject {
    Q_OBJECT
private slots:
    void tabellenHabenIhreIndexbereiche()
    {
        static_assert(std::tuple_size_v<decltype(PunktTabelle::eintraege)> == 1015);
        static_assert(std::tuple_size_v<decltype(Szene{}.Dreiecke.eintraege)> == 1011);
        static_assert(std::tuple_size_v<decltype(Polygon{}.slot)> == 52);
        static_assert(std::is_same_v<decltype(Szene{}.AnzPunkte), std::int16_t>);
        Szene s;
        QVERIFY(&s.Punkte(-4) == &s.Punkte.eintraege.front());
        QVERIFY(&s.Punkte(1010) == &s.Punkte.eintraege.back());
        QVERIFY(PunktTabelle::enthaelt(-4) && PunktTabelle::enthaelt(1010));
        QVERIFY(!PunktTabelle::enthaelt(-5) && !PunktTabelle::enthaelt(1011));
    }

    void zuruecksetzen()
    {
        BlankesProgramm t;
        Programm& p = t.p;
        Szene& s = p.s;
        // A previous model and view that the reset must put back.
        s.AnzPunkte = 3;
        s.AnzDreiecke = 2;
        s.AnzVierecke = 1;
        s.AnzPolygone = 4;
        s.Polygone(1).slot = {2, 7, 8, 9};
        s.Punkte(0) = {5, 6, 7};
        s.Punkte(2) = {1, 2, 3};
        s.Drehmatrix.m[1] = 0.5f;
        s.Druckmatrix.m[5] = -1;
        s.Ausdehnung = 42;
        s.MitteX = 0.1f;
        s.MitteY = -0.9f;
        s.Fangpunkt = 17;
        s.Fangweite = 0.3f;
        s.Markierart = 2;
        p.f.PunktList->AddItem(QStringLiteral("a"));
        p.f.PunktList->setSelected(0, true);
        p.f.PolyList->AddItem(QStringLiteral("b"));
        p.f.MarkWith[0]->setChecked(true);
        p.f.MarkWith[3]->setChecked(true);
        p.f.Flaeche->setScaleWidth(200);
        p.f.Flaeche->setScaleHeight(-100);
        p.f.Flaeche->setScaleLeft(3);
        p.f.Flaeche->setDauerhaft(true);

        Anfang::Zuruecksetzen(p);

        QCOMPARE(s.AnzPunkte, 0);
        QCOMPARE(s.AnzDreiecke, 0);
        QCOMPARE(s.AnzVierecke, 0);
        QCOMPARE(s.AnzPolygone, 0);
        QCOMPARE(s.Drehmatrix, Mathe::Einheit());
        QCOMPARE(s.Druckmatrix, Mathe::Einheit());
        QCOMPARE(s.Druckvektor, (Vektor{0, 1, 0}));
        QCOMPARE(s.Ausdehnung, 1.0f);
        QCOMPARE(s.MitteX, 0.5f);
        QCOMPARE(s.MitteY, -0.5f);
        QCOMPARE(s.Punkte(0), (Vektor{0, 0, 0}));
        QCOMPARE(s.Fangpunkt, 0);
        QCOMPARE(p.f.Flaeche->scaleLeft(), -100.0f);
        QCOMPARE(p.f.Flaeche->scaleTop(), 50.0f);
        QCOMPARE(p.f.Flaeche->scaleWidth(), 200.0f);
        QCOMPARE(p.f.Flaeche->scaleHeight(), -100.0f);
        QVERIFY(!p.f.Flaeche->dauerhaft());
        QCOMPARE(p.f.PunktList->ListCount(), 0);
        QCOMPARE(p.f.PolyList->ListCount(), 0);
        // The marking mode stays and its item alone carries the check mark again.
        QCOMPARE(s.Markierart, 2);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(p.f.MarkWith[i]->isChecked(), i == 2);
        // Tables keep their records; only the counts say what belongs to the model.
        QCOMPARE(s.Punkte(2), (Vektor{1, 2, 3}));
        QCOMPARE(s.Polygone(1).slot[3], 9);
        // What the reset leaves alone.
        QCOMPARE(s.Fangweite, 0.3f);
    }

    void achsenSetzenUndKopieren_data()
    {
        QTest::addColumn<float>("ausdehnung");
        QTest::newRow("eins") << 1.0f;
        QTest::newRow("dreissig") << 30.0f;
        QTest::newRow("ohne Punkt gelesen") << -1000.0f;
    }
    void achsenSetzenUndKopieren()
    {
        QFETCH(float, ausdehnung);
        Szene s;
        s.Ausdehnung = ausdehnung;
        s.AnzPunkte = 2;
        s.Punkte(1) = {1, 2, 3};
        s.Punkte(2) = {-4, 5, 6};
        s.Punkte(3) = {9, 9, 9};
        s.Sichtpunkte(3) = {7, 7, 7};
        RwxToZem::AchsenSetzen(s);
        QCOMPARE(s.Punkte(-3), (Vektor{ausdehnung, 0, 0}));
        QCOMPARE(s.Punkte(-2), (Vektor{0, ausdehnung, 0}));
        QCOMPARE(s.Punkte(-1), (Vektor{0, 0, ausdehnung}));
        for (int i = -4; i <= 2; ++i)
            QCOMPARE(s.Sichtpunkte(i), s.Punkte(i));
        QCOMPARE(s.Sichtpunkte(-4), (Vektor{0, 0, 0}));
        // Above the count nothing is copied.
        QCOMPARE(s.Sichtpunkte(3), (Vektor{7, 7, 7}));
    }
};

QTEST_MAIN(TestSzene)
#include "tst_szene.moc"
