#include "TestProgramm.h"
#include "view/Zeichnen.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

using namespace zem;

namespace {

constexpr QRgb Schwarz = qRgb(0, 0, 0);
constexpr QRgb Rot = qRgb(255, 0, 0);
constexpr QRgb DreieckBlau = qRgb(0, 100, 255);
constexpr QRgb Blau = qRgb(0, 0, 255);
constexpr QRgb Gruen = qRgb(0, 255, 0);
constexpr QRgb Cyan = qRgb(0, 255, 255);

// A 200 x 200 pixel area with the user scale -50..50 both ways and y up: one user unit is two pixels,
// and user (x, y) lies in pixel (2x + 100, 100 - 2y) (the pixel whose top left corner that is).
// The axes of extent 30 unrotated, Fangweite 1, Achsenmass 3, the centre point out of the way at
// (-40, -40), every count 0 and every list empty.
std::unique_ptr<test::BlankesProgramm> neuesProgramm()
{
    auto b = std::make_unique<test::BlankesProgramm>(QSize(200, 200));
    Zeichenflaeche& f = *b->p.f.Flaeche;
    f.setScaleWidth(100);
    f.setScaleHeight(-100);
    f.setScaleLeft(-50);
    f.setScaleTop(50);
    Szene& s = b->p.s;
    s.Sichtpunkte(-3) = { 30, 0, 0 };
    s.Sichtpunkte(-2) = { 0, 30, 0 };
    s.Sichtpunkte(-1) = { 0, 0, 30 };
    s.Sichtpunkte(0) = { -40, -40, 0 };
    s.Fangweite = 1;
    s.Achsenmass = 3;
    return b;
}

QPoint pixel(QPointF benutzer)
{
    return { int(std::floor((benutzer.x() + 50) * 2)), int(std::floor((50 - benutzer.y()) * 2)) };
}

void zeilen(Listenfeld* liste, int anzahl, bool gewaehlt = false)
{
    for (int k = 0; k < anzahl; ++k) {
        liste->AddItem(QString::number(k + 1));
        liste->setSelected(k, gewaehlt);
    }
}

QString farbname(QRgb farbe)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(farbe)).arg(qGreen(farbe)).arg(qBlue(farbe));
}

// Saves the picture of a failed check where a developer can look at it.
QString speichere(const QImage& bild)
{
    QString name = QStringLiteral("zeichnen-%1-%2.png")
                       .arg(QLatin1String(QTest::currentTestFunction()), QLatin1String(QTest::currentDataTag()));
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9.-]")), QStringLiteral("_"));
    const QString pfad = QDir::temp().filePath(name);
    bild.save(pfad);
    return pfad;
}

// Empty when the pixel under the user point has the colour, else what differs and where the picture went.
QString abweichung(const QImage& bild, QPointF benutzer, QRgb erwartet)
{
    const QPoint p = pixel(benutzer);
    const QRgb ist = bild.pixel(p) | 0xff000000;
    if (ist == erwartet)
        return {};
    return QStringLiteral("user (%1, %2), pixel (%3, %4): %5, expected %6; picture in %7")
        .arg(benutzer.x())
        .arg(benutzer.y())
        .arg(p.x())
        .arg(p.y())
        .arg(farbname(ist), farbname(erwartet), speichere(bild));
}

#define PRUEFE_FARBE(bild, benutzer, farbe)                                                                            \
    do {                                                                                                               \
        const QString fehler = abweichung(bild, benutzer, farbe);                                                      \
        if (!fehler.isEmpty())                                                                                         \
            QFAIL(qPrintable(fehler));                                                                                 \
    } while (false)

QImage zeichne(Programm& p)
{
    Zeichnen::AllesZeichnen(p);
    return p.f.Flaeche->bild();
}

// Scenes for the drawing order: each puts two things on one pixel, at user (10, 10).
using Aufbau = std::function<void(Programm&)>;

void punkte(Szene& s, std::initializer_list<Vektor> liste)
{
    int k = 1;
    for (const Vektor& v : liste)
        s.Sichtpunkte(k++) = v;
}

