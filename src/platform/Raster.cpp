#include "platform/Raster.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace zem::Raster {

// Eight colour numbers are read as one 64-bit word, the first in its lowest byte.
static_assert(std::endian::native == std::endian::little);

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
        if (erstes)
            c0 = lage(px, py, maxX, maxY);
        else
            c1 = lage(px, py, maxX, maxY);
    }
    return false;
}

// The pixels of a segment's ends after clipping it to a layer of that size; false when no part of it
// is in the layer.
bool endpixel(double x0, double y0, double x1, double y1, int breite, int hoehe, std::int32_t (&p)[4])
{
    const double b = breite, h = hoehe;
    // Wholly on the outer side of one edge: most segments that are not inside end here.
    if ((x0 < 0 && x1 < 0) || (y0 < 0 && y1 < 0) || (x0 >= b && x1 >= b) || (y0 >= h && y1 >= h))
        return false;
    if (breite <= 0 || hoehe <= 0)
        return false;
    if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1)))
        return false;
    // The box ends at the largest double below the far edges, so that the last pixel of a row or column
    // is the last one hit; for a positive double that is the one whose bit pattern is one less.
    const auto darunter = [](double v) { return std::bit_cast<double>(std::bit_cast<std::uint64_t>(v) - 1); };
    if (!kappen(x0, y0, x1, y1, darunter(b), darunter(h)))
        return false;
    p[0] = static_cast<std::int32_t>(x0);
    p[1] = static_cast<std::int32_t>(y0);
    p[2] = static_cast<std::int32_t>(x1);
    p[3] = static_cast<std::int32_t>(y1);
    return true;
}

inline std::uint8_t* zeile(const Bild& bild, int y)
{
    return bild.zeilen + static_cast<std::ptrdiff_t>(y) * bild.zeilenlaenge;
}

// The pen around the pixel (x, y), which lies inside the image.
void tupfen(Bild& bild, Band band, int x, int y, std::uint8_t farbe)
{
    const int x0 = std::max(0, x - (bild.stift - 1) / 2), x1 = std::min(bild.breite - 1, x + bild.stift / 2);
    const int y0 = std::max(band.oben, y - (bild.stift - 1) / 2), y1 = std::min(band.unten, y + bild.stift / 2);
    if (y0 > y1)
        return;
    for (int j = y0; j <= y1; ++j)
        std::memset(zeile(bild, j) + x0, farbe, std::size_t(x1 - x0 + 1));
}

inline void setzen(Bild& bild, Band band, int x, int y, std::uint8_t farbe)
{
    if (x >= 0 && y >= 0 && x < bild.breite && y < bild.hoehe)
        tupfen(bild, band, x, y, farbe);
}

void punkt(Bild& bild, Band band, double x, double y, std::uint8_t farbe)
{
    if (x >= 0 && y >= 0 && x < bild.breite && y < bild.hoehe)
        tupfen(bild, band, static_cast<int>(x), static_cast<int>(y), farbe);
}

// floor((a + i b) / n) for i = 0, 1, 2, ... and n from 1 to 65535, as (anfang + i schritt) >> 32 in 32.32
// fixed point, both terms rounded up: exact for i < 65536, as the roundings add less than (i + 1) / 2^32,
// less than 1 / n, to a fraction at least 1 / n below the next whole number. A walk starts anywhere at the
// cost of one product, and a step has no branch and a dependency of one addition.
struct Folge {
    std::uint64_t schritt, anfang;

    // A term of 0 costs no division.
    Folge(std::uint64_t a, std::uint64_t b, std::uint64_t n)
        : schritt(b == 0 ? 0 : ((b << 32) + n - 1) / n)
        , anfang(a == 0 ? 0 : ((a << 32) + n - 1) / n)
    {
    }
    std::uint64_t fest(int i) const { return anfang + std::uint64_t(i) * schritt; }
};

