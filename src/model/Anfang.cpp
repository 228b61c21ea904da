#include "model/Anfang.h"

#include "model/Programm.h"
#include "platform/Listenfeld.h"
#include "platform/Zeichenflaeche.h"

#include <QAction>

namespace zem::Anfang {

void Einheitsmatrizen(Szene& s)
{
    s.Druckmatrix = Mathe::Einheit();
    s.Drehmatrix = Mathe::Einheit();
}

void SzeneZuruecksetzen(Szene& s)
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

void Zuruecksetzen(Programm& p)
{
    const Szene& s = p.s;
    // The scene first: the scale and the marks below neither depend on it nor change it.
    SzeneZuruecksetzen(p.s);
    Zeichenflaeche& flaeche = *p.f.Flaeche;
    flaeche.setScaleLeft(-flaeche.scaleWidth() / 2);
    flaeche.setScaleTop(-flaeche.scaleHeight() / 2);
    // Each item set to its state at once: one that keeps its check mark sends no change to its menu.
    for (std::size_t i = 0; i < p.f.MarkWith.size(); ++i)
        p.f.MarkWith[i]->setChecked(int(i) == s.Markierart);
    ListenLeeren(p);
}

void ListenLeeren(Programm& p)
{
    p.f.PunktList->Clear();
    p.f.DreieList->Clear();
    p.f.ViereList->Clear();
    p.f.PolyList->Clear();
}

} // namespace zem::Anfang
