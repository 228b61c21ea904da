#include "platform/Twips.h"
#include "platform/Zeichenflaeche.h"

#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <limits>

using namespace zem;

namespace {

constexpr QRgb Schwarz = qRgb(0, 0, 0);
constexpr QRgb Rot = qRgb(255, 0, 0);

// Writes down every mouse event as text, and the user coordinates of the last one.
class Protokoll : public MausEmpfaenger {
public:
    QStringList ereignisse;
    QPointF ort;

    void mausRunter(int taste, int umschalt, float x, float y) override { merke("runter", taste, umschalt, x, y); }
    void mausBewegt(int tasten, int umschalt, float x, float y) override { merke("bewegt", tasten, umschalt, x, y); }
    void mausHoch(int taste, int umschalt, float x, float y) override { merke("hoch", taste, umschalt, x, y); }
    void klick() override { ereignisse << QStringLiteral("klick"); }
    void doppelklick() override { ereignisse << QStringLiteral("doppelklick"); }

private:
    void merke(const char* was, int taste, int umschalt, float x, float y)
    {
        ereignisse << QStringLiteral("%1 %2 %3").arg(QLatin1String(was)).arg(taste).arg(umschalt);
        ort = QPointF(x, y);
    }
};

QList<QPoint> gesetzt(const QImage& bild, QRgb grund = Schwarz)
{
    QList<QPoint> punkte;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (bild.pixel(x, y) != grund)
                punkte << QPoint(x, y);
    return punkte;
}

void massstab(Zeichenflaeche& f, float links, float oben, float breite, float hoehe)
{
    f.setScaleWidth(breite);
    f.setScaleHeight(hoehe);
    f.setScaleLeft(links);
    f.setScaleTop(oben);
}

} // namespace

class TestZeichenflaeche : public QObject {
    Q_OBJECT
private slots:
    // A point in user coordinates lands on the pixel the user scale says, on a 200 x 100 area.
    void benutzerMassstab_data()
    {
        QTest::addColumn<QRectF>("skala"); // left, top, width, height
        QTest::addColumn<QPointF>("punkt");
        QTest::addColumn<QList<QPoint>>("erwartet");
        const QRectF yNachOben(-100, 50, 200, -100);
        QTest::newRow("pixelgleich") << QRectF(0, 0, 200, 100) << QPointF(10, 20) << QList<QPoint> { { 10, 20 } };
        QTest::newRow("y nach oben, ursprung") << yNachOben << QPointF(0, 0) << QList<QPoint> { { 100, 50 } };
        QTest::newRow("y nach oben, rechts oben") << yNachOben << QPointF(10, 20) << QList<QPoint> { { 110, 30 } };
        QTest::newRow("y nach oben, ecke") << yNachOben << QPointF(-100, 50) << QList<QPoint> { { 0, 0 } };
        QTest::newRow("y nach oben, letzte ecke")
            << yNachOben << QPointF(99.5f, -49.5f) << QList<QPoint> { { 199, 99 } };
        QTest::newRow("y nach oben, unterhalb") << yNachOben << QPointF(0, -50) << QList<QPoint>();
        QTest::newRow("halb so gross") << QRectF(0, 0, 400, 200) << QPointF(10, 20) << QList<QPoint> { { 5, 10 } };
        QTest::newRow("negative breite") << QRectF(100, 0, -200, 100) << QPointF(90, 10)
                                         << QList<QPoint> { { 10, 10 } };
        QTest::newRow("verschoben") << QRectF(1000, -500, 20, 10) << QPointF(1005, -495)
                                    << QList<QPoint> { { 50, 50 } };
    }
    void benutzerMassstab()
    {
        QFETCH(QRectF, skala);
        QFETCH(QPointF, punkt);
        QFETCH(QList<QPoint>, erwartet);
        Zeichenflaeche f;
        f.resize(200, 100);
        massstab(f, skala.x(), skala.y(), skala.width(), skala.height());
        f.loeschen();
        f.punkt(punkt.x(), punkt.y(), Rot);
        QCOMPARE(gesetzt(f.bild()), erwartet);
        const QPointF pixel = f.zuPixel(punkt.x(), punkt.y());
        if (!erwartet.isEmpty())
            QCOMPARE(QPoint(int(std::floor(pixel.x())), int(std::floor(pixel.y()))), erwartet.front());
    }