// The pixels of a steep line from the step von to the step bis: the one of step i lies i haupt and k(i)
// neben from p, k(i) = g.fest(i) >> 32.
template <typename Setze>
inline void ziehen(
    const Folge& g, std::uint8_t* p, std::ptrdiff_t haupt, std::ptrdiff_t neben, int von, int bis, Setze setze)
{
    std::uint64_t k = g.fest(von);
    const std::uint64_t schritt = g.schritt;
    p += von * haupt;
    for (int i = von; i <= bis; ++i, p += haupt, k += schritt)
        setze(p + std::ptrdiff_t(k >> 32) * neben, int(k >> 32));
}

// The pen's pixels beside each other in a row, written out for the widths of the usual screen scales.
template <typename Ziehen> inline void quer(int stift, std::uint8_t farbe, Ziehen ziehe)
{
    switch (stift) {
    case 1:
        ziehe([=](std::uint8_t* p, int) { *p = farbe; });
        break;
    case 2:
        ziehe([zwei = std::uint16_t(farbe * 0x101u)](std::uint8_t* p, int) { std::memcpy(p, &zwei, 2); });
        break;
    case 3:
        ziehe([=](std::uint8_t* p, int) { std::memset(p - 1, farbe, 3); });
        break;
    default:
        ziehe([=, vor = (stift - 1) / 2](std::uint8_t* p, int) { std::memset(p - vor, farbe, std::size_t(stift)); });
    }
}

// A steep line (dy > dx): in each row of the band it passes one pixel, with the pen's pixels beside it in
// the row, cut at the image's edges.
void steil(Bild& bild, Band band, int x0, int y0, int x1, int y1, std::uint8_t farbe)
{
    const int oben = std::max(band.oben, std::min(y0, y1)), unten = std::min(band.unten, std::max(y0, y1));
    if (oben > unten)
        return;
    const int vor = (bild.stift - 1) / 2, nach = bild.stift / 2;
    const int links = std::min(x0, x1) - vor, rechts = std::max(x0, x1) + nach;
    // Bresenham's line, computed instead of stepped: after i steps along the major axis (lang in all) it has
    // taken k(i) = ceil((i kurz - lang / 2) / lang) steps across it, floor((i kurz + c) / lang) with
    // c = lang - 1 - lang / 2. A vertical line stays in its column without a division.
    const int lang = std::abs(y1 - y0), kurz = std::abs(x1 - x0);
    const Folge g(kurz == 0 ? 0 : lang - 1 - lang / 2, kurz, lang);
    const bool runter = y1 > y0;
    const std::ptrdiff_t haupt = runter ? bild.zeilenlaenge : -bild.zeilenlaenge, neben = x1 < x0 ? -1 : 1;
    std::uint8_t* const p = zeile(bild, y0) + x0;
    const int von = runter ? oben - y0 : y0 - unten, bis = runter ? unten - y0 : y0 - oben;
    if (links >= 0 && rechts < bild.breite) {
        quer(bild.stift, farbe, [&](auto setze) { ziehen(g, p, haupt, neben, von, bis, setze); });
        return;
    }
    const int letzte = bild.breite - 1;
    ziehen(g, p, haupt, neben, von, bis, [=](std::uint8_t* q, int k) {
        const int x = x0 + int(neben) * k;
        for (int o = std::max(-vor, -x); o <= std::min(nach, letzte - x); ++o)
            q[o] = farbe;
    });
}

// The n pixels from p on, n >= 1, without reading any: eight at a time and the last eight, or fewer
// than eight in two stores that may overlap. With a width b, n lies from b to 2 b: two stores of b.
template <int B> inline void fuellen(std::uint8_t* p, int n, std::uint64_t acht)
{
    if constexpr (B > 0) {
        std::memcpy(p, &acht, B);
        std::memcpy(p + n - B, &acht, B);
    } else if (n >= 8) {
        std::uint8_t* const letzte = p + n - 8;
        for (; p < letzte; p += 8)
            std::memcpy(p, &acht, 8);
        std::memcpy(letzte, &acht, 8);
    } else if (n >= 4) {
        fuellen<4>(p, n, acht);
    } else if (n >= 2) {
        fuellen<2>(p, n, acht);
    } else {
        fuellen<1>(p, n, acht);
    }
}

