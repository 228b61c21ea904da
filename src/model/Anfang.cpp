#include "model/Anfang.h"

#include "model/Anzeigen.h"
#include "model/Szene.h"
#include "platform/Zeichenziel.h"

namespace zem::Anfang {

void Einheitsmatrizen(Szene& s)
{
    s.Druckmatrix = Mathe::einheit();
    s.Drehmatrix = Mathe::einheit();
}

void szeneZuruecksetzen(Szene& s)
{
    Einheitsmatrizen(s);
    s.Ausdehnung = 1.0f;
    s.MitteY = -0.5f;
    s.MitteX = 0.5f;
    s.Punkte(0) = { 0, 0, 0 };
    Mathe::NeuerVektor(s.Druckvektor, 0, 1, 0);
    s.Fangpunkt = 0;
    s.AnzPunkte = 0;
    s.AnzPolygone = 0;
    s.AnzDreiecke = 0;
    s.AnzVierecke = 0;
}

void Zuruecksetzen(Szene& s, Listen& listen, Zeichenziel& ziel, MarkierartAnzeige& haken)
{
    // The scene first: the scale and the marks below neither depend on it nor change it.
    szeneZuruecksetzen(s);
    ziel.setScaleLeft(-ziel.scaleWidth() / 2);
    ziel.setScaleTop(-ziel.scaleHeight() / 2);
    haken.markierartZeigen(s.Markierart);
    ListenLeeren(listen);
}

void ListenLeeren(Listen& listen)
{
    for (Liste& liste : listen)
        liste.Clear();
}

} // namespace zem::Anfang
