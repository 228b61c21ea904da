// Open and reload through the whole program: what the window shows after each.

#include "TestProgramm.h"

#include "platform/SeitenFenster.h"

#include <QScrollBar>
#include <QTest>

using namespace zem;
using zem::test::TestAusgabe;

namespace {
QByteArray modell(const QByteArray& anweisungen)
{
    return "modelbegin\nclumpbegin\n" + anweisungen + "clumpend\nmodelend\n";
}
} // namespace

class TestLaden : public QObject {
    Q_OBJECT
private slots:
    // After a.rwx (the triangle) is open, the view turned, a point marked and the zoom at 300, a command
    // runs with b.rwx written as given (an empty text: no b.rwx). A refresh fits the axes to the new
    // extent and sets the zoom to 600; a failure of the reading leaves the window as it was, with the
    // scene as the reading left it, and shows no message.
    void befehl_data()
    {
        QTest::addColumn<QString>("befehl");
        QTest::addColumn<QByteArray>("b");
        // title|caption of the points list|points|X axis end in the view|zoom|title of the last message box
        QTest::addColumn<QString>("fenster");

        const QByteArray zwei = modell("vertex 1 1 1\nvertex -2 2 2\n");
        QTest::newRow("open") << "oeffnen" << zwei << "b.rwx - ZemViewer| 2 Punkte ( 0 selected)|2|2|600|ZemViewer 2.3";
        QTest::newRow("cancel reads the same file")
            << "abbrechen" << zwei << "a.rwx - ZemViewer| 3 Punkte ( 0 selected)|3|4|600|ZemViewer 2.3";
        QTest::newRow("reload") << "neu" << zwei << "a.rwx - ZemViewer| 2 Punkte ( 0 selected)|2|2|600|ZemViewer 2.3";
        QTest::newRow("failure in the middle") << "oeffnen" << modell("vertex 7 0 0\ntriangle 1 1 1\nvertex 1e39 0 0\n")
                                               << "a.rwx - ZemViewer| 3 Punkte ( 0 selected)|2|4|300|ZemViewer 2.3";
        QTest::newRow("missing file") << "oeffnen" << QByteArray()
                                      << "a.rwx - ZemViewer| 3 Punkte ( 0 selected)|0|4|300|ZemViewer 2.3";
        // The caption counts the list's entries, 998, while the 999th vertex left 700 points.
        QTest::newRow("999 vertices") << "oeffnen" << modell(QByteArray("vertex 1 0 0\n").repeated(999))
                                      << "b.rwx - ZemViewer| 998 Punkte ( 0 selected)|700|1|600|vertex 1000";
    }
    void befehl()
    {
        QFETCH(QString, befehl);
        QFETCH(QByteArray, b);
        QTemporaryDir ordner;
        TestAusgabe t;
        Programm& p = t.p();
        const QByteArray dreieck = modell("vertex 0 0 0\nvertex 4 0 0\nvertex 0 2 0\ntriangle 1 2 3\n");
        t.dialoge.naechsteDateien.push_back(test::schreibeDatei(ordner, QStringLiteral("a.rwx"), dreieck));
        t.ausgabe->Oeffnen_Click();
        QCOMPARE(t.dialoge.dialogTitel, QStringLiteral("Öffner"));
        QCOMPARE(t.dialoge.dialogFilter, QStringLiteral("Rwx-Datei  (*.Rwx)|*.Rwx|Alle und jede (*.*)|*.*"));
        p.s.Drehmatrix.m[0] = 0.5f;
        p.f.PunktList->setSelected(1, true);
        p.f.ZoomScroll->setValue(300);
        p.f.AuReDra->trigger();

        if (!b.isEmpty())
            test::schreibeDatei(ordner, QLatin1String(befehl == "neu" ? "a.rwx" : "b.rwx"), b);
        if (befehl == "oeffnen")
            t.dialoge.naechsteDateien.push_back(ordner.filePath(QStringLiteral("b.rwx")));
        befehl == "neu" ? t.ausgabe->Aktualisieren_Click() : t.ausgabe->Oeffnen_Click();
        const QStringList fenster { t.ausgabe->windowTitle(), p.f.Seiten[Seite::Punkts]->windowTitle(),
            QString::number(p.s.AnzPunkte), QString::number(p.s.Sichtpunkte(-3).X),
            QString::number(p.f.ZoomScroll->value()), t.dialoge.titel.last() };
        QTEST(fenster.join(u'|'), "fenster");
        // Every command resets the view and the marks, whether the reading succeeds or not.
        QCOMPARE(p.s.Drehmatrix, Mathe::Einheit());
        QCOMPARE(p.f.PunktList->SelCount(), 0);
        QVERIFY(p.f.AuReDra->isChecked());
    }
};

QTEST_MAIN(TestLaden)
#include "tst_laden.moc"