void dreieck(Programm& p, int i, std::int16_t a, std::int16_t b, std::int16_t c, bool markiert = false)
{
    p.s.Dreiecke(i).ecke = { a, b, c };
    p.s.AnzDreiecke = std::int16_t(std::max<int>(p.s.AnzDreiecke, i));
    zeilen(p.f.DreieList, p.s.AnzDreiecke - p.f.DreieList->ListCount());
    p.f.DreieList->setSelected(i - 1, markiert);
}

void viereck(Programm& p, int i, std::array<std::int16_t, 4> ecken, bool markiert = false)
{
    p.s.Vierecke(i).ecke = ecken;
    p.s.AnzVierecke = std::int16_t(std::max<int>(p.s.AnzVierecke, i));
    zeilen(p.f.ViereList, p.s.AnzVierecke - p.f.ViereList->ListCount());
    p.f.ViereList->setSelected(i - 1, markiert);
}

void polygon(Programm& p, int i, std::initializer_list<std::int16_t> werte, bool markiert = false)
{
    int j = 0;
    for (std::int16_t wert : werte)
        p.s.Polygone(i).slot[j++] = wert;
    p.s.AnzPolygone = std::int16_t(std::max<int>(p.s.AnzPolygone, i));
    zeilen(p.f.PolyList, p.s.AnzPolygone - p.f.PolyList->ListCount());
    p.f.PolyList->setSelected(i - 1, markiert);
}

} // namespace

Q_DECLARE_METATYPE(Aufbau)

class TestZeichnen : public QObject {
    Q_OBJECT
private slots:
    // The axes of extent 30 at the coordinates the geometry gives: X from (30, 0) to (-30, 0) with
    // barbs ending at (27, 1) and (27, -1) and its letter anchored at (31, 0); Y likewise turned; Z
    // pointing at the viewer, collapsed to the origin with its letter there.
    void achsenBeiAusdehnung30_data()
    {
        QTest::addColumn<QPointF>("ort");
        QTest::addColumn<QRgb>("farbe");
        QTest::newRow("x spitze") << QPointF(30, 0) << Rot;
        QTest::newRow("x negatives ende") << QPointF(-30, 0) << Rot;
        QTest::newRow("x hinter dem ende") << QPointF(-30.5, 0) << Schwarz;
        QTest::newRow("x widerhaken oben") << QPointF(27, 1) << Rot;
        QTest::newRow("x widerhaken unten") << QPointF(27, -1) << Rot;
        QTest::newRow("x widerhaken mitte") << QPointF(28.5, 0.5) << Rot;
        QTest::newRow("x neben dem widerhaken") << QPointF(27, 1.5) << Schwarz;
        QTest::newRow("x luecke vor dem buchstaben") << QPointF(30.5, 0) << Schwarz;
        QTest::newRow("x buchstabe anker") << QPointF(31, 0) << Rot;
        QTest::newRow("x buchstabe rechts oben") << QPointF(34, 3) << Rot;
        QTest::newRow("x buchstabe links oben") << QPointF(31, 3) << Rot;
        QTest::newRow("x buchstabe rechts unten") << QPointF(34, 0) << Rot;
        QTest::newRow("x buchstabe mitte") << QPointF(32.5, 1.5) << Rot;
        QTest::newRow("x buchstabe innen frei") << QPointF(32.5, 2.5) << Schwarz;
        QTest::newRow("y spitze") << QPointF(0, 30) << Rot;
        QTest::newRow("y negatives ende") << QPointF(0, -30) << Rot;
        QTest::newRow("y widerhaken links") << QPointF(-1, 27) << Rot;
        QTest::newRow("y widerhaken rechts") << QPointF(1, 27) << Rot;
        QTest::newRow("y luecke vor dem buchstaben") << QPointF(0, 30.5) << Schwarz;
        QTest::newRow("y buchstabe anker") << QPointF(0, 31) << Rot;
        QTest::newRow("y buchstabe rechts oben") << QPointF(3, 34) << Rot;
        QTest::newRow("y buchstabe halbstrich") << QPointF(0.5, 33.5) << Rot;
        QTest::newRow("y buchstabe links oben") << QPointF(0, 34) << Rot;
        QTest::newRow("y buchstabe rechts unten frei") << QPointF(3, 31) << Schwarz;
        QTest::newRow("z oberer balken") << QPointF(1.5, 3) << Rot;
        QTest::newRow("z diagonale") << QPointF(1.5, 1.5) << Rot;
        QTest::newRow("z unterer balken rechts") << QPointF(3, 0) << Rot;
        QTest::newRow("z keine fallende diagonale") << QPointF(1, 2) << Schwarz;
    }
    void achsenBeiAusdehnung30()
    {
        QFETCH(QPointF, ort);
        QFETCH(QRgb, farbe);
        auto b = neuesProgramm();
        PRUEFE_FARBE(zeichne(b->p), ort, farbe);
    }

