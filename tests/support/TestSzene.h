#pragma once

// The scene that the picking and the rotation tests share.

#include "TestProgramm.h"

#include "model/Anfang.h"
#include "view/Mathe.h"

#include <initializer_list>

namespace zem::test {

// A quarter turn about Z: (x, y, z) to (-y, x, z).
inline const Matrix Vierteldrehung { { 0, -1, 0, 1, 0, 0, 0, 0, 1 } };

// A reset scene of extent e: its axis ends and the model points 1, 2, ... with one PunktList row each, all
// seen through drehung; Fangweite 0.5 and ten pixels per unit with the origin in the middle of the 400 x 300
// surface (left -20, top 15).
inline void szene(Programm& p, float e, std::initializer_list<Vektor> punkte, const Matrix& drehung = Mathe::Einheit())
{
    Anfang::Zuruecksetzen(p);
    Szene& s = p.s;
    s.Ausdehnung = e;
    s.Punkte(-3) = { e, 0, 0 };
    s.Punkte(-2) = { 0, e, 0 };
    s.Punkte(-1) = { 0, 0, e };
    for (const Vektor& punkt : punkte) {
        s.Punkte(++s.AnzPunkte) = punkt;
        p.f.PunktList->AddItem(QString::number(s.AnzPunkte));
    }
    s.Drehmatrix = drehung;
    for (int k = -3; k <= s.AnzPunkte; ++k)
        Mathe::MatrixMalVektor(s.Sichtpunkte(k), drehung, s.Punkte(k));
    s.Fangweite = 0.5f;
    p.f.Flaeche->resize(400, 300);
    p.f.Flaeche->setScaleLeft(-20);
    p.f.Flaeche->setScaleTop(15);
    p.f.Flaeche->setScaleWidth(40);
    p.f.Flaeche->setScaleHeight(-30);
}

} // namespace zem::test
