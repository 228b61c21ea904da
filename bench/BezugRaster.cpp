#include "BezugRaster.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace zem::Bezug {

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
void tupfen(Bild& bild, Band band, int x, int y, std::uint32_t farbe)
{
    const int x0 = std::max(0, x - (bild.stift - 1) / 2), x1 = std::min(bild.breite - 1, x + bild.stift / 2);
    const int y0 = std::max(band.oben, y - (bild.stift - 1) / 2), y1 = std::min(band.unten, y + bild.stift / 2);
    if (y0 > y1)
        return;
    for (int j = y0; j <= y1; ++j) {
        std::uint32_t* zeile = bild.zeilen + static_cast<std::ptrdiff_t>(j) * bild.zeilenlaenge;
        std::fill(zeile + x0, zeile + x1 + 1, farbe);
    }
    umfassen(bild, x0, y0, x1, y1);
}

inline void setzen(Bild& bild, Band band, int x, int y, std::uint32_t farbe)
{
    if (x >= 0 && y >= 0 && x < bild.breite && y < bild.hoehe)
        tupfen(bild, band, x, y, farbe);
}

void punkt(Bild& bild, Band band, double x, double y, std::uint32_t farbe)
{
    if (x >= 0 && y >= 0 && x < bild.breite && y < bild.hoehe)
        tupfen(bild, band, static_cast<int>(x), static_cast<int>(y), farbe);
}

