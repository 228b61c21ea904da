#include "TestProgramm.h"
#include "view/Zeichnen.h"

#include <QTest>

#include <cmath>

using namespace zem;

namespace {

constexpr QRgb Schwarz = qRgb(0, 0, 0);
constexpr QRgb Rot = qRgb(255, 0, 0);
constexpr QRgb DreieckBlau = qRgb(0, 100, 255);
constexpr QRgb Blau = qRgb(0, 0, 255);
constexpr QRgb Gruen = qRgb(0, 255, 0);
constexpr QRgb Cyan = qRgb(0, 255, 255);

// 200 x 200 pixels for the user scale -50..50 both ways with y up: user (x, y) lies in pixel
// (2x + 100, 100 - 2y). Axes of extent 30 unrotated, Fangweite 1, Achsenmass 3, the centre point at
// (-40, -40). Points 1 (0, 10), 2 (20, 10), 3 = -4 = 1010 (10, 20), 4 (10, 0); in the tables a triangle
// (corners 1 2 e), a quad (1 2 e 4) and a polygon (1 2 e 4), counted by the rows of their lists.
// Letters add rows: d, v, p to the element lists, q to the points' list; upper case selects the row.
// 0: the polygon has no corners and e in its first slot; z: the polygon has the count e and 50 corners
// zigzagging between y = 20 and 25, the last on y = 20, with point 51 in the slot after them; m: the
// centre point on point 1; -: Fangweite -1.
std::unique_ptr<test::BlankesProgramm> szene(const QString& was = {}, std::int16_t e = 3)
{
    auto b = std::make_unique<test::BlankesProgramm>(QSize(200, 200));
    Programm& p = b->p;
    p.f.Flaeche->setScaleWidth(100);
    p.f.Flaeche->setScaleHeight(-100);
    p.f.Flaeche->setScaleLeft(-50);
    p.f.Flaeche->setScaleTop(50);
    Szene& s = p.s;
    const Vektor punkte[] = { { 30, 0, 0 }, { 0, 30, 0 }, { 0, 0, 30 }, { -40, -40, 0 }, { 0, 10, 0 }, { 20, 10, 0 },
        { 10, 20, 0 }, { 10, 0, 0 } };
    for (int k = -3; k <= 4; ++k)
        s.Sichtpunkte(k) = punkte[k + 3];
    s.Sichtpunkte(-4) = s.Sichtpunkte(1010) = s.Sichtpunkte(3);
    s.Fangweite = was.contains('-') ? -1 : 1;
    s.Achsenmass = 3;
    s.Dreiecke(1).ecke = { 1, 2, e };
    s.Vierecke(1).ecke = { 1, 2, e, 4 };
    s.Polygone(1).slot = { std::int16_t(was.contains('0') ? 0 : 4), was.contains('0') ? e : std::int16_t(1), 2, e, 4 };
    if (was.contains('z')) {
        s.Polygone(1).slot[0] = e;
        for (int j = 1; j <= 51; ++j) {
            s.Polygone(1).slot[j] = std::int16_t(j);
            s.Sichtpunkte(j) = { j < 50 ? j - 25.0f : 26.0f, j == 51 ? -30.0f : (j % 2 || j == 50 ? 20.0f : 25.0f), 0 };
        }
    }
    if (was.contains('m'))
        s.Sichtpunkte(0) = s.Sichtpunkte(1);
    Listenfeld* listen[] = { p.f.DreieList, p.f.ViereList, p.f.PolyList, p.f.PunktList };
    std::int16_t* anzahlen[] = { &s.AnzDreiecke, &s.AnzVierecke, &s.AnzPolygone, &s.AnzPunkte };
    for (QChar c : was) {
        const int art = QStringLiteral("dvpq").indexOf(c.toLower());
        if (art >= 0) {
            listen[art]->AddItem(QString());
            listen[art]->setSelected(listen[art]->ListCount() - 1, c.isUpper());
            *anzahlen[art] = std::int16_t(listen[art]->ListCount());
        }
    }
    return b;
}

QImage zeichne(Programm& p)
{
    Zeichnen::AllesZeichnen(p);
    return p.f.Flaeche->bild();
}

} // namespace

