#include "TestProgramm.h"

#include "ui/side/BewegungsFenster.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace zem;
using zem::test::TestAusgabe;

class TestBewegung : public QObject {
    Q_OBJECT
private slots:
    void fensterEntwurf()
    {
        TestAusgabe t;
        BewegungsFenster& b = t.ausgabe->bewegungsFenster();
        QCOMPARE(b.windowTitle(), QStringLiteral("Bewegungen"));
        QCOMPARE(b.Command1->text(), QStringLiteral("Mitte"));
        QCOMPARE(b.MoveTimer->interval(), 100);
        QVERIFY(!b.MoveTimer->isActive());
        const QImage bild = BewegungsFenster::pfeilbild();
        QCOMPARE(bild.size(), QSize(180, 180));
        // Eight arrows: black on each of the eight rays, grey between them.
        for (int richtung = 0; richtung < 8; ++richtung) {
            const double w = richtung * M_PI / 4;
            const QPoint aufStrahl(90 + int(std::lround(50 * std::cos(w))), 90 - int(std::lround(50 * std::sin(w))));
            QCOMPARE(bild.pixelColor(aufStrahl), QColor(Qt::black));
            const double zwischen = w + M_PI / 8;
            const QPoint daneben(
                90 + int(std::lround(60 * std::cos(zwischen))), 90 - int(std::lround(60 * std::sin(zwischen))));
            QCOMPARE(bild.pixelColor(daneben), QColor(192, 192, 192));
        }
    }

    // Holding a button on the window runs the timer with a step of a tenth of the pointer's place.
    void mausSteuertTimer()
    {
        TestAusgabe t;
        BewegungsFenster& b = t.ausgabe->bewegungsFenster();
        Programm& p = t.p();
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        Zeichenflaeche* f = b.flaeche();
        const QPoint rechtsUnten = f->zuPixel(0.4f, 0.2f).toPoint();
        QTest::mouseMove(f, f->zuPixel(-0.3f, 0).toPoint());
        QVERIFY(std::abs(p.s.BewegX - -0.03f) < 1e-3f);
        QVERIFY(!b.MoveTimer->isActive());
        QTest::mousePress(f, Qt::LeftButton, {}, rechtsUnten);
        QVERIFY(b.MoveTimer->isActive());
        QVERIFY(std::abs(p.s.BewegX - 0.04f) < 2e-3f);
        QVERIFY(std::abs(p.s.BewegY - 0.02f) < 2e-3f);
        QTest::mouseRelease(f, Qt::LeftButton, {}, rechtsUnten);
        QVERIFY(!b.MoveTimer->isActive());
        // The button lies over the picture: a press on it does not start the timer.
        QCOMPARE(b.childAt(b.Command1->geometry().center()), b.Command1);
        QTest::mousePress(b.Command1, Qt::LeftButton);
        QVERIFY(!b.MoveTimer->isActive());
        QTest::mouseRelease(b.Command1, Qt::LeftButton);
    }

    void schrittUndMitte()
    {
        TestAusgabe t;
        Programm& p = t.p();
        Zeichenflaeche& f = *p.f.Flaeche;
        f.setScaleWidth(20);
        f.setScaleHeight(-10);
        f.setScaleLeft(-10);
        f.setScaleTop(5);
        p.s.Sichtpunkte(0) = { 2, 1, 0 };
        p.s.BewegX = 0.05f;
        p.s.BewegY = 0.1f;
        BewegungsFenster::MoveTimer_Timer(p);
        QCOMPARE(f.scaleLeft(), -9.0f);
        QCOMPARE(f.scaleTop(), 4.0f);
        QCOMPARE(f.scaleWidth(), 20.0f);
        QCOMPARE(f.scaleHeight(), -10.0f);
        QCOMPARE(p.s.MitteX, (2.0f - -9.0f) / 20.0f);
        QCOMPARE(p.s.MitteY, (4.0f - 1.0f) / -10.0f);

        t.ausgabe->bewegungsFenster().Command1->click();
        QCOMPARE(f.scaleLeft(), -10.0f);
        QCOMPARE(f.scaleTop(), 5.0f);
        QCOMPARE(p.s.MitteX, 0.6f);
        QCOMPARE(p.s.MitteY, -0.4f);
    }

    // A step of zero still redraws and moves nothing.
    void nullschritt()
    {
        TestAusgabe t;
        Programm& p = t.p();
        const float links = p.f.Flaeche->scaleLeft();
        p.s.BewegX = 0;
        p.s.BewegY = 0;
        BewegungsFenster::MoveTimer_Timer(p);
        QCOMPARE(p.f.Flaeche->scaleLeft(), links);
    }

    // Panning a view of a huge model far enough would take its edge beyond the largest number: the view
    // stops at the end of the range instead, and the picture, the pointer positions and the next zoom
    // stay usable.
    void verschiebenBisAnsEndeDesZahlenbereichs()
    {
        TestAusgabe t;
        Programm& p = t.p();
        Zeichenflaeche& f = *p.f.Flaeche;
        f.setScaleWidth(1e37f);
        f.setScaleHeight(-1e37f);
        f.setScaleLeft(-5e36f);
        f.setScaleTop(5e36f);
        p.s.BewegX = 5;
        p.s.BewegY = -5;
        for (int i = 0; i < 10; ++i)
            BewegungsFenster::MoveTimer_Timer(p);
        QVERIFY(std::isfinite(f.scaleLeft()) && f.scaleLeft() > 2.5e38f);
        QVERIFY(std::isfinite(f.scaleTop()) && f.scaleTop() > 2.5e38f);
        QVERIFY(std::isfinite(p.s.MitteX) && std::isfinite(p.s.MitteY));
        p.f.ZoomScroll->setValue(300);
        QVERIFY(std::isfinite(f.scaleLeft()) && std::isfinite(f.scaleTop()));
        QVERIFY(std::isfinite(f.zuBenutzer({ 10, 10 }).x()));
        t.ausgabe->bewegungsFenster().Command1->click();
        QCOMPARE(f.scaleLeft(), f.scaleWidth() * -0.5f);
    }

    void zoomNachVerschiebenHaeltModell()
    {
        TestAusgabe t;
        Programm& p = t.p();
        t.ausgabe->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.ausgabe.get()));
        p.s.BewegX = 0.1f;
        p.s.BewegY = -0.05f;
        for (int i = 0; i < 3; ++i)
            BewegungsFenster::MoveTimer_Timer(p);
        const QPointF ursprung = p.f.Flaeche->zuPixel(0, 0);
        p.f.ZoomScroll->setValue(300);
        const QPointF danach = p.f.Flaeche->zuPixel(0, 0);
        QVERIFY2(std::abs(ursprung.x() - danach.x()) < 1e-2 && std::abs(ursprung.y() - danach.y()) < 1e-2,
            qPrintable(
                QStringLiteral("%1,%2 -> %3,%4").arg(ursprung.x()).arg(ursprung.y()).arg(danach.x()).arg(danach.y())));
    }
};

QTEST_MAIN(TestBewegung)
#include "tst_bewegung.moc"
