// The platform layer, the pieces Qt lacks that the program stands on: the field input (where fields
// end, the search for the field with a word, the 64 KiB blocks, the failures), points, lines and circles
// in pixels, drawing in bands, the drawing surface, the element lists and their boxes.

#include "TestProgramm.h"

#include "platform/Baender.h"
#include "platform/FeldEingabe.h"
#include "platform/Leinwand.h"
#include "ui/widgets/Listenfeld.h"

#include <QAbstractItemModelTester>
#include <QSortFilterProxyModel>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

#include <sys/stat.h>

using namespace zem;

class TestPlattform : public QObject {
    Q_OBJECT
private slots:
    void felder_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QByteArray>("wort"); // when set, the field with it comes first, "-" when there is none
        QTest::addColumn<QByteArrayList>("felder");
        const auto zeile = [](const char* name, const QByteArray& inhalt, const QByteArrayList& felder,
                               const QByteArray& wort = {}) { QTest::newRow(name) << inhalt << wort << felder; };
        zeile("empty file", "", {});
        zeile(
            "line ends, commas, blanks", "a\nb\r\nc\rd\n\n,x, \t y \t\n", { "a", "b", "c", "d", "", "", "x", "y \t" });
        zeile("quoted", "\"a,b\" rest,c\n  \"x\"\n\"\"\nx\"y,z\"\n\"u\nv",
            { "a,b", "c", "x", "", "x\"y", "z\"", "u", "v" });
        zeile("NUL and high bytes", QByteArray("a\0b\n\377", 5), { QByteArray("a\0b", 3), "\377" });
        const QByteArray block(65535, 'x'), lang(200000, 'y');
        zeile("CR LF across blocks", block + "\r\ny", { block, "y" });
        zeile("CR LF at a block's end", block.left(65534) + "\r\ny", { block.left(65534), "y" });
        zeile("fields across blocks", lang + "\n\"" + lang + "\"\nq", { lang, lang, "q" });
        // Fields of every length around the 8- and 16-byte steps of the search, of bytes near the
        // delimiters; the last one ends with the file.
        QByteArray fast;
        QByteArrayList felder;
        for (int n = 0; n <= 41; ++n)
            fast += (felder << QByteArray("-\254\255\013\212\213\014\215\214\0\377", 11).repeated(4).left(n)).last()
                + ",\n\r"[n % 3];
        zeile("every length", fast.chopped(1), felder);
        zeile("word", "a\nb modelend c\nd", { "b modelend c", "d" }, "modelend");
        zeile("word last, in quotes", "a\r\n  \"x,modelend\"", { "x,modelend" }, "modelend");
        zeile("word missing", "model,end\nmodel\r\nend\n\"a\" modelend,b\nm mo mod modelen", { "-" }, "modelend");
        zeile("word across blocks", block.left(65531) + " modelend\nd", { block.left(65531) + " modelend", "d" },
            "modelend");
    }
    void felder()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QByteArray, wort);
        QTemporaryDir ordner;
        FeldEingabe eingabe;
        eingabe.oeffnen(test::schreibeDatei(ordner, "f", inhalt).toStdString());
        QByteArrayList gelesen;
        std::string feld;
        if (!wort.isEmpty())
            gelesen << (eingabe.feldMitWortLesen(feld, wort.toStdString()) ? QByteArray::fromStdString(feld) : "-");
        for (bool ende = eingabe.dateiende(); !ende;) {
            // A field stays valid past the test for the end, as the reader reads it after that test.
            const Feld gelesenesFeld = eingabe.naechstesFeld(feld);
            ende = eingabe.dateiende();
            QCOMPARE(gelesenesFeld.data()[gelesenesFeld.size()], '\0'); // ends the reader's scans
            gelesen << QByteArray(gelesenesFeld.data(), qsizetype(gelesenesFeld.size()));
        }
        QTEST(gelesen, "felder");
        QVERIFY_THROWS_EXCEPTION(EingabeFehler, eingabe.naechstesFeld(feld)); // nothing after the end
    }

    // What cannot be opened is refused at once, a named pipe without a writer too (waiting for one would
    // freeze the program). Missing files, folders and devices are reader cases.
    void eingabeFehler()
    {
        QTemporaryDir ordner;
        const std::string datei = test::schreibeDatei(ordner, "f", "a\n").toStdString(), leitung = datei + "p";
        QCOMPARE(mkfifo(leitung.c_str(), 0600), 0);
        FeldEingabe eingabe;
        for (const std::string& name : { std::string(), datei + std::string("\0x", 2), leitung })
            QVERIFY_THROWS_EXCEPTION(EingabeFehler, eingabe.oeffnen(name));
        QVERIFY(!eingabe.offen());
    }

    // Points (x, y), circles (x, y, r) and lines (x1, y1, x2, y2, and more lines after them) on an image
    // of a size (within a 64 x 48 buffer): the pixels set, as their count and bounding box, which the image
    // keeps too; both ends of a line included, the edge pixels whole. Far, huge, infinite and NaN values:
    // the visible part where the geometry puts it, and nothing outside the image (a write past a row's end
    // shows in the next row, one outside the buffer stops the sanitizer build). A slanted line takes in
    // each column or row the pixel nearest to it. A pen w wide adds pixels across the major axis, from
    // -(w - 1) / 2 to w / 2, to each step of one pixel; a point becomes a block.
    void raster_data()
    {
        QTest::addColumn<QList<double>>("w");
        QTest::addColumn<QSize>("groesse");
        QTest::addColumn<int>("anzahl");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QPoint>("gesetzt"); // a pixel that must be set, the nearest to the line in its column
        QTest::addColumn<int>("stift");
        const auto zeile = [](const char* name, QList<double> w, int anzahl, QRect box, QSize groesse = { 64, 48 },
                               QPoint gesetzt = {}, int stift = 1) {
            QTest::newRow(name) << w << groesse << anzahl << box << gesetzt << stift;
        };
        zeile("point in the corner", { 0, 0 }, 1, QRect(0, 0, 1, 1));
        zeile("point just off the bottom right", { 64, 47.5 }, 0, QRect());
        zeile("horizontal", { 1.2, 2.7, 4.9, 2.1 }, 4, QRect(1, 2, 4, 1));
        zeile("shallow", { 0.5, 0.5, 5.5, 2.5 }, 6, QRect(0, 0, 6, 3), { 64, 48 }, { 1, 0 });
        zeile("steep", { 9.5, 0.5, 7.5, 5.5 }, 6, QRect(7, 0, 3, 6), { 64, 48 }, { 9, 1 });
        zeile("flat, runs of about 4, 8 and 16", { 0.5, 0.5, 13.5, 3.5, 0.5, 10.5, 26.5, 13.5, 0.5, 20.5, 50.5, 23.5 },
            92, QRect(0, 0, 51, 24));
        zeile("to the right edge", { 0, 20, 64, 20 }, 64, QRect(0, 20, 64, 1));
        zeile("from the right edge and to the bottom edge",
            { 64, 10, 60.5, 10, 60.5, 12, 64, 12, 10, 40, 10, 36.5, 12, 36.5, 12, 40 }, 16, QRect(10, 10, 54, 30),
            { 64, 40 });
        zeile("from outside into the first column and row", { 0.5, 5, -3, 5, -3, 6, 0, 6, 5, 0.5, 5, -3, 6, -3, 6, 0 },
            4, QRect(0, 0, 7, 7));
        zeile("from the first column and row outwards", { 0, 8, -3, 8, 8, 0, 8, -3 }, 2, QRect(0, 0, 9, 9));
        zeile("image 1 x 1", { -5, 0.5, 5, 0.5 }, 1, QRect(0, 0, 1, 1), { 1, 1 });
        zeile("image 0 x 48", { -5, 0.5, 5, 0.5, 0, 5, 0, 40 }, 0, QRect(), { 0, 48 });
        zeile("1e30 backwards", { 10.5, 1e30, 10.5, -1e30 }, 48, QRect(10, 0, 1, 48));
        zeile("almost the largest", { -1.6e308, -1.6e308, 1.6e308, 1.6e308 }, 48, QRect(0, 0, 48, 48));
        zeile("past the corner", { -1e6 - 5, 1e6, 1e6 - 5, -1e6 }, 0, QRect());
        zeile("nan", { 10, 10, 10, qQNaN() }, 0, QRect());
        zeile("circle at the left edge", { 0.5, 20.5, 1 }, 3, QRect(0, 19, 2, 3));
        zeile("circle at the top edge", { 20.5, 0.5, 1 }, 3, QRect(19, 0, 3, 2));
        zeile("circle at the right edge, its centre outside, r -3", { 65.5, 20.5, -3 }, 5, QRect(62, 18, 2, 5));
        zeile("circle r 12", { 30.5, 24.5, 12 }, 68, QRect(18, 12, 25, 25));
        zeile("circle r 1e9, top edge", { 32.5, 24.3 + 1e9, 1e9 }, 64, QRect(0, 24, 64, 1));
        zeile("circle r 1e9, left edge", { 20.3 - 1e9, 24.5, 1e9 }, 48, QRect(20, 0, 1, 48));
        zeile("circle r 5000, an arc across at 30 degrees", { -2467.5, 4354.1, 5000 }, 64, QRect(0, 5, 64, 38));
        zeile("circle around the image", { 32, 24, 1e30 }, 0, QRect());
        zeile("pen 2, shallow", { 0.5, 10.5, 10.5, 12.5 }, 22, QRect(0, 10, 11, 4), { 64, 48 }, { 3, 12 }, 2);
        zeile("pen 3, steep", { 20.5, 5.5, 22.5, 15.5 }, 33, QRect(19, 5, 5, 11), { 64, 48 }, { 23, 15 }, 3);
        zeile("pen 3, point at the right edge", { 63, 20 }, 6, QRect(62, 19, 2, 3), { 64, 48 }, { 63, 21 }, 3);
        zeile("pen 3, edges", { 0, 0, 0, 47, 63, 0, 63, 47, 0, 0, 63, 0, 0, 47, 63, 47 }, 432, QRect(0, 0, 64, 48),
            { 64, 48 }, {}, 3);
    }
    void raster()
    {
        QFETCH(QList<double>, w);
        QFETCH(QSize, groesse);
        QFETCH(int, stift);
        std::vector<std::uint8_t> pixel(64 * 48);
        Raster::Bild r { pixel.data(), groesse.width(), groesse.height(), 64, stift };
        Raster::Zeichenliste liste;
        liste.leeren(groesse.width(), groesse.height());
        if (w.size() == 2)
            liste.punkt(w[0], w[1], 1);
        if (w.size() == 3)
            liste.kreis(w[0], w[1], w[2], 1);
        for (qsizetype i = 0; i + 3 < w.size(); i += 4)
            liste.linie(w[i], w[i + 1], w[i + 2], w[i + 3], 1);
        Raster::listeZeichnen(r, liste, { 0, groesse.height() - 1 });
        QRect box;
        for (int i = 0; i < 64 * 48; ++i)
            box |= pixel[i] ? QRect(i % 64, i / 64, 1, 1) : QRect();
        QTEST(64 * 48 - int(std::ranges::count(pixel, 0)), "anzahl");
        QFETCH(QPoint, gesetzt);
        QVERIFY(gesetzt.isNull() || pixel[gesetzt.y() * 64 + gesetzt.x()]);
        // Into a picture of 7s, cleared where the image lies from its second column on: a drawn pixel takes the
        // colour of its number, the others in the cleared part the background 0; the rest stays 7.
        std::vector<std::uint32_t> erwartet(64 * 48), farbbild(64 * 48, 7);
        for (int i = 0; i < 64 * 48; ++i) {
            const bool geloescht = i % 64 >= 1 && i % 64 < groesse.width() && i / 64 < groesse.height();
            erwartet[i] = pixel[i] || geloescht ? pixel[i] : 7;
        }
        std::uint32_t farben[256];
        std::iota(farben, farben + 256, 0u);
        Raster::uebertragen(r, { 0, groesse.height() - 1 },
            { farbbild.data(), 64, farben, 0, 1, 0, groesse.width() - 1, groesse.height() - 1 });
        QVERIFY(farbbild == erwartet);
        QTEST(box, "box");
        QTEST(r.boxLeer() ? QRect() : QRect(QPoint(r.links, r.oben), QPoint(r.rechts, r.unten)), "box");
    }

    // What was drawn just before the device pixel ratio changes stays in the picture, stretched to the new
    // ratio, until its owner draws it anew.
    void verhaeltnis()
    {
        Leinwand flaeche({ 40, 30 });
        flaeche.loeschen();
        flaeche.linie(0, 10, 40, 10, 0xffff0000);
        QVERIFY(flaeche.verhaeltnisSetzen(2));
        QCOMPARE(flaeche.bild().pixel(0, 21), 0xffff0000);
    }

    // Clearing clears where it drew since the last clear, up to the last row and column: after a line to
    // the far corner, the picture of a canvas that never drew.
    void loeschen()
    {
        Leinwand flaeche({ 640, 480 }), frisch({ 640, 480 });
        flaeche.loeschen();
        flaeche.linie(0, 0, 1e9, 1e9, 0xffff0000);
        flaeche.fertig();
        flaeche.ungezeigtNehmen();
        flaeche.loeschen();
        QCOMPARE(flaeche.ungezeigtNehmen(), QRect(0, 0, 480, 480)); // where the line was is repainted
        QCOMPARE(flaeche.bild(), frisch.bild());
    }

    // Drawing in pieces at the same time, a hundred frames with one pool of four threads, whose workers
    // wake late into later frames: random lists on random sizes, cut into every number of pieces from 1
    // to 4 (at most as many as rows on pictures lower than 4, thinner than the pen, and cut by the last
    // frame's work), each drawn a tile of 1 to 4 rows at a time, drawn once recorded or while they are
    // recorded, give the picture, box and empty layer that the plain drawing on one thread gives, a
    // margin right of each row untouched.
    void baender()
    {
        std::mt19937 zufall(12);
        const auto zahl = [&](int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(zufall); };
        Raster::Baender baender(4, 0);
        std::uint32_t farben[256];
        std::generate_n(farben, 256, zufall);
        for (int bild = 0; bild < 100; ++bild) {
            // Heights that stay for frames, which the pool then cuts by the last one's times.
            const int b = zahl(1, 301), h = bild % 4 == 3 ? zahl(1, 8) : 40 + bild / 10 * 16, zeile = b + 3;
            const int stift = zahl(1, 3);
            // Inside, on a pixel's edge, on the image's edges, far outside.
            const auto wert = [&](int seite) {
                const double w = std::uniform_real_distribution<double>(-1, 2)(zufall) * seite;
                const double art[] = { std::fabs(w) / 2, std::floor(w), double(seite * zahl(0, 1)), w * 1e7 };
                return art[zahl(0, 3)];
            };
            // The same picture, cleared box and background for both.
            QList<quint32> einzeln(zeile * h), gestueckt(zeile * h);
            std::generate(einzeln.begin(), einzeln.end(), zufall);
            gestueckt = einzeln;
            const int l = zahl(0, b), o = zahl(0, h), r = zahl(l - 1, b - 1), u = zahl(o - 1, h - 1);
            const std::uint32_t hintergrund = zufall();
            const auto ziel = [&](QList<quint32>& p) {
                return Raster::Farbbild { p.data(), zeile, farben, hintergrund, l, o, r, u };
            };
            const Raster::Farbbild zielGestueckt = ziel(gestueckt);
            QList<quint8> ebene(zeile * h), ebeneGestueckt(zeile * h);
            Raster::Bild allein { ebene.data(), b, h, zeile, stift },
                zusammen { ebeneGestueckt.data(), b, h, zeile, stift, zahl(1, 4 * zeile) };
            // Every other frame drawn by the pool while it is recorded, in the room kept for it.
            Raster::Zeichenliste liste;
            liste.leeren(b, h);
            const bool strom = zahl(0, 1);
            const int stuecke = strom ? zahl(1, Raster::Baender::stueckZahl(4, h)) : Raster::Baender::stueckZahl(4, h);
            if (strom) {
                liste.reservieren(600);
                baender.beginnen(zusammen, liste, zielGestueckt, stuecke);
            }
            for (int i = zahl(0, 600); i > 0 && !(strom && liste.voll()); --i) {
                const auto farbe = std::uint8_t(zahl(1, 255));
                const double x = wert(b), y = wert(h), x2 = wert(b), y2 = wert(h);
                if (i % 5 == 0)
                    liste.punkt(x, y, farbe);
                else if (i % 5 == 1)
                    liste.kreis(x, y, wert(b) * (i % 7 ? 0.1 : 1e3), farbe);
                else
                    liste.linie(x, y, x2, y2, farbe);
                if (strom && i % 16 == 0)
                    baender.weiter(liste.anzahl());
            }
            if (strom)
                baender.beenden(zusammen);
            else
                baender.zeichnen(zusammen, liste, zielGestueckt);
            Raster::listeZeichnen(allein, liste, { 0, h - 1 });
            Raster::uebertragen(allein, { 0, h - 1 }, ziel(einzeln));
            QCOMPARE(baender.letzteStuecke(), stuecke);
            QCOMPARE(gestueckt, einzeln);
            QCOMPARE(QRect(QPoint(zusammen.links, zusammen.oben), QPoint(zusammen.rechts, zusammen.unten)),
                QRect(QPoint(allein.links, allein.oben), QPoint(allein.rechts, allein.unten)));
            QCOMPARE(ebeneGestueckt, QList<quint8>(zeile * h));
        }
    }

    // Of two ways, the pool draws a frame of enough work in pieces until it has seen one drawn alone, then
    // the faster for that much work, and tries the other again after 32 frames.
    void lernen()
    {
        Raster::Baender baender(2, 100);
        std::uint8_t ebene[8 * 8];
        const Raster::Bild bild { ebene, 8, 8, 8, 1 };
        QCOMPARE(baender.stueckeFuer(bild, 99), 1);
        QCOMPARE(baender.stueckeFuer(bild, 1000), 2);
        baender.gemessen(1000, true, 5000);
        QCOMPARE(baender.stueckeFuer(bild, 1000), 1);
        baender.gemessen(1000, false, 2000);
        for (int durchgang = 0; durchgang < 32; ++durchgang) {
            QCOMPARE(baender.stueckeFuer(bild, 1000), 1);
            baender.gemessen(1000, false, 2000);
        }
        QCOMPARE(baender.stueckeFuer(bild, 1000), 2);
        QCOMPARE(baender.stueckeFuer(bild, 100000), 2); // another power of two has seen nothing yet
    }

    // An element list through appending, marking and emptying, with its box shown and hidden: Qt's model
    // tester checks every announcement, and a sorting proxy, which knows only the rows announced to it,
    // must see every row the model has. The marks past the first 1,024 entries come from the selection.
    void liste_data()
    {
        QTest::addColumn<QStringList>(
            "schritte"); // "+n" appends n entries, "m k" marks entry k, "leer", "zeigen", "verbergen"
        QTest::addColumn<int>("markiert");
        QTest::newRow("shown") << QStringList { "zeigen", "+3", "m 1", "leer", "+2", "m 0" } << 1;
        QTest::newRow("hidden") << QStringList { "+3", "m 2", "leer", "+1100", "m 1023", "m 1024", "zeigen" } << 2;
        QTest::newRow("hidden, then shown") << QStringList { "zeigen", "+5", "m 4", "verbergen", "+1100", "m 1099",
            "zeigen", "verbergen", "leer", "+2", "zeigen", "m 1" }
                                            << 1;
    }
    void liste()
    {
        QFETCH(QStringList, schritte);
        Liste liste;
        QAbstractItemModelTester tester(&liste.modell(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSortFilterProxyModel sortiert;
        sortiert.setSourceModel(&liste.modell());
        sortiert.sort(0);
        QWidget fenster;
        auto* feld = new Listenfeld(liste, &fenster);
        for (const QString& schritt : schritte) {
            const QStringList w = schritt.split(' ');
            if (w[0] == "m")
                liste.setSelected(w[1].toInt(), true);
            else if (w[0] == "leer")
                liste.Clear();
            else if (w[0] == "zeigen" || w[0] == "verbergen")
                fenster.setVisible(w[0] == "zeigen");
            else
                for (int k = w[0].toInt(); k > 0; --k) // "+n"
                    liste.anhaengen("x");
            liste.zeigen();
            QCOMPARE(sortiert.rowCount(), liste.ListCount());
            QCOMPARE(feld->model(), fenster.isVisible() ? &liste.modell() : nullptr);
            QCOMPARE(feld->selectionModel()->selectedRows().size(), fenster.isVisible() ? liste.SelCount() : 0);
        }
        QTEST(liste.SelCount(), "markiert");
        for (int k : { 0, 1, 2, 1023, 1024, 1099 })
            QCOMPARE(liste.Selected(k), liste.auswahl().isSelected(liste.modell().index(k, 0)));
    }
};

QTEST_MAIN(TestPlattform)
#include "tst_plattform.moc"