// The line from pixel (x0, y0) to (x1, y1), both inside the image, as Bresenham draws it: along the major
// axis (x when dx >= dy) one pixel a step.
struct Zug {
    std::uint32_t* p;
    int lang, kurz; // the steps along the major axis and across it
    std::ptrdiff_t haupt, neben;
    int quer, querSchritt; // the coordinate across the major axis
    int zeile, zeilenSchritt; // the first row and the way the rows run
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
        zeile = y0;
        zeilenSchritt = richtungY;
    }

    // The steps from the first to the last whose pixel lies in a row from oben to unten. A step's row
    // moves on with the step along a steep line, with each turn of the error term across a shallow one.
    std::pair<int, int> schritte(int oben, int unten) const
    {
        int von = zeilenSchritt > 0 ? oben - zeile : zeile - unten;
        int bis = zeilenSchritt > 0 ? unten - zeile : zeile - oben;
        if (steil)
            return { std::max(von, 0), std::min(bis, lang) };
        von = std::max(von, 0);
        bis = std::min(bis, kurz);
        if (von > bis)
            return { 1, 0 };
        // After i steps the error term has turned k times, k = ceil((i kurz - lang / 2) / lang), at least 0.
        const auto bisWende = [this](int k) { return (std::int64_t(k) * lang + lang / 2) / kurz; };
        return { von == 0 ? 0 : int(bisWende(von - 1) + 1), bis == kurz ? lang : int(bisWende(bis)) };
    }

    // setze(pixel, coordinate across the major axis) for the steps from von to bis, both included. The
    // state at the first is computed, not stepped to, so that a band of the image costs its share only.
    template <typename Setzen> void ziehen(std::pair<int, int> schritte, Setzen setze) const
    {
        const auto [von, bis] = schritte;
        if (von > bis)
            return;
        const std::int64_t vorab = std::int64_t(von) * kurz - lang / 2;
        const int wenden = vorab > 0 ? int((vorab + lang - 1) / lang) : 0;
        std::uint32_t* q = p + von * haupt + wenden * neben;
        int fehler = int(wenden * std::int64_t(lang) - vorab), querNun = quer + wenden * querSchritt;
        for (int i = von; i <= bis; ++i) {
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

// linieInnen for a pen wider than a pixel, whose pixels across the line may leave the image or the band;
// kept out of linieInnen, whose 1-pixel lines then need fewer registers. The pen's pixels across the
// major axis lie quer apart: side by side in a row for a steep line, stacked in a column for a shallow one.
[[gnu::noinline]] void breitInnen(Bild& bild, Band band, int x0, int y0, int x1, int y1, std::uint32_t farbe)
{
    const Zug zug(bild, x0, y0, x1, y1);
    const int vor = (bild.stift - 1) / 2, nach = bild.stift / 2;
    const int von = std::min(zug.quer, zug.steil ? x1 : y1) - vor;
    const int bis = std::max(zug.quer, zug.steil ? x1 : y1) + nach;
    const int oben = std::max(band.oben, zug.steil ? std::min(y0, y1) : von);
    const int unten = std::min(band.unten, zug.steil ? std::max(y0, y1) : bis);
    if (oben > unten)
        return;
    if (zug.steil)
        umfassen(bild, von, oben, bis, unten);
    else
        umfassen(bild, std::min(x0, x1), oben, std::max(x0, x1), unten);
    const std::ptrdiff_t quer = zug.steil ? 1 : bild.zeilenlaenge;
    // The steps whose pen pixels across the line lie from erste to letzte, the widths of the usual screen
    // scales written out where all of them do. The offset stays a variable: a steep line's pixels merged
    // into one wider store make it slower.
    const auto strecke = [&](std::pair<int, int> schritte, int erste, int letzte, bool ganz) {
        if (ganz && bild.stift == 2) {
            zug.ziehen(schritte, [quer, farbe](std::uint32_t* p, int) {
                p[0] = farbe;
                p[quer] = farbe;
            });
        } else if (ganz && bild.stift == 3) {
            zug.ziehen(schritte, [quer, farbe](std::uint32_t* p, int) {
                p[-quer] = farbe;
                p[0] = farbe;
                p[quer] = farbe;
            });
        } else {
            zug.ziehen(schritte, [vor, nach, erste, letzte, quer, farbe](std::uint32_t* p, int q) {
                for (int k = std::max(-vor, erste - q); k <= std::min(nach, letzte - q); ++k)
                    p[k * quer] = farbe;
            });
        }
    };
    if (zug.steil) {
        const int letzte = bild.breite - 1;
        strecke(zug.schritte(band.oben, band.unten), 0, letzte, von >= 0 && bis <= letzte);
    } else if (band.oben + vor <= band.unten - nach) {
        // Across a shallow line the pen covers rows: whole where it lies within the band, cut at its edges.
        strecke(zug.schritte(band.oben - nach, band.oben + vor - 1), band.oben, band.unten, false);
        strecke(zug.schritte(band.oben + vor, band.unten - nach), band.oben, band.unten, true);
        strecke(zug.schritte(band.unten - nach + 1, band.unten + vor), band.oben, band.unten, false);
    } else {
        strecke(zug.schritte(band.oben - nach, band.unten + vor), band.oben, band.unten, false);
    }
}

void linieInnen(Bild& bild, Band band, int x0, int y0, int x1, int y1, std::uint32_t farbe)
{
    // Wholly above or below the band, the pen's reach across a shallow line included: most lines in
    // bands of a picture end here.
    if (std::max(y0, y1) + bild.stift / 2 < band.oben || std::min(y0, y1) - (bild.stift - 1) / 2 > band.unten)
        return;
    if (bild.stift > 1) {
        breitInnen(bild, band, x0, y0, x1, y1, farbe);
        return;
    }
    const int oben = std::max(band.oben, std::min(y0, y1)), unten = std::min(band.unten, std::max(y0, y1));
    umfassen(bild, std::min(x0, x1), oben, std::max(x0, x1), unten);
    const Zug zug(bild, x0, y0, x1, y1);
    zug.ziehen(zug.schritte(oben, unten), [farbe](std::uint32_t* p, int) { *p = farbe; });
}

void linie(Bild& bild, Band band, double x0, double y0, double x1, double y1, std::uint32_t farbe)
{
    const double breite = bild.breite;
    const double hoehe = bild.hoehe;
    // Most segments of a picture lie wholly inside; NaN fails these tests and takes the long way.
    if (x0 >= 0 && x0 < breite && y0 >= 0 && y0 < hoehe && x1 >= 0 && x1 < breite && y1 >= 0 && y1 < hoehe) {
        linieInnen(
            bild, band, static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1), farbe);
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
    // is the last one hit; for a positive double that is the one whose bit pattern is one less. A band
    // clips to the whole image too: its part of a line lies on the line's path through the whole image.
    const auto darunter = [](double v) { return std::bit_cast<double>(std::bit_cast<std::uint64_t>(v) - 1); };
    if (!kappen(x0, y0, x1, y1, darunter(breite), darunter(hoehe)))
        return;
    linieInnen(
        bild, band, static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1), farbe);
}

// Midpoint circle around the pixel that holds the centre; r at most a few thousand pixels.
void kleinerKreis(Bild& bild, Band band, double x, double y, double r, std::uint32_t farbe)
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
void grosserKreis(Bild& bild, Band band, double x, double y, double r, std::uint32_t farbe)
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

void kreis(Bild& bild, Band band, double x, double y, double r, std::uint32_t farbe)
{
    r = std::fabs(r);
    if (!(std::isfinite(x) && std::isfinite(y) && std::isfinite(r)))
        return;
    const double rand = r + 1;
    if (x + rand < 0 || y + rand < 0 || x - rand > bild.breite || y - rand > bild.hoehe)
        return;
    if (r <= 4096)
        kleinerKreis(bild, band, x, y, r, farbe);
    else
        grosserKreis(bild, band, x, y, r, farbe);
}

} // namespace