    // Lines, rectangles and circles in a scale with y up and two pixels per unit across, one down.
    void formenImMassstab()
    {
        Zeichenflaeche f;
        f.resize(200, 100);
        massstab(f, -50, 50, 100, -100);
        f.loeschen();
        f.linie(-40, 40, -10, 40, Rot);
        QImage bild = f.bild();
        QCOMPARE(gesetzt(bild).size(), 61);
        QCOMPARE(bild.pixel(20, 10), Rot);
        QCOMPARE(bild.pixel(80, 10), Rot);

        // The radius counts in horizontal units: 10 units are 20 pixels every way.
        f.loeschen();
        f.kreis(0, 0, 10, Rot);
        bild = f.bild();
        for (QPoint p : { QPoint(120, 50), QPoint(80, 50), QPoint(100, 30), QPoint(100, 70) })
            QVERIFY2(bild.pixel(p) == Rot, qPrintable(QStringLiteral("%1 %2").arg(p.x()).arg(p.y())));
        QCOMPARE(bild.pixel(100, 40), Schwarz);

        f.loeschen();
        f.rechteck(10, -10, 5, -5, Rot);
        bild = f.bild();
        QCOMPARE(gesetzt(bild).size(), 2 * 11 + 2 * 4);
        QCOMPARE(bild.pixel(110, 55), Rot);
        QCOMPARE(bild.pixel(120, 60), Rot);
        QCOMPARE(bild.pixel(115, 57), Schwarz);
    }

