#include "ui/main/Programm.h"

#include "selection/Auswahl.h"
#include "ui/widgets/Zeichenflaeche.h"
#include "view/Bewegungen.h"
#include "view/Zeichnen.h"

namespace zem {

QStringView DateiDialog::FileTitle() const
{
    return QStringView(FileName).mid(FileName.lastIndexOf(u'/') + 1);
}

void AllesZeichnen(Programm& p)
{
    Zeichnen::AllesZeichnen(p.s, p.listen, *p.f.Flaeche);
}

void ZoomSetzen(Programm& p)
{
    Bewegungen::ZoomSetzen(p.s, *p.f.Flaeche, *p.f.lage);
}

void MarkierungAnwenden(Programm& p)
{
    Auswahl::MarkierungAnwenden(p.s, p.listen, *p.f.haken, *p.f.Flaeche);
}

} // namespace zem
