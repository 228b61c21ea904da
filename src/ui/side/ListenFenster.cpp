#include "ui/side/ListenFenster.h"

#include "ui/widgets/Listenfeld.h"

namespace zem {

ListenFenster::ListenFenster(
    Liste& liste, const QString& name, const QString& titel, const QString& listenName, QSize clientTwips)
    : SeitenFenster(titel, clientTwips, false)
    , m_liste(new Listenfeld(liste, this))
{
    setObjectName(name);
    m_liste->setObjectName(listenName);
    m_liste->setAccessibleName(titel); // what a screen reader calls the list
    m_liste->setGeometry(rect());
}

void ListenFenster::resizeEvent(QResizeEvent*)
{
    m_liste->setGeometry(rect());
}

} // namespace zem
