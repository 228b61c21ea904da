#include "selection/Auswahl.h"

#include "model/Programm.h"
#include "platform/Listenfeld.h"
#include "platform/SeitenFenster.h"
#include "platform/ZahlText.h"
#include "view/Mathe.h"
#include "view/Mitte.h"
#include "view/Zeichnen.h"

#include <QAction>
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

// The marks of the points, read once from PunktList (each look-up in the list walks its selection, and a
// model of polygons asks for some 50,000 corners): entry k - 1 holds the mark of point k. A corner
// without a row (0, the reserved points below it, or a number above the rows) counts as not marked.
class Punktmarken {
public:
    explicit Punktmarken(const Listenfeld& liste)
        : m_marken(static_cast<std::size_t>(std::max(liste.ListCount(), 0)))
    {
        for (int k = 0; k < liste.ListCount(); ++k)
            m_marken[static_cast<std::size_t>(k)] = liste.Selected(k);
    }

    bool markiert(int punkt) const
    {
        return punkt >= 1 && punkt <= static_cast<int>(m_marken.size())
            && m_marken[static_cast<std::size_t>(punkt - 1)];
    }

private:
    std::vector<char> m_marken;
};

// An element with a corner outside the point tables is skipped here as the renderer skips it: its row
// keeps the state it had, since the element has no place in the picture for a mark to describe.
template <typename Ecken>
void elementMarkieren(
    Listenfeld& liste, int zeile, const Punktmarken& marken, const Ecken& ecken, int von, int bis, int mindestens)
{
    int markiert = 0;
    for (int j = von; j <= bis; ++j) {
        if (!PunktTabelle::enthaelt(ecken[j]))
            return;
        if (marken.markiert(ecken[j]))
            ++markiert; // a corner that names the same point twice counts twice
    }
    liste.setSelected(zeile, markiert >= mindestens);
}

int anzahl(std::int16_t wert)
{
    return std::clamp<int>(wert, 0, ElementMax);
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
    for (QAction* punkt : p.f.MarkWith)
        punkt->setChecked(false);
    if (s.Markierart >= 0 && s.Markierart < static_cast<int>(p.f.MarkWith.size()))
        p.f.MarkWith[static_cast<std::size_t>(s.Markierart)]->setChecked(true);

    if (s.Markierart != 0) {
        const Punktmarken marken(*p.f.PunktList);
        const int mindestens = s.Markierart;
        for (int t = 1; t <= anzahl(s.AnzDreiecke); ++t)
            elementMarkieren(*p.f.DreieList, t - 1, marken, s.Dreiecke(t).ecke, 0, 2, mindestens);
        for (int q = 1; q <= anzahl(s.AnzVierecke); ++q)
            elementMarkieren(*p.f.ViereList, q - 1, marken, s.Vierecke(q).ecke, 0, 3, mindestens);
        for (int i = 1; i <= anzahl(s.AnzPolygone); ++i) {
            const Polygon& poly = s.Polygone(i);
            const int n = std::min<int>(poly.slot[0], PolygonEckenMax);
            elementMarkieren(*p.f.PolyList, i - 1, marken, poly.slot, 1, n, mindestens);
        }
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
    QWidget& fenster = *p.f.Seiten[KoordsFenster];
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
