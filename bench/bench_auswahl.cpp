// Times one step of a rotating drag (MausDrehen with its redraw) against one plain redraw of the same
// scene, and one PunktZeigen, on the largest model the reader keeps. Prints the medians, the most heap
// allocations of any one rotation step, and the heap allocations of all repeated hovers together.

#include "AllocZaehler.h"
#include "TestProgramm.h"

#include "selection/Auswahl.h"
#include "view/Bewegungen.h"
#include "view/Mathe.h"
#include "view/Zeichnen.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

using namespace zem;

namespace {

using test::allokationen;

using Uhr = std::chrono::steady_clock;

double millisekunden(Uhr::time_point von, Uhr::time_point bis)
{
    return std::chrono::duration<double, std::milli>(bis - von).count();
}

double median(std::vector<double> werte)
{
    const auto mitte = werte.begin() + static_cast<std::ptrdiff_t>(werte.size() / 2);
    std::nth_element(werte.begin(), mitte, werte.end());
    return *mitte;
}

// 998 points spread over a wavy surface, 38 to a row; 998 triangles and quads over neighbouring
// points, and 998 polygons of 50 corners, each around a block of 13 by 14 points (the numbers wrap
// around at the end); a row for each in its list, every fortieth point marked and the elements marked
// by "Markiere mit Einem"; a 1000 x 1000 pixel surface whose user scale shows the whole model.
void grossesModell(Programm& p)
{
    Zeichenflaeche& flaeche = *p.f.flaeche;
    flaeche.setAttribute(Qt::WA_DontShowOnScreen);
    flaeche.show();

    Szene& s = p.s;
    const int n = Grenze;
    const int zeile = 38;
    const double abstand = 200.0 / (zeile - 1);
    s.Ausdehnung = 0;
    for (int i = 1; i <= n; ++i) {
        const double x = ((i - 1) % zeile) * abstand - 100;
        const double y = ((i - 1) / zeile) * abstand - 70;
        Mathe::NeuerVektor(s.Punkte(i), x, y, 20 * std::sin(x / 15) * std::cos(y / 15));
        s.Ausdehnung
            = std::max({ s.Ausdehnung, std::fabs(s.Punkte(i).X), std::fabs(s.Punkte(i).Y), std::fabs(s.Punkte(i).Z) });
        p.listen[Art::Punkt].AddItem(QString::number(i));
    }
    s.AnzPunkte = std::int16_t(n);
    auto punkt = [n](int i, int unten, int rechts) { return std::int16_t((i - 1 + unten * zeile + rechts) % n + 1); };
    for (int i = 1; i <= n; ++i) {
        s.Dreiecke(i).ecke = { punkt(i, 0, 0), punkt(i, 0, 1), punkt(i, 1, 0) };
        s.Vierecke(i).ecke = { punkt(i, 0, 0), punkt(i, 0, 1), punkt(i, 1, 1), punkt(i, 1, 0) };
        Polygon& poly = s.Polygone(i);
        int j = 0;
        poly.slot[std::size_t(j++)] = PolygonEckenMax;
        for (int rechts = 0; rechts <= 12; ++rechts)
            poly.slot[std::size_t(j++)] = punkt(i, 0, rechts);
        for (int unten = 1; unten <= 13; ++unten)
            poly.slot[std::size_t(j++)] = punkt(i, unten, 12);
        for (int rechts = 11; rechts >= 0; --rechts)
            poly.slot[std::size_t(j++)] = punkt(i, 13, rechts);
        for (int unten = 12; unten >= 1; --unten)
            poly.slot[std::size_t(j++)] = punkt(i, unten, 0);
        p.listen[Art::Dreieck].AddItem(QString::number(i));
        p.listen[Art::Viereck].AddItem(QString::number(i));
        p.listen[Art::Polygon].AddItem(QString::number(i));
    }
    s.AnzDreiecke = s.AnzVierecke = s.AnzPolygone = std::int16_t(n);

    const float e = s.Ausdehnung;
    s.Punkte(-3) = { e, 0, 0 };
    s.Punkte(-2) = { 0, e, 0 };
    s.Punkte(-1) = { 0, 0, e };
    for (int i = PunktMin; i <= n; ++i)
        s.Sichtpunkte(i) = s.Punkte(i);
    s.Drehmatrix = s.Druckmatrix = Mathe::einheit();
    flaeche.leinwand().setScaleLeft(-1.25f * e);
    flaeche.leinwand().setScaleTop(1.25f * e);
    flaeche.leinwand().setScaleWidth(2.5f * e);
    flaeche.leinwand().setScaleHeight(-2.5f * e);
    s.Fangweite = 2.5f * e / 250;
    s.Achsenmass = 3 * s.Fangweite;

    for (int i = 1; i <= n; i += 40)
        p.listen[Art::Punkt].setSelected(i - 1, true);
    s.Markierart = 1;
    MarkierungAnwenden(p);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    test::TestAusgabe b({ 1000, 1000 });
    Programm& p = b.p();
    grossesModell(p);
    Szene& s = p.s;
    const float e = s.Ausdehnung;

    // A right press, then steps along a circle around the press position, each step timed against a
    // redraw of the scene it left. The first steps warm the caches and are not counted.
    s.Maustaste = 2;
    Auswahl::PunktFangen(p.s, *p.f.leinwand, 0.1f * e, 0.2f * e);
    s.Druckmatrix = s.Drehmatrix;
    Mathe::NeuerVektor(s.Druckvektor, 0.1f * e, 0.2f * e, 2.0 * e);

    const int aufwaermen = 20;
    const int schritte = 300;
    std::vector<double> schrittZeiten, zeichenZeiten;
    schrittZeiten.reserve(schritte);
    zeichenZeiten.reserve(schritte);
    std::size_t schrittAllokationen = 0;
    for (int i = 0; i < aufwaermen + schritte; ++i) {
        const double w = i * 0.05;
        const float x = float(0.1 * e + 0.6 * e * std::cos(w));
        const float y = float(0.2 * e + 0.6 * e * std::sin(w));
        const std::size_t vorher = allokationen();
        const Uhr::time_point t0 = Uhr::now();
        Bewegungen::MausDrehen(p.s, p.listen, *p.f.leinwand, x, y);
        const Uhr::time_point t1 = Uhr::now();
        const std::size_t nachher = allokationen();
        AllesZeichnen(p);
        const Uhr::time_point t2 = Uhr::now();
        if (i >= aufwaermen) {
            schrittZeiten.push_back(millisekunden(t0, t1));
            zeichenZeiten.push_back(millisekunden(t1, t2));
            schrittAllokationen = std::max(schrittAllokationen, nachher - vorher);
        }
    }
    const double schritt = median(schrittZeiten);
    const double zeichnen = median(zeichenZeiten);
    std::printf("step=MausDrehen step_ms=%.3f redraw_ms=%.3f ratio=%.2f allocations=%zu\n", schritt, zeichnen,
        schritt / zeichnen, schrittAllokationen);

    // Hovers: repeatedly over one point, then repeatedly over empty space, after a first hover at each
    // place that sets the texts. The time is that of the empty space, where the search runs through
    // every point.
    const Vektor& ziel = s.Sichtpunkte(500);
    const float zielX = ziel.X, zielY = ziel.Y;
    const float leerX = -1.2f * e, leerY = -1.2f * e;
    const int hovers = 1000;
    std::vector<double> hoverZeiten;
    hoverZeiten.reserve(hovers);
    std::size_t hoverAllokationen = 0;
    Auswahl::PunktZeigen(p.s, *p.f.koords, zielX, zielY);
    std::size_t vorher = allokationen();
    for (int i = 0; i < hovers; ++i)
        Auswahl::PunktZeigen(p.s, *p.f.koords, zielX, zielY);
    hoverAllokationen += allokationen() - vorher;
    Auswahl::PunktZeigen(p.s, *p.f.koords, leerX, leerY);
    vorher = allokationen();
    for (int i = 0; i < hovers; ++i) {
        const Uhr::time_point t0 = Uhr::now();
        Auswahl::PunktZeigen(p.s, *p.f.koords, leerX, leerY);
        hoverZeiten.push_back(millisekunden(t0, Uhr::now()));
    }
    hoverAllokationen += allokationen() - vorher;
    std::printf("step=PunktZeigen step_ms=%.4f allocations=%zu\n", median(hoverZeiten), hoverAllokationen);
    return 0;
}
