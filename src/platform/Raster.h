#pragma once

#include <cstdint>

namespace zem::Raster {

// A 32-bit pixel image to draw into: pixel (x, y) is zeilen[y * zeilenlaenge + x].
struct Bild {
    std::uint32_t* zeilen = nullptr;
    int breite = 0;
    int hoehe = 0;
    int zeilenlaenge = 0; // in pixels
};

// Every function takes positions in pixel coordinates: pixel (i, j) covers [i, i + 1) x [j, j + 1), so
// a position lands on the pixel floor(x), floor(y). Nothing is ever written outside the image.

// Solid 1-pixel line, both ends included. A segment that leaves the image is clipped to it first, so
// ends far outside cost no more than ends inside; a segment with an infinite or NaN end draws nothing.
void Linie(Bild& bild, double x0, double y0, double x1, double y1, std::uint32_t farbe);

// Bresenham line between two pixels that both lie inside the image, both ends included.
void LinieInnen(Bild& bild, int x0, int y0, int x1, int y1, std::uint32_t farbe);

// Circle outline around (x, y) with the radius |r|; nothing for an infinite or NaN value.
void Kreis(Bild& bild, double x, double y, double r, std::uint32_t farbe);

// Sets the pixel under (x, y) when it lies inside the image.
void Punkt(Bild& bild, double x, double y, std::uint32_t farbe);

} // namespace zem::Raster
