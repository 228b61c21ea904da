#pragma once

namespace zem {

// Design sizes are in twips (1/1440 inch); the screen's logical DPI turns them into pixels.
int twipsZuPixel(int twips);
// Pixels of the screen back to twips.
double pixelZuTwips(int pixel);

} // namespace zem
