#include "TestProgramm.h"

#include "platform/SeitenFenster.h"
#include "platform/Twips.h"
#include "ui/main/Start.h"
#include "ui/side/SeitenFensterBau.h"
#include "view/Zeichnen.h"

#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace zem;
using zem::test::TestAusgabe;

namespace {
QStringList texte(const QMenu* menue)
{
    QStringList ergebnis;
    for (const QAction* punkt : menue->actions())
        ergebnis << punkt->text();
    return ergebnis;
}
} // namespace

class TestAusgabe_ : public QObject {
    Q_OBJECT
private slots:
    void willkommenVorDemFenster()
    {
        TestAusgabe t;
        QCOMPARE(t.dialoge.texte, QStringList{QStringLiteral("This program is a program\n")});
        QCOMPARE(t.dialoge.titel, QStringList{QStringLiteral("ZemViewer 2.3")});
        QVERIFY(!t.ausgabe->isVisible());
        QCOMPARE(t.ausgabe->windowTitle(), QStringLiteral("Neu - ZemViewer"));
    }

    void menues()
    {
        TestAusgabe t;
        QStringList titel;
        for (const QAction* a : t.ausgabe->menuBar()->actions())
            titel << a->text();
        QCOMPARE(titel, (QStringList{"Datei", "Fenster", "Optionen"}));
        const auto* datei = t.ausgabe->findChild<QMenu*>(QStringLiteral("Datei"));
        const auto* fenster = t.ausgabe->findChild<QMenu*>(QStringLiteral("Fenster"));
        const auto* optionen = t.ausgabe->findChild<QMenu*>(QStringLiteral("Optionen"));
        QCOMPARE(texte(datei), (QStringList{"Neu", "Öffnen", "Aktualisieren", "Beenden"}));
        QCOMPARE(texte(fenster),
                 (QStringList{"Punkte", "Dreiecke", "Vierecke", "Polygone", "Bewegungen", "Zoom", "Koordinaten"}));
        QCOMPARE(texte(optionen), (QStringList{"Markieren manuell", "Markiere mit Einem", "Markiere mit Zweien",
                                               "Markiere mit Dreien", "Automatische Wiederselbstherstellung"}));
        for (const QMenu* menue : {datei, fenster, optionen})
            for (const QAction* punkt : menue->actions())
                QVERIFY(punkt->shortcut().isEmpty() && !punkt->isSeparator() && punkt->isEnabled());
        // After the start-up only the marking mode 0 carries a check mark.
        for (const QMenu* menue : {fenster, optionen})
            for (const QAction* punkt : menue->actions())
                QCOMPARE(punkt->isChecked(), punkt->objectName() == QLatin1String("MarkWith_0"));
    }

