#include "TestProgramm.h"

#include "model/Anfang.h"
#include "selection/Auswahl.h"
#include "view/Mathe.h"

#include <QLabel>
#include <QTest>

#include <cmath>
#include <limits>

using namespace zem;

namespace {

// Model points 1 to 12 and a stale entry 13 above the count. The view is turned a quarter about Z,
// (x, y, z) to (-y, x, z), so view and model coordinates differ; the view positions are in comments.
const Vektor Modell[] = {
    { 4, 6, 1 }, // 1 at (-6, 4)
    { -5, -5, 0 }, // 2 at (5, -5)
    { 1, 1, 0 }, // 3 at (-1, 1)
    { 1.4f, 1, 2 }, // 4 at (-1, 1.4), within Fangweite of 3
    { -8, 3, -2 }, // 5 at (-3, -8)
    { 6, -9, 0 }, // 6 at (9, 6)
    { 1, -0.25f, 1e6f }, // 7 at (0.25, 1)
    { -12, 8, 0 }, // 8 at (-8, -12)
    { -12, -8, 0 }, // 9 at (8, -12)
    { 12, 8, 0 }, // 10 at (-8, 12)
    { 12, -8, 0 }, // 11 at (8, 12)
    { 1.5f, -2, 0 }, // 12 at (2, 1.5)
    { -3, 15, 0 }, // 13 at (-15, -3): not part of the model
};
constexpr int AnzModell = 12;

// The scene of the picking tests: extent 10 (the axis ends at view (0, 10), (-10, 0) and (0, 0)),
// Fangweite 0.5, a user scale of ten pixels per unit with the origin in the middle (left -20, top 15),
// one PunktList row per model point.
void szene(Programm& p)
{
    Anfang::Zuruecksetzen(p);
    Szene& s = p.s;
    s.Ausdehnung = 10;
    s.Punkte(-3) = { 10, 0, 0 };
    s.Punkte(-2) = { 0, 10, 0 };
    s.Punkte(-1) = { 0, 0, 10 };
    int i = 0;
    for (const Vektor& punkt : Modell)
        s.Punkte(++i) = punkt;
    s.AnzPunkte = AnzModell;
    for (int k = 1; k <= AnzModell; ++k)
        p.f.PunktList->AddItem(QString::number(k));
    s.Drehmatrix = { { 0, -1, 0, 1, 0, 0, 0, 0, 1 } };
    for (int k = -3; k <= AnzModell + 1; ++k)
        Mathe::MatrixMalVektor(s.Sichtpunkte(k), s.Drehmatrix, s.Punkte(k));
    s.Fangweite = 0.5f;
    s.Achsenmass = 1.5f;
    p.f.Flaeche->setScaleLeft(-20);
    p.f.Flaeche->setScaleTop(15);
    p.f.Flaeche->setScaleWidth(40);
    p.f.Flaeche->setScaleHeight(-30);
    // A hidden widget gets its size only when shown; the surface draws into an image of that size.
    p.f.Flaeche->setAttribute(Qt::WA_DontShowOnScreen);
    p.f.Flaeche->show();
}

// The rows of a list as a string of 0 and 1, row 0 first.
QString auswahl(const Listenfeld& liste)
{
    QString text;
    for (int k = 0; k < liste.ListCount(); ++k)
        text += liste.Selected(k) ? u'1' : u'0';
    return text;
}

void zeilenAnlegen(Listenfeld& liste, const QString& auswahl)
{
    for (int k = 0; k < auswahl.size(); ++k) {
        liste.AddItem(QString::number(k + 1));
        liste.setSelected(k, auswahl[k] == u'1');
    }
}

bool hatRot(const QImage& bild, QPoint mitte)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (bild.pixel(mitte + QPoint(dx, dy)) == qRgb(255, 0, 0))
                return true;
    return false;
}

QStringList koordinatenFenster(const Programm& p)
{
    return { p.f.Seiten[Seite::KoordsFenster]->windowTitle(), p.f.Label1[0]->text(), p.f.Label1[1]->text(),
        p.f.Label1[2]->text() };
}

const QPointF KeinDruck(std::numeric_limits<double>::quiet_NaN(), 0);

} // namespace

