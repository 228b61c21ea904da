#include "platform/Raster.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>

namespace zem::Raster {

namespace {

enum : int { Links = 1, Rechts = 2, Oben = 4, Unten = 8 };

inline int lage(double x, double y, double maxX, double maxY)
{
    return (x < 0 ? Links : (x > maxX ? Rechts : 0)) | (y < 0 ? Oben : (y > maxY ? Unten : 0));
}

// Cohen-Sutherland on doubles: moves each end that lies outside the box [0, maxX] x [0, maxY] onto the
// edge its segment crosses. The moved end's other coordinate is computed from the opposite end, so an
// end far outside costs no precision as long as the opposite end is near the box. Differences that
// would overflow are formed from halved coordinates. False when no part of the segment is in the box.
bool kappen(double& x0, double& y0, double& x1, double& y1, double maxX, double maxY)
{
    int c0 = lage(x0, y0, maxX, maxY);
    int c1 = lage(x1, y1, maxX, maxY);
    // Every pass puts one end onto an edge; rounding can cost one more pass per end, never more.
    for (int durchgang = 0; durchgang < 8; ++durchgang) {
        if ((c0 | c1) == 0)
            return true;
        if (c0 & c1)
            return false;
        const bool erstes = c0 != 0;
        double& px = erstes ? x0 : x1;
        double& py = erstes ? y0 : y1;
        const double qx = erstes ? x1 : x0;
        const double qy = erstes ? y1 : y0;
        const int c = erstes ? c0 : c1;
        double dx = px - qx;
        double dy = py - qy;
        if (!std::isfinite(dx) || !std::isfinite(dy)) {
            dx = px * 0.5 - qx * 0.5;
            dy = py * 0.5 - qy * 0.5;
        }
        // The opposite end lies on the inner side of the edge chosen, so the divisor is not zero.
        if (c & (Links | Rechts)) {
            const double kante = (c & Links) ? 0.0 : maxX;
            py = qy + (kante - qx) * (dy / dx);
            px = kante;
        } else {
            const double kante = (c & Oben) ? 0.0 : maxY;
            px = qx + (kante - qy) * (dx / dy);
            py = kante;
        }
        if (!std::isfinite(px) || !std::isfinite(py))
            return false;
        (erstes ? c0 : c1) = lage(px, py, maxX, maxY);
    }
    return false;
}

// Widens the box by the pixels from (x0, y0) to (x1, y1) that lie inside the image.
inline void umfassen(Bild& bild, int x0, int y0, int x1, int y1)
{
    bild.links = std::min(bild.links, std::max(x0, 0));
    bild.oben = std::min(bild.oben, std::max(y0, 0));
    bild.rechts = std::max(bild.rechts, std::min(x1, bild.breite - 1));
    bild.unten = std::max(bild.unten, std::min(y1, bild.hoehe - 1));
}

// The pen around the pixel (x, y), which lies inside the image.
void tupfen(Bild& bild, int x, int y, std::uint32_t farbe)
{
    const int x0 = std::max(0, x - (bild.stift - 1) / 2), x1 = std::min(bild.breite - 1, x + bild.stift / 2);
    const int y0 = std::max(0, y - (bild.stift - 1) / 2), y1 = std::min(bild.hoehe - 1, y + bild.stift / 2);
    for (int j = y0; j <= y1; ++j) {
        std::uint32_t* zeile = bild.zeilen + static_cast<std::ptrdiff_t>(j) * bild.zeilenlaenge;
        std::fill(zeile + x0, zeile + x1 + 1, farbe);
    }
    umfassen(bild, x0, y0, x1, y1);
}

inline void setzen(Bild& bild, int x, int y, std::uint32_t farbe)
{
    if (x >= 0 && y >= 0 && x < bild.breite && y < bild.hoehe)
        tupfen(bild, x, y, farbe);
}

// The line from pixel (x0, y0) to (x1, y1), both inside the image, as Bresenham draws it: along the major
// axis (x when dx >= dy) one pixel a step.
struct Zug {
    std::uint32_t* p;
    int lang, kurz; // the steps along the major axis and across it
    std::ptrdiff_t haupt, neben;
    int quer, querSchritt; // the coordinate across the major axis
    bool steil;

