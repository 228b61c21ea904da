#include "ui/side/ZoomFenster.h"

#include "ui/main/Programm.h"
#include "ui/widgets/Twips.h"

#include <QPushButton>
#include <QScrollBar>

namespace zem {

ZoomFenster::ZoomFenster(Programm& p)
    : SeitenFenster(QStringLiteral("Zoom"), { 855, 1455 }, true)
    , ZoomScroll(new QScrollBar(Qt::Vertical, this))
    , ZoomNormal(new QPushButton(QStringLiteral("Normal"), this))
    , m_p(p)
{
    setObjectName(QStringLiteral("ZoomFenster"));
    // The window's place in twips is that of its client area; move() would place the frame.
    setGeometry(QRect(twipsZuPixel(4050), twipsZuPixel(4485), width(), height()));
    ZoomScroll->setObjectName(QStringLiteral("ZoomScroll"));
    ZoomScroll->setGeometry(twipsRechteck(0, 0, 855, 1455));
    ZoomScroll->setRange(6, 1000);
    ZoomScroll->setSingleStep(1);
    ZoomScroll->setPageStep(100);
    ZoomScroll->setValue(565);
    // The change comes once the thumb is released, not while it is dragged.
    ZoomScroll->setTracking(false);
    ZoomScroll->setAccessibleName(QStringLiteral("Zoom"));
    connect(ZoomScroll, &QScrollBar::valueChanged, this, [this] { ZoomScroll_Change(); });

    ZoomNormal->setObjectName(QStringLiteral("ZoomNormal"));
    ZoomNormal->setGeometry(twipsRechteck(120, 600, 615, 255));
    QFont schrift(QStringLiteral("MS Serif"));
    schrift.setPointSizeF(6.75);
    schrift.setWeight(QFont::Normal);
    ZoomNormal->setFont(schrift);
    ZoomNormal->setToolTip(QStringLiteral("Clicken Sie Hier um eine normale Größe des Objektes zu erhalten"));
    ZoomNormal->raise();
    connect(ZoomNormal, &QPushButton::clicked, this, [this] { ZoomScroll->setValue(565); });
}

void ZoomFenster::ZoomScroll_Change()
{
    ZoomSetzen(m_p);
    AllesZeichnen(m_p);
}

} // namespace zem
