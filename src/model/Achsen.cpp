#include "model/RwxToZem.h"

#include "model/Szene.h"

#include <algorithm>

namespace zem::RwxToZem {

void AchsenSetzen(Szene& s)
{
    const float a = s.Ausdehnung;
    Mathe::NeuerVektor(s.Punkte(-3), a, 0, 0);
    Mathe::NeuerVektor(s.Punkte(-2), 0, a, 0);
    Mathe::NeuerVektor(s.Punkte(-1), 0, 0, a);
    PunkteKopieren(s);
}

void PunkteKopieren(Szene& s)
{
    const int bis = std::min<int>(s.AnzPunkte, PunktMax);
    for (int i = PunktMin; i <= bis; ++i)
        s.Sichtpunkte(i) = s.Punkte(i);
}

} // namespace zem::RwxToZem
