#include "ui/widgets/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace zem {

double logischeDpi()
{
    const QScreen* schirm = QGuiApplication::primaryScreen();
    const double dpi = schirm ? schirm->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

int twipsZuPixel(int twips)
{
    return static_cast<int>(std::lround(twips * logischeDpi() / 1440.0));
}

double pixelZuTwips(int pixel)
{
    return pixel * 1440.0 / logischeDpi();
}

QRect twipsRechteck(int links, int oben, int breite, int hoehe)
{
    return { twipsZuPixel(links), twipsZuPixel(oben), twipsZuPixel(breite), twipsZuPixel(hoehe) };
}

} // namespace zem
