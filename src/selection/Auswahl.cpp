#include "selection/Auswahl.h"

#include "model/Anzeigen.h"
#include "model/Szene.h"
#include "platform/ZahlText.h"
#include "view/Bewegungen.h"
#include "view/Mathe.h"
#include "view/Zeichnen.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace zem::Auswahl {

namespace {

// Point i lies under the mouse when both differences, rounded to single precision, are at most
// Fangweite: a square around the point, bounds included. A negative Fangweite matches nothing.
bool unterMaus(const Vektor& punkt, float x, float y, float fangweite)
{
    const float dx = x - punkt.X;
    const float dy = y - punkt.Y;
    return std::fabs(dx) <= fangweite && std::fabs(dy) <= fangweite;
}

// The highest point number that is searched, kept inside the table whatever the count says.
int hoechsterPunkt(const Szene& s)
{
    return std::clamp<int>(s.AnzPunkte, PunktMin, PunktMax);
}

// Whether a point is marked, from the states of the PunktList rows: row k - 1 holds the mark of point k.
// A corner without a row (0, the reserved points below it, or a number above the rows) counts as not
// marked.
bool markiert(const std::vector<char>& punktmarken, int punkt)
{
    return punkt >= 1 && punkt <= static_cast<int>(punktmarken.size())
        && punktmarken[static_cast<std::size_t>(punkt - 1)];
}

// The new state of an element's row: marked with at least `mindestens` marked corners. An element with a
// corner outside the point tables is skipped here as the renderer skips it: its row keeps the state it
// had, since the element has no place in the picture for a mark to describe.
template <typename Ecken>
void elementMarkieren(std::vector<char>& zeilen, int zeile, const std::vector<char>& punktmarken, const Ecken& ecken,
    int von, int bis, int mindestens)
{
    if (zeile >= static_cast<int>(zeilen.size()))
        return;
    if (!eckenInTabelle(ecken, von, bis))
        return;
    int gezaehlt = 0;
    for (int j = von; j <= bis; ++j)
        gezaehlt += markiert(punktmarken, ecken[static_cast<std::size_t>(j)]); // a corner named twice counts twice
    zeilen[static_cast<std::size_t>(zeile)] = gezaehlt >= mindestens;
}

// Writes a prefix followed by a number in the number-to-text rule; returns the length.
int mitZahl(char* puffer, const char* vorne, double zahl)
{
    const int laenge = static_cast<int>(std::strlen(vorne));
    std::memcpy(puffer, vorne, static_cast<std::size_t>(laenge));
    return laenge + zahlTextSchreiben(zahl, puffer + laenge);
}

} // namespace

void PunktFangen(Szene& s, const Zeichenziel& ziel, float x, float y)
{
    // Down from the highest model point through the centre point and the axis ends to the origin, which
    // is taken when nothing else lies under the mouse.
    int k = hoechsterPunkt(s);
    while (!unterMaus(s.Sichtpunkte(k), x, y, s.Fangweite) && k > PunktMin)
        --k;
    s.Fangpunkt = static_cast<std::int16_t>(k);
    s.Punkte(0) = s.Punkte(k);
    Mathe::MatrixMalVektor(s.Sichtpunkte(0), s.Drehmatrix, s.Punkte(k));
    Bewegungen::mitteBestimmen(s, ziel);
}

void PunktUmschalten(const Szene& s, Listen& listen, MarkierartAnzeige& haken, Zeichenziel& ziel)
{
    // The centre point, the axis ends and the origin are never marked.
    if (s.Fangpunkt > 0) {
        const int zeile = s.Fangpunkt - 1;
        listen[Art::Punkt].setSelected(zeile, !listen[Art::Punkt].Selected(zeile));
    }
    MarkierungAnwenden(s, listen, haken, ziel);
}

void MarkierungAnwenden(const Szene& s, Listen& listen, MarkierartAnzeige& haken, Zeichenziel& ziel)
{
    haken.markierartZeigen(s.Markierart);

    if (s.Markierart != 0) {
        const std::vector<char> punktmarken = listen[Art::Punkt].zeilenLesen();
        const int mindestens = s.Markierart;

        std::vector<char> zeilen = listen[Art::Dreieck].zeilenLesen();
        for (int t = 1; t <= elementAnzahl(s.AnzDreiecke); ++t)
            elementMarkieren(zeilen, t - 1, punktmarken, s.Dreiecke(t).ecke, 0, 2, mindestens);
        listen[Art::Dreieck].zeilenSetzen(zeilen);

        zeilen = listen[Art::Viereck].zeilenLesen();
        for (int q = 1; q <= elementAnzahl(s.AnzVierecke); ++q)
            elementMarkieren(zeilen, q - 1, punktmarken, s.Vierecke(q).ecke, 0, 3, mindestens);
        listen[Art::Viereck].zeilenSetzen(zeilen);

        zeilen = listen[Art::Polygon].zeilenLesen();
        for (int i = 1; i <= elementAnzahl(s.AnzPolygone); ++i) {
            const Polygon& poly = s.Polygone(i);
            const int n = std::min<int>(poly.slot[0], PolygonEckenMax);
            elementMarkieren(zeilen, i - 1, punktmarken, poly.slot, 1, n, mindestens);
        }
        listen[Art::Polygon].zeilenSetzen(zeilen);
    }
    Zeichnen::AllesZeichnen(s, listen, ziel);
}

void PunktZeigen(const Szene& s, KoordinatenAnzeige& anzeige, float x, float y)
{
    // The centre point 0 ends the search; a hit on it, like no hit, shows no point.
    int k = std::max(hoechsterPunkt(s), 0);
    while (k > 0 && !unterMaus(s.Sichtpunkte(k), x, y, s.Fangweite))
        --k;

    // Formed on the stack: this runs on every mouse move.
    char titel[40];
    char werte[3][24];
    if (k > 0) {
        const Vektor& punkt = s.Punkte(k);
        const float zahlen[3] = { punkt.X, punkt.Y, punkt.Z };
        anzeige.koordinatenZeigen(QLatin1StringView(titel, mitZahl(titel, "Punkt", k)),
            { QLatin1StringView(werte[0], zahlTextSchreiben(zahlen[0], werte[0])),
                QLatin1StringView(werte[1], zahlTextSchreiben(zahlen[1], werte[1])),
                QLatin1StringView(werte[2], zahlTextSchreiben(zahlen[2], werte[2])) });
    } else {
        const QLatin1StringView keine("...");
        anzeige.koordinatenZeigen(QLatin1StringView(titel, mitZahl(titel, "no Punkt", 0)), { keine, keine, keine });
    }
}

} // namespace zem::Auswahl