class TestAuswahl : public QObject {
    Q_OBJECT
private slots:
    // Every press starts with the centre point on point 1, so that a fall back to the origin shows.
    void punktFangen_data()
    {
        QTest::addColumn<float>("fangweite");
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<int>("fangpunkt");
        QTest::addColumn<float>("mitteX");
        QTest::addColumn<float>("mitteY");
        QTest::newRow("hoechste Nummer vor naeherer") << 0.5f << -1.0f << 1.05f << 4 << 0.475f << (15 - 1.4f) / -30;
        QTest::newRow("genau Fangweite entfernt") << 0.5f << -5.5f << 3.5f << 1 << 0.35f << 11.0f / -30;
        QTest::newRow("knapp jenseits der Fangweite")
            << 0.5f << std::nextafter(-5.5f, 0.0f) << 3.5f << -4 << 0.5f << -0.5f;
        QTest::newRow("nichts") << 0.5f << 15.0f << -12.0f << -4 << 0.5f << -0.5f;
        QTest::newRow("Ende der X-Achse") << 0.5f << 0.0f << 10.0f << -3 << 0.5f << 5.0f / -30;
        QTest::newRow("Ursprung, Z-Ende davor") << 0.5f << 0.0f << 0.0f << -1 << 0.5f << -0.5f;
        QTest::newRow("Eintrag ueber AnzPunkte") << 0.5f << -15.0f << -3.0f << -4 << 0.5f << -0.5f;
        QTest::newRow("Fangweite negativ") << -0.5f << -6.0f << 4.0f << -4 << 0.5f << -0.5f;
        QTest::newRow("Fangweite null") << 0.0f << -6.0f << 4.0f << 1 << 0.35f << 11.0f / -30;
    }
    void punktFangen()
    {
        QFETCH(float, fangweite);
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(int, fangpunkt);
        QFETCH(float, mitteX);
        QFETCH(float, mitteY);
        test::BlankesProgramm b;
        Programm& p = b.p;
        szene(p);
        Auswahl::PunktFangen(p, -6, 4);
        QCOMPARE(p.s.Fangpunkt, std::int16_t(1));

        p.s.Fangweite = fangweite;
        Auswahl::PunktFangen(p, x, y);
        QCOMPARE(int(p.s.Fangpunkt), fangpunkt);
        QCOMPARE(p.s.Punkte(0), p.s.Punkte(fangpunkt));
        QCOMPARE(p.s.Sichtpunkte(0), p.s.Sichtpunkte(fangpunkt));
        QVERIFY(std::fabs(p.s.MitteX - mitteX) < 1e-6f);
        QVERIFY(std::fabs(p.s.MitteY - mitteY) < 1e-6f);
        QCOMPARE(p.s.Punkte(-4), (Vektor { 0, 0, 0 }));
    }

    // The distance is compared after its rounding to single precision: from -0.1 to -0.6 it is
    // 0.50000002 exactly, 0.5 when rounded, so the point lies under the mouse; one step further it is not.
    void abstandEinfachGerundet_data()
    {
        QTest::addColumn<float>("y");
        QTest::addColumn<int>("fangpunkt");
        QTest::newRow("gerundet gleich Fangweite") << -0.6f << 12;
        QTest::newRow("eine Stufe weiter") << std::nextafter(-0.6f, -1.0f) << -4;
    }
    void abstandEinfachGerundet()
    {
        QFETCH(float, y);
        QFETCH(int, fangpunkt);
        test::BlankesProgramm b;
        Programm& p = b.p;
        szene(p);
        p.s.Sichtpunkte(12) = { -0.1f, -0.1f, 0 };
        Auswahl::PunktFangen(p, -0.6f, y);
        QCOMPARE(int(p.s.Fangpunkt), fangpunkt);
        Auswahl::PunktZeigen(p, -0.6f, y);
        QCOMPARE(p.f.Seiten[Seite::KoordsFenster]->windowTitle(), fangpunkt == 12 ? "Punkt 12" : "no Punkt 0");
    }