class TestZeichnen : public QObject {
    Q_OBJECT
private slots:
    // The colour at user points; without points the element is skipped whole, and the picture is the
    // empty scene's. (5, 10) lies on the edge from corner 1 to 2 of every element and on nothing else.
    void bild_data()
    {
        QTest::addColumn<QString>("szene");
        QTest::addColumn<int>("ecke");
        QTest::addColumn<QList<QPointF>>("orte");
        QTest::addColumn<QRgb>("farbe");
        const auto zeile = [](const char* name, const char* szene, QList<QPointF> orte, QRgb farbe, int ecke = 3) {
            QTest::newRow(name) << QString::fromLatin1(szene) << ecke << orte << farbe;
        };
        zeile("x achse", "", { { 30, 0 }, { -30, 0 }, { 27, 1 }, { 27, -1 }, { 31, 0 }, { 31, 3 }, { 34, 3 } }, Rot);
        zeile("y achse", "", { { 0, 30 }, { 0, -30 }, { -1, 27 }, { 1, 27 }, { 0, 31 }, { 3, 34 }, { 0, 34 } }, Rot);
        zeile("z buchstabe", "", { { 1.5, 3 }, { 1.5, 1.5 }, { 3, 0 } }, Rot);
        zeile("x luecken, kreismitte", "", { { -30.5, 0 }, { 26.5, 1 }, { 30.5, 0 }, { 32.5, 2.5 }, { -40, -40 } },
            Schwarz);
        zeile("y und z luecken", "", { { 0, -30.5 }, { -1, 26.5 }, { 0, 30.5 }, { 3, 31 }, { 1, 2 } }, Schwarz);
        zeile("kreis", "", { { -39, -40 }, { -40, -41 } }, Gruen);
        zeile("dreieck ueber achse", "d", { { 5, 10 }, { 0, 10 } }, DreieckBlau);
        zeile("viereck markiert", "V", { { 5, 10 } }, Gruen);
        zeile("polygon markiert", "P", { { 5, 10 } }, Gruen);
        zeile("viereck ueber dreieck", "dv", { { 5, 10 } }, Blau);
        zeile("polygon ueber dreieck", "dp", { { 5, 10 } }, Blau);
        zeile("markiert ueber viereck und polygon", "Dvp", { { 5, 10 } }, Gruen);
        zeile("quadrat ueber markiertem", "DQ", { { 1, 10 } }, Cyan);
        zeile("kreis ueber quadrat", "Qm", { { 1, 10 } }, Gruen);
        zeile("quadrat fangweite negativ", "Qq-", { { 1, 9 }, { -1, 11 }, { 1, 11 }, { -1, 9 } }, Cyan);
        zeile("hohl, unmarkiert nichts", "Qq-", { { 0.5, 10 }, { 1.5, 10 }, { 21, 11 } }, Schwarz);
        QList<QPointF> kanten { { 25, 20 }, { -23, 20 } };
        for (int j = 1; j <= 48; ++j)
            kanten << QPointF(j - 24.5, 22.5);
        zeile("50 ecken", "pz", kanten, Blau, 50);
        zeile("50 ecken markiert, anzahl 32767", "Pz", kanten, Gruen, 32767);
        zeile("50 ecken, nicht weiter", "Pz", { { 26, -10 } }, Schwarz, 32767);
        zeile("ecke -4 gilt", "d", { { 5, 10 } }, DreieckBlau, -4);
        zeile("ecke 1010 gilt", "d", { { 5, 10 } }, DreieckBlau, 1010);
        zeile("dreieck 1011", "D", {}, 0, 1011);
        zeile("viereck -5", "V", {}, 0, -5);
        zeile("polygon 1011", "P", {}, 0, 1011);
        zeile("polygon ohne ecken, erste 5000", "P0", {}, 0, 5000);
    }
    void bild()
    {
        QFETCH(QString, szene);
        QFETCH(int, ecke);
        QFETCH(QList<QPointF>, orte);
        QFETCH(QRgb, farbe);
        const QImage gemalt = zeichne(::szene(szene, std::int16_t(ecke))->p);
        if (orte.isEmpty())
            QCOMPARE(gemalt, zeichne(::szene()->p));
        for (QPointF o : orte)
            QVERIFY2(gemalt.pixel(int(std::floor((o.x() + 50) * 2)), int(std::floor((50 - o.y()) * 2))) == farbe,
                qPrintable(QStringLiteral("%1 %2").arg(o.x()).arg(o.y())));
    }