    // An empty scene: the three red axes with barbs and letters and the green circle, nothing else.
    void leereSzene()
    {
        auto b = neuesProgramm();
        const QImage bild = zeichne(b->p);
        QSet<QRgb> farben;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x)
                farben.insert(bild.pixel(x, y) | 0xff000000);
        if (farben != QSet<QRgb> { Schwarz, Rot, Gruen })
            QFAIL(qPrintable(QStringLiteral("%1 colours; picture in %2").arg(farben.size()).arg(speichere(bild))));
        PRUEFE_FARBE(bild, QPointF(-39, -40), Gruen);
        PRUEFE_FARBE(bild, QPointF(-40, -41), Gruen);
        PRUEFE_FARBE(bild, QPointF(-40, -40), Schwarz);
    }

    // Each kind of element in its colour, and in green while its row is selected.
    void farben_data()
    {
        QTest::addColumn<Aufbau>("aufbau");
        QTest::addColumn<QRgb>("farbe");
        const auto mit = [](int art, bool markiert) -> Aufbau {
            return [art, markiert](Programm& p) {
                punkte(p.s, { { 0, 10 }, { 20, 10 }, { 10, 20 }, { 0, 20 } });
                if (art == 0)
                    dreieck(p, 1, 1, 2, 3, markiert);
                else if (art == 1)
                    viereck(p, 1, { 1, 2, 3, 4 }, markiert);
                else
                    polygon(p, 1, { 4, 1, 2, 3, 4 }, markiert);
            };
        };
        QTest::newRow("dreieck") << mit(0, false) << DreieckBlau;
        QTest::newRow("dreieck markiert") << mit(0, true) << Gruen;
        QTest::newRow("viereck") << mit(1, false) << Blau;
        QTest::newRow("viereck markiert") << mit(1, true) << Gruen;
        QTest::newRow("polygon") << mit(2, false) << Blau;
        QTest::newRow("polygon markiert") << mit(2, true) << Gruen;
    }
    void farben()
    {
        QFETCH(Aufbau, aufbau);
        QFETCH(QRgb, farbe);
        auto b = neuesProgramm();
        aufbau(b->p);
        PRUEFE_FARBE(zeichne(b->p), QPointF(10, 10), farbe);
    }

    void markierungAufgehoben()
    {
        auto b = neuesProgramm();
        punkte(b->p.s, { { 0, 10 }, { 20, 10 }, { 10, 20 } });
        dreieck(b->p, 1, 1, 2, 3, true);
        PRUEFE_FARBE(zeichne(b->p), QPointF(10, 10), Gruen);
        b->p.f.DreieList->setSelected(0, false);
        PRUEFE_FARBE(zeichne(b->p), QPointF(10, 10), DreieckBlau);
    }

    // Where lines overlap the last drawn is seen: axes, triangles, quads, polygons, the green highlights,
    // the cyan squares, the green circle. Each scene puts two of them on one pixel.
    void zeichenfolge_data()
    {
        QTest::addColumn<Aufbau>("aufbau");
        QTest::addColumn<QPointF>("ort");
        QTest::addColumn<QRgb>("farbe");
        QTest::newRow("dreieck ueber achse") << Aufbau([](Programm& p) {
            punkte(p.s, { { 5, 0 }, { 15, 0 }, { 10, 5 } });
            dreieck(p, 1, 1, 2, 3);
        }) << QPointF(10, 0) << DreieckBlau;
        QTest::newRow("viereck ueber dreieck") << Aufbau([](Programm& p) {
            punkte(p.s, { { 0, 10 }, { 20, 10 }, { 10, 20 }, { 10, 0 } });
            dreieck(p, 1, 1, 2, 3);
            viereck(p, 1, { 1, 4, 2, 3 });
        }) << QPointF(15, 15) << Blau;
        QTest::newRow("markiertes dreieck ueber viereck") << Aufbau([](Programm& p) {
            punkte(p.s, { { 0, 10 }, { 20, 10 }, { 10, 20 }, { 10, 0 } });
            viereck(p, 1, { 1, 4, 2, 3 });
            dreieck(p, 1, 1, 2, 3, true);
        }) << QPointF(15, 15) << Gruen;
        QTest::newRow("markiertes dreieck ueber polygon") << Aufbau([](Programm& p) {
            punkte(p.s, { { 0, 10 }, { 20, 10 }, { 10, 20 }, { 10, 0 } });
            polygon(p, 1, { 4, 1, 4, 2, 3 });
            dreieck(p, 1, 1, 2, 3, true);
        }) << QPointF(15, 15) << Gruen;
        QTest::newRow("unmarkiertes ueber markiertem bleibt darunter") << Aufbau([](Programm& p) {
            punkte(p.s, { { 0, 10 }, { 20, 10 }, { 10, 20 }, { 10, 0 } });
            dreieck(p, 1, 1, 2, 3, true);
            viereck(p, 1, { 1, 4, 2, 3 });
        }) << QPointF(15, 15) << Gruen;
        QTest::newRow("quadrat ueber markiertem dreieck") << Aufbau([](Programm& p) {
            punkte(p.s, { { 0, 11 }, { 20, 11 }, { 10, 20 }, { 10, 10 } });
            dreieck(p, 1, 1, 2, 3, true);
            zeilen(p.f.PunktList, 4);
            p.f.PunktList->setSelected(3, true);
        }) << QPointF(10, 11) << Cyan;
        QTest::newRow("kreis ueber quadrat") << Aufbau([](Programm& p) {
            punkte(p.s, { { 10, 10 } });
            zeilen(p.f.PunktList, 1, true);
            p.s.Sichtpunkte(0) = { 10, 10, 0 };
        }) << QPointF(11, 10) << Gruen;
    }
    void zeichenfolge()
    {
        QFETCH(Aufbau, aufbau);
        QFETCH(QPointF, ort);
        QFETCH(QRgb, farbe);
        auto b = neuesProgramm();
        aufbau(b->p);
        PRUEFE_FARBE(zeichne(b->p), ort, farbe);
    }

    // A marked point shows as a cyan square of side 2 |Fangweite| around it, whatever the sign; the
    // centre circle has the radius |Fangweite|; an unmarked point shows nothing.
    void markiertePunkte_data()
    {
        QTest::addColumn<float>("fangweite");
        QTest::newRow("positiv") << 2.0f;
        QTest::newRow("negativ") << -2.0f;
    }
    void markiertePunkte()
    {
        QFETCH(float, fangweite);
        auto b = neuesProgramm();
        Programm& p = b->p;
        p.s.Fangweite = fangweite;
        punkte(p.s, { { 10, 10 }, { -10, 10 } });
        zeilen(p.f.PunktList, 2);
        p.f.PunktList->setSelected(0, true);
        const QImage bild = zeichne(p);
        for (QPointF ecke :
            { QPointF(8, 8), QPointF(12, 12), QPointF(8, 12), QPointF(12, 8), QPointF(10, 12), QPointF(8, 10) })
            PRUEFE_FARBE(bild, ecke, Cyan);
        PRUEFE_FARBE(bild, QPointF(10, 10), Schwarz);
        PRUEFE_FARBE(bild, QPointF(12.5, 10), Schwarz);
        PRUEFE_FARBE(bild, QPointF(-8, 10), Schwarz);
        PRUEFE_FARBE(bild, QPointF(-38, -40), Gruen);
        PRUEFE_FARBE(bild, QPointF(-40, -42), Gruen);
    }

    // A polygon of 50 corners has 50 edges, the last one back to the first corner, and nothing to the
    // slot after the last corner. The corners zigzag between y = 20 and y = 25; the 50th lies on y = 20
    // so that the closing edge runs along y = 20 where nothing else does between the corners.
    void polygonMit50Ecken_data()
    {
        QTest::addColumn<int>("anzahl");
        QTest::addColumn<bool>("markiert");
        QTest::newRow("ungewaehlt") << 50 << false;
        QTest::newRow("gewaehlt") << 50 << true;
        // A record holds 50 corners; a larger count draws those 50.
        QTest::newRow("anzahl 51") << 51 << false;
        QTest::newRow("anzahl 32767 gewaehlt") << 32767 << true;
    }
    void polygonMit50Ecken()
    {
        QFETCH(int, anzahl);
        QFETCH(bool, markiert);
        auto b = neuesProgramm();
        Programm& p = b->p;
        Polygon& poly = p.s.Polygone(1);
        poly.slot[0] = std::int16_t(anzahl);
        for (int j = 1; j <= 51; ++j) {
            poly.slot[j] = std::int16_t(j);
            p.s.Sichtpunkte(j) = { float(-25 + j), j % 2 ? 20.0f : 25.0f, 0 };
        }
        p.s.Sichtpunkte(50) = { 26, 20, 0 };
        p.s.Sichtpunkte(51) = { 26, -30, 0 }; // never a corner
        p.s.AnzPolygone = 1;
        zeilen(p.f.PolyList, 1, markiert);
        const QImage bild = zeichne(p);
        const QRgb farbe = markiert ? Gruen : Blau;
        for (int j = 1; j <= 48; ++j)
            PRUEFE_FARBE(bild, QPointF(-25 + j + 0.5, 22.5), farbe);
        PRUEFE_FARBE(bild, QPointF(25, 20), farbe);
        PRUEFE_FARBE(bild, QPointF(-23, 20), farbe);
        PRUEFE_FARBE(bild, QPointF(26, -10), Schwarz);
    }

    // A polygon with fewer than two corners is its first point and the closing line to itself.
    void polygonMitEinerEcke_data()
    {
        QTest::addColumn<int>("anzahl");
        QTest::addColumn<bool>("markiert");
        QTest::addColumn<QRgb>("farbe");
        QTest::newRow("eine ecke") << 1 << false << Blau;
        QTest::newRow("keine ecke") << 0 << false << Blau;
        QTest::newRow("negative anzahl") << -3 << false << Blau;
        QTest::newRow("eine ecke markiert") << 1 << true << Gruen;
    }
    void polygonMitEinerEcke()
    {
        QFETCH(int, anzahl);
        QFETCH(bool, markiert);
        QFETCH(QRgb, farbe);
        auto b = neuesProgramm();
        punkte(b->p.s, { { 10, 10 }, { 20, 20 } });
        polygon(b->p, 1, { std::int16_t(anzahl), 1, 2 }, markiert);
        const QImage bild = zeichne(b->p);
        PRUEFE_FARBE(bild, QPointF(10, 10), farbe);
        PRUEFE_FARBE(bild, QPointF(15, 15), Schwarz);
    }

    // Our choice: an element with a corner outside -4..1010 is skipped whole, in its own colour and in
    // the highlights; its valid edge from (-20, -10) to (-10, -10) stays dark.
    void ungueltigeEckeUeberspringt_data()
    {
        QTest::addColumn<int>("art");
        QTest::addColumn<int>("ecke");
        QTest::addColumn<bool>("markiert");
        QTest::addColumn<QRgb>("farbe");
        QTest::newRow("dreieck gueltig") << 0 << 3 << false << DreieckBlau;
        QTest::newRow("dreieck 1011") << 0 << 1011 << false << Schwarz;
        QTest::newRow("dreieck -5 markiert") << 0 << -5 << true << Schwarz;
        QTest::newRow("dreieck 32767") << 0 << 32767 << false << Schwarz;
        QTest::newRow("dreieck -4 gilt") << 0 << -4 << false << DreieckBlau;
        QTest::newRow("dreieck 1010 gilt") << 0 << 1010 << false << DreieckBlau;
        QTest::newRow("viereck -32768") << 1 << -32768 << false << Schwarz;
        QTest::newRow("viereck 1011 markiert") << 1 << 1011 << true << Schwarz;
        QTest::newRow("viereck gueltig markiert") << 1 << 3 << true << Gruen;
        QTest::newRow("polygon 1011") << 2 << 1011 << false << Schwarz;
        QTest::newRow("polygon -5 markiert") << 2 << -5 << true << Schwarz;
        QTest::newRow("polygon gueltig") << 2 << 3 << false << Blau;
    }
    void ungueltigeEckeUeberspringt()
    {
        QFETCH(int, art);
        QFETCH(int, ecke);
        QFETCH(bool, markiert);
        QFETCH(QRgb, farbe);
        auto b = neuesProgramm();
        Programm& p = b->p;
        punkte(p.s, { { -20, -10 }, { -10, -10 }, { -15, -5 } });
        p.s.Sichtpunkte(1010) = { -12, -5, 0 };
        const auto e = std::int16_t(ecke);
        if (art == 0)
            dreieck(p, 1, 1, 2, e, markiert);
        else if (art == 1)
            viereck(p, 1, { 1, 2, 3, e }, markiert);
        else
            polygon(p, 1, { 4, 1, 2, 3, e }, markiert);
        PRUEFE_FARBE(zeichne(p), QPointF(-15, -10), farbe);
    }

    void polygonOhneEckeMitUngueltigemErstenSlot()
    {
        auto b = neuesProgramm();
        polygon(b->p, 1, { 0, 5000 }, true);
        const QImage ohne = zeichne(b->p);
        b->p.s.AnzPolygone = 0;
        QCOMPARE(ohne, zeichne(b->p));
    }

    // Counts above the tables' size are read as the size: the picture is the one of 1010 elements, and
    // no element, list row or point beyond the tables is read (the sanitizer build would stop on it;
    // the program lives on the heap for that). The points 5..1010 lie far outside and 1..4 away from
    // the origin; what lies beyond the point table reads as tiny numbers, so a square drawn for a point
    // number above 1010 would show at the origin.
    void anzahlenUeberDenTabellen()
    {
        auto b = neuesProgramm();
        Programm& p = b->p;
        for (int k = 1; k <= PunktMax; ++k)
            p.s.Sichtpunkte(k) = { 1e6f, 1e6f, 0 };
        punkte(p.s, { { 0, 10 }, { 20, 10 }, { 10, 20 }, { 0, 20 } });
        for (int i = 0; i <= ElementMax; ++i) {
            p.s.Dreiecke(i).ecke = { 1, 2, 3 };
            p.s.Vierecke(i).ecke = { 1, 2, 3, 4 };
            p.s.Polygone(i).slot = {};
            p.s.Polygone(i).slot[0] = 3;
            p.s.Polygone(i).slot[1] = 2;
            p.s.Polygone(i).slot[2] = 3;
            p.s.Polygone(i).slot[3] = 4;
        }
        for (Listenfeld* liste : { p.f.PunktList, p.f.DreieList, p.f.ViereList, p.f.PolyList })
            zeilen(liste, 1100, true);
        p.s.AnzDreiecke = p.s.AnzVierecke = p.s.AnzPolygone = 32767;
        const QImage gross = zeichne(p);
        for (int y = pixel({ 0, 3 }).y(); y <= pixel({ 0, -3 }).y(); ++y)
            for (int x = pixel({ -3, 0 }).x(); x <= pixel({ 3, 0 }).x(); ++x)
                if ((gross.pixel(x, y) | 0xff000000) == Cyan)
                    QFAIL(qPrintable(
                        QStringLiteral("square at pixel %1 %2; picture in %3").arg(x).arg(y).arg(speichere(gross))));
        p.s.AnzDreiecke = p.s.AnzVierecke = p.s.AnzPolygone = ElementMax;
        QCOMPARE(gross, zeichne(p));
        PRUEFE_FARBE(gross, QPointF(10, 10), Gruen);

        p.s.AnzDreiecke = p.s.AnzVierecke = p.s.AnzPolygone = -7;
        for (Listenfeld* liste : { p.f.PunktList, p.f.DreieList, p.f.ViereList, p.f.PolyList })
            liste->Clear();
        PRUEFE_FARBE(zeichne(p), QPointF(10, 10), Schwarz);
    }

    // Clearing comes first: what an earlier picture showed is gone.
    void loeschtVorher()
    {
        auto b = neuesProgramm();
        punkte(b->p.s, { { 0, 10 }, { 20, 10 }, { 10, 20 } });
        dreieck(b->p, 1, 1, 2, 3);
        PRUEFE_FARBE(zeichne(b->p), QPointF(10, 10), DreieckBlau);
        b->p.s.AnzDreiecke = 0;
        PRUEFE_FARBE(zeichne(b->p), QPointF(10, 10), Schwarz);
    }
};

QTEST_MAIN(TestZeichnen)
#include "tst_zeichnen.moc"
