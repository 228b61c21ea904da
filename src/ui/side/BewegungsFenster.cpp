#include "ui/side/BewegungsFenster.h"

#include "ui/main/Programm.h"
#include "ui/widgets/Twips.h"
#include "view/Bewegungen.h"

#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace zem {

QImage BewegungsFenster::pfeilbild(qreal verhaeltnis)
{
    // On the screen's device pixels, in the same logical coordinates: sharp at every scale.
    const int seite = int(std::ceil(180 * verhaeltnis));
    QImage bild(seite, seite, QImage::Format_RGB32);
    bild.setDevicePixelRatio(verhaeltnis);
    bild.fill(QColor(192, 192, 192));
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    maler.setBrush(Qt::black);
    const QPointF mitte(90, 90);
    for (int richtung = 0; richtung < 8; ++richtung) {
        const double winkel = richtung * M_PI / 4;
        // Edge midpoints lie 84 pixels out, the corners 84 times the square root of two.
        const double laenge = (richtung % 2 ? 84 * std::sqrt(2.0) : 84) - 2;
        const QPointF richtungsvektor(std::cos(winkel), -std::sin(winkel));
        const QPointF spitze = mitte + richtungsvektor * laenge;
        maler.drawLine(mitte + richtungsvektor * 20, spitze - richtungsvektor * 8);
        const QPointF quer(-richtungsvektor.y(), richtungsvektor.x());
        const QPointF kopf[3]
            = { spitze, spitze - richtungsvektor * 14 + quer * 7, spitze - richtungsvektor * 14 - quer * 7 };
        maler.drawPolygon(kopf, 3);
    }
    return bild;
}

BewegungsFenster::BewegungsFenster(Programm& p)
    : SeitenFenster(QStringLiteral("Bewegungen"), { 2700, 2730 }, true)
    , MoveTimer(new QTimer(this))
    , Command1(new QPushButton(QStringLiteral("Mitte"), this))
    , m_p(p)
    , m_flaeche(new Zeichenflaeche(this))
{
    setObjectName(QStringLiteral("BewegungsFenster"));
    setGeometry(QRect(twipsZuPixel(4050), twipsZuPixel(4290), width(), height()));
    m_flaeche->setObjectName(QStringLiteral("BewegungsFlaeche"));
    m_flaeche->setGeometry(rect());
    m_flaeche->setEmpfaenger(this);
    Leinwand& bild = m_flaeche->leinwand();
    bild.setHintergrundbild(pfeilbild);
    bild.setScaleLeft(-0.5f);
    bild.setScaleTop(-0.5f);
    bild.setScaleWidth(1);
    bild.setScaleHeight(1);

    MoveTimer->setObjectName(QStringLiteral("MoveTimer"));
    MoveTimer->setInterval(100);
    connect(MoveTimer, &QTimer::timeout, this, [this] { MoveTimer_Timer(m_p); });

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRechteck(1080, 1080, 495, 495));
    Command1->raise(); // in front of the picture, which was made after it
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(m_p); });
}

void BewegungsFenster::mausRunter(int, float x, float y)
{
    MoveTimer->start();
    m_p.s.BewegX = x / 10;
    m_p.s.BewegY = y / 10;
}

void BewegungsFenster::mausBewegt(int, float x, float y)
{
    m_p.s.BewegX = x / 10;
    m_p.s.BewegY = y / 10;
}

void BewegungsFenster::mausHoch(int, float, float)
{
    MoveTimer->stop();
}

void BewegungsFenster::MoveTimer_Timer(Programm& p)
{
    Leinwand& f = *p.f.leinwand;
    f.setScaleLeft(f.scaleWidth() * p.s.BewegX + f.scaleLeft());
    f.setScaleTop(f.scaleHeight() * p.s.BewegY + f.scaleTop());
    Bewegungen::mitteBestimmen(p.s, *p.f.leinwand);
    AllesZeichnen(p);
}

void BewegungsFenster::Command1_Click(Programm& p)
{
    Leinwand& f = *p.f.leinwand;
    f.setScaleLeft(f.scaleWidth() * -0.5f);
    f.setScaleTop(f.scaleHeight() * -0.5f);
    Bewegungen::mitteBestimmen(p.s, *p.f.leinwand);
    AllesZeichnen(p);
}

} // namespace zem