// The steps from a to b - 1 of a flat line in the row at zeile, from x0 to the left or to the right.
template <int B> inline void schritteFuellen(std::uint8_t* zeile, int x0, bool links, int a, int b, std::uint64_t acht)
{
    fuellen<B>(zeile + (links ? x0 - b + 1 : x0 + a), b - a, acht);
}

// The rows of the walk where every run is one of the middle, lang / kurz or one more steps long: from
// hinten, beginn(m - w + 1), to vorn, beginn(m + 1), both in fixed point, n rows in all.
template <int B>
std::uint8_t* mitteFuellen(std::uint8_t* zeile, std::ptrdiff_t weiter, int x0, bool links, std::uint64_t hinten,
    std::uint64_t vorn, std::uint64_t schritt, int n, std::uint64_t acht)
{
    for (; n > 0; --n, zeile += weiter, hinten += schritt, vorn += schritt)
        schritteFuellen<B>(zeile, x0, links, int(hinten >> 32), int(vorn >> 32), acht);
    return zeile;
}

// A flat line (dx >= dy), one fill for each row of the image, cut at the band's edges. Row k of the line
// (k steps across, 0 <= k <= kurz) is the run of steps from beginn(k) to beginn(k + 1) - 1: beginn(0) = 0,
// beginn(kurz + 1) = lang + 1 and in between ceil((k lang - c) / kurz), c as for a steep line, where
// Bresenham's line goes across; that is floor(((k - 1) lang + lang / 2 + kurz) / kurz). A pen w wide puts
// the runs of w rows of the line into each row of the image, which meet end to end: row m of the walk
// holds the line's rows m - w + 1 to m, the steps from beginn(m - w + 1) to beginn(m + 1) - 1. Filling
// them at once writes each pixel once, where filling each row of the line with its pen wrote the middle
// w times.
void flach(Bild& bild, Band band, int x0, int y0, int x1, int y1, std::uint8_t farbe)
{
    const int vor = (bild.stift - 1) / 2, nach = bild.stift / 2, s = bild.stift - 1;
    const int lang = std::abs(x1 - x0), kurz = std::abs(y1 - y0);
    // beginn(k) is term k - 1; a horizontal line has no row but its first.
    const Folge f(lang / 2 + kurz, lang, std::max(kurz, 1));
    const auto beginn = [&](int k) { return k <= 0 ? 0 : k > kurz ? lang + 1 : int(f.fest(k - 1) >> 32); };
    // Row m of the walk lies in the image's row y0 + m - vor going down, y0 - m + nach going up.
    const bool runter = y1 >= y0;
    const int mVon = std::max(0, runter ? band.oben - y0 + vor : y0 + nach - band.unten);
    const int mBis = std::min(kurz + s, runter ? band.unten - y0 + vor : y0 + nach - band.oben);
    if (mVon > mBis)
        return;
    const std::ptrdiff_t weiter = runter ? bild.zeilenlaenge : -bild.zeilenlaenge;
    std::uint8_t* zeile = bild.zeilen + std::ptrdiff_t(runter ? y0 + mVon - vor : y0 - mVon + nach) * bild.zeilenlaenge;
    const bool links = x1 < x0;
    const std::uint64_t acht = 0x0101010101010101ull * farbe;
    // The rows that hold the line's first or last row, whose runs are of any length.
    const auto rand = [&](int von, int bis) {
        for (int m = von; m <= bis; ++m, zeile += weiter)
            schritteFuellen<0>(zeile, x0, links, beginn(m - s), beginn(m + 1), acht);
    };
    const int mitteVon = std::max(mVon, s + 1), mitteBis = std::min(mBis, kurz - 1);
    if (mitteVon > mitteBis) {
        rand(mVon, mBis);
        return;
    }
    rand(mVon, mitteVon - 1);
    // A row of the middle holds from w lang / kurz to w (lang / kurz + 1) steps: stores of the widest of
    // 8, 4, 2 and 1 that covers each row in two, else a loop.
    const int w = s + 1, ganz = lang / kurz;
    const int kuerzeste = w * ganz, laengste = w * (ganz + (lang % kurz != 0));
    const auto mitte = [&](auto breite) {
        zeile = mitteFuellen<decltype(breite)::value>(zeile, weiter, x0, links, f.fest(mitteVon - s - 1),
            f.fest(mitteVon), f.schritt, mitteBis - mitteVon + 1, acht);
    };
    const auto passt = [&](int b) { return kuerzeste >= b && laengste <= 2 * b; };
    if (passt(8))
        mitte(std::integral_constant<int, 8>());
    else if (passt(4))
        mitte(std::integral_constant<int, 4>());
    else if (passt(2))
        mitte(std::integral_constant<int, 2>());
    else if (passt(1))
        mitte(std::integral_constant<int, 1>());
    else
        mitte(std::integral_constant<int, 0>());
    rand(mitteBis + 1, mBis);
}

