#include "platform/Raster.h"

#include <QList>
#include <QPoint>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

using namespace zem;

namespace {

constexpr std::uint32_t Grund = 0xff000000;
constexpr std::uint32_t Farbe = 0xff00ff00;
constexpr std::uint32_t Wache = 0xdeadbeef;
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// An image inside a larger buffer whose border of guard pixels must stay untouched.
struct Leinwand {
    static constexpr int Rand = 16;
    int breite, hoehe, zeilenlaenge;
    std::vector<std::uint32_t> speicher;
    Raster::Bild bild;

    Leinwand(int b, int h)
        : breite(b)
        , hoehe(h)
        , zeilenlaenge(b + 2 * Rand)
        , speicher(static_cast<std::size_t>(zeilenlaenge) * (h + 2 * Rand), Wache)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < b; ++x)
                zelle(x, y) = Grund;
        bild = { &zelle(0, 0), b, h, zeilenlaenge };
    }
    std::uint32_t& zelle(int x, int y)
    {
        return speicher[static_cast<std::size_t>(y + Rand) * zeilenlaenge + (x + Rand)];
    }
    bool wacheUnberuehrt()
    {
        for (int y = -Rand; y < hoehe + Rand; ++y)
            for (int x = -Rand; x < breite + Rand; ++x)
                if ((x < 0 || y < 0 || x >= breite || y >= hoehe) && zelle(x, y) != Wache)
                    return false;
        return true;
    }
    QList<QPoint> gesetzt()
    {
        QList<QPoint> punkte;
        for (int y = 0; y < hoehe; ++y)
            for (int x = 0; x < breite; ++x)
                if (zelle(x, y) != Grund)
                    punkte << QPoint(x, y);
        return punkte;
    }
};

QList<QPoint> sortiert(QList<QPoint> punkte)
{
    std::sort(punkte.begin(), punkte.end(),
        [](QPoint a, QPoint b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); });
    return punkte;
}

QList<QPoint> punkte(std::initializer_list<QPoint> liste)
{
    return sortiert(QList<QPoint>(liste));
}

QList<QPoint> zeile(int y, int von, int bis)
{
    QList<QPoint> p;
    for (int x = von; x <= bis; ++x)
        p << QPoint(x, y);
    return p;
}

QList<QPoint> spalte(int x, int von, int bis)
{
    QList<QPoint> p;
    for (int y = von; y <= bis; ++y)
        p << QPoint(x, y);
    return sortiert(p);
}

QList<QPoint> diagonale(int x, int y, int anzahl)
{
    QList<QPoint> p;
    for (int k = 0; k < anzahl; ++k)
        p << QPoint(x + k, y + k);
    return p;
}

// Distance of (px, py) from the segment from a in direction d, d scaled so that t = 0..laenge covers it.
double abstand(double px, double py, double ax, double ay, double dx, double dy, double laenge)
{
    const double t = std::clamp((px - ax) * dx + (py - ay) * dy, 0.0, laenge);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

} // namespace

