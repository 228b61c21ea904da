#include "TestSzene.h"

#include "selection/Auswahl.h"

#include <QLabel>
#include <QTest>

#include <cmath>

using namespace zem;

namespace {

// Model points 1 to 12, seen turned a quarter, so that view and model coordinates differ. In the view 1
// lies at (-6, 4), 3 at (-1, 1), 4 at (-1, 1.4), 5 at (-3, -8), 12 at (2, 1.5), the others at the origin; the
// axis ends at (0, 10), (-10, 0) and (0, 0), and a stale entry 13 above the count at (-15, -3).
void szene(Programm& p)
{
    test::szene(p, 10,
        { { 4, 6, 1 }, {}, { 1, 1, 0 }, { 1.4f, 1, 2 }, { -8, 3, -2 }, {}, {}, {}, {}, {}, {}, { 1.5f, -2, 0 } },
        test::Vierteldrehung);
    p.s.Sichtpunkte(13) = { -15, -3, 0 };
}

} // namespace

class TestAuswahl : public QObject {
    Q_OBJECT
private slots:
    // A press picks the point under it, the highest number first, the origin when there is none, and makes
    // it the centre point; a left click then toggles the mark of a model point and applies the marking
    // mode; the coordinates window shows the model point under the pointer. Each case starts with the
    // centre point on point 1, so that a fall back shows. The press is repeated: over an axis end it then
    // finds the centre point there.
    void fangenUmschaltenZeigen_data()
    {
        QTest::addColumn<float>("fangweite");
        QTest::addColumn<QPointF>("ort");
        QTest::addColumn<int>("fangpunkt");
        QTest::addColumn<QStringList>("texte");
        const QStringList keiner { "no Punkt 0", "...", "...", "..." }, eins { "Punkt 1", " 4", " 6", " 1" };
        QTest::newRow("Punkt 12") << 0.5f << QPointF(2, 1.5) << 12 << QStringList { "Punkt 12", " 1.5", "-2", " 0" };
        QTest::newRow("Punkt 5") << 0.5f << QPointF(-3, -8) << 5 << QStringList { "Punkt 5", "-8", " 3", "-2" };
        QTest::newRow("4 vor naeherer 3")
            << 0.5f << QPointF(-1, 1.05) << 4 << QStringList { "Punkt 4", " 1.4", " 1", " 2" };
        QTest::newRow("genau Fangweite entfernt") << 0.5f << QPointF(-5.5, 3.5) << 1 << eins;
        QTest::newRow("knapp jenseits") << 0.5f << QPointF(std::nextafter(-5.5f, 0.0f), 3.5) << -4 << keiner;
        QTest::newRow("Fangweite negativ") << -0.5f << QPointF(-6, 4) << -4 << keiner;
        QTest::newRow("nur Eintrag 13") << 0.5f << QPointF(-15, -3) << -4 << keiner;
        QTest::newRow("Ende der X-Achse") << 0.5f << QPointF(0, 10) << -3 << keiner;
    }
    void fangenUmschaltenZeigen()
    {
        QFETCH(float, fangweite);
        QFETCH(QPointF, ort);
        QFETCH(int, fangpunkt);
        QFETCH(QStringList, texte);
        const float x = float(ort.x()), y = float(ort.y());
        test::BlankesProgramm b;
        Szene& s = b.p.s;
        szene(b.p);
        Auswahl::PunktFangen(b.p, -6, 4);
        s.Fangweite = fangweite;
        Auswahl::PunktFangen(b.p, x, y);
        QCOMPARE(s.Fangpunkt, fangpunkt);
        QCOMPARE(s.Punkte(0), s.Punkte(fangpunkt));
        QCOMPARE(s.Sichtpunkte(0), s.Sichtpunkte(fangpunkt));
        QCOMPARE(QPointF(s.MitteX, s.MitteY), QPointF((s.Sichtpunkte(0).X + 20) / 40, (15 - s.Sichtpunkte(0).Y) / -30));

        s.Markierart = 2;
        Auswahl::PunktUmschalten(b.p);
        QCOMPARE(b.p.f.PunktList->SelCount(), fangpunkt > 0 ? 1 : 0);
        QCOMPARE(b.p.f.PunktList->Selected(fangpunkt - 1), fangpunkt > 0);
        QVERIFY(b.p.f.MarkWith[2]->isChecked());
        Auswahl::PunktFangen(b.p, x, y);
        Auswahl::PunktUmschalten(b.p);
        QCOMPARE(b.p.f.PunktList->SelCount(), 0);

        Auswahl::PunktZeigen(b.p, x, y);
        const QStringList gezeigt { b.p.f.Seiten[Seite::KoordsFenster]->windowTitle(), b.p.f.Label1[0]->text(),
            b.p.f.Label1[1]->text(), b.p.f.Label1[2]->text() };
        QCOMPARE(gezeigt, texte);
    }

