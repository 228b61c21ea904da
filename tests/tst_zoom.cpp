#include "TestProgramm.h"

#include "platform/SeitenFenster.h"
#include "ui/side/ZoomFenster.h"
#include "view/Bewegungen.h"

#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace zem;
using zem::test::TestAusgabe;

class TestZoom : public QObject {
    Q_OBJECT
private slots:
    void zoomSetzen_data()
    {
        QTest::addColumn<QSize>("fenster");
        QTest::addColumn<float>("ausdehnung");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<float>("breite");
        QTest::addColumn<float>("links");
        QTest::addColumn<float>("hoehe");
        QTest::addColumn<float>("oben");
        QTest::addColumn<float>("fangweite");
        // 4800 x 3600: H = 11.3, q = 0.75.
        QTest::newRow("breiter als hoch")
            << QSize(480, 360) << 10.0f << 565 << 30.133333f << -15.066667f << -22.6f << 11.3f << 0.226f;
        QTest::newRow("quadratisch") << QSize(400, 400) << 10.0f << 500 << 20.0f << -10.0f << -20.0f << 10.0f << 0.2f;
        QTest::newRow("hoeher als breit")
            << QSize(300, 600) << 5.0f << 1000 << 20.0f << -10.0f << -40.0f << 20.0f << 0.2f;
        // A model without a vertex turns the picture by half a turn, and nothing can be picked.
        QTest::newRow("negative Ausdehnung")
            << QSize(400, 400) << -1000.0f << 500 << -2000.0f << 1000.0f << 2000.0f << -1000.0f << -20.0f;
    }
    void zoomSetzen()
    {
        QFETCH(QSize, fenster);
        QFETCH(float, ausdehnung);
        QFETCH(int, zoom);
        TestAusgabe t;
        Programm& p = t.p();
        t.ausgabe->show();
        t.ausgabe->resize(fenster - (t.ausgabe->frameGeometry().size() - t.ausgabe->size())); // less the frame
        QTRY_COMPARE(t.ausgabe->frameGeometry().size(), fenster);
        p.s.Ausdehnung = ausdehnung;
        p.s.MitteX = 0.5f;
        p.s.MitteY = -0.5f;
        p.s.Sichtpunkte(0) = { 0, 0, 0 };
        p.f.ZoomScroll->setValue(zoom);
        Bewegungen::ZoomSetzen(p);
        const Zeichenflaeche& f = *p.f.Flaeche;
        QTEST(f.scaleWidth(), "breite");
        QTEST(f.scaleLeft(), "links");
        QTEST(f.scaleHeight(), "hoehe");
        QTEST(f.scaleTop(), "oben");
        QTEST(p.s.Fangweite, "fangweite");
        QCOMPARE(p.s.Achsenmass, 3 * p.s.Fangweite);
    }

    // Zooming is about the centre point: it keeps its place in the window, and so does a point on it.
    void mittelpunktBleibtStehen()
    {
        TestAusgabe t;
        Programm& p = t.p();
        t.ausgabe->show();
        p.s.Ausdehnung = 10;
        p.s.Sichtpunkte(0) = { 3, -2, 0 };
        p.s.MitteX = 0.25f;
        p.s.MitteY = -0.75f;
        p.f.ZoomScroll->setValue(900);
        const QPointF vorher = p.f.Flaeche->zuPixel(3, -2);
        p.f.ZoomScroll->setValue(100);
        const QPointF nachher = p.f.Flaeche->zuPixel(3, -2);
        QVERIFY((vorher - nachher).manhattanLength() < 1e-3);
        QVERIFY(
            (nachher - QPointF(0.25 * p.f.Flaeche->width(), 0.75 * p.f.Flaeche->height())).manhattanLength() < 1e-3);
        // Any other point moves away from it as the view grows.
        const QPointF anderer = p.f.Flaeche->zuPixel(4, -2);
        p.f.ZoomScroll->setValue(50);
        QVERIFY(p.f.Flaeche->zuPixel(4, -2).x() > anderer.x());
    }

    // An extent of exactly 0 has no scale; the one in force stays, and so do the sizes measured from it.
    void ausdehnungNullLaesstMassstab()
    {
        TestAusgabe t;
        Programm& p = t.p();
        const Zeichenflaeche& f = *p.f.Flaeche;
        const auto massstab = [&] {
            return QList<float> { f.scaleLeft(), f.scaleTop(), f.scaleWidth(), f.scaleHeight(), p.s.Fangweite };
        };
        const QList<float> vorher = massstab();
        p.s.Ausdehnung = 0;
        Bewegungen::ZoomSetzen(p);
        QCOMPARE(massstab(), vorher);
    }

    void minimierenUndWiederherstellen()
    {
        TestAusgabe t;
        Programm& p = t.p();
        t.ausgabe->show();
        p.f.Seiten[Seite::ZoomFenster]->show();
        const Zeichenflaeche& f = *p.f.Flaeche;
        const float breite = f.scaleWidth();
        p.s.Ausdehnung = 50; // would change the scale if the fit ran
        t.ausgabe->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(t.ausgabe->isMinimized());
        QCOMPARE(f.scaleWidth(), breite);
        // Only the shown window follows; a hidden one keeps its state, so that nothing maps it.
        for (SeitenFenster* fenster : p.f.Seiten)
            QCOMPARE(bool(fenster->windowState() & Qt::WindowMinimized), fenster == p.f.Seiten[Seite::ZoomFenster]);
        QVERIFY(!p.f.Seiten[Seite::Punkts]->isVisible());

        t.ausgabe->setWindowState(Qt::WindowNoState);
        QTRY_VERIFY(!t.ausgabe->isMinimized());
        QVERIFY(f.scaleWidth() != breite);
        for (SeitenFenster* fenster : p.f.Seiten)
            QVERIFY(!(fenster->windowState() & Qt::WindowMinimized));
        QVERIFY(!p.f.Seiten[Seite::Punkts]->isVisible());
    }

    void zoomFenster()
    {
        TestAusgabe t;
        Programm& p = t.p();
        auto* fenster = static_cast<ZoomFenster*>(p.f.Seiten[Seite::ZoomFenster]);
        QScrollBar* leiste = fenster->ZoomScroll;
        QVERIFY(!leiste->hasTracking()); // the change comes when the thumb is released
        QCOMPARE(fenster->ZoomNormal->toolTip(),
            QStringLiteral("Clicken Sie Hier um eine normale Größe des Objektes zu erhalten"));

        // "Normal" refits once from another value and not at all at 565.
        QSignalSpy aenderungen(leiste, &QScrollBar::valueChanged);
        QCOMPARE(leiste->value(), 600);
        fenster->ZoomNormal->click();
        QCOMPARE(leiste->value(), 565);
        QCOMPARE(aenderungen.count(), 1);
        QCOMPARE(p.s.Fangweite, 565 * p.s.Ausdehnung / 500 / 50);
        fenster->ZoomNormal->click();
        QCOMPARE(aenderungen.count(), 1);

        // A page step stays inside the range 6 to 1000.
        leiste->setValue(50);
        leiste->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(leiste->value(), 6);
        leiste->setValue(950);
        leiste->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(leiste->value(), 1000);
    }

    void doppelklickKette()
    {
        QList<int> kette { 1000 };
        while (kette.size() < 13)
            kette << zoomNachDoppelklick(kette.last());
        QCOMPARE(kette, (QList<int> { 1000, 503, 254, 130, 68, 37, 22, 14, 10, 8, 7, 6, 6 }));
        QCOMPARE(zoomNachDoppelklick(9), 8);
    }
};

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