    Zug(const Bild& bild, int x0, int y0, int x1, int y1)
    {
        const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
        const int stepX = x0 < x1 ? 1 : -1, richtungY = y0 < y1 ? 1 : -1;
        const std::ptrdiff_t stepY = std::ptrdiff_t(richtungY) * bild.zeilenlaenge;
        p = bild.zeilen + static_cast<std::ptrdiff_t>(y0) * bild.zeilenlaenge + x0;
        steil = dy > dx;
        lang = steil ? dy : dx;
        kurz = steil ? dx : dy;
        haupt = steil ? stepY : stepX;
        neben = steil ? stepX : stepY;
        quer = steil ? x0 : y0;
        querSchritt = steil ? stepX : richtungY;
    }

    // setze(pixel, coordinate across the major axis) for each pixel, both ends included.
    template <typename Setzen> void ziehen(Setzen setze) const
    {
        std::uint32_t* q = p;
        int fehler = lang / 2, querNun = quer;
        for (int i = 0; i <= lang; ++i) {
            setze(q, querNun);
            q += haupt;
            fehler -= kurz;
            if (fehler < 0) {
                fehler += lang;
                q += neben;
                querNun += querSchritt;
            }
        }
    }
};

// LinieInnen for a pen wider than a pixel, whose pixels across the line may leave the image; kept out
// of LinieInnen, whose 1-pixel lines then need fewer registers. The pen's pixels across the major axis
// lie quer apart: side by side in a row for a steep line, stacked in a column for a shallow one.
[[gnu::noinline]] void breitInnen(Bild& bild, int x0, int y0, int x1, int y1, std::uint32_t farbe)
{
    const Zug zug(bild, x0, y0, x1, y1);
    const int vor = (bild.stift - 1) / 2, nach = bild.stift / 2;
    const int von = std::min(zug.quer, zug.steil ? x1 : y1) - vor;
    const int bis = std::max(zug.quer, zug.steil ? x1 : y1) + nach;
    const int letzte = (zug.steil ? bild.breite : bild.hoehe) - 1;
    if (zug.steil)
        umfassen(bild, von, std::min(y0, y1), bis, std::max(y0, y1));
    else
        umfassen(bild, std::min(x0, x1), von, std::max(x0, x1), bis);
    const std::ptrdiff_t quer = zug.steil ? 1 : bild.zeilenlaenge;
    // The widths of the usual screen scales, written out where the pen stays inside. The offset stays a
    // variable: a steep line's pixels merged into one wider store make it slower.
    if (von >= 0 && bis <= letzte && bild.stift == 2) {
        zug.ziehen([quer, farbe](std::uint32_t* p, int) {
            p[0] = farbe;
            p[quer] = farbe;
        });
    } else if (von >= 0 && bis <= letzte && bild.stift == 3) {
        zug.ziehen([quer, farbe](std::uint32_t* p, int) {
            p[-quer] = farbe;
            p[0] = farbe;
            p[quer] = farbe;
        });
    } else {
        zug.ziehen([vor, nach, letzte, quer, farbe](std::uint32_t* p, int q) {
            for (int k = std::max(-vor, -q); k <= std::min(nach, letzte - q); ++k)
                p[k * quer] = farbe;
        });
    }
}

// Midpoint circle around the pixel that holds the centre; r at most a few thousand pixels.
void kleinerKreis(Bild& bild, double x, double y, double r, std::uint32_t farbe)
{
    const int cx = static_cast<int>(std::floor(x));
    const int cy = static_cast<int>(std::floor(y));
    int dx = static_cast<int>(std::lround(r));
    int dy = 0;
    int fehler = 1 - dx;
    while (dx >= dy) {
        setzen(bild, cx + dx, cy + dy, farbe);
        setzen(bild, cx - dx, cy + dy, farbe);
        setzen(bild, cx + dx, cy - dy, farbe);
        setzen(bild, cx - dx, cy - dy, farbe);
        setzen(bild, cx + dy, cy + dx, farbe);
        setzen(bild, cx - dy, cy + dx, farbe);
        setzen(bild, cx + dy, cy - dx, farbe);
        setzen(bild, cx - dy, cy - dx, farbe);
        ++dy;
        if (fehler < 0) {
            fehler += 2 * dy + 1;
        } else {
            --dx;
            fehler += 2 * (dy - dx) + 1;
        }
    }
}

// A circle much larger than the image: the pixels where the outline crosses the middle of each pixel
// row and of each pixel column of the image. The cost follows the image, not the radius.
void grosserKreis(Bild& bild, double x, double y, double r, std::uint32_t farbe)
{
    const auto schnitte = [r](double d, auto&& setze) {
        const double q = (r - d) * (r + d);
        if (q >= 0) {
            const double w = std::sqrt(q);
            setze(-w);
            setze(w);
        }
    };
    const double zeileVon = std::max(0.0, std::floor(y - r));
    const double zeileBis = std::min(bild.hoehe - 1.0, std::floor(y + r));
    if (zeileVon <= zeileBis) {
        for (int j = static_cast<int>(zeileVon); j <= static_cast<int>(zeileBis); ++j)
            schnitte(j + 0.5 - y, [&](double w) { Punkt(bild, x + w, j + 0.5, farbe); });
    }
    const double spalteVon = std::max(0.0, std::floor(x - r));
    const double spalteBis = std::min(bild.breite - 1.0, std::floor(x + r));
    if (spalteVon <= spalteBis) {
        for (int i = static_cast<int>(spalteVon); i <= static_cast<int>(spalteBis); ++i)
            schnitte(i + 0.5 - x, [&](double w) { Punkt(bild, i + 0.5, y + w, farbe); });
    }
}

} // namespace

void LinieInnen(Bild& bild, int x0, int y0, int x1, int y1, std::uint32_t farbe)
{
    if (bild.stift > 1) {
        breitInnen(bild, x0, y0, x1, y1, farbe);
        return;
    }
    umfassen(bild, std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1));
    Zug(bild, x0, y0, x1, y1).ziehen([farbe](std::uint32_t* p, int) { *p = farbe; });
}