    void startzustand()
    {
        TestAusgabe t;
        Programm& p = t.p();
        QCOMPARE(p.f.ZoomScroll->value(), 600);
        QVERIFY(p.CommonDialog1.FileName.isEmpty());
        const char* erwartet[] = {" 0 Punkte ( 0 selected)", " 0 Dreiecke ( 0 selected)", " 0 Vierecke ( 0 selected)",
                                  " 0 Polygone ( 0 selected)"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(p.f.Seiten[i]->windowTitle(), QString::fromLatin1(erwartet[i]));
        const char* titel[] = {"Bewegungen", "Zoom", "Punkt 0000"};
        for (int i = 4; i < Seite::Anzahl; ++i) {
            QVERIFY(!p.f.Seiten[i]->isVisible());
            QCOMPARE(p.f.Seiten[i]->windowTitle(), QString::fromLatin1(titel[i - 4]));
            QVERIFY(p.f.Seiten[i]->windowFlags() & Qt::Tool);
        }
        // The client area has its design size from the start, and the start-up has drawn into it.
        QCOMPARE(p.f.Flaeche->size(), QSize(twipsZuPixel(4680), twipsZuPixel(4380)));
        const QImage bild = p.f.Flaeche->bild();
        QCOMPARE(bild.size(), p.f.Flaeche->size());
        const QPointF ursprung = p.f.Flaeche->zuPixel(0, 0);
        QCOMPARE(bild.pixelColor(int(ursprung.x()) + 10, int(ursprung.y())), QColor(255, 0, 0));
        QCOMPARE(p.s.AnzPunkte, 0);
        QCOMPARE(p.s.Ausdehnung, 1.0f);
        QCOMPARE(p.s.Sichtpunkte(-3), (Vektor{1, 0, 0}));
        QCOMPARE(p.f.Label1[1]->toolTip(), QStringLiteral("y Koordinate"));
        for (QLabel* l : p.f.Label1)
            QCOMPARE(l->text(), QStringLiteral("-100.0001"));
    }

    // The refresh sets the zoom value 600; from another value that refits and redraws inside the setting.
    void aktualisierenSetztZoom600()
    {
        TestAusgabe t;
        Programm& p = t.p();
        QSignalSpy aenderungen(p.f.ZoomScroll, &QScrollBar::valueChanged);
        Anfang::AllesAktualisieren(p);
        QCOMPARE(aenderungen.count(), 0);
        p.f.ZoomScroll->setValue(100);
        aenderungen.clear();
        Anfang::AllesAktualisieren(p);
        QCOMPARE(aenderungen.count(), 1);
        QCOMPARE(p.f.ZoomScroll->value(), 600);
        QCOMPARE(p.s.Fangweite, 600 * p.s.Ausdehnung / 500 / 50);
    }

    void titelregel()
    {
        TestAusgabe t;
        Programm& p = t.p();
        p.CommonDialog1.FileName = QStringLiteral("/tmp/modelle/haus.rwx");
        Anfang::AllesAktualisieren(p);
        QCOMPARE(t.ausgabe->windowTitle(), QStringLiteral("haus.rwx - ZemViewer"));
        p.f.PunktList->AddItem(QStringLiteral("a"));
        p.f.PunktList->AddItem(QStringLiteral("b"));
        p.f.PunktList->setSelected(1, true);
        Anfang::AllesAktualisieren(p);
        QCOMPARE(p.f.Seiten[Seite::Punkts]->windowTitle(), QStringLiteral(" 2 Punkte ( 1 selected)"));
        t.ausgabe->MachsNeu_Click();
        QCOMPARE(t.ausgabe->windowTitle(), QStringLiteral("Neu - ZemViewer"));
        QCOMPARE(p.f.Seiten[Seite::Punkts]->windowTitle(), QStringLiteral(" 0 Punkte ( 0 selected)"));
    }

    void markierartUeberlebtNeu()
    {
        TestAusgabe t;
        Programm& p = t.p();
        p.s.Markierart = 3;
        t.ausgabe->MachsNeu_Click();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(p.f.MarkWith[i]->isChecked(), i == 3);
    }

    // The check mark of persistent drawing and the mode can part: a reset switches the mode off and
    // leaves the mark; the next choice then takes the branch for a set mark.
    void dauerhaftesZeichnen()
    {
        TestAusgabe t;
        Programm& p = t.p();
        QAction* punkt = p.f.AuReDra;
        punkt->trigger();
        QVERIFY(punkt->isChecked());
        QVERIFY(p.f.Flaeche->dauerhaft());
        t.ausgabe->MachsNeu_Click();
        QVERIFY(punkt->isChecked());
        QVERIFY(!p.f.Flaeche->dauerhaft());
        punkt->trigger();
        QVERIFY(!punkt->isChecked());
        QVERIFY(!p.f.Flaeche->dauerhaft());
        punkt->trigger();
        QVERIFY(punkt->isChecked());
        QVERIFY(p.f.Flaeche->dauerhaft());
    }

    void fensterMenueZeigtUndVerbirgt()
    {
        TestAusgabe t;
        Programm& p = t.p();
        for (int i = 0; i < Seite::Anzahl; ++i) {
            p.f.Shows[i]->trigger();
            QVERIFY(p.f.Shows[i]->isChecked());
            QVERIFY(p.f.Seiten[i]->isVisible());
            // Closing it hides it, refuses the close and removes the check mark.
            QVERIFY(!p.f.Seiten[i]->close());
            QVERIFY(!p.f.Seiten[i]->isVisible());
            QVERIFY(!p.f.Shows[i]->isChecked());
            p.f.Shows[i]->trigger();
            QVERIFY(p.f.Seiten[i]->isVisible());
            p.f.Shows[i]->trigger();
            QVERIFY(!p.f.Seiten[i]->isVisible());
            QVERIFY(!p.f.Shows[i]->isChecked());
        }
    }

    void listeFuelltFenster()
    {
        TestAusgabe t;
        Programm& p = t.p();
        SeitenFenster* fenster = p.f.Seiten[Seite::Polys];
        fenster->show();
        for (const QSize groesse : {QSize(300, 200), QSize(12, 9), QSize(1, 1)}) {
            fenster->resize(groesse);
            QTRY_COMPARE(p.f.PolyList->geometry(), fenster->rect());
        }
    }

    // Ending leaves the event loop at once, even while side windows are shown and refuse their close.
    void beendenEndetSofort_data()
    {
        QTest::addColumn<bool>("ueberMenue");
        QTest::newRow("Beenden") << true;
        QTest::newRow("Hauptfenster schliessen") << false;
    }
    void beendenEndetSofort()
    {
        QFETCH(bool, ueberMenue);
        test::TestDialoge dialoge;
        Ausgabe ausgabe(dialoge);
        Programm& p = ausgabe.programm();
        ausgabe.show();
        for (int i = 0; i < Seite::Anzahl; ++i)
            p.f.Shows[i]->trigger();
        bool zuSpaet = false;
        QTimer::singleShot(0, &ausgabe, [&] {
            if (ueberMenue)
                ausgabe.findChild<QAction*>(QStringLiteral("Beenden"))->trigger();
            else
                ausgabe.close();
        });
        QTimer::singleShot(5000, [&] {
            zuSpaet = true;
            QCoreApplication::exit(1);
        });
        const int ergebnis = QCoreApplication::exec();
        QVERIFY(!zuSpaet);
        QCOMPARE(ergebnis, 0);
        for (SeitenFenster* fenster : p.f.Seiten)
            QVERIFY(!fenster->isVisible());
        QVERIFY(!ausgabe.isVisible());
    }
};

QTEST_MAIN(TestAusgabe_)
#include "tst_ausgabe.moc"