    // Every drawing operation leaves the current position where the next line from it starts.
    void aktuellePosition_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<QPoint>("start");
        QTest::newRow("linie") << 0 << QPoint(30, 20);
        QTest::newRow("linie nach") << 1 << QPoint(40, 20);
        QTest::newRow("punkt") << 2 << QPoint(50, 40);
        QTest::newRow("rechteck") << 3 << QPoint(60, 40);
        QTest::newRow("kreis") << 4 << QPoint(70, 50);
        QTest::newRow("loeschen") << 5 << QPoint(0, 0);
    }
    void aktuellePosition()
    {
        QFETCH(int, operation);
        QFETCH(QPoint, start);
        Zeichenflaeche f;
        f.resize(200, 100);
        massstab(f, 0, 0, 200, 100);
        f.loeschen();
        f.linie(10, 10, 30, 20, Rot);
        switch (operation) {
        case 1:
            f.linieNach(40, 20, Rot);
            break;
        case 2:
            f.punkt(50, 40, Rot);
            break;
        case 3:
            f.rechteck(55, 35, 60, 40, Rot);
            break;
        case 4:
            f.kreis(70, 50, 3, Rot);
            break;
        case 5:
            f.loeschen();
            break;
        }
        const QPoint ziel(start.x() + 5, 95);
        f.linieNach(ziel.x(), ziel.y(), qRgb(0, 0, 255));
        const QImage bild = f.bild();
        QCOMPARE(bild.pixel(ziel), qRgb(0, 0, 255));
        QCOMPARE(bild.pixel(start), qRgb(0, 0, 255));
    }

    // Qt tells a hidden widget of a resize only when it is shown; drawing before that must already
    // use the new size, and the picture must still be there when the widget appears.
    void verstecktGezeichnetErscheintBeimZeigen()
    {
        Zeichenflaeche f;
        f.resize(120, 80);
        massstab(f, 0, 80, 120, -80);
        f.loeschen();
        f.linie(10, 10, 110, 10, Rot);
        QCOMPARE(f.bild().size(), QSize(120, 80));
        QCOMPARE(f.bild().pixel(60, 70), Rot);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        // What the window shows, not a new paint: the window system's copy of it.
        QTRY_COMPARE(f.screen()->grabWindow(f.winId()).toImage().pixel(60, 70), Rot);
    }

    void bildIstEineMomentaufnahme()
    {
        Zeichenflaeche f;
        f.resize(50, 50);
        f.loeschen();
        const QImage vorher = f.bild();
        massstab(f, 0, 0, 50, 50);
        f.linie(0, 5, 49, 5, Rot);
        QCOMPARE(vorher.pixel(20, 5), Schwarz);
        QCOMPARE(f.bild().pixel(20, 5), Rot);
    }

    // Until a scale value is set the scale is twips from (0, 0) and follows the size; afterwards a
    // resize keeps the four numbers and stretches the picture.
    void twipsBisZumErstenMassstab()
    {
        Zeichenflaeche f;
        f.resize(200, 100);
        QCOMPARE(f.scaleWidth(), float(pixelZuTwips(200)));
        QCOMPARE(f.scaleHeight(), float(pixelZuTwips(100)));
        f.resize(300, 150);
        QCOMPARE(f.scaleWidth(), float(pixelZuTwips(300)));
        QCOMPARE(f.scaleLeft(), 0.0f);
        QCOMPARE(f.scaleTop(), 0.0f);
        f.loeschen();
        f.punkt(float(pixelZuTwips(10)) + 1, float(pixelZuTwips(20)) + 1, Rot);
        QCOMPARE(gesetzt(f.bild()), QList<QPoint> { QPoint(10, 20) });

        f.setScaleTop(0);
        f.resize(600, 300);
        QCOMPARE(f.scaleWidth(), float(pixelZuTwips(300)));
        QCOMPARE(f.scaleHeight(), float(pixelZuTwips(150)));
        f.loeschen();
        f.punkt(float(pixelZuTwips(10)) + 1, float(pixelZuTwips(20)) + 1, Rot);
        QCOMPARE(gesetzt(f.bild()), QList<QPoint> { QPoint(20, 40) });
    }

    void massstabOhneAusdehnungBleibt_data()
    {
        QTest::addColumn<float>("wert");
        QTest::newRow("null") << 0.0f;
        QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("unendlich") << std::numeric_limits<float>::infinity();
    }
    void massstabOhneAusdehnungBleibt()
    {
        QFETCH(float, wert);
        Zeichenflaeche f;
        f.resize(100, 100);
        massstab(f, -10, 10, 20, -20);
        f.setScaleWidth(wert);
        f.setScaleHeight(wert);
        QCOMPARE(f.scaleWidth(), 20.0f);
        QCOMPARE(f.scaleHeight(), -20.0f);
        f.loeschen();
        f.punkt(0, 0, Rot);
        QCOMPARE(gesetzt(f.bild()), QList<QPoint> { QPoint(50, 50) });
    }

    // A mouse pixel comes to the receiver in user coordinates.
    void mausInBenutzerKoordinaten_data()
    {
        QTest::addColumn<QRectF>("skala");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QPointF>("erwartet");
        const QRectF yNachOben(-100, 50, 200, -100);
        QTest::newRow("ecke") << yNachOben << QPoint(1, 1) << QPointF(-99, 49);
        QTest::newRow("mitte") << yNachOben << QPoint(100, 50) << QPointF(0, 0);
        QTest::newRow("rechts unten") << yNachOben << QPoint(150, 75) << QPointF(50, -25);
        QTest::newRow("halber massstab") << QRectF(10, 20, 100, 50) << QPoint(40, 30) << QPointF(30, 35);
    }
    void mausInBenutzerKoordinaten()
    {
        QFETCH(QRectF, skala);
        QFETCH(QPoint, pixel);
        QFETCH(QPointF, erwartet);
        Zeichenflaeche f;
        Protokoll protokoll;
        f.setEmpfaenger(&protokoll);
        f.resize(200, 100);
        massstab(f, skala.x(), skala.y(), skala.width(), skala.height());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::mousePress(&f, Qt::LeftButton, {}, pixel);
        QCOMPARE(protokoll.ort, erwartet);
        QCOMPARE(f.zuBenutzer(pixel), erwartet);
        QTest::mouseRelease(&f, Qt::LeftButton, {}, pixel);
    }

    void twipsMaus()
    {
        Zeichenflaeche f;
        Protokoll protokoll;
        f.setEmpfaenger(&protokoll);
        f.resize(200, 100);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::mouseClick(&f, Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(protokoll.ort, QPointF(float(pixelZuTwips(20)), float(pixelZuTwips(10))));
    }

    // The runtime's order for one click and for a double click: the second press of a double click
    // raises no press and its release no click. Through the widget, and through the window, where Qt
    // itself finds the double click.
    void klickFolge_data()
    {
        QTest::addColumn<bool>("ueberFenster");
        QTest::addColumn<bool>("doppelt");
        QTest::addColumn<Qt::MouseButton>("taste");
        QTest::addColumn<QStringList>("erwartet");
        const QStringList einfach { "runter 1 0", "hoch 1 0", "klick" };
        const QStringList doppelt { "runter 1 0", "hoch 1 0", "klick", "doppelklick", "hoch 1 0" };
        const QStringList rechtsDoppelt { "runter 2 0", "hoch 2 0", "klick", "doppelklick", "hoch 2 0" };
        QTest::newRow("klick, widget") << false << false << Qt::LeftButton << einfach;
        QTest::newRow("klick, fenster") << true << false << Qt::LeftButton << einfach;
        QTest::newRow("doppelklick, widget") << false << true << Qt::LeftButton << doppelt;
        QTest::newRow("doppelklick, fenster") << true << true << Qt::LeftButton << doppelt;
        QTest::newRow("rechts doppelt, fenster") << true << true << Qt::RightButton << rechtsDoppelt;
        QTest::newRow("ruecktaste, fenster") << true << true << Qt::BackButton << QStringList();
    }
    void klickFolge()
    {
        QFETCH(bool, ueberFenster);
        QFETCH(bool, doppelt);
        QFETCH(Qt::MouseButton, taste);
        QFETCH(QStringList, erwartet);
        Zeichenflaeche f;
        Protokoll protokoll;
        f.setEmpfaenger(&protokoll);
        f.resize(200, 100);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const QPoint ort(30, 40);
        if (ueberFenster) {
            // The pointer first comes to the place, as a real one would, and Qt reports that as a move.
            QWindow* fenster = f.windowHandle();
            QTest::mouseMove(fenster, ort);
            protokoll.ereignisse.clear();
            if (doppelt)
                QTest::mouseDClick(fenster, taste, {}, ort);
            else
                QTest::mouseClick(fenster, taste, {}, ort);
        } else {
            QTest::mousePress(&f, taste, {}, ort);
            QTest::mouseRelease(&f, taste, {}, ort);
            if (doppelt) {
                QTest::mouseDClick(&f, taste, {}, ort);
                QTest::mouseRelease(&f, taste, {}, ort);
            }
        }
        QCOMPARE(protokoll.ereignisse, erwartet);
    }

    // A move carries the sum of the held buttons, a press the one button, both the shift state.
    void tastenCodes_data()
    {
        QTest::addColumn<Qt::MouseButtons>("gehalten");
        QTest::addColumn<Qt::KeyboardModifiers>("umschalt");
        QTest::addColumn<QString>("erwartet");
        QTest::newRow("keine") << Qt::MouseButtons() << Qt::KeyboardModifiers() << "bewegt 0 0";
        QTest::newRow("links") << Qt::MouseButtons(Qt::LeftButton) << Qt::KeyboardModifiers() << "bewegt 1 0";
        QTest::newRow("rechts") << Qt::MouseButtons(Qt::RightButton) << Qt::KeyboardModifiers() << "bewegt 2 0";
        QTest::newRow("mitte") << Qt::MouseButtons(Qt::MiddleButton) << Qt::KeyboardModifiers() << "bewegt 4 0";
        QTest::newRow("links rechts") << (Qt::LeftButton | Qt::RightButton) << Qt::KeyboardModifiers() << "bewegt 3 0";
        QTest::newRow("links mitte") << (Qt::LeftButton | Qt::MiddleButton) << Qt::KeyboardModifiers() << "bewegt 5 0";
        QTest::newRow("alle drei und zurueck") << (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton | Qt::BackButton)
                                               << Qt::KeyboardModifiers() << "bewegt 7 0";
        QTest::newRow("umschalt") << Qt::MouseButtons(Qt::LeftButton) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                  << "bewegt 1 1";
        QTest::newRow("strg alt") << Qt::MouseButtons() << (Qt::ControlModifier | Qt::AltModifier) << "bewegt 0 6";
    }
    void tastenCodes()
    {
        QFETCH(Qt::MouseButtons, gehalten);
        QFETCH(Qt::KeyboardModifiers, umschalt);
        QFETCH(QString, erwartet);
        Zeichenflaeche f;
        Protokoll protokoll;
        f.setEmpfaenger(&protokoll);
        f.resize(200, 100);
        massstab(f, 0, 0, 400, 200);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const QPointF ort(10, 20);
        QMouseEvent bewegung(QEvent::MouseMove, ort, f.mapToGlobal(ort), Qt::NoButton, gehalten, umschalt);
        QCoreApplication::sendEvent(&f, &bewegung);
        QCOMPARE(protokoll.ereignisse, QStringList { erwartet });
        QCOMPARE(protokoll.ort, QPointF(20, 40));

        QMouseEvent druck(
            QEvent::MouseButtonPress, ort, f.mapToGlobal(ort), Qt::MiddleButton, gehalten | Qt::MiddleButton, umschalt);
        QCoreApplication::sendEvent(&f, &druck);
        QCOMPARE(protokoll.ereignisse.value(1), QStringLiteral("runter 4 %1").arg(erwartet.back()));
    }

    // Through the window system: the buttons pressed before a move travel with it.
    void ziehenUeberFenster()
    {
        Zeichenflaeche f;
        Protokoll protokoll;
        f.setEmpfaenger(&protokoll);
        f.resize(200, 100);
        massstab(f, 0, 0, 200, 100);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QWindow* fenster = f.windowHandle();
        QTest::mouseMove(fenster, QPoint(10, 10));
        protokoll.ereignisse.clear();
        QTest::mousePress(fenster, Qt::RightButton, {}, QPoint(10, 10));
        QTest::mouseMove(fenster, QPoint(20, 15));
        QTest::mousePress(fenster, Qt::LeftButton, {}, QPoint(20, 15));
        QTest::mouseMove(fenster, QPoint(30, 25));
        QTest::mouseRelease(fenster, Qt::RightButton, {}, QPoint(30, 25));
        QTest::mouseRelease(fenster, Qt::LeftButton, {}, QPoint(30, 25));
        const QStringList erwartet { "runter 2 0", "bewegt 2 0", "runter 1 0", "bewegt 3 0", "hoch 2 0", "klick",
            "hoch 1 0", "klick" };
        QCOMPARE(protokoll.ereignisse, erwartet);
        QCOMPARE(protokoll.ort, QPointF(30, 25));
    }

    // Persistent drawing off: a repaint the window system asks for, with nothing drawn since the last
    // one, shows background. On: the kept picture. The same after a resize.
    void dauerhaftesZeichnen_data()
    {
        QTest::addColumn<bool>("dauerhaft");
        QTest::addColumn<bool>("groesseAendern");
        QTest::newRow("aus") << false << false;
        QTest::newRow("an") << true << false;
        QTest::newRow("aus, groesser") << false << true;
        QTest::newRow("an, groesser") << true << true;
    }
    void dauerhaftesZeichnen()
    {
        QFETCH(bool, dauerhaft);
        QFETCH(bool, groesseAendern);
        Zeichenflaeche f;
        f.resize(100, 60);
        massstab(f, 0, 0, 100, 60);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.setDauerhaft(dauerhaft);
        f.loeschen();
        f.linie(10, 30, 90, 30, Rot);
        // The first repaint after drawing shows the drawing either way.
        QCOMPARE(f.grab().toImage().pixel(50, 30), Rot);
        if (groesseAendern) {
            massstab(f, 0, 0, 200, 120);
            f.resize(200, 120);
            QTest::qWait(0);
        }
        const QImage wieder = f.grab().toImage();
        QCOMPARE(wieder.pixel(50, 30), dauerhaft ? Rot : Schwarz);
        QCOMPARE(wieder.pixel(50, 20), Schwarz);
    }
};

QTEST_MAIN(TestZeichenflaeche)
#include "tst_zeichenflaeche.moc"
