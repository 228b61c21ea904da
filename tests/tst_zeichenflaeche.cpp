#include "platform/Raster.h"
#include "platform/Twips.h"
#include "platform/Zeichenflaeche.h"

#include <QScreen>
#include <QTest>

using namespace zem;

namespace {

constexpr QRgb Schwarz = qRgb(0, 0, 0);
constexpr QRgb Rot = qRgb(255, 0, 0);

// The pixels that are not black, row by row.
QList<QPoint> gesetzt(const QImage& bild)
{
    QList<QPoint> punkte;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (bild.pixel(x, y) != Schwarz)
                punkte << QPoint(x, y);
    return punkte;
}

// n pixels from a on, in steps of d.
QList<QPoint> strecke(QPoint a, int n, QPoint d = { 1, 0 })
{
    QList<QPoint> punkte;
    for (int k = 0; k < n; ++k)
        punkte << a + k * d;
    return punkte;
}

// Writes down every mouse event, r press, b move, h release with its button code, k click, d double
// click, and the position of the last one.
struct Protokoll : MausEmpfaenger {
    QStringList ereignisse;
    QPointF ort;
    void mausRunter(int taste, int, float x, float y) override { merke('r', taste, { x, y }); }
    void mausBewegt(int tasten, int, float x, float y) override { merke('b', tasten, { x, y }); }
    void mausHoch(int taste, int, float x, float y) override { merke('h', taste, { x, y }); }
    void klick() override { ereignisse << QStringLiteral("k"); }
    void doppelklick() override { ereignisse << QStringLiteral("d"); }
    void merke(char was, int taste, QPointF p)
    {
        ereignisse << QString::asprintf("%c%d", was, taste);
        ort = p;
    }
};

} // namespace

class TestZeichenflaeche : public QObject {
    Q_OBJECT
private slots:
    // Lines and circles (centre, radius) on a 64 x 48 image: exactly these pixels, both ends of a line
    // included, the edge pixels whole. Far, huge, infinite and NaN values: the visible part where the
    // geometry puts it, and nothing outside the image (a write past a row's end shows in the next row,
    // one outside the buffer stops the sanitizer build).
    void raster_data()
    {
        QTest::addColumn<bool>("kreis");
        QTest::addColumn<QLineF>("werte");
        QTest::addColumn<QList<QPoint>>("erwartet");
        const auto zeile = [](const char* name, bool kreis, QLineF werte, QList<QPoint> erwartet) {
            QTest::newRow(name) << kreis << werte << erwartet;
        };
        zeile("waagrecht", false, { 1.2, 2.7, 4.9, 2.1 }, strecke({ 1, 2 }, 4));
        zeile("bis zum rechten rand", false, { 0, 20, 64, 20 }, strecke({ 0, 20 }, 64));
        zeile("senkrecht 1e30 rueckwaerts", false, { 10.5, 1e30, 10.5, -1e30 }, strecke({ 10, 0 }, 48, { 0, 1 }));
        zeile("fast der groesste double", false, { -1.6e308, -1.6e308, 1.6e308, 1.6e308 }, strecke({}, 48, { 1, 1 }));
        zeile("innen nach 1e30", false, { 10.5, 20.5, 10.5 + 1e30, 20.5 + 1e30 }, strecke({ 10, 20 }, 28, { 1, 1 }));
        zeile("an der ecke vorbei", false, { -1e6 - 5, 1e6, 1e6 - 5, -1e6 }, {});
        zeile("ein ende unendlich", false, { 10.5, 20.5, qInf(), 20.5 }, {});
        zeile("nan", false, { 10, 10, 10, qQNaN() }, {});
        zeile("kreis am linken rand", true, { 0.5, 20.5, 1, 0 }, { { 0, 19 }, { 1, 20 }, { 0, 21 } });
        zeile("kreis am rechten rand, r -1", true, { 63.5, 20.5, -1, 0 }, { { 63, 19 }, { 62, 20 }, { 63, 21 } });
        zeile("kreis r 5000 bis x = 64", true, { 64 - 5000, 24.5, 5000, 0 },
            strecke({ 63, 0 }, 24, { 0, 1 }) + strecke({ 63, 25 }, 23, { 0, 1 }));
        zeile("kreis r 1e9, oberer rand", true, { 32.5, 24.3 + 1e9, 1e9, 0 }, strecke({ 0, 24 }, 64));
        zeile("kreis um das bild", true, { 32, 24, 1e30, 0 }, {});
    }
    void raster()
    {
        QFETCH(bool, kreis);
        QFETCH(QLineF, werte);
        QFETCH(QList<QPoint>, erwartet);
        QImage bild(64, 48, QImage::Format_RGB32);
        bild.fill(Schwarz);
        Raster::Bild raster { reinterpret_cast<std::uint32_t*>(bild.bits()), 64, 48, 64 };
        if (kreis)
            Raster::Kreis(raster, werte.x1(), werte.y1(), werte.x2(), Rot);
        else
            Raster::Linie(raster, werte.x1(), werte.y1(), werte.x2(), werte.y2(), Rot);
        QCOMPARE(gesetzt(bild), erwartet);
    }