    // A left click toggles the mark of the point its press picked; numbers 0 and below are never marked.
    void linksKlick_data()
    {
        QTest::addColumn<QPointF>("vorher");
        QTest::addColumn<QPointF>("druck");
        QTest::addColumn<int>("fangpunkt");
        QTest::addColumn<int>("zeile");
        QTest::newRow("Punkt 5") << KeinDruck << QPointF(-3, -8) << 5 << 4;
        QTest::newRow("Punkt 1, erste Zeile") << KeinDruck << QPointF(-6, 4) << 1 << 0;
        QTest::newRow("Punkt 12, letzte Zeile") << KeinDruck << QPointF(2, 1.5) << 12 << 11;
        QTest::newRow("Ende der X-Achse") << KeinDruck << QPointF(0, 10) << -3 << -1;
        QTest::newRow("Mittelpunkt auf dem X-Ende") << QPointF(0, 10) << QPointF(0, 10) << 0 << -1;
        QTest::newRow("nichts") << KeinDruck << QPointF(15, -12) << -4 << -1;
    }
    void linksKlick()
    {
        QFETCH(QPointF, vorher);
        QFETCH(QPointF, druck);
        QFETCH(int, fangpunkt);
        QFETCH(int, zeile);
        test::BlankesProgramm b;
        Programm& p = b.p;
        szene(p);
        p.s.Markierart = 2;
        if (!std::isnan(vorher.x()))
            Auswahl::PunktFangen(p, float(vorher.x()), float(vorher.y()));
        const Listenfeld& liste = *p.f.PunktList;

        for (int klick = 1; klick <= 2; ++klick) {
            for (QAction* punkt : p.f.MarkWith)
                punkt->setChecked(false);
            Auswahl::PunktFangen(p, float(druck.x()), float(druck.y()));
            // The second press over an axis end finds the centre point that the first put there.
            if (klick == 1)
                QCOMPARE(int(p.s.Fangpunkt), fangpunkt);
            Auswahl::PunktUmschalten(p);
            const bool an = zeile >= 0 && klick == 1;
            QCOMPARE(liste.SelCount(), an ? 1 : 0);
            if (zeile >= 0)
                QCOMPARE(liste.Selected(zeile), an);
            QVERIFY(p.f.MarkWith[2]->isChecked());
        }
    }