void linie(Bild& bild, Band band, int x0, int y0, int x1, int y1, std::uint8_t farbe)
{
    if (std::abs(y1 - y0) > std::abs(x1 - x0))
        steil(bild, band, x0, y0, x1, y1, farbe);
    else
        flach(bild, band, x0, y0, x1, y1, farbe);
}

// Midpoint circle around the pixel that holds the centre; r at most a few thousand pixels.
void kleinerKreis(Bild& bild, Band band, double x, double y, double r, std::uint8_t farbe)
{
    const int cx = static_cast<int>(std::floor(x));
    const int cy = static_cast<int>(std::floor(y));
    int dx = static_cast<int>(std::lround(r));
    int dy = 0;
    int fehler = 1 - dx;
    while (dx >= dy) {
        setzen(bild, band, cx + dx, cy + dy, farbe);
        setzen(bild, band, cx - dx, cy + dy, farbe);
        setzen(bild, band, cx + dx, cy - dy, farbe);
        setzen(bild, band, cx - dx, cy - dy, farbe);
        setzen(bild, band, cx + dy, cy + dx, farbe);
        setzen(bild, band, cx - dy, cy + dx, farbe);
        setzen(bild, band, cx + dy, cy - dx, farbe);
        setzen(bild, band, cx - dy, cy - dx, farbe);
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
void grosserKreis(Bild& bild, Band band, double x, double y, double r, std::uint8_t farbe)
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
            schnitte(j + 0.5 - y, [&](double w) { punkt(bild, band, x + w, j + 0.5, farbe); });
    }
    const double spalteVon = std::max(0.0, std::floor(x - r));
    const double spalteBis = std::min(bild.breite - 1.0, std::floor(x + r));
    if (spalteVon <= spalteBis) {
        for (int i = static_cast<int>(spalteVon); i <= static_cast<int>(spalteBis); ++i)
            schnitte(i + 0.5 - x, [&](double w) { punkt(bild, band, i + 0.5, y + w, farbe); });
    }
}

// The colours of the pixels from von to bis of a row, and the row of the layer emptied there: in the
// cleared box every pixel, with number 0 the background (farben[0]), elsewhere the drawn ones only; the
// first and last drawn columns widen links and rechts. Eight numbers at a time are looked at together:
// most are 0.
void zeileUebertragen(std::uint8_t* e, std::uint32_t* z, int von, int bis, bool geloescht, const std::uint32_t* farben,
    int& links, int& rechts)
{
    int x = von;
    for (; x + 8 <= bis + 1; x += 8) {
        std::uint64_t acht;
        std::memcpy(&acht, e + x, 8);
        if (acht == 0) {
            if (geloescht)
                std::fill_n(z + x, 8, farben[0]);
            continue;
        }
        links = std::min(links, x + std::countr_zero(acht) / 8);
        rechts = std::max(rechts, x + 7 - std::countl_zero(acht) / 8);
        std::memset(e + x, 0, 8);
        if (geloescht) {
            for (int k = 0; k < 8; ++k, acht >>= 8)
                z[x + k] = farben[acht & 0xff];
        } else {
            for (int k = 0; k < 8; ++k, acht >>= 8)
                if (acht & 0xff)
                    z[x + k] = farben[acht & 0xff];
        }
    }
    for (; x <= bis; ++x) {
        if (e[x]) {
            links = std::min(links, x);
            rechts = std::max(rechts, x);
        }
        if (e[x] || geloescht)
            z[x] = farben[e[x]];
        e[x] = 0;
    }
}

} // namespace

