#include "ui/main/Programm.h"

#include "platform/Leinwand.h"
#include "selection/Auswahl.h"
#include "view/Bewegungen.h"
#include "view/Zeichnen.h"

namespace zem {

QStringView DateiDialog::FileTitle() const
{
    return QStringView(FileName).mid(FileName.lastIndexOf(u'/') + 1);
}

void AllesZeichnen(Programm& p)
{
    Zeichnen::AllesZeichnen(p.s, p.listen, *p.f.leinwand);
}

void ZoomSetzen(Programm& p)
{
    Bewegungen::ZoomSetzen(p.s, *p.f.leinwand, *p.f.lage);
}

void MarkierungAnwenden(Programm& p)
{
    Auswahl::MarkierungAnwenden(p.s, p.listen, *p.f.haken, *p.f.leinwand);
}

} // namespace zem
