#include "TestProgramm.h"

#include "platform/SeitenFenster.h"
#include "platform/Twips.h"
#include "ui/main/Anfang.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

using namespace zem;
using zem::test::TestAusgabe;

class TestAusgabe_ : public QObject {
    Q_OBJECT
private slots:
    void willkommenVorDemFenster()
    {
        TestAusgabe t;
        QCOMPARE(t.dialoge.texte, QStringList { QStringLiteral("This program is a program\n") });
        QCOMPARE(t.dialoge.titel, QStringList { QStringLiteral("ZemViewer 2.3") });
        QVERIFY(!t.ausgabe->isVisible());
        QCOMPARE(t.ausgabe->windowTitle(), QStringLiteral("Neu - ZemViewer"));
    }

    // The menu tree, each item with its caption; after the start-up only the marking mode 0 is checked.
    void menues()
    {
        TestAusgabe t;
        QString baum;
        for (const QAction* menue : t.ausgabe->menuBar()->actions()) {
            baum += menue->text() + u'[';
            for (const QAction* punkt : menue->menu()->actions())
                baum += punkt->text() + (punkt->isChecked() ? u'*' : u'|');
            baum += u']';
        }
        QCOMPARE(baum,
            QStringLiteral("Datei[Neu|Öffnen|Aktualisieren|Beenden|]"
                           "Fenster[Punkte|Dreiecke|Vierecke|Polygone|Bewegungen|Zoom|Koordinaten|]"
                           "Optionen[Markieren manuell*Markiere mit Einem|Markiere mit Zweien|"
                           "Markiere mit Dreien|Automatische Wiederselbstherstellung|]"));
    }

    void startzustand()
    {
        TestAusgabe t;
        Programm& p = t.p();
        QCOMPARE(p.f.ZoomScroll->value(), 600);
        QVERIFY(p.CommonDialog1.FileName.isEmpty());
        const char* erwartet[] = { " 0 Punkte ( 0 selected)", " 0 Dreiecke ( 0 selected)", " 0 Vierecke ( 0 selected)",
            " 0 Polygone ( 0 selected)" };
        for (int i = 0; i < 4; ++i)
            QCOMPARE(p.f.Seiten[i]->windowTitle(), QString::fromLatin1(erwartet[i]));
        for (SeitenFenster* fenster : p.f.Seiten)
            QVERIFY(!fenster->isVisible() && (fenster->windowFlags() & Qt::Tool));
        // The client area has its design size from the start, and the start-up has drawn into it.
        QCOMPARE(p.f.Flaeche->size(), QSize(twipsZuPixel(4680), twipsZuPixel(4380)));
        const QImage bild = p.f.Flaeche->bild();
        QCOMPARE(bild.size(), p.f.Flaeche->size());
        const QPointF ursprung = p.f.Flaeche->zuPixel(0, 0);
        QCOMPARE(bild.pixelColor(int(ursprung.x()) + 10, int(ursprung.y())), QColor(255, 0, 0));
        QCOMPARE(p.s.Sichtpunkte(-3), (Vektor { 1, 0, 0 }));
        QCOMPARE(p.f.Label1[1]->toolTip(), QStringLiteral("y Koordinate"));
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

    void fensterMenueZeigtUndVerbirgt()
    {
        TestAusgabe t;
        Programm& p = t.p();
        for (int i = 0; i < Seite::Anzahl; ++i) {
            p.f.Shows[i]->trigger();
            // Closing it hides it, refuses the close and removes the check mark.
            QVERIFY(!p.f.Seiten[i]->close());
            QVERIFY(!p.f.Seiten[i]->isVisible() && !p.f.Shows[i]->isChecked());
            p.f.Shows[i]->trigger();
            QVERIFY(p.f.Seiten[i]->isVisible() && p.f.Shows[i]->isChecked());
            p.f.Shows[i]->trigger();
            QVERIFY(!p.f.Seiten[i]->isVisible() && !p.f.Shows[i]->isChecked());
        }
    }

    void listeFuelltFenster()
    {
        TestAusgabe t;
        Programm& p = t.p();
        SeitenFenster* fenster = p.f.Seiten[Seite::Polys];
        fenster->show();
        for (const QSize groesse : { QSize(300, 200), QSize(12, 9), QSize(1, 1) }) {
            fenster->resize(groesse);
            QTRY_COMPARE(p.f.PolyList->geometry(), fenster->rect());
        }
    }

    // Ending leaves the event loop at once, even while side windows are shown and refuse their close.
    // The side windows' texts fit their controls' design sizes at 96 and at 144 dpi: the design texts, and
    // in the coordinates window every value of up to nine characters ("-8.88E+08" is the widest).
    void schriftenPassen_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSize>("twips");
        for (int dpi : { 96, 144 }) {
            QTest::addRow("X: %d", dpi) << dpi << "Label3_0"
                                        << "X:" << QSize(135, 255);
            QTest::addRow("Z: %d", dpi) << dpi << "Label3_2"
                                        << "Z:" << QSize(135, 255);
            QTest::addRow("Entwurf %d", dpi) << dpi << "Label1_0"
                                             << "-100.0001" << QSize(855, 255);
            QTest::addRow("Exponent %d", dpi) << dpi << "Label1_2"
                                              << "-8.88E+08" << QSize(855, 255);
            QTest::addRow("Normal %d", dpi) << dpi << "ZoomNormal"
                                            << "Normal" << QSize(615, 255);
            QTest::addRow("Mitte %d", dpi) << dpi << "Command1"
                                           << "Mitte" << QSize(495, 495);
        }
    }
    void schriftenPassen()
    {
        QFETCH(int, dpi);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QSize, twips);
        TestAusgabe t;
        QWidget* feld = nullptr;
        for (SeitenFenster* fenster : t.p().f.Seiten)
            feld = feld ? feld : fenster->findChild<QWidget*>(name);
        QVERIFY(feld);
        // What the control keeps for its frame and margins, in pixels, which do not grow with the dpi.
        QSize rand = feld->size() - feld->contentsRect().size();
        if (auto* knopf = qobject_cast<QPushButton*>(feld)) {
            QStyleOptionButton option;
            option.initFrom(knopf);
            rand = knopf->size() - knopf->style()->subElementRect(QStyle::SE_PushButtonContents, &option, knopf).size();
        }
        QFont schrift = feld->font();
        schrift.setPixelSize(qRound(schrift.pointSizeF() * dpi / 72));
        const QFontMetricsF masse(schrift);
        const QSizeF platz = QSizeF(twips) * dpi / 1440 - QSizeF(rand);
        QVERIFY2(masse.horizontalAdvance(text) <= platz.width() && masse.height() <= platz.height(),
            qPrintable(QStringLiteral("%1 x %2 in %3 x %4")
                           .arg(masse.horizontalAdvance(text))
                           .arg(masse.height())
                           .arg(platz.width())
                           .arg(platz.height())));
    }

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
        for (QAction* punkt : p.f.Shows)
            punkt->trigger();
        QTimer::singleShot(0, &ausgabe, [&] {
            if (ueberMenue)
                ausgabe.findChild<QAction*>(QStringLiteral("Beenden"))->trigger();
            else
                ausgabe.close();
        });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); }); // the loop did not end
        QCOMPARE(QCoreApplication::exec(), 0);
        for (SeitenFenster* fenster : p.f.Seiten)
            QVERIFY(!fenster->isVisible());
    }
};

QTEST_MAIN(TestAusgabe_)
#include "tst_ausgabe.moc"
