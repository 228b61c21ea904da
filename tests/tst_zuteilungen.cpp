// The heap allocations of what a user repeats most: open, redraw, a drag step and a hover, in the shown
// main window with the model at the reader's limits. Once its buffers have had their first use the program
// allocates nothing of its own there; a repaint request is an event Qt posts, and may allocate once.

#include "AllocZaehler.h"
#include "TestProgramm.h"

#include "selection/Auswahl.h"
#include "ui/main/DateiBefehle.h"
#include "ui/widgets/Zeichenflaeche.h"
#include "view/Bewegungen.h"

#include <QTest>

#include <functional>
#include <map>

using namespace zem;

class TestZuteilungen : public QObject {
    Q_OBJECT
private slots:
    void budget_data()
    {
        QTest::addColumn<QString>("befehl");
        QTest::addColumn<int>("budget");
        QTest::newRow("open") << "open" << 2;
        QTest::newRow("redraw") << "redraw" << 1;
        QTest::newRow("drag step") << "drag" << 1;
        QTest::newRow("hover") << "hover" << 0;
    }
    void budget()
    {
        QFETCH(QString, befehl);
        test::TestAusgabe t;
        Programm& p = t.p();
        t.ausgabe->zeigen();
        QVERIFY(QTest::qWaitForWindowExposed(t.ausgabe.get()));
        p.CommonDialog1.FileName = QStringLiteral(ZEM_EXAMPLES_DIR "/grenzen.rwx");
        DateiBefehle::RwxNeuLaden(p);
        float x = 0;
        const std::map<QString, std::function<void()>> befehle {
            { "open", [&] { DateiBefehle::RwxNeuLaden(p); } },
            { "redraw", [&] { AllesZeichnen(p); } },
            { "drag", [&] { Bewegungen::MausDrehen(p.s, p.listen, *p.f.Flaeche, x += 0.01f, 0.5f); } },
            { "hover", [&] { Auswahl::PunktZeigen(p.s, *p.f.koords, x += 0.01f, 0.5f); } },
        };
        const std::function<void()>& schritt = befehle.at(befehl);
        // The first runs grow the buffers; each run is followed by the paint it asked for.
        std::size_t anzahl = 0;
        for (int lauf = 0; lauf < 4; ++lauf) {
            const std::size_t vorher = bench::allokationen();
            schritt();
            anzahl = bench::allokationen() - vorher;
            QCoreApplication::processEvents();
        }
        QFETCH(int, budget);
        QCOMPARE_LE(int(anzahl), budget);
    }
};

QTEST_MAIN(TestZuteilungen)
#include "tst_zuteilungen.moc"
