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
        Szene s;
        QVERIFY(&s.Punkte(-4) == &s.Punkte.eintraege.front() && &s.Punkte(1010) == &s.Punkte.eintraege.back());
        QVERIFY(&s.Dreiecke(1010) == &s.Dreiecke.eintraege.back() && s.Polygone(0).slot.size() == 52);
        QVERIFY(!PunktTabelle::enthaelt(-5) && !PunktTabelle::enthaelt(1011));
    }

    void zuruecksetzen()
    {
        BlankesProgramm t;
        Programm& p = t.p;
        Szene& s = p.s;
        // A previous model and view that the reset must put back.
        s.AnzPunkte = s.AnzDreiecke = s.AnzVierecke = s.AnzPolygone = 3;
        s.Polygone(1).slot = { 2, 7, 8, 9 };
        s.Punkte(0) = { 5, 6, 7 };
        s.Punkte(2) = { 1, 2, 3 };
        s.Drehmatrix.m[1] = 0.5f;
        s.Druckmatrix.m[5] = -1;
        s.Ausdehnung = 42;
        s.MitteX = s.MitteY = 0.1f;
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

        Anfang::Zuruecksetzen(p);

        QVERIFY(s.AnzPunkte == 0 && s.AnzDreiecke == 0 && s.AnzVierecke == 0 && s.AnzPolygone == 0);
        QCOMPARE(s.Drehmatrix, Mathe::Einheit());
        QCOMPARE(s.Druckmatrix, Mathe::Einheit());
        QCOMPARE(s.Druckvektor, (Vektor { 0, 1, 0 }));
        QCOMPARE(s.Ausdehnung, 1.0f);
        QVERIFY(s.MitteX == 0.5f && s.MitteY == -0.5f);
        QCOMPARE(s.Punkte(0), (Vektor { 0, 0, 0 }));
        QCOMPARE(s.Fangpunkt, 0);
        QCOMPARE(p.f.Flaeche->scaleLeft(), -100.0f);
        QCOMPARE(p.f.Flaeche->scaleTop(), 50.0f);
        QVERIFY(p.f.PunktList->ListCount() == 0 && p.f.PolyList->ListCount() == 0);
        // The marking mode stays and its item alone carries the check mark again.
        QCOMPARE(s.Markierart, 2);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(p.f.MarkWith[i]->isChecked(), i == 2);
        // Tables keep their records; only the counts say what belongs to the model.
        QCOMPARE(s.Punkte(2), (Vektor { 1, 2, 3 }));
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
        s.Punkte(1) = { 1, 2, 3 };
        s.Punkte(2) = { -4, 5, 6 };
        s.Punkte(3) = { 9, 9, 9 };
        s.Sichtpunkte(3) = { 7, 7, 7 };
        RwxToZem::AchsenSetzen(s);
        QCOMPARE(s.Punkte(-3), (Vektor { ausdehnung, 0, 0 }));
        QCOMPARE(s.Punkte(-1), (Vektor { 0, 0, ausdehnung }));
        for (int i = -4; i <= 2; ++i)
            QCOMPARE(s.Sichtpunkte(i), s.Punkte(i));
        // Above the count nothing is copied.
        QCOMPARE(s.Sichtpunkte(3), (Vektor { 7, 7, 7 }));
    }
};

QTEST_MAIN(TestSzene)
#include "tst_szene.moc"
