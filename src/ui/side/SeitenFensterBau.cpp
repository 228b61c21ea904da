#include "ui/side/SeitenFensterBau.h"

#include "model/Programm.h"
#include "platform/Listenfeld.h"
#include "platform/Twips.h"
#include "platform/Zeichenflaeche.h"
#include "view/Bewegungen.h"
#include "view/Mitte.h"
#include "view/Zeichnen.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

namespace zem {

namespace {
QRect twipsRechteck(int links, int oben, int breite, int hoehe)
{
    return { twipsZuPixel(links), twipsZuPixel(oben), twipsZuPixel(breite), twipsZuPixel(hoehe) };
}
} // namespace

ListenFenster::ListenFenster(const QString& name, const QString& titel, const QString& listenName, QSize clientTwips)
    : SeitenFenster(titel, clientTwips, false)
    , m_liste(new Listenfeld(this))
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

ZoomFenster::ZoomFenster(Programm& p)
    : SeitenFenster(QStringLiteral("Zoom"), { 855, 1455 }, true)
    , ZoomScroll(new QScrollBar(Qt::Vertical, this))
    , ZoomNormal(new QPushButton(QStringLiteral("Normal"), this))
    , m_p(p)
{
    setObjectName(QStringLiteral("ZoomFenster"));
    // The design places the client area; move() would place the frame.
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
    Bewegungen::ZoomSetzen(m_p);
    Zeichnen::AllesZeichnen(m_p);
}

KoordsFenster::KoordsFenster()
    : SeitenFenster(QStringLiteral("Punkt 0000"), { 1110, 720 }, true)
{
    setObjectName(QStringLiteral("KoordsFenster"));
    const char* achsen[3] = { "X:", "Y:", "Z:" };
    // The axis letters' labels are only 135 twips wide: "X:" fits there at 6 point.
    QFont buchstaben = font();
    buchstaben.setPointSizeF(6);
    for (int j = 0; j < 3; ++j) {
        Label3[j] = new QLabel(QLatin1String(achsen[j]), this);
        Label3[j]->setFont(buchstaben);
        Label3[j]->setObjectName(QStringLiteral("Label3_%1").arg(j));
        Label3[j]->setGeometry(twipsRechteck(0, 240 * j, 135, 255));
        Label1[j] = new QLabel(QStringLiteral("-100.0001"), this);
        Label1[j]->setObjectName(QStringLiteral("Label1_%1").arg(j));
        Label1[j]->setGeometry(twipsRechteck(240, 240 * j, 855, 255));
        Label3[j]->setBuddy(Label1[j]);
    }
    Label1[1]->setToolTip(QStringLiteral("y Koordinate"));
}

QImage BewegungsFenster::pfeilbild()
{
    QImage bild(180, 180, QImage::Format_RGB32);
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
    m_flaeche->setHintergrundbild(pfeilbild());
    m_flaeche->setScaleLeft(-0.5f);
    m_flaeche->setScaleTop(-0.5f);
    m_flaeche->setScaleWidth(1);
    m_flaeche->setScaleHeight(1);

    MoveTimer->setObjectName(QStringLiteral("MoveTimer"));
    MoveTimer->setInterval(100);
    connect(MoveTimer, &QTimer::timeout, this, [this] { MoveTimer_Timer(m_p); });

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRechteck(1080, 1080, 495, 495));
    Command1->raise(); // in front of the picture, which was made after it
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(m_p); });
}

void BewegungsFenster::mausRunter(int, int, float x, float y)
{
    MoveTimer->start();
    m_p.s.BewegX = x / 10;
    m_p.s.BewegY = y / 10;
}

void BewegungsFenster::mausBewegt(int, int, float x, float y)
{
    m_p.s.BewegX = x / 10;
    m_p.s.BewegY = y / 10;
}

void BewegungsFenster::mausHoch(int, int, float, float)
{
    MoveTimer->stop();
}

void BewegungsFenster::MoveTimer_Timer(Programm& p)
{
    Zeichenflaeche& f = *p.f.Flaeche;
    f.setScaleLeft(f.scaleWidth() * p.s.BewegX + f.scaleLeft());
    f.setScaleTop(f.scaleHeight() * p.s.BewegY + f.scaleTop());
    Bewegungen::MitteBestimmen(p);
    Zeichnen::AllesZeichnen(p);
}

void BewegungsFenster::Command1_Click(Programm& p)
{
    Zeichenflaeche& f = *p.f.Flaeche;
    f.setScaleLeft(f.scaleWidth() * -0.5f);
    f.setScaleTop(f.scaleHeight() * -0.5f);
    Bewegungen::MitteBestimmen(p);
    Zeichnen::AllesZeichnen(p);
}

} // namespace zem
