#include "platform/Raster.h"

#include <cmath>
#include <cstdlib>

namespace zem::Raster {

namespace {

// Liang-Barsky: one parameter bound of the clip; false when the segment lies wholly outside.
inline bool grenze(double p, double q, double& t0, double& t1)
{
    if (p == 0)
        return q >= 0;
    const double t = q / p;
    if (p < 0) {
        if (t > t1)
            return false;
        if (t > t0)
            t0 = t;
    } else {
        if (t < t0)
            return false;
        if (t < t1)
            t1 = t;
    }
    return true;
}

} // namespace

void LinieInnen(Bild& bild, int x0, int y0, int x1, int y1, std::uint32_t farbe)
{
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int stepX = x0 < x1 ? 1 : -1;
    const int stepY = (y0 < y1 ? 1 : -1) * bild.zeilenlaenge;
    std::uint32_t* p = bild.zeilen + static_cast<std::ptrdiff_t>(y0) * bild.zeilenlaenge + x0;
    if (dx >= dy) {
        int fehler = dx / 2;
        for (int i = 0; i <= dx; ++i) {
            *p = farbe;
            p += stepX;
            fehler -= dy;
            if (fehler < 0) {
                fehler += dx;
                p += stepY;
            }
        }
    } else {
        int fehler = dy / 2;
        for (int i = 0; i <= dy; ++i) {
            *p = farbe;
            p += stepY;
            fehler -= dx;
            if (fehler < 0) {
                fehler += dy;
                p += stepX;
            }
        }
    }
}

void Linie(Bild& bild, double x0, double y0, double x1, double y1, std::uint32_t farbe)
{
    if (bild.breite <= 0 || bild.hoehe <= 0)
        return;
    // Work on pixel centres: the clip box runs from the first to the last centre.
    x0 -= 0.5;
    y0 -= 0.5;
    x1 -= 0.5;
    y1 -= 0.5;
    if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1)))
        return;
    const double maxX = bild.breite - 1;
    const double maxY = bild.hoehe - 1;
    const bool innen = x0 >= 0 && x0 <= maxX && y0 >= 0 && y0 <= maxY && x1 >= 0 && x1 <= maxX && y1 >= 0 && y1 <= maxY;
    if (!innen) {
        const double dx = x1 - x0;
        const double dy = y1 - y0;
        if (!std::isfinite(dx) || !std::isfinite(dy))
            return;
        double t0 = 0, t1 = 1;
        if (!grenze(-dx, x0, t0, t1) || !grenze(dx, maxX - x0, t0, t1) || !grenze(-dy, y0, t0, t1)
            || !grenze(dy, maxY - y0, t0, t1))
            return;
        if (t1 < 1) {
            x1 = x0 + t1 * dx;
            y1 = y0 + t1 * dy;
        }
        if (t0 > 0) {
            x0 = x0 + t0 * dx;
            y0 = y0 + t0 * dy;
        }
    }
    // Rounding can leave a clipped end a hair outside the box; the clamp keeps every pixel inside.
    const auto fest = [](double v, double hoechst) {
        const long r = std::lround(v);
        return static_cast<int>(r < 0 ? 0 : (r > hoechst ? static_cast<long>(hoechst) : r));
    };
    LinieInnen(bild, fest(x0, maxX), fest(y0, maxY), fest(x1, maxX), fest(y1, maxY), farbe);
}

void Punkt(Bild& bild, double x, double y, std::uint32_t farbe)
{
    if (!(x >= 0 && y >= 0 && x < bild.breite && y < bild.hoehe))
        return;
    bild.zeilen[static_cast<std::ptrdiff_t>(y) * bild.zeilenlaenge + static_cast<int>(x)] = farbe;
}

void Kreis(Bild& bild, double x, double y, double r, std::uint32_t farbe)
{
    r = std::fabs(r);
    if (!(std::isfinite(x) && std::isfinite(y) && std::isfinite(r)))
        return;
    const double rand = r + 1;
    if (x + rand < 0 || y + rand < 0 || x - rand > bild.breite || y - rand > bild.hoehe)
        return;
    // Beyond a few thousand pixels a circle is drawn as a fine polygon, which the clip makes cheap.
    if (r > 4096) {
        constexpr int Seiten = 720;
        double px = x + r, py = y;
        for (int i = 1; i <= Seiten; ++i) {
            const double w = 2 * M_PI * i / Seiten;
            const double nx = x + r * std::cos(w), ny = y + r * std::sin(w);
            Linie(bild, px, py, nx, ny, farbe);
            px = nx;
            py = ny;
        }
        return;
    }
    // Midpoint circle around the pixel that holds the centre.
    const int cx = static_cast<int>(std::floor(x));
    const int cy = static_cast<int>(std::floor(y));
    const int ri = static_cast<int>(std::lround(r));
    const auto setzen = [&](int px, int py) {
        if (px >= 0 && py >= 0 && px < bild.breite && py < bild.hoehe)
            bild.zeilen[static_cast<std::ptrdiff_t>(py) * bild.zeilenlaenge + px] = farbe;
    };
    int dx = ri, dy = 0, fehler = 1 - ri;
    while (dx >= dy) {
        setzen(cx + dx, cy + dy);
        setzen(cx - dx, cy + dy);
        setzen(cx + dx, cy - dy);
        setzen(cx - dx, cy - dy);
        setzen(cx + dy, cy + dx);
        setzen(cx - dy, cy + dx);
        setzen(cx + dy, cy - dx);
        setzen(cx - dy, cy - dx);
        ++dy;
        if (fehler < 0) {
            fehler += 2 * dy + 1;
        } else {
            --dx;
            fehler += 2 * (dy - dx) + 1;
        }
    }
}

} // namespace zem::Raster