    // Points 1, 2 and 3 of six are marked. Each element's row starts with a hand selection that differs
    // from what the modes give. Corners: 0, -3 and 7 have no row and count as not marked, 1010 has none
    // either; 1011, -5 and 2000 lie outside the point tables, so their elements keep their rows as they
    // are. A polygon reads its corners from slots 1 to n, with n at most 50.
    void markierungAnwenden_data()
    {
        QTest::addColumn<int>("modus");
        QTest::addColumn<QStringList>("zeilen"); // triangles, quads, polygons
        QTest::newRow("manuell") << 0 << QStringList { "1010101010", "101010", "10101011" };
        QTest::newRow("mit Einem") << 1 << QStringList { "1110111011", "111100", "11100111" };
        QTest::newRow("mit Zweien") << 2 << QStringList { "0110101011", "011100", "01100101" };
        QTest::newRow("mit Dreien") << 3 << QStringList { "0010000011", "001100", "00100001" };
    }
    void markierungAnwenden()
    {
        QFETCH(int, modus);
        QFETCH(QStringList, zeilen);
        test::BlankesProgramm b;
        Programm& p = b.p;
        Anfang::Zuruecksetzen(p);
        Szene& s = p.s;
        s.Ausdehnung = 10;
        s.Punkte(-3) = s.Sichtpunkte(-3) = { 10, 0, 0 };
        s.AnzPunkte = 6;
        zeilenAnlegen(*p.f.PunktList, "111000");

        const int dreiecke[][3] = {
            { 1, 4, 5 }, // one marked corner
            { 1, 2, 4 }, // two
            { 1, 2, 3 }, // three
            { 4, 5, 6 }, // none
            { 1, 1, 4 }, // two: point 1 twice
            { 0, -3, 1 }, // one: 0 and -3 have no row
            { 2, 3, 7 }, // two: 7 has no row
            { 1, 2, 1011 }, // outside the tables: kept
            { 1, 2, -5 }, // outside the tables: kept
            { 3, 3, 3 }, // three: point 3 thrice
        };
        for (const auto& ecken : dreiecke) {
            ++s.AnzDreiecke;
            for (int j = 0; j < 3; ++j)
                s.Dreiecke(s.AnzDreiecke).ecke[std::size_t(j)] = std::int16_t(ecken[j]);
        }
        zeilenAnlegen(*p.f.DreieList, "1010101010");

        const int vierecke[][4] = {
            { 1, 4, 5, 6 }, // one
            { 1, 2, 5, 6 }, // two
            { 1, 2, 3, 6 }, // three
            { 2, 2, 2, 5 }, // three: point 2 thrice
            { 4, 5, 6, 1010 }, // none: 1010 has no row
            { 1, 2, 3, -32768 }, // outside the tables: kept
        };
        for (const auto& ecken : vierecke) {
            ++s.AnzVierecke;
            for (int j = 0; j < 4; ++j)
                s.Vierecke(s.AnzVierecke).ecke[std::size_t(j)] = std::int16_t(ecken[j]);
        }
        zeilenAnlegen(*p.f.ViereList, "101010");

        auto polygon = [&](int i, std::initializer_list<int> werte) {
            int j = 0;
            for (int wert : werte)
                s.Polygone(i).slot[std::size_t(j++)] = std::int16_t(wert);
        };
        polygon(1, { 5, 1, 4, 5, 6, 4 }); // one
        polygon(2, { 3, 2, 3, 5 }); // two
        polygon(3, { 6, 1, 2, 3, 4, 5, 6 }); // three
        polygon(4, { 0, 1, 2, 3 }); // no corners; the slots are left from before
        polygon(5, { -3, 1, 2, 3 }); // no corners
        // 50 corners, two of them marked at the end; slot 51 is beyond every corner.
        s.Polygone(6).slot.fill(4);
        polygon(6, { 50 });
        s.Polygone(6).slot[49] = 2;
        s.Polygone(6).slot[50] = 1;
        s.Polygone(6).slot[51] = 3;
        // A count above 50 reads slots 1 to 50 only.
        s.Polygone(7).slot.fill(4);
        polygon(7, { 60 });
        s.Polygone(7).slot[50] = 3;
        s.Polygone(7).slot[51] = 1;
        polygon(8, { 3, 1, 2000, 2 }); // outside the tables: kept
        s.AnzPolygone = 8;
        zeilenAnlegen(*p.f.PolyList, "10101011");

        for (QAction* punkt : p.f.MarkWith)
            punkt->setChecked(true);
        p.f.Flaeche->setAttribute(Qt::WA_DontShowOnScreen);
        p.f.Flaeche->show();
        p.f.Flaeche->loeschen();
        s.Markierart = std::int16_t(modus);
        Auswahl::MarkierungAnwenden(p);

        QCOMPARE((QStringList { auswahl(*p.f.DreieList), auswahl(*p.f.ViereList), auswahl(*p.f.PolyList) }), zeilen);
        QCOMPARE(auswahl(*p.f.PunktList), QStringLiteral("111000"));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(p.f.MarkWith[std::size_t(i)]->isChecked(), i == modus);
        const QPointF mitteDerXAchse = p.f.Flaeche->zuPixel(s.Sichtpunkte(-3).X / 2, 0);
        QVERIFY(hatRot(p.f.Flaeche->bild(), mitteDerXAchse.toPoint()));
    }