    // On a 200 x 100 area resized to 400 x 200 after the scale is set, the user point a press at pixel
    // (40, 30) reports. Until a scale value is set the scale is twips and follows the size; a zero or NaN
    // extent leaves the scale as it was; a resize keeps a set scale.
    void maus_data()
    {
        QTest::addColumn<QRectF>("skala");
        QTest::addColumn<QPointF>("erwartet");
        QTest::newRow("twips") << QRectF() << QPointF(pixelZuTwips(40), pixelZuTwips(30));
        QTest::newRow("ohne ausdehnung") << QRectF(0, 0, 0, qQNaN()) << QPointF(pixelZuTwips(20), pixelZuTwips(15));
        QTest::newRow("y nach oben") << QRectF(-100, 50, 200, -100) << QPointF(-80, 35);
    }
    void maus()
    {
        QFETCH(QRectF, skala);
        QFETCH(QPointF, erwartet);
        Zeichenflaeche f;
        Protokoll protokoll;
        f.setEmpfaenger(&protokoll);
        f.resize(200, 100);
        if (!skala.isNull()) {
            f.setScaleWidth(float(skala.width()));
            f.setScaleHeight(float(skala.height()));
            f.setScaleLeft(float(skala.left()));
            f.setScaleTop(float(skala.top()));
        }
        f.resize(400, 200);
        QMouseEvent druck(
            QEvent::MouseButtonPress, QPointF(40, 30), QPointF(40, 30), Qt::LeftButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&f, &druck);
        QCOMPARE(protokoll.ort, erwartet);
    }

    // A shown surface, 200 x 100 pixels for 200 x 200 units, with a circle of radius 20 drawn while hidden
    // (the radius counts in horizontal units: its top is at pixel (50, 10)). Steps through the window
    // system: k click, d double click, p press, r release, m a move on, each with Qt's number of the
    // button (1 left, 2 right, 4 middle, 8 back). The circle appears when shown; the events come as
    // press, release, click, double click, release, a move carries the sum of the buttons held, the back
    // button raises nothing.
    void fenster_data()
    {
        QTest::addColumn<QString>("schritte");
        QTest::addColumn<QString>("erwartet");
        QTest::newRow("doppelklick") << QStringLiteral("d1") << "r1 h1 k d h1";
        QTest::newRow("ziehen") << QStringLiteral("p2 m p1 m r2 r1") << "r2 b2 r1 b3 h2 k h1 k";
        QTest::newRow("mitte und zurueck") << QStringLiteral("p4 p8 m d8 r8 r4") << "r4 b4 h4 k";
    }
    void fenster()
    {
        QFETCH(QString, schritte);
        QFETCH(QString, erwartet);
        Zeichenflaeche f;
        Protokoll protokoll;
        f.setEmpfaenger(&protokoll);
        f.resize(200, 100);
        f.setScaleWidth(200);
        f.setScaleHeight(200);
        f.kreis(50, 60, 20, Rot);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTRY_COMPARE(f.screen()->grabWindow(f.winId()).toImage().pixel(50, 10), Rot);
        QPoint ort(30, 40);
        QTest::mouseMove(f.windowHandle(), ort); // the pointer comes to the place first
        protokoll.ereignisse.clear();
        for (const QString& s : schritte.split(' ')) {
            const auto aktion = QTest::MouseAction(QStringLiteral("prkdm").indexOf(s[0]));
            ort += aktion == QTest::MouseMove ? QPoint(10, 5) : QPoint();
            QTest::mouseEvent(aktion, f.windowHandle(), Qt::MouseButton(s.mid(1).toInt()), {}, ort);
        }
        QCOMPARE(protokoll.ereignisse.join(' '), erwartet);
    }
};

QTEST_MAIN(TestZeichenflaeche)
#include "tst_zeichenflaeche.moc"