void Bild::umfassen(const Bild& b)
{
    links = std::min(links, b.links);
    oben = std::min(oben, b.oben);
    rechts = std::max(rechts, b.rechts);
    unten = std::max(unten, b.unten);
}

void Zeichenliste::leeren(int breite, int hoehe)
{
    m_befehle.clear();
    m_zeilen.clear();
    m_kreise.clear();
    m_aufwand = 0;
    m_breite = breite;
    m_hoehe = hoehe;
}

void Zeichenliste::reservieren(std::size_t n)
{
    m_befehle.reserve(n);
    m_zeilen.reserve(n);
    // A picture has a circle or two.
    m_kreise.reserve(std::max<std::size_t>(16, m_kreise.capacity()));
}

void Zeichenliste::linieKappen(double x0, double y0, double x1, double y1, std::uint8_t farbe)
{
    std::int32_t p[4];
    if (endpixel(x0, y0, x1, y1, m_breite, m_hoehe, p))
        anfuegen(p[0], p[1], p[2], p[3], farbe);
}

void Zeichenliste::punkt(double x, double y, std::uint8_t farbe)
{
    if (!(x >= 0 && y >= 0 && x < m_breite && y < m_hoehe))
        return;
    const auto px = static_cast<std::int32_t>(x), py = static_cast<std::int32_t>(y);
    m_befehle.push_back({ px, py, px, py, farbe, Art::Punkt });
    m_zeilen.push_back(std::uint32_t(py) << 16 | std::uint32_t(py));
    m_aufwand += 1;
}

void Zeichenliste::kreis(double x, double y, double r, std::uint8_t farbe)
{
    r = std::fabs(r);
    if (!(std::isfinite(x) && std::isfinite(y) && std::isfinite(r)))
        return;
    if (x + r + 1 < 0 || y + r + 1 < 0 || x - r - 1 > m_breite || y - r - 1 > m_hoehe)
        return;
    // Its rows in the layer; a circle of up to 4096 pixels lies within a pixel of them around its centre.
    const auto oben = std::int32_t(std::max(0.0, std::floor(y - r) - 1));
    const auto unten = std::int32_t(std::min(m_hoehe - 1.0, std::floor(y + r) + 1));
    m_befehle.push_back({ std::int32_t(m_kreise.size()), oben, 0, unten, farbe, Art::Kreis });
    m_zeilen.push_back(std::uint32_t(oben) << 16 | std::uint32_t(unten));
    m_kreise.push_back({ x, y, r });
    m_aufwand += 1 + std::int64_t(std::fmin(6 * r, 4.0 * (m_breite + m_hoehe)));
}

void listeZeichnen(Bild& bild, const Zeichenliste& liste, Band band)
{
    listeZeichnen(bild, liste, band, 0, liste.anzahl());
}