void Linie(Bild& bild, double x0, double y0, double x1, double y1, std::uint32_t farbe)
{
    const double breite = bild.breite;
    const double hoehe = bild.hoehe;
    // Most segments of a picture lie wholly inside; NaN fails these tests and takes the long way.
    if (x0 >= 0 && x0 < breite && y0 >= 0 && y0 < hoehe && x1 >= 0 && x1 < breite && y1 >= 0 && y1 < hoehe) {
        LinieInnen(bild, static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1), farbe);
        return;
    }
    // Wholly on the outer side of one edge: most segments that are not inside end here.
    if ((x0 < 0 && x1 < 0) || (y0 < 0 && y1 < 0) || (x0 >= breite && x1 >= breite) || (y0 >= hoehe && y1 >= hoehe))
        return;
    if (bild.breite <= 0 || bild.hoehe <= 0)
        return;
    if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1)))
        return;
    // The box ends at the largest double below the far edges, so that the last pixel of a row or column
    // is the last one hit; for a positive double that is the one whose bit pattern is one less.
    const auto darunter = [](double v) { return std::bit_cast<double>(std::bit_cast<std::uint64_t>(v) - 1); };
    if (!kappen(x0, y0, x1, y1, darunter(breite), darunter(hoehe)))
        return;
    LinieInnen(bild, static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1), farbe);
}

void Punkt(Bild& bild, double x, double y, std::uint32_t farbe)
{
    if (x >= 0 && y >= 0 && x < bild.breite && y < bild.hoehe)
        tupfen(bild, static_cast<int>(x), static_cast<int>(y), farbe);
}

void BoxFuellen(const Bild& bild, std::uint32_t farbe)
{
    for (int y = bild.oben; y <= bild.unten; ++y) {
        std::uint32_t* p = bild.zeilen + static_cast<std::ptrdiff_t>(y) * bild.zeilenlaenge + bild.links;
        std::uint32_t* const ende = p + (bild.rechts - bild.links + 1);
        // Eight at a time, which the compiler turns into vector stores.
        for (; ende - p >= 8; p += 8)
            for (int k = 0; k < 8; ++k)
                p[k] = farbe;
        std::fill(p, ende, farbe);
    }
}

void Kreis(Bild& bild, double x, double y, double r, std::uint32_t farbe)
{
    r = std::fabs(r);
    if (!(std::isfinite(x) && std::isfinite(y) && std::isfinite(r)))
        return;
    const double rand = r + 1;
    if (x + rand < 0 || y + rand < 0 || x - rand > bild.breite || y - rand > bild.hoehe)
        return;
    if (r <= 4096)
        kleinerKreis(bild, x, y, r, farbe);
    else
        grosserKreis(bild, x, y, r, farbe);
}

} // namespace zem::Raster