class TestRaster : public QObject {
    Q_OBJECT
private slots:
    // Short lines inside an 8 x 6 image and at its edges: exactly these pixels, both ends included.
    void kurzeLinien_data()
    {
        QTest::addColumn<double>("x0");
        QTest::addColumn<double>("y0");
        QTest::addColumn<double>("x1");
        QTest::addColumn<double>("y1");
        QTest::addColumn<QList<QPoint>>("erwartet");
        QTest::newRow("ein Pixel") << 2.5 << 3.5 << 2.5 << 3.5 << punkte({ { 2, 3 } });
        QTest::newRow("waagrecht") << 1.2 << 2.7 << 4.9 << 2.1 << zeile(2, 1, 4);
        QTest::newRow("senkrecht rueckwaerts") << 3.5 << 5.9 << 3.5 << 2.0 << spalte(3, 2, 5);
        QTest::newRow("diagonale") << 0.0 << 0.0 << 3.99 << 3.99 << diagonale(0, 0, 4);
        QTest::newRow("flach") << 0.0 << 0.0 << 4.0 << 2.0
                               << punkte({ { 0, 0 }, { 1, 0 }, { 2, 1 }, { 3, 1 }, { 4, 2 } });
        QTest::newRow("steil nach links")
            << 5.0 << 0.0 << 3.0 << 5.9 << punkte({ { 5, 0 }, { 5, 1 }, { 4, 2 }, { 4, 3 }, { 3, 4 }, { 3, 5 } });
        // Pixel i covers [i, i + 1): the outer half of the border pixels belongs to the image.
        QTest::newRow("oberer rand") << 0.0 << 0.0 << 8.0 << 0.0 << zeile(0, 0, 7);
        QTest::newRow("letzte spalte") << 7.7 << -3.0 << 7.7 << 10.0 << spalte(7, 0, 5);
        QTest::newRow("erste spalte") << 0.2 << 6.0 << 0.2 << 0.0 << spalte(0, 0, 5);
        QTest::newRow("rechts knapp daneben") << 8.0 << 0.0 << 8.0 << 5.0 << QList<QPoint>();
        QTest::newRow("links knapp daneben") << -0.01 << 0.0 << -0.01 << 5.0 << QList<QPoint>();
        QTest::newRow("unten knapp daneben") << 0.0 << 6.0 << 7.0 << 6.0 << QList<QPoint>();
    }
    void kurzeLinien()
    {
        QFETCH(double, x0);
        QFETCH(double, y0);
        QFETCH(double, x1);
        QFETCH(double, y1);
        QFETCH(QList<QPoint>, erwartet);
        Leinwand l(8, 6);
        Raster::Linie(l.bild, x0, y0, x1, y1, Farbe);
        QCOMPARE(l.gesetzt(), erwartet);
        QVERIFY(l.wacheUnberuehrt());
    }

    // Ends far outside a 64 x 48 image, infinite or NaN: the visible part where the geometry puts it,
    // and never a pixel outside the image.
    void ferneEnden_data()
    {
        QTest::addColumn<double>("x0");
        QTest::addColumn<double>("y0");
        QTest::addColumn<double>("x1");
        QTest::addColumn<double>("y1");
        QTest::addColumn<QList<QPoint>>("erwartet");
        const double dblMax = std::numeric_limits<double>::max();
        QTest::newRow("waagrecht 1e30") << -1e30 << 20.5 << 1e30 << 20.5 << zeile(20, 0, 63);
        QTest::newRow("senkrecht 1e30") << 10.5 << 1e30 << 10.5 << -1e30 << spalte(10, 0, 47);
        QTest::newRow("waagrecht fast dbl max") << -0.9 * dblMax << 5.5 << 0.9 * dblMax << 5.5 << zeile(5, 0, 63);
        QTest::newRow("innen nach 1e30") << 10.5 << 20.5 << 10.5 + 1e30 << 20.5 + 1e30 << diagonale(10, 20, 28);
        QTest::newRow("1e30 nach innen") << 10.5 - 1e30 << 20.5 - 1e30 << 10.5 << 20.5 << diagonale(0, 10, 11);
        QTest::newRow("beide 1e30 quer") << -1e30 << -1e30 << 1e30 << 1e30 << diagonale(0, 0, 48);
        QTest::newRow("flach 1e6") << -1e6 << 10.0 << 1e6 << 12.0 << zeile(11, 0, 63);
        QTest::newRow("ganz ausserhalb") << -1e30 << -5.0 << 1e30 << -5.0 << QList<QPoint>();
        QTest::newRow("an der ecke vorbei") << -1e6 - 5 << 1e6 << 1e6 - 5 << -1e6 << QList<QPoint>();
        QTest::newRow("unendlich") << -Inf << 20.5 << Inf << 20.5 << QList<QPoint>();
        QTest::newRow("ein ende unendlich") << 10.5 << 20.5 << Inf << 20.5 << QList<QPoint>();
        QTest::newRow("nan") << NaN << 20.5 << 30.0 << 20.5 << QList<QPoint>();
        QTest::newRow("nan innen") << 10.0 << 10.0 << 10.0 << NaN << QList<QPoint>();
        QTest::newRow("winzig links") << -5e-324 << 3.5 << -5e-324 << 10.5 << QList<QPoint>();
    }
    void ferneEnden()
    {
        QFETCH(double, x0);
        QFETCH(double, y0);
        QFETCH(double, x1);
        QFETCH(double, y1);
        QFETCH(QList<QPoint>, erwartet);
        Leinwand l(64, 48);
        Raster::Linie(l.bild, x0, y0, x1, y1, Farbe);
        QCOMPARE(l.gesetzt(), sortiert(erwartet));
        QVERIFY(l.wacheUnberuehrt());
    }