void listeZeichnen(
    Bild& bild, const Zeichenliste& liste, Band band, std::size_t von, std::size_t bis, std::int32_t* abdeckung)
{
    if (bild.breite != liste.m_breite || bild.hoehe != liste.m_hoehe)
        return;
    band = { std::max(band.oben, 0), std::min(band.unten, bild.hoehe - 1) };
    if (band.oben > band.unten)
        return;
    // The operations whose rows meet the band's, widened by the pen's reach: most of a band's end here.
    const std::uint32_t erste = std::uint32_t(band.unten + (bild.stift - 1) / 2);
    const std::uint32_t letzte = std::uint32_t(std::max(0, band.oben - bild.stift / 2));
    const std::uint32_t* const zeilen = liste.m_zeilen.data();
    const Zeichenliste::Befehl* const befehle = liste.m_befehle.data();
    const auto trifft = [&](std::size_t i) { return (zeilen[i] >> 16) <= erste && (zeilen[i] & 0xffff) >= letzte; };
    const auto zaehlen = [&](std::size_t i) {
        // 4 for each row an operation crosses, 2 more for each pixel beyond the first of a flat line's
        // run in a row, 80 for the start of an operation in the band: as they took on the largest model.
        const Zeichenliste::Befehl& b = befehle[i];
        const int ab = std::clamp(int(zeilen[i] >> 16), band.oben, band.unten);
        const int danach = int(zeilen[i] & 0xffff) + 1;
        if (danach > ab) {
            const int dx = std::abs(b.x1 - b.x0), dy = std::abs(b.y1 - b.y0);
            const int zeile = b.art == Zeichenliste::Art::Linie && dx > dy ? 2 + 2 * ((dx + 1) / (dy + 1)) : 4;
            constexpr int Anfang = 80;
            abdeckung[ab] += zeile + Anfang;
            if (ab < band.unten)
                abdeckung[ab + 1] -= Anfang;
            if (danach <= band.unten)
                abdeckung[danach] -= zeile;
        }
    };
    // A layer of no width has a row length of 0.
    if (const int hoch = std::max(1, bild.kachel / std::max(1, bild.zeilenlaenge)); band.unten - band.oben >= hoch) {
        // The band's work counted once for the band, not once for each tile.
        if (abdeckung)
            for (std::size_t i = von; i < bis; ++i)
                if (trifft(i))
                    zaehlen(i);
        for (int oben = band.oben; oben <= band.unten; oben += hoch)
            listeZeichnen(bild, liste, { oben, std::min(oben + hoch - 1, band.unten) }, von, bis, nullptr);
        return;
    }
    for (std::size_t i = von; i < bis; ++i) {
        if (!trifft(i))
            continue;
        if (abdeckung)
            zaehlen(i);
        const Zeichenliste::Befehl& b = befehle[i];
        switch (b.art) {
        case Zeichenliste::Art::Linie:
            linie(bild, band, b.x0, b.y0, b.x1, b.y1, b.farbe);
            break;
        case Zeichenliste::Art::Punkt:
            tupfen(bild, band, b.x0, b.y0, b.farbe);
            break;
        case Zeichenliste::Art::Kreis: {
            const Zeichenliste::Kreis& k = liste.m_kreise.data()[b.x0];
            if (k.r <= 4096)
                kleinerKreis(bild, band, k.x, k.y, k.r, b.farbe);
            else
                grosserKreis(bild, band, k.x, k.y, k.r, b.farbe);
            break;
        }
        }
    }
}

void uebertragen(Bild& bild, Band band, const Farbbild& ziel)
{
    std::uint32_t farben[256];
    std::copy_n(ziel.farben, 256, farben);
    farben[0] = ziel.hintergrund;
    const int letzte = bild.breite - 1;
    for (int y = std::max(band.oben, 0); y <= std::min(band.unten, bild.hoehe - 1); ++y) {
        std::uint8_t* const e = zeile(bild, y);
        std::uint32_t* const z = ziel.zeilen + static_cast<std::ptrdiff_t>(y) * ziel.zeilenlaenge;
        int links = std::numeric_limits<int>::max(), rechts = std::numeric_limits<int>::min();
        // The cleared part of the row whole, left and right of it what is drawn only.
        if (ziel.links <= ziel.rechts && y >= ziel.oben && y <= ziel.unten) {
            zeileUebertragen(e, z, 0, ziel.links - 1, false, farben, links, rechts);
            zeileUebertragen(e, z, ziel.links, ziel.rechts, true, farben, links, rechts);
            zeileUebertragen(e, z, ziel.rechts + 1, letzte, false, farben, links, rechts);
        } else {
            zeileUebertragen(e, z, 0, letzte, false, farben, links, rechts);
        }
        if (links <= rechts) {
            bild.links = std::min(bild.links, links);
            bild.rechts = std::max(bild.rechts, rechts);
            bild.oben = std::min(bild.oben, y);
            bild.unten = std::max(bild.unten, y);
        }
    }
}

} // namespace zem::Raster