    // Counts above the tables' size read as the size: the picture of full tables, and nothing read
    // beyond them (the sanitizer build stops on that; the program lives on the heap). Emptied again,
    // the picture is the empty scene's: the earlier one is cleared away.
    void anzahlenUeberDenTabellen()
    {
        auto b = szene(QString(1100, 'D') + QString(1100, 'V') + QString(1100, 'P') + QString(1100, 'Q'));
        Programm& p = b->p;
        for (int k = 6; k <= PunktMax; ++k)
            p.s.Sichtpunkte(k) = { 1e6f, 1e6f, 0 };
        p.s.Dreiecke.eintraege.fill(p.s.Dreiecke(1));
        p.s.Vierecke.eintraege.fill(p.s.Vierecke(1));
        p.s.Polygone.eintraege.fill(p.s.Polygone(1));
        // Element 0 is never drawn; read as the element after a table's last, it would show lines to point 5.
        p.s.Sichtpunkte(5) = { -20, -20, 0 };
        p.s.Vierecke(0).ecke = { 5, 5, 5, 5 };
        p.s.Polygone(0).slot = { 1, 5 };
        p.s.AnzDreiecke = p.s.AnzVierecke = p.s.AnzPolygone = 32767;
        const QImage gross = zeichne(p);
        p.s.AnzDreiecke = p.s.AnzVierecke = p.s.AnzPolygone = ElementMax;
        p.f.PunktList->model()->removeRows(PunktMax, 1100 - PunktMax);
        QCOMPARE(gross, zeichne(p));
        p.s.AnzDreiecke = p.s.AnzVierecke = p.s.AnzPolygone = 0;
        p.f.PunktList->Clear();
        const QImage leer = zeichne(p);
        QCOMPARE(leer, zeichne(szene()->p));
        QVERIFY(gross != leer); // the pictures are copies: later drawing leaves them alone
    }

    // The renderer reads each row's selection from the list's own record of it. After every step of
    // these scripts that record agrees with the selection model on every row and one beyond each end.
    // Steps: neu n (append n rows), an k..., aus k..., bereich a b (select rows a to b), leeren.
    void listenAuswahl_data()
    {
        QTest::addColumn<QString>("skript");
        QTest::newRow("waehlen, abwaehlen") << "neu 10; an 0 3 9; aus 3; an 3 3; aus 9 0";
        QTest::newRow("leeren") << "neu 5; an 0 4; leeren; neu 6; an 1";
        QTest::newRow("ueber den vorrat") << "neu 1100; an 5 1022 1023 1024 1099; bereich 1000 1050; aus 1023; neu 3";
    }
    void listenAuswahl()
    {
        QFETCH(QString, skript);
        Listenfeld l;
        for (const QString& schritt : skript.split(QStringLiteral("; "))) {
            const QStringList t = schritt.split(' ');
            const int a = t.value(1).toInt(), b = t.value(2).toInt();
            if (t[0] == "neu") {
                for (int i = 0; i < a; ++i)
                    l.AddItem(QString());
            } else if (t[0] == "an" || t[0] == "aus") {
                for (int i = 1; i < t.size(); ++i)
                    l.setSelected(t[i].toInt(), t[0] == "an");
            } else if (t[0] == "bereich") {
                l.selectionModel()->select(
                    QItemSelection(l.model()->index(a, 0), l.model()->index(b, 0)), QItemSelectionModel::Select);
            } else {
                QCOMPARE(t[0], QStringLiteral("leeren"));
                l.Clear();
            }
            for (int k = -1; k <= l.ListCount(); ++k)
                QVERIFY2(l.Selected(k) == l.selectionModel()->isSelected(l.model()->index(k, 0)),
                    qPrintable(QStringLiteral("row %1 after %2").arg(k).arg(schritt)));
            QCOMPARE(l.SelCount(), l.selectionModel()->selectedRows().size());
        }
    }
};

QTEST_MAIN(TestZeichnen)
#include "tst_zeichnen.moc"