    // Random segments, clipped or not: every pixel drawn lies on the segment (within the rounding of
    // its ends to pixels), and every part of the segment inside the image is drawn.
    void zufaelligeStrecken_data()
    {
        QTest::addColumn<int>("art");
        QTest::newRow("nahe Enden") << 0;
        QTest::newRow("ein Ende innen, eines fern") << 1;
        QTest::newRow("beide fern") << 2;
    }
    void zufaelligeStrecken()
    {
        QFETCH(int, art);
        const int breite = 64, hoehe = 48;
        std::mt19937 zufall(4711 + art);
        std::uniform_real_distribution<double> nah(-2.0 * breite, 3.0 * breite);
        std::uniform_real_distribution<double> innen(0.0, double(hoehe));
        std::uniform_real_distribution<double> winkel(0.0, 2 * std::numbers::pi);
        std::uniform_real_distribution<double> exponent(3.0, 30.0);
        for (int n = 0; n < 3000; ++n) {
            double x0, y0, x1, y1;
            if (art == 0) {
                x0 = nah(zufall), y0 = nah(zufall), x1 = nah(zufall), y1 = nah(zufall);
            } else {
                const double w = winkel(zufall), fern = std::pow(10.0, exponent(zufall));
                x0 = art == 1 ? innen(zufall) : fern * std::cos(w + 1);
                y0 = art == 1 ? innen(zufall) : fern * std::sin(w + 1);
                x1 = fern * std::cos(w);
                y1 = fern * std::sin(w);
            }
            Leinwand l(breite, hoehe);
            Raster::Linie(l.bild, x0, y0, x1, y1, Farbe);
            const QString fall = QStringLiteral("%1 %2 -> %3 %4").arg(x0).arg(y0).arg(x1).arg(y1);
            QVERIFY2(l.wacheUnberuehrt(), qPrintable(fall));
            if (art == 2)
                continue; // both ends far: the position is known only to the precision of the ends
            // Direction from the first end, which lies near the image, so the distances stay exact.
            const double laenge = std::hypot(x1 - x0, y1 - y0);
            const double dx = laenge > 0 ? (x1 - x0) / laenge : 0, dy = laenge > 0 ? (y1 - y0) / laenge : 0;
            const QList<QPoint> gesetzt = l.gesetzt();
            for (const QPoint& p : gesetzt)
                QVERIFY2(abstand(p.x() + 0.5, p.y() + 0.5, x0, y0, dx, dy, laenge) <= 1.5, qPrintable(fall));
            const double bis = std::min(laenge, 4.0 * (breite + hoehe) + std::hypot(x0, y0));
            for (double t = 0; t <= bis; t += 0.25) {
                const double sx = x0 + t * dx, sy = y0 + t * dy;
                if (sx < 1 || sy < 1 || sx >= breite - 1 || sy >= hoehe - 1)
                    continue;
                const QPoint s { int(sx), int(sy) };
                const bool getroffen = std::any_of(gesetzt.begin(), gesetzt.end(),
                    [&](QPoint p) { return std::abs(p.x() - s.x()) <= 1 && std::abs(p.y() - s.y()) <= 1; });
                QVERIFY2(getroffen, qPrintable(fall + QStringLiteral(" missing near %1 %2").arg(sx).arg(sy)));
            }
        }
    }

