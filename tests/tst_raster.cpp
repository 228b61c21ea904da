// Drawing in bands at the same time: random scenes give in 1, 2, 3 and 7 bands every pixel and the box
// that the plain drawing functions give, a margin right of each row untouched.

#include "platform/Baender.h"

#include <QRect>
#include <QTest>

#include <random>

using namespace zem::Raster;

class TestRaster : public QObject {
    Q_OBJECT
private slots:
    void baender_data()
    {
        QTest::addColumn<QSize>("groesse");
        QTest::addColumn<int>("stift");
        for (const QSize groesse : { QSize(1, 1), QSize(9, 5), QSize(64, 48), QSize(301, 203) })
            for (int stift = 1; stift <= 3; ++stift)
                QTest::addRow("%dx%d stift %d", groesse.width(), groesse.height(), stift) << groesse << stift;
    }
    void baender()
    {
        QFETCH(QSize, groesse);
        QFETCH(int, stift);
        const int b = groesse.width(), h = groesse.height(), zeile = b + 3;
        std::mt19937 zufall(b + stift);
        // Inside, on a pixel's edge, on the image's edges, far outside.
        const auto wert = [&](int seite) {
            const double w = std::uniform_real_distribution<double>(-1, 2)(zufall) * seite;
            const double art[] = { std::fabs(w) / 2, std::floor(w), double(seite * int(zufall() % 2)), w * 1e7 };
            return art[zufall() % 4];
        };
        Zeichenliste liste;
        QList<quint32> einzeln(zeile * h);
        Bild bild { einzeln.data(), b, h, zeile, stift };
        for (int i = 0; i < 3000; ++i) {
            const quint32 farbe = zufall();
            const double x = wert(b), y = wert(h), x2 = wert(b), y2 = wert(h), r = wert(b) * (i % 7 ? 0.1 : 1e3);
            if (i % 5 == 0) {
                liste.punkt(x, y, farbe), Punkt(bild, x, y, farbe);
            } else if (i % 5 == 1) {
                liste.kreis(x, y, r, farbe), Kreis(bild, x, y, r, farbe);
            } else if (i % 5 == 2) {
                const double ecken[] = { x, y, x2, y, x2, y2, x, y2, x, y };
                for (int e = 0; e < 8; e += 2)
                    liste.linie(ecken[e], ecken[e + 1], ecken[e + 2], ecken[e + 3], farbe),
                        Linie(bild, ecken[e], ecken[e + 1], ecken[e + 2], ecken[e + 3], farbe);
            } else {
                liste.linie(x, y, x2, y2, farbe), Linie(bild, x, y, x2, y2, farbe);
            }
        }
        const auto box = [](const Bild& b) { return QRect(QPoint(b.links, b.oben), QPoint(b.rechts, b.unten)); };
        for (int zahl : { 1, 2, 3, 7 }) {
            QList<quint32> pixel(zeile * h);
            Bild gebaendert { pixel.data(), b, h, zeile, stift };
            Baender(zahl, 0).zeichnen(gebaendert, liste);
            QCOMPARE(pixel, einzeln);
            QCOMPARE(box(gebaendert), box(bild));
        }
    }
};

QTEST_APPLESS_MAIN(TestRaster)
#include "tst_raster.moc"
