#pragma once

#include <QRect>

namespace zem {

// The windows' sizes and places are given in twips (1/1440 inch); the screen's logical DPI turns them
// into pixels.
double logischeDpi();
int twipsZuPixel(int twips);
// Pixels of the screen back to twips.
double pixelZuTwips(int pixel);
// A rectangle given in twips, on the screen in pixels.
QRect twipsRechteck(int links, int oben, int breite, int hoehe);

} // namespace zem