    // Circles of every size: the pixels lie on the outline, the outline is closed, nothing outside.
    void kreis_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("r");
        QTest::newRow("r 1") << 30.5 << 20.5 << 1.0;
        QTest::newRow("r 7") << 30.5 << 20.5 << 7.0;
        QTest::newRow("r 7 negativ") << 30.5 << 20.5 << -7.0;
        QTest::newRow("r 30 angeschnitten") << 10.5 << 5.5 << 30.0;
        QTest::newRow("r 5000 angeschnitten") << 32.3 - 5000 << 24.5 << 5000.0;
        QTest::newRow("r 1e5 angeschnitten") << 32.3 << 24.5 + 1e5 << 1e5;
        QTest::newRow("r 1e9 schraeg") << 32.0 - 1e9 * std::cos(0.3) << 24.0 - 1e9 * std::sin(0.3) << 1e9;
    }
    void kreis()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, r);
        Leinwand l(64, 48);
        Raster::Kreis(l.bild, x, y, r, Farbe);
        QVERIFY(l.wacheUnberuehrt());
        const QList<QPoint> gesetzt = l.gesetzt();
        QVERIFY(!gesetzt.isEmpty());
        const double ra = std::fabs(r);
        for (const QPoint& p : gesetzt) {
            const double d = std::hypot(p.x() + 0.5 - x, p.y() + 0.5 - y);
            QVERIFY2(std::fabs(d - ra) <= 1.0, qPrintable(QStringLiteral("%1 %2: %3").arg(p.x()).arg(p.y()).arg(d)));
        }
        // Where the outline crosses the middle of a pixel row or column inside the image, a pixel next to
        // it is set: with both crossings the outline has no gap.
        const auto getroffen = [&](double sx, double sy) {
            if (sx < 1 || sy < 1 || sx >= 63 || sy >= 47)
                return true;
            const QPoint s { int(sx), int(sy) };
            return std::any_of(gesetzt.begin(), gesetzt.end(),
                [&](QPoint p) { return std::abs(p.x() - s.x()) <= 1 && std::abs(p.y() - s.y()) <= 1; });
        };
        for (int k = 0; k < 64; ++k) {
            const double d = k + 0.5 - x, e = k + 0.5 - y;
            const double w = std::sqrt(std::max(0.0, ra * ra - d * d)), h = std::sqrt(std::max(0.0, ra * ra - e * e));
            const bool spalte = std::fabs(d) <= ra, zeile = k < 48 && std::fabs(e) <= ra;
            QVERIFY2(
                !spalte || (getroffen(k + 0.5, y - w) && getroffen(k + 0.5, y + w)), qPrintable(QString::number(k)));
            QVERIFY2(
                !zeile || (getroffen(x - h, k + 0.5) && getroffen(x + h, k + 0.5)), qPrintable(QString::number(k)));
        }
    }

    void kreisOhneSichtbarenTeil_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("r");
        QTest::newRow("bild im innern") << 32.0 << 24.0 << 1e30;
        QTest::newRow("weit weg") << 1e30 << 24.0 << 5.0;
        QTest::newRow("groesster radius") << 0.0 << 0.0 << std::numeric_limits<double>::max();
        QTest::newRow("r unendlich") << 32.0 << 24.0 << Inf;
        QTest::newRow("r nan") << 32.0 << 24.0 << NaN;
        QTest::newRow("mitte nan") << NaN << 24.0 << 5.0;
    }
    void kreisOhneSichtbarenTeil()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, r);
        Leinwand l(64, 48);
        Raster::Kreis(l.bild, x, y, r, Farbe);
        QVERIFY(l.wacheUnberuehrt());
        QCOMPARE(l.gesetzt(), QList<QPoint>());
    }

    void radiusNullIstEinPixel()
    {
        Leinwand l(64, 48);
        Raster::Kreis(l.bild, 30.7, 20.2, 0.0, Farbe);
        QCOMPARE(l.gesetzt(), punkte({ { 30, 20 } }));
    }

    void punkt_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QList<QPoint>>("erwartet");
        QTest::newRow("ecke oben links") << 0.0 << 0.0 << punkte({ { 0, 0 } });
        QTest::newRow("ecke unten rechts") << 63.999 << 47.999 << punkte({ { 63, 47 } });
        QTest::newRow("rechts daneben") << 64.0 << 0.0 << QList<QPoint>();
        QTest::newRow("links daneben") << -0.001 << 0.0 << QList<QPoint>();
        QTest::newRow("fern") << 1e300 << -1e300 << QList<QPoint>();
        QTest::newRow("nan") << NaN << 3.0 << QList<QPoint>();
        QTest::newRow("unendlich") << 3.0 << -Inf << QList<QPoint>();
    }
    void punkt()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(QList<QPoint>, erwartet);
        Leinwand l(64, 48);
        Raster::Punkt(l.bild, x, y, Farbe);
        QCOMPARE(l.gesetzt(), erwartet);
        QVERIFY(l.wacheUnberuehrt());
    }
};

QTEST_GUILESS_MAIN(TestRaster)
#include "tst_raster.moc"