    void punktZeigen_data()
    {
        QTest::addColumn<float>("fangweite");
        QTest::addColumn<QPointF>("vorher");
        QTest::addColumn<QPointF>("zeiger");
        QTest::addColumn<QStringList>("texte");
        const QStringList keiner { "no Punkt 0", "...", "...", "..." };
        QTest::newRow("Punkt 12") << 0.5f << KeinDruck << QPointF(2, 1.5)
                                  << QStringList { "Punkt 12", " 1.5", "-2", " 0" };
        QTest::newRow("Bruch und Million")
            << 0.5f << KeinDruck << QPointF(0.25, 1) << QStringList { "Punkt 7", " 1", "-.25", " 1000000" };
        QTest::newRow("hoechste Nummer vor naeherer")
            << 0.5f << KeinDruck << QPointF(-1, 1.05) << QStringList { "Punkt 4", " 1.4", " 1", " 2" };
        QTest::newRow("Rand der Fangweite")
            << 0.5f << KeinDruck << QPointF(2.5, 1) << QStringList { "Punkt 12", " 1.5", "-2", " 0" };
        QTest::newRow("leer") << 0.5f << KeinDruck << QPointF(15, -12) << keiner;
        QTest::newRow("Ende der X-Achse") << 0.5f << KeinDruck << QPointF(0, 10) << keiner;
        QTest::newRow("Ursprung") << 0.5f << KeinDruck << QPointF(0, 0) << keiner;
        QTest::newRow("Mittelpunkt auf dem Y-Ende") << 0.5f << QPointF(-10, 0) << QPointF(-10, 0) << keiner;
        QTest::newRow("Eintrag ueber AnzPunkte") << 0.5f << KeinDruck << QPointF(-15, -3) << keiner;
        QTest::newRow("Fangweite negativ") << -0.5f << KeinDruck << QPointF(2, 1.5) << keiner;
    }
    void punktZeigen()
    {
        QFETCH(float, fangweite);
        QFETCH(QPointF, vorher);
        QFETCH(QPointF, zeiger);
        QFETCH(QStringList, texte);
        test::BlankesProgramm b;
        Programm& p = b.p;
        szene(p);
        if (!std::isnan(vorher.x()))
            Auswahl::PunktFangen(p, float(vorher.x()), float(vorher.y()));
        p.s.Fangweite = fangweite;
        Auswahl::PunktZeigen(p, float(zeiger.x()), float(zeiger.y()));
        QCOMPARE(koordinatenFenster(p), texte);
    }

    // The texts follow every move: a new point, no point, the same number with other coordinates.
    void texteFolgenDemZeiger()
    {
        test::BlankesProgramm b;
        Programm& p = b.p;
        szene(p);
        Auswahl::PunktZeigen(p, 2, 1.5);
        QCOMPARE(koordinatenFenster(p), (QStringList { "Punkt 12", " 1.5", "-2", " 0" }));
        Auswahl::PunktZeigen(p, 15, -12);
        QCOMPARE(koordinatenFenster(p), (QStringList { "no Punkt 0", "...", "...", "..." }));
        Auswahl::PunktZeigen(p, 2, 1.5);
        QCOMPARE(koordinatenFenster(p), (QStringList { "Punkt 12", " 1.5", "-2", " 0" }));
        p.s.Punkte(12) = { 3, 0.5f, -7 };
        Auswahl::PunktZeigen(p, 2, 1.5);
        QCOMPARE(koordinatenFenster(p), (QStringList { "Punkt 12", " 3", " .5", "-7" }));
        Auswahl::PunktZeigen(p, -1, 1.05);
        QCOMPARE(koordinatenFenster(p), (QStringList { "Punkt 4", " 1.4", " 1", " 2" }));
    }

    // A count outside the tables, as a corrupt state might hold, keeps every search inside them.
    void zaehlerAusserhalbDerTabellen_data()
    {
        QTest::addColumn<int>("anzahl");
        QTest::newRow("groesster") << 32767;
        QTest::newRow("kleinster") << -32768;
        QTest::newRow("-5") << -5;
    }
    void zaehlerAusserhalbDerTabellen()
    {
        QFETCH(int, anzahl);
        test::BlankesProgramm b;
        Programm& p = b.p;
        szene(p);
        Szene& s = p.s;
        s.AnzPunkte = s.AnzDreiecke = s.AnzVierecke = s.AnzPolygone = std::int16_t(anzahl);
        s.Fangweite = 1e30f;
        Auswahl::PunktFangen(p, 0, 0);
        QVERIFY(PunktTabelle::enthaelt(s.Fangpunkt));
        Auswahl::PunktUmschalten(p);
        s.Markierart = 1;
        Auswahl::MarkierungAnwenden(p);
        Auswahl::PunktZeigen(p, 0, 0);
        QCOMPARE(p.f.Label1[0]->text().isEmpty(), false);
    }
};

QTEST_MAIN(TestAuswahl)
#include "tst_auswahl.moc"
