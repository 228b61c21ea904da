#include "platform/SeitenFenster.h"

#include "platform/Twips.h"

#include <QCloseEvent>

namespace zem {

SeitenFenster::SeitenFenster(const QString& titel, QSize clientTwips, bool fest)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(titel);
    // Qt's default of 9 point is wider than the runtime's small sans serif that the designs are measured
    // in: at 7.5 point a value of nine characters fits the coordinates window's 855 twips.
    QFont schrift = font();
    schrift.setPointSizeF(7.5);
    setFont(schrift);
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
