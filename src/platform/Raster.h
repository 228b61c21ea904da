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

// Solid 1-pixel line between two points given in pixel coordinates (pixel i covers [i, i + 1)), both
// ends included. The segment is clipped to the image first, so ends far outside it cost nothing;
// a segment with an infinite or NaN end draws nothing.
void Linie(Bild& bild, double x0, double y0, double x1, double y1, std::uint32_t farbe);

// The same for integer pixel ends that already lie inside the image.
void LinieInnen(Bild& bild, int x0, int y0, int x1, int y1, std::uint32_t farbe);

// Circle outline around (x, y) with the radius r, all in pixels.
void Kreis(Bild& bild, double x, double y, double r, std::uint32_t farbe);

// Sets one pixel when it lies inside the image.
void Punkt(Bild& bild, double x, double y, std::uint32_t farbe);

} // namespace zem::Raster
