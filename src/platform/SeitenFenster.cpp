#include "platform/SeitenFenster.h"

#include "platform/Twips.h"

#include <QCloseEvent>

namespace zem {

SeitenFenster::SeitenFenster(const QString& titel, QSize clientTwips, bool fest)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(titel);
    const QSize groesse(twipsZuPixel(clientTwips.width()), twipsZuPixel(clientTwips.height()));
    if (fest)
        setFixedSize(groesse);
    else
        resize(groesse);
}

void SeitenFenster::closeEvent(QCloseEvent* ereignis)
{
    if (beiSchliessen) {
        ereignis->ignore();
        beiSchliessen();
    } else {
        ereignis->accept();
    }
}

} // namespace zem
