#include "view/Zeichnen.h"

#include "model/Anzeigen.h"
#include "model/Szene.h"
#include "platform/Zeichenziel.h"

#include <algorithm>
#include <cmath>

namespace zem::Zeichnen {

namespace {

constexpr QRgb Rot = qRgb(255, 0, 0);
constexpr QRgb DreieckFarbe = qRgb(0, 100, 255);
constexpr QRgb Blau = qRgb(0, 0, 255);
constexpr QRgb Gruen = qRgb(0, 255, 0);
constexpr QRgb Cyan = qRgb(0, 255, 255);

// An element with a corner outside the point tables is skipped whole, in its own colour and in the
// highlights alike, rather than drawn with the corners that do exist.

template <std::size_t N>
void umriss(Zeichenziel& f, const PunktTabelle& sp, const std::array<std::int16_t, N>& ecke, QRgb farbe)
{
    if (!eckenInTabelle(ecke, 0, N - 1))
        return;
    const Vektor& erste = sp(ecke[0]);
    f.linie(erste.X, erste.Y, sp(ecke[1]).X, sp(ecke[1]).Y, farbe);
    for (std::size_t j = 2; j < N; ++j)
        f.linieNach(sp(ecke[j]).X, sp(ecke[j]).Y, farbe);
    f.linieNach(erste.X, erste.Y, farbe);
}

// A polygon: its first corner set as a point, lines on to the other corners, and back to the first.
// Without a colour for the point it takes the window's foreground colour. A count below 2 leaves the
// point and the closing line from the first corner to itself; a count above the 50 corners a record
// holds draws those 50.
void polygon(Zeichenziel& f, const PunktTabelle& sp, const Polygon& poly, QRgb farbe, bool punktInFarbe)
{
    const int n = std::min<int>(poly.slot[0], PolygonEckenMax);
    if (!eckenInTabelle(poly.slot, 1, std::max(n, 1)))
        return;
    const Vektor& erste = sp(poly.slot[1]);
    if (punktInFarbe)
        f.punkt(erste.X, erste.Y, farbe);
    else
        f.punkt(erste.X, erste.Y);
    for (int j = 2; j <= n; ++j)
        f.linieNach(sp(poly.slot[j]).X, sp(poly.slot[j]).Y, farbe);
    f.linieNach(erste.X, erste.Y, farbe);
}

} // namespace

void AllesZeichnen(const Szene& s, const Listen& listen, Zeichenziel& ziel)
{
    ziel.loeschen();
    AchsenZeichnen(s, ziel);
    DreieckeZeichnen(s, ziel);
    ViereckeZeichnen(s, ziel);
    PolygoneZeichnen(s, ziel);
    AuswahlZeichnen(s, listen, ziel);
    ziel.fertig();
}

void AchsenZeichnen(const Szene& s, Zeichenziel& ziel)
{
    AchseZeichnen(s, ziel, -3);
    AchseZeichnen(s, ziel, -2);
    AchseZeichnen(s, ziel, -1);
}

void AchseZeichnen(const Szene& s, Zeichenziel& f, int a)
{
    const float x = s.Sichtpunkte(a).X;
    const float y = s.Sichtpunkte(a).Y;
    f.linie(x, y, -x, -y, Rot);
    f.linie(x, y, x - x / 10 - y / 30, y + x / 30 - y / 10, Rot);
    f.linie(x, y, x - x / 10 + y / 30, y - x / 30 - y / 10, Rot);

    const float m = s.Achsenmass;
    const float u = x + x / 30;
    const float v = y + y / 30;
    f.linie(u, v, u + m, v + m, Rot);
    if (a == -3) {
        f.linie(u, v + m, u + m, v, Rot);
    } else if (a == -2) {
        f.linie(u + m / 2, v + m / 2, u, v + m, Rot);
    } else if (a == -1) {
        f.linie(u + m, v + m, u, v + m, Rot);
        f.linie(u, v, u + m, v, Rot);
    }
}

void DreieckeZeichnen(const Szene& s, Zeichenziel& ziel)
{
    const int n = elementAnzahl(s.AnzDreiecke);
    for (int i = 1; i <= n; ++i)
        umriss(ziel, s.Sichtpunkte, s.Dreiecke(i).ecke, DreieckFarbe);
}

void ViereckeZeichnen(const Szene& s, Zeichenziel& ziel)
{
    const int n = elementAnzahl(s.AnzVierecke);
    for (int i = 1; i <= n; ++i)
        umriss(ziel, s.Sichtpunkte, s.Vierecke(i).ecke, Blau);
}

void PolygoneZeichnen(const Szene& s, Zeichenziel& ziel)
{
    const int n = elementAnzahl(s.AnzPolygone);
    for (int i = 1; i <= n; ++i)
        polygon(ziel, s.Sichtpunkte, s.Polygone(i), Blau, true);
}

void AuswahlZeichnen(const Szene& s, const Listen& listen, Zeichenziel& f)
{
    const int dreiecke = elementAnzahl(s.AnzDreiecke);
    for (int i = 1; i <= dreiecke; ++i)
        if (listen[Art::Dreieck].Selected(i - 1))
            umriss(f, s.Sichtpunkte, s.Dreiecke(i).ecke, Gruen);
    const int vierecke = elementAnzahl(s.AnzVierecke);
    for (int i = 1; i <= vierecke; ++i)
        if (listen[Art::Viereck].Selected(i - 1))
            umriss(f, s.Sichtpunkte, s.Vierecke(i).ecke, Gruen);
    const int polygone = elementAnzahl(s.AnzPolygone);
    for (int i = 1; i <= polygone; ++i)
        if (listen[Art::Polygon].Selected(i - 1))
            polygon(f, s.Sichtpunkte, s.Polygone(i), Gruen, false);

    const float w = s.Fangweite;
    const int punkte = std::min(listen[Art::Punkt].ListCount(), PunktMax);
    for (int k = 1; k <= punkte; ++k) {
        if (listen[Art::Punkt].Selected(k - 1)) {
            const Vektor& punkt = s.Sichtpunkte(k);
            f.rechteck(punkt.X - w, punkt.Y - w, punkt.X + w, punkt.Y + w, Cyan);
        }
    }
    f.kreis(s.Sichtpunkte(0).X, s.Sichtpunkte(0).Y, std::fabs(w), Gruen);
}

} // namespace zem::Zeichnen