void listeZeichnen(Bild& bild, const Zeichenliste& liste, Band band)
{
    for (const Zeichenliste::Befehl& b : liste.m_befehle) {
        switch (b.art) {
        case Zeichenliste::Art::Linie:
            linie(bild, band, b.a, b.b, b.c, b.d, b.farbe);
            break;
        case Zeichenliste::Art::Punkt:
            punkt(bild, band, b.a, b.b, b.farbe);
            break;
        case Zeichenliste::Art::Kreis:
            kreis(bild, band, b.a, b.b, b.c, b.farbe);
            break;
        }
    }
}

void boxFuellen(const Bild& bild, std::uint32_t farbe)
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

Baender::Baender(int zahl, std::int64_t abAufwand)
    : m_baender(zahl > 0 ? std::min(zahl, 16) : std::clamp(int(std::thread::hardware_concurrency()), 1, 16))
    , m_abAufwand(abAufwand)
{
    m_arbeiter.reserve(m_baender.size() - 1);
    for (int nummer = 1; nummer < anzahl(); ++nummer)
        m_arbeiter.emplace_back(&Baender::arbeiten, this);
}

Baender::~Baender()
{
    m_ende = true;
    m_auftrag.fetch_add(1, std::memory_order_release);
    m_auftrag.notify_all();
    for (std::thread& arbeiter : m_arbeiter)
        arbeiter.join();
}

void Baender::arbeiten()
{
    for (std::uint32_t gesehen = 0;;) {
        m_auftrag.wait(gesehen, std::memory_order_acquire);
        gesehen = m_auftrag.load(std::memory_order_acquire);
        if (m_ende)
            return;
        baenderNehmen();
    }
}

void Baender::baenderNehmen()
{
    // A worker woken late may find the next frame's count here: a band it takes of that frame was made
    // ready before the count was set back.
    for (int b; (b = m_naechstes.fetch_add(1, std::memory_order_acq_rel)) < anzahl();) {
        Streifen& streifen = m_baender[b];
        listeZeichnen(streifen.bild, *m_liste, streifen.band);
        if (m_offen.fetch_sub(1, std::memory_order_acq_rel) == 1)
            m_offen.notify_one();
    }
}

void Baender::zeichnen(Bild& bild, const Zeichenliste& liste)
{
    const int n = baenderFuer(liste);
    if (n == 1) {
        listeZeichnen(bild, liste, { 0, bild.hoehe - 1 });
        return;
    }
    for (int b = 0; b < n; ++b) {
        Streifen& streifen = m_baender[b];
        streifen.bild = bild;
        streifen.bild.boxLeeren();
        streifen.band = { int(std::int64_t(bild.hoehe) * b / n), int(std::int64_t(bild.hoehe) * (b + 1) / n) - 1 };
    }
    m_liste = &liste;
    m_offen.store(n, std::memory_order_relaxed);
    m_naechstes.store(0, std::memory_order_release);
    m_auftrag.fetch_add(1, std::memory_order_release);
    m_auftrag.notify_all();
    baenderNehmen();
    for (int offen; (offen = m_offen.load(std::memory_order_acquire)) != 0;)
        m_offen.wait(offen, std::memory_order_acquire);
    for (const Streifen& streifen : m_baender) {
        bild.links = std::min(bild.links, streifen.bild.links);
        bild.oben = std::min(bild.oben, streifen.bild.oben);
        bild.rechts = std::max(bild.rechts, streifen.bild.rechts);
        bild.unten = std::max(bild.unten, streifen.bild.unten);
    }
}

} // namespace zem::Bezug
