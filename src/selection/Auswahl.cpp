#include "selection/Auswahl.h"

#include "model/Programm.h"
#include "platform/Listenfeld.h"
#include "platform/SeitenFenster.h"
#include "platform/ZahlText.h"
#include "view/Bewegungen.h"
#include "view/Mathe.h"
#include "view/Zeichnen.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>

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

// The selection states of all rows of a list, entry k for row k, read from the list's selection ranges
// in one pass: a look-up per row would walk all the ranges each time.
std::vector<char> zeilenLesen(const Listenfeld& liste)
{
    std::vector<char> zustand(static_cast<std::size_t>(std::max(liste.ListCount(), 0)), 0);
    for (const QItemSelectionRange& bereich : liste.selectionModel()->selection())
        for (int k = std::max(bereich.top(), 0); k <= bereich.bottom() && k < liste.ListCount(); ++k)
            zustand[static_cast<std::size_t>(k)] = 1;
    return zustand;
}

// Sets the selection of a list to the given states in one call, as runs of selected rows. Selecting row
// by row would pass over the selection for each row and leave a range per row for every later look-up
// (the renderer asks for each element on every redraw) to walk.
void zeilenSetzen(Listenfeld& liste, const std::vector<char>& zustand)
{
    QItemSelection auswahl;
    const int zeilen = static_cast<int>(zustand.size());
    for (int k = 0; k < zeilen;) {
        if (!zustand[static_cast<std::size_t>(k)]) {
            ++k;
            continue;
        }
        const int von = k;
        while (k < zeilen && zustand[static_cast<std::size_t>(k)])
            ++k;
        auswahl.select(liste.model()->index(von, 0), liste.model()->index(k - 1, 0));
    }
    liste.selectionModel()->select(auswahl, QItemSelectionModel::ClearAndSelect);
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
    if (!EckenInTabelle(ecken, von, bis))
        return;
    int gezaehlt = 0;
    for (int j = von; j <= bis; ++j)
        gezaehlt += markiert(punktmarken, ecken[static_cast<std::size_t>(j)]); // a corner named twice counts twice
    zeilen[static_cast<std::size_t>(zeile)] = gezaehlt >= mindestens;
}

// The caption and the labels are compared with the new texts before they are set: PunktZeigen runs on
// every mouse move, and a new QString allocates, so a text is built only when it changes.
void textSetzen(QLabel& label, const char* text, int laenge)
{
    const QLatin1StringView neu(text, laenge);
    if (label.text() != neu)
        label.setText(neu);
}

void titelSetzen(QWidget& fenster, const char* text, int laenge)
{
    const QLatin1StringView neu(text, laenge);
    if (fenster.windowTitle() != neu)
        fenster.setWindowTitle(neu);
}

// Writes a prefix followed by a number in the number-to-text rule; returns the length.
int mitZahl(char* puffer, const char* vorne, double zahl)
{
    const int laenge = static_cast<int>(std::strlen(vorne));
    std::memcpy(puffer, vorne, static_cast<std::size_t>(laenge));
    return laenge + ZahlTextSchreiben(zahl, puffer + laenge);
}

} // namespace

void PunktFangen(Programm& p, float x, float y)
{
    Szene& s = p.s;
    // Down from the highest model point through the centre point and the axis ends to the origin, which
    // is taken when nothing else lies under the mouse.
    int k = hoechsterPunkt(s);
    while (!unterMaus(s.Sichtpunkte(k), x, y, s.Fangweite) && k > PunktMin)
        --k;
    s.Fangpunkt = static_cast<std::int16_t>(k);
    s.Punkte(0) = s.Punkte(k);
    Mathe::MatrixMalVektor(s.Sichtpunkte(0), s.Drehmatrix, s.Punkte(k));
    Bewegungen::MitteBestimmen(p);
}

void PunktUmschalten(Programm& p)
{
    // The centre point, the axis ends and the origin are never marked.
    if (p.s.Fangpunkt > 0) {
        Listenfeld& liste = *p.f.PunktList;
        const int zeile = p.s.Fangpunkt - 1;
        liste.setSelected(zeile, !liste.Selected(zeile));
    }
    MarkierungAnwenden(p);
}

void MarkierungAnwenden(Programm& p)
{
    const Szene& s = p.s;
    // Each item is set once, to its state: unchecking all and checking one would tell every listener of
    // a change twice.
    for (std::size_t i = 0; i < p.f.MarkWith.size(); ++i)
        p.f.MarkWith[i]->setChecked(static_cast<int>(i) == s.Markierart);

    if (s.Markierart != 0) {
        const std::vector<char> punktmarken = zeilenLesen(*p.f.PunktList);
        const int mindestens = s.Markierart;

        std::vector<char> zeilen = zeilenLesen(*p.f.DreieList);
        for (int t = 1; t <= ElementAnzahl(s.AnzDreiecke); ++t)
            elementMarkieren(zeilen, t - 1, punktmarken, s.Dreiecke(t).ecke, 0, 2, mindestens);
        zeilenSetzen(*p.f.DreieList, zeilen);

        zeilen = zeilenLesen(*p.f.ViereList);
        for (int q = 1; q <= ElementAnzahl(s.AnzVierecke); ++q)
            elementMarkieren(zeilen, q - 1, punktmarken, s.Vierecke(q).ecke, 0, 3, mindestens);
        zeilenSetzen(*p.f.ViereList, zeilen);

        zeilen = zeilenLesen(*p.f.PolyList);
        for (int i = 1; i <= ElementAnzahl(s.AnzPolygone); ++i) {
            const Polygon& poly = s.Polygone(i);
            const int n = std::min<int>(poly.slot[0], PolygonEckenMax);
            elementMarkieren(zeilen, i - 1, punktmarken, poly.slot, 1, n, mindestens);
        }
        zeilenSetzen(*p.f.PolyList, zeilen);
    }
    Zeichnen::AllesZeichnen(p);
}

void PunktZeigen(Programm& p, float x, float y)
{
    const Szene& s = p.s;
    // The centre point 0 ends the search; a hit on it, like no hit, shows no point.
    int k = std::max(hoechsterPunkt(s), 0);
    while (k > 0 && !unterMaus(s.Sichtpunkte(k), x, y, s.Fangweite))
        --k;

    char puffer[48];
    QWidget& fenster = *p.f.Seiten[Seite::KoordsFenster];
    if (k > 0) {
        titelSetzen(fenster, puffer, mitZahl(puffer, "Punkt", k));
        const Vektor& punkt = s.Punkte(k);
        const float werte[3] = { punkt.X, punkt.Y, punkt.Z };
        for (int j = 0; j < 3; ++j)
            textSetzen(*p.f.Label1[static_cast<std::size_t>(j)], puffer, ZahlTextSchreiben(werte[j], puffer));
    } else {
        titelSetzen(fenster, puffer, mitZahl(puffer, "no Punkt", 0));
        for (QLabel* label : p.f.Label1)
            textSetzen(*label, "...", 3);
    }
}

} // namespace zem::Auswahl