    // Points 1 to 3 are marked. Mode n marks an element with at least n marked corners: a corner named twice
    // counts twice, one without a row (0, below 0, above the rows) not at all. A polygon's slot 0 holds its
    // corner count n, at most 50 of them count. An element with a corner outside the point tables (-1
    // marked) keeps its row, as does every element in mode 0.
    void markierungAnwenden_data()
    {
        QTest::addColumn<int>("art");
        QTest::addColumn<QList<int>>("ecken");
        QTest::addColumn<int>("markiert");
        const QList<int> slots1bis51 = QList<int>(48, 4) + QList<int> { 2, 1, 3 };
        QTest::newRow("Dreieck, Punkt 1 zweimal") << 0 << QList<int> { 4, 1, 1 } << 2;
        QTest::newRow("Dreieck, Ecken ohne Zeile") << 0 << QList<int> { 0, -3, 13 } << 0;
        QTest::newRow("Viereck, Punkt 2 dreimal") << 1 << QList<int> { 4, 2, 2, 2 } << 3;
        QTest::newRow("Viereck, Ecke -32768") << 1 << QList<int> { 1, 2, 3, -32768 } << -1;
        QTest::newRow("Polygon, drei Ecken") << 2 << QList<int> { 3, 2, 3, 5 } << 2;
        QTest::newRow("Polygon, Anzahl negativ") << 2 << QList<int> { -3, 1, 2, 3 } << 0;
        QTest::newRow("Polygon, Ecke 1011") << 2 << QList<int> { 3, 1, 1011, 2 } << -1;
        QTest::newRow("Polygon, 50 Ecken") << 2 << QList<int> { 50 } + slots1bis51 << 2;
        QTest::newRow("Polygon, Anzahl 60") << 2 << QList<int> { 60 } + slots1bis51 << 2;
    }
    void markierungAnwenden()
    {
        QFETCH(int, art);
        QFETCH(QList<int>, ecken);
        QFETCH(int, markiert);
        test::BlankesProgramm b;
        Szene& s = b.p.s;
        szene(b.p);
        for (int k = 0; k < 3; ++k)
            b.p.f.PunktList->setSelected(k, true);
        std::int16_t* ziel[] = { s.Dreiecke(1).ecke.data(), s.Vierecke(1).ecke.data(), s.Polygone(1).slot.data() };
        std::copy(ecken.begin(), ecken.end(), ziel[art]);
        s.AnzDreiecke = s.AnzVierecke = s.AnzPolygone = 1;
        Listenfeld* liste = std::array { b.p.f.DreieList, b.p.f.ViereList, b.p.f.PolyList }[std::size_t(art)];
        liste->AddItem(QStringLiteral("1"));
        const QImage bild = b.p.f.Flaeche->bild();
        for (int i = 0; i < 8; ++i) { // every mode, from an unmarked and from a marked row
            liste->setSelected(0, i % 2);
            s.Markierart = std::int16_t(i / 2);
            Auswahl::MarkierungAnwenden(b.p);
            QCOMPARE(liste->Selected(0), s.Markierart == 0 || markiert < 0 ? i % 2 == 1 : markiert >= s.Markierart);
            for (QAction* punkt : b.p.f.MarkWith)
                QCOMPARE(punkt->isChecked(), punkt == b.p.f.MarkWith[std::size_t(i / 2)]);
        }
        QVERIFY(b.p.f.Flaeche->bild() != bild);
    }
};

QTEST_MAIN(TestAuswahl)
#include "tst_auswahl.moc"
