// Times one AllesZeichnen of a full model on a 1000 x 1000 pixel area against a bare pass that draws
// the same segments as clipped 1-pixel integer Bresenham lines into an image of the same size, the two
// taking turns, frames back to back and 16 ms apart; the ratio is the median of each redraw's to the
// reference run next to it. It counts the heap allocations of one AllesZeichnen. Three scenes, each with 998 vertices,
// triangles, quads and polygons of 50 corners, every element and point marked:
//   a_short_edges       edges between neighbours of a grid,
//   b_long_edges        edges across the whole model, through its middle,
//   c_long_edges_zoom6  the same at zoom value 6, where most lines cross the window and end far outside.
// Then the first two on a 4K screen at scale 2 (a_short_edges_4k_scale2, b_long_edges_4k_scale2): a
// 1920 x 1080 area drawn on its 3840 x 2160 device pixels and the changed part copied into a window
// image of that device size, as the paint event copies it, against the way such a screen showed the
// picture before: drawn on 1920 x 1080 pixels, cleared whole, and the whole picture copied doubled into
// the window image. Both run in this process on two offscreen screens of their own, one of ratio 1 and
// one of ratio 2; each program's window is put on its screen through its native window, never shown.
// The 1000 x 1000 area is on the screen of ratio 1. Allocations count the redraw and the copy, whose
// painter allocates as every paint event's does.
// Then the rasteriser alone in bands (*_bands_WxH): the segments of the first two scenes, in device
// pixels, recorded into a list and drawn by pools of one thread, of two and as the program makes it, with
// its switch for lists of little work ("chosen"), on 3840 x 2160 device pixels (the 4K screen at scale 2,
// pen 2), 1920 x 1080 (scale 1) and 1000 x 1000, each pool in turns with the reference and one thread.
// A frame is the recording and the drawing, the clearing before it left out; each pool's time as a
// ratio to one band's, and the heap allocations of a frame. Then the time of each of 4, 8 and 16 bands
// drawn alone and of the recording, from which the README projects a frame on that many cores, as a ratio
// to the whole frame drawn on one thread in turns with the bands.
// One line per scene on standard output; a plausibility check of both pictures on standard error.
// With arguments, only the scenes named.

#include "AllocZaehler.h"
#include "TestProgramm.h"

#include "BezugRaster.h"

#include "platform/Baender.h"
#include "view/Zeichnen.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <random>
#include <thread>
#include <vector>

using namespace zem;

namespace {

constexpr int Seite = 1000;
constexpr float Ausdehnung = 100;
constexpr int Anzahl = Grenze; // 998 of each kind
constexpr int Laeufe = 41;

using Uhr = std::chrono::steady_clock;

struct Umgebung {
    test::TestAusgabe t;
    Programm& p = t.p();
    Zeichenflaeche& widget = *p.f.flaeche;
    Leinwand& flaeche = *p.f.leinwand;

    // On the screen of that number, which gives the surface its device pixel ratio.
    explicit Umgebung(QSize groesse = { Seite, Seite }, int schirm = 0)
        : t(groesse)
    {
        QWidget& fenster = *widget.window();
        fenster.winId();
        fenster.windowHandle()->setScreen(QGuiApplication::screens().at(schirm));
        // Marked row by row, as clicks and the marking do, which leaves one selection range per row.
        for (Liste& liste : p.listen) {
            for (int k = 1; k <= Anzahl; ++k)
                liste.AddItem(QString::number(k));
            for (int k = 0; k < Anzahl; ++k)
                liste.setSelected(k, true);
        }
    }
};

// The view of zoom value v, the origin in the middle: the shorter side spans 2 H, H = v * Ausdehnung / 500.
void zoom(Programm& p, float wert)
{
    const float h = wert * Ausdehnung / 500;
    const float breit = std::max(1.0f, float(p.f.flaeche->width()) / float(p.f.flaeche->height()));
    const float hoch = std::max(1.0f, float(p.f.flaeche->height()) / float(p.f.flaeche->width()));
    p.f.leinwand->setScaleWidth(2 * h * breit);
    p.f.leinwand->setScaleHeight(-2 * h * hoch);
    p.f.leinwand->setScaleLeft(-h * breit);
    p.f.leinwand->setScaleTop(h * hoch);
    p.s.Fangweite = h / 50;
    p.s.Achsenmass = 3 * p.s.Fangweite;
}

void grundlage(Szene& s)
{
    s.Sichtpunkte(-3) = { Ausdehnung, 0, 0 };
    s.Sichtpunkte(-2) = { 0, Ausdehnung, 0 };
    s.Sichtpunkte(-1) = { 0, 0, Ausdehnung };
    s.Sichtpunkte(0) = { 0, 0, 0 };
    s.AnzPunkte = s.AnzDreiecke = s.AnzVierecke = s.AnzPolygone = Anzahl;
}

// Vertices on a 32 x 32 grid over the model (the last row partly filled); triangles and quads fill
// grid cells; each polygon runs around the border of a 12 x 13 block of cells, 50 corners.
void gitter(Szene& s)
{
    grundlage(s);
    const float schritt = 2 * Ausdehnung / 31;
    for (int k = 0; k < Anzahl; ++k)
        s.Sichtpunkte(k + 1) = { -Ausdehnung + (k % 32) * schritt, -Ausdehnung + (k / 32) * schritt, 0 };
    const auto v = [](int spalte, int zeile) { return std::int16_t(1 + zeile * 32 + spalte); };
    for (int i = 1; i <= Anzahl; ++i) {
        const int zelle = (i - 1) % (31 * 30);
        const int c = zelle % 31, r = zelle / 31;
        if (i % 2)
            s.Dreiecke(i).ecke = { v(c, r), v(c + 1, r), v(c, r + 1) };
        else
            s.Dreiecke(i).ecke = { v(c + 1, r), v(c + 1, r + 1), v(c, r + 1) };
        s.Vierecke(i).ecke = { v(c, r), v(c + 1, r), v(c + 1, r + 1), v(c, r + 1) };

        const int c0 = (i * 7) % 20, r0 = (i * 3) % 18;
        Polygon& poly = s.Polygone(i);
        int j = 0;
        poly.slot[j++] = PolygonEckenMax;
        for (int c = c0; c <= c0 + 12; ++c)
            poly.slot[j++] = v(c, r0);
        for (int r = r0 + 1; r <= r0 + 13; ++r)
            poly.slot[j++] = v(c0 + 12, r);
        for (int c = c0 + 11; c >= c0; --c)
            poly.slot[j++] = v(c, r0 + 13);
        for (int r = r0 + 12; r >= r0 + 1; --r)
            poly.slot[j++] = v(c0, r);
    }
}

// Edges across the whole model, through its middle: vertex k + 1 lies nearly opposite vertex k
// (half a turn and 0.013 radians on), at a random distance from the centre between 0.3 and 1 extent,
// and the elements take runs of consecutive vertices. All edges of a quad, two of a triangle's three
// and 49 of a polygon's 50 pass within 0.0065 extent of the centre, inside the window at zoom 6.
void quer(Szene& s)
{
    grundlage(s);
    std::mt19937 zufall(998);
    std::uniform_real_distribution<double> abstand(0.3 * Ausdehnung, Ausdehnung);
    for (int k = 1; k <= Anzahl; ++k) {
        const double winkel = k * (std::numbers::pi + 0.013), r = abstand(zufall);
        s.Sichtpunkte(k) = { float(r * std::cos(winkel)), float(r * std::sin(winkel)), 0 };
    }
    const auto v = [](int k) { return std::int16_t((k - 1) % Anzahl + 1); };
    for (int i = 1; i <= Anzahl; ++i) {
        s.Dreiecke(i).ecke = { v(i), v(i + 1), v(i + 2) };
        s.Vierecke(i).ecke = { v(i + 3), v(i + 4), v(i + 5), v(i + 6) };
        s.Polygone(i).slot[0] = PolygonEckenMax;
        for (int j = 1; j <= PolygonEckenMax; ++j)
            s.Polygone(i).slot[j] = v(i + j);
    }
}

// The segments one AllesZeichnen draws, in user coordinates, as the renderer draws them onto a target
// that records them; a point counts as a segment of length 0. The centre circle is no segment and is left
// out (some 60 pixels).
struct Strecke {
    float x1, y1, x2, y2;
    std::uint32_t farbe;
};

class Aufnahme final : public Zeichenziel {
public:
    std::vector<Strecke> liste;

    float scaleLeft() const override { return 0; }
    float scaleTop() const override { return 0; }
    float scaleWidth() const override { return 1; }
    float scaleHeight() const override { return 1; }
    void setScaleLeft(float) override { }
    void setScaleTop(float) override { }
    void setScaleWidth(float) override { }
    void setScaleHeight(float) override { }
    void loeschen() override { liste.clear(); }
    void linie(float x1, float y1, float x2, float y2, QRgb farbe) override
    {
        liste.push_back({ x1, y1, x2, y2, farbe });
        m_x = x2;
        m_y = y2;
    }
    void linieNach(float x2, float y2, QRgb farbe) override { linie(m_x, m_y, x2, y2, farbe); }
    void punkt(float x, float y, QRgb farbe) override { linie(x, y, x, y, farbe); }
    void punkt(float x, float y) override { linie(x, y, x, y, qRgb(0, 0, 0)); } // the foreground
    void rechteck(float x1, float y1, float x2, float y2, QRgb farbe) override
    {
        linie(x1, y1, x2, y1, farbe);
        linie(x2, y1, x2, y2, farbe);
        linie(x2, y2, x1, y2, farbe);
        linie(x1, y2, x1, y1, farbe);
    }
    void kreis(float, float, float, QRgb) override { }
    void fertig() override { }

private:
    float m_x = 0, m_y = 0;
};

std::vector<Strecke> strecken(const Programm& p)
{
    Aufnahme aufnahme;
    Zeichnen::AllesZeichnen(p.s, p.listen, aufnahme);
    return aufnahme.liste;
}

// The reference: integer segments in pixels, clipped by Cohen-Sutherland, drawn by Bresenham.
struct Pixelstrecke {
    int x0, y0, x1, y1;
    std::uint32_t farbe;
};

std::vector<Pixelstrecke> inPixel(const std::vector<Strecke>& liste, const Leinwand& f)
{
    std::vector<Pixelstrecke> pixel;
    pixel.reserve(liste.size());
    for (const Strecke& s : liste) {
        const QPointF a = f.zuPixel(s.x1, s.y1), b = f.zuPixel(s.x2, s.y2);
        pixel.push_back({ int(std::floor(a.x())), int(std::floor(a.y())), int(std::floor(b.x())),
            int(std::floor(b.y())), s.farbe });
    }
    return pixel;
}

enum : int { Links = 1, Rechts = 2, Oben = 4, Unten = 8 };

inline int lage(long long x, long long y, int maxX, int maxY)
{
    return (x < 0 ? Links : (x > maxX ? Rechts : 0)) | (y < 0 ? Oben : (y > maxY ? Unten : 0));
}

bool kappen(long long& x0, long long& y0, long long& x1, long long& y1, int maxX, int maxY)
{
    int c0 = lage(x0, y0, maxX, maxY), c1 = lage(x1, y1, maxX, maxY);
    for (int schritt = 0; schritt < 8; ++schritt) {
        if ((c0 | c1) == 0)
            return true;
        if (c0 & c1)
            return false;
        const int c = c0 ? c0 : c1;
        long long x, y;
        if (c & Unten) {
            x = x0 + (x1 - x0) * (maxY - y0) / (y1 - y0);
            y = maxY;
        } else if (c & Oben) {
            x = x0 + (x1 - x0) * (0 - y0) / (y1 - y0);
            y = 0;
        } else if (c & Rechts) {
            y = y0 + (y1 - y0) * (maxX - x0) / (x1 - x0);
            x = maxX;
        } else {
            y = y0 + (y1 - y0) * (0 - x0) / (x1 - x0);
            x = 0;
        }
        if (c == c0) {
            x0 = x, y0 = y;
            c0 = lage(x0, y0, maxX, maxY);
        } else {
            x1 = x, y1 = y;
            c1 = lage(x1, y1, maxX, maxY);
        }
    }
    return false;
}

void bresenham(std::uint32_t* bits, int zeilenlaenge, int x0, int y0, int x1, int y1, std::uint32_t farbe)
{
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int fehler = dx + dy;
    for (;;) {
        bits[static_cast<std::ptrdiff_t>(y0) * zeilenlaenge + x0] = farbe;
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * fehler;
        if (e2 >= dy) {
            fehler += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            fehler += dx;
            y0 += sy;
        }
    }
}

void referenz(QImage& bild, const std::vector<Pixelstrecke>& liste)
{
    bild.fill(0xff000000);
    auto* bits = reinterpret_cast<std::uint32_t*>(bild.bits());
    const int zeilenlaenge = int(bild.bytesPerLine() / 4);
    const int maxX = bild.width() - 1, maxY = bild.height() - 1;
    for (const Pixelstrecke& s : liste) {
        long long x0 = s.x0, y0 = s.y0, x1 = s.x1, y1 = s.y1;
        if (kappen(x0, y0, x1, y1, maxX, maxY))
            bresenham(bits, zeilenlaenge, int(x0), int(y0), int(x1), int(y1), s.farbe);
    }
}

double median(std::vector<double> werte)
{
    std::sort(werte.begin(), werte.end());
    return werte[werte.size() / 2];
}

double ms(Uhr::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

long leuchtend(const QImage& bild)
{
    long n = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            n += (bild.pixel(x, y) & 0xffffff) != 0;
    return n;
}

void messen(const char* name, Umgebung& u, float zoomwert, void (*aufbau)(Szene&))
{
    Programm& p = u.p;
    aufbau(p.s);
    zoom(p, zoomwert);

    const std::vector<Pixelstrecke> liste = inPixel(strecken(p), u.flaeche);
    QImage bild(Seite, Seite, QImage::Format_RGB32);
    for (int i = 0; i < 3; ++i) {
        AllesZeichnen(p);
        referenz(bild, liste);
    }
    // Frames back to back, and 16 ms apart as a drag's mouse moves come, where the program's workers
    // sleep between frames. The two passes take turns, so that a burst of load from elsewhere on the
    // machine hits both.
    for (const int pause : { 0, 16 }) {
        std::vector<double> zeichenzeiten, bezugszeiten;
        std::size_t allokationen = 0;
        for (int i = 0; i < 3 * Laeufe; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pause));
            const std::size_t vorher = test::allokationen();
            const auto start = Uhr::now();
            AllesZeichnen(p);
            const auto ende = Uhr::now();
            allokationen = std::max(allokationen, test::allokationen() - vorher);
            zeichenzeiten.push_back(ms(ende - start));

            std::this_thread::sleep_for(std::chrono::milliseconds(pause));
            const auto bezugStart = Uhr::now();
            referenz(bild, liste);
            bezugszeiten.push_back(ms(Uhr::now() - bezugStart));
        }
        // The ratio of each redraw to the reference run next to it, whose machine was the same: the
        // median of those is steadier than that of the times alone on a machine shared with others.
        std::vector<double> verhaeltnisse;
        for (std::size_t i = 0; i < zeichenzeiten.size(); ++i)
            verhaeltnisse.push_back(zeichenzeiten[i] / bezugszeiten[i]);
        std::printf("scene=%s frames_apart_ms=%d redraw_ms=%.2f reference_ms=%.2f ratio=%.2f allocations=%zu\n", name,
            pause, median(zeichenzeiten), median(bezugszeiten), median(verhaeltnisse), allokationen);
        std::fflush(stdout);
    }
    std::fprintf(stderr, "check scene=%s segments=%zu lit_pixels_redraw=%ld lit_pixels_reference=%ld\n", name,
        liste.size(), leuchtend(u.flaeche.bild()), leuchtend(bild));
}

// The picture on a 4K screen at scale 2, drawn and copied into the window image of 3840 x 2160 device
// pixels: on the device pixels, the changed part copied (neu), against half resolution, cleared whole,
// copied doubled (alt).
void messen4k(const char* name, Umgebung& neu, Umgebung& alt, float zoomwert, void (*aufbau)(Szene&))
{
    for (Umgebung* u : { &neu, &alt }) {
        aufbau(u->p.s);
        zoom(u->p, zoomwert);
    }
    QImage fenster(neu.widget.size() * 2, QImage::Format_RGB32);
    fenster.setDevicePixelRatio(2);
    const auto neuerWeg = [&] {
        AllesZeichnen(neu.p);
        QPainter maler(&fenster);
        neu.flaeche.zeigen(maler, neu.flaeche.ungezeigtNehmen());
    };
    const auto alterWeg = [&] {
        alt.flaeche.setHintergrund(qRgb(0, 0, 0)); // the next clear clears everything
        AllesZeichnen(alt.p);
        QPainter maler(&fenster);
        alt.flaeche.zeigen(maler, alt.widget.rect());
    };
    for (int i = 0; i < 3; ++i) {
        neuerWeg();
        alterWeg();
    }
    std::vector<double> neuZeiten, altZeiten;
    std::size_t allokationen = 0;
    for (int i = 0; i < Laeufe; ++i) {
        const std::size_t vorher = test::allokationen();
        const auto start = Uhr::now();
        neuerWeg();
        const auto ende = Uhr::now();
        allokationen = std::max(allokationen, test::allokationen() - vorher);
        neuZeiten.push_back(ms(ende - start));

        const auto altStart = Uhr::now();
        alterWeg();
        altZeiten.push_back(ms(Uhr::now() - altStart));
    }
    const double zeit = median(neuZeiten);
    const double altZeit = median(altZeiten);
    std::printf("scene=%s redraw_copy_ms=%.2f half_resolution_ms=%.2f ratio_to_half_resolution=%.2f allocations=%zu\n",
        name, zeit, altZeit, zeit / altZeit, allokationen);
    std::fflush(stdout);

    // Shown whole once, as an expose shows it, then a view that draws elsewhere and back, each cleared
    // and copied only where it changed: the window image must show the device picture pixel for pixel.
    {
        QPainter maler(&fenster);
        maler.fillRect(fenster.rect(), Qt::white);
        neu.flaeche.zeigen(maler, neu.widget.rect());
    }
    zoom(neu.p, zoomwert / 2);
    neuerWeg();
    zoom(neu.p, zoomwert);
    neuerWeg();
    const QImage bild = neu.flaeche.bild();
    QImage gezeigt = fenster.copy(bild.rect());
    gezeigt.setDevicePixelRatio(bild.devicePixelRatio());
    std::fprintf(stderr, "check scene=%s device_size=%dx%d lit_pixels_device=%ld lit_pixels_half=%ld copy_exact=%s\n",
        name, bild.width(), bild.height(), leuchtend(bild), leuchtend(alt.flaeche.bild()),
        gezeigt == bild ? "yes" : "no");
}

struct Geraetestrecke {
    double x0, y0, x1, y1;
    std::uint32_t farbe;
};

// The segments of the scene as the canvas records them, in device pixels.
std::vector<Geraetestrecke> geraetestrecken(Umgebung& u)
{
    const double v = u.flaeche.verhaeltnis();
    std::vector<Geraetestrecke> geraet;
    for (const Strecke& s : strecken(u.p)) {
        const QPointF a = u.flaeche.zuPixel(s.x1, s.y1) * v, b = u.flaeche.zuPixel(s.x2, s.y2) * v;
        geraet.push_back({ a.x(), a.y(), b.x(), b.y(), s.farbe });
    }
    return geraet;
}

// A frame of today's raster, the reference: the 32-bit picture cleared where the last frame drew, the
// segments recorded, drawn in one band.
struct Bezugsbild {
    std::vector<std::uint32_t> pixel;
    Bezug::Bild bild;
    Bezug::Baender baender { 1, 0 };
    Bezug::Zeichenliste liste;

    Bezugsbild(QSize groesse, int stift)
        : pixel(std::size_t(groesse.width()) * groesse.height(), 0xff000000)
        , bild { pixel.data(), groesse.width(), groesse.height(), groesse.width(), stift }
    {
    }
    void zeichnen(const std::vector<Geraetestrecke>& geraet)
    {
        Bezug::boxFuellen(bild, 0xff000000);
        bild.boxLeeren();
        liste.leeren();
        for (const Geraetestrecke& s : geraet)
            liste.linie(s.x0, s.y0, s.x1, s.y1, s.farbe);
        baender.zeichnen(bild, liste);
    }
};

// A frame of the program's raster with a pool: the segments recorded with colour numbers as the canvas
// gives them, drawn into the layer and put into the 32-bit picture, where the last frame drew cleared.
struct Stueckbild {
    std::unique_ptr<Raster::Baender> baender;
    std::vector<std::uint8_t> ebene;
    std::vector<std::uint32_t> pixel;
    Raster::Bild bild;
    Raster::Zeichenliste liste;
    std::uint32_t farben[256] = {};
    int farbenZahl = 1;
    Raster::Bild gezeichnet; // the last frame's box

    Stueckbild(std::unique_ptr<Raster::Baender> pool, QSize groesse, int stift)
        : baender(std::move(pool))
        , ebene(std::size_t(groesse.width()) * groesse.height())
        , pixel(ebene.size(), 0xff000000)
        , bild { ebene.data(), groesse.width(), groesse.height(), groesse.width(), stift }
        , gezeichnet(bild)
    {
    }
    std::uint8_t nummer(std::uint32_t farbe)
    {
        int n = 1;
        while (n < farbenZahl && farben[n] != farbe)
            ++n;
        farben[n] = farbe;
        farbenZahl = std::max(farbenZahl, n + 1);
        return std::uint8_t(n);
    }
    // Records the segments; with strom, as the pool draws them, told of every 1024 as the canvas tells it.
    void aufnehmen(const std::vector<Geraetestrecke>& geraet, int stromStuecke = 0)
    {
        const bool strom = stromStuecke > 0;
        liste.leeren(bild.breite, bild.hoehe);
        liste.reservieren(geraet.size() + geraet.size() / 4 + 1024);
        if (strom)
            baender->beginnen(bild, liste, rahmen, stromStuecke);
        std::uint32_t letzte = 0;
        std::uint8_t n = 0;
        for (const Geraetestrecke& s : geraet) {
            if (n == 0 || s.farbe != letzte)
                n = nummer(letzte = s.farbe);
            if (strom && liste.anzahl() % 1024 == 0)
                baender->weiter(liste.anzahl());
            liste.linie(s.x0, s.y0, s.x1, s.y1, n);
        }
    }
    Raster::Farbbild ziel()
    {
        return { pixel.data(), bild.breite, farben, 0xff000000, gezeichnet.links, gezeichnet.oben, gezeichnet.rechts,
            gezeichnet.unten };
    }
    // A frame as the canvas draws it: while it is recorded when the pool would draw the last one in
    // pieces; with lernen, the pool learns from each frame's time whether pieces pay, as the canvas lets it.
    void zeichnen(const std::vector<Geraetestrecke>& geraet, bool lernen)
    {
        const auto anfang = std::chrono::steady_clock::now();
        rahmen = ziel();
        const int stromStuecke = baender->anzahl() > 1 && liste.aufwand() >= baender->abAufwand()
            ? baender->stueckeFuer(bild, liste.aufwand())
            : 0;
        const bool strom = stromStuecke > 0;
        aufnehmen(geraet, stromStuecke);
        const bool stuecke = stromStuecke > 1 || (!strom && baender->stueckeFuer(bild, liste.aufwand()) > 1);
        if (strom)
            baender->beenden(bild);
        else
            baender->zeichnen(bild, liste, rahmen);
        gezeichnet = bild;
        bild.boxLeeren();
        if (lernen)
            baender->gemessen(liste.aufwand(), stuecke,
                std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - anfang)
                    .count());
    }
    Raster::Farbbild rahmen; // the picture of the frame being drawn
};

// The frame time that a number of workers would take, the program's way: the frame's pieces taken in
// turn, each by the worker that comes free first, at the cost of handing it out.
double simuliert(const std::vector<double>& zeiten, int arbeiter, double uebergabe)
{
    std::vector<double> frei(std::size_t(arbeiter), 0);
    for (double zeit : zeiten)
        *std::min_element(frei.begin(), frei.end()) += uebergabe + zeit;
    return *std::max_element(frei.begin(), frei.end());
}

// Turns the view points about the view's z axis, as a step of a drag changes the picture a little.
void drehen(Szene& s, double winkel)
{
    for (int k = -3; k <= Anzahl; ++k) {
        Vektor& p = s.Sichtpunkte(k);
        const double x = p.X, y = p.Y;
        p.X = float(x * std::cos(winkel) - y * std::sin(winkel));
        p.Y = float(x * std::sin(winkel) + y * std::cos(winkel));
    }
}

// The segments of a scene drawn by today's raster on one thread (the reference) and by the program's
// raster with pools of one and two threads and as the program makes it, in turns, each into pictures of
// the canvas's device size of their own. With stuecke, then the time of each piece alone on this thread
// as 4, 8 and 16 workers would cut a frame turned a little, and the frame those would take.
void messenStuecke(const char* name, Umgebung& u, float zoomwert, void (*aufbau)(Szene&), bool stuecke)
{
    aufbau(u.p.s);
    zoom(u.p, zoomwert);
    const QSize groesse = u.flaeche.bild().size();
    const int stift = std::max(1, qRound(u.flaeche.verhaeltnis()));
    const std::vector<Geraetestrecke> geraet = geraetestrecken(u);
    Bezugsbild bezug(groesse, stift);
    std::vector<Stueckbild> pools;
    pools.emplace_back(std::make_unique<Raster::Baender>(1, 0), groesse, stift);
    pools.emplace_back(std::make_unique<Raster::Baender>(2, 0), groesse, stift);
    pools.emplace_back(std::make_unique<Raster::Baender>(), groesse, stift);
    std::vector<double> bezugszeiten;
    std::vector<std::vector<double>> zeiten(pools.size());
    std::vector<std::size_t> allokationen(pools.size());
    // Each pool of more threads in a pass of its own, in turns with the reference and one thread: after a
    // frame a pool's workers watch for the next one for a while, and would take a core from another pool's
    // frame. The first frames of a pass make the lists' memory.
    for (const std::size_t mehr : { std::size_t(1), std::size_t(2) }) {
        for (int i = -3; i < Laeufe; ++i) {
            const auto start = Uhr::now();
            bezug.zeichnen(geraet);
            if (i >= 0)
                bezugszeiten.push_back(ms(Uhr::now() - start));
            for (const std::size_t k : { std::size_t(0), mehr }) {
                const std::size_t vorher = test::allokationen();
                const auto anfang = Uhr::now();
                pools[k].zeichnen(geraet, k == 2);
                const auto ende = Uhr::now();
                if (i < 0)
                    continue;
                allokationen[k] = std::max(allokationen[k], test::allokationen() - vorher);
                zeiten[k].push_back(ms(ende - anfang));
                if (std::getenv("ZEM_SCHNITT") && k == 1 && i > Laeufe - 4) {
                    std::printf("frame %.2f ms cut:", ms(ende - anfang));
                    for (int j = 0; j <= pools[k].baender->letzteStuecke(); ++j)
                        std::printf(" %d", pools[k].baender->letzteGrenzen()[j]);
                    std::printf(" times:");
                    for (int j = 0; j < pools[k].baender->letzteStuecke(); ++j)
                        std::printf(" %.2f", pools[k].baender->letzteZeiten()[j] / 1e6);
                    std::printf("\n");
                }
            }
        }
    }
    const double bezugZeit = median(bezugszeiten), eins = median(zeiten[0]);
    const double schreiben = double(pools[0].liste.aufwand()) * stift;
    std::printf("scene=%s reference_ms=%.2f one_worker_ms=%.2f ratio_to_reference=%.2f pixel_writes=%.1fM "
                "ns_per_write_reference=%.2f ns_per_write=%.2f\n",
        name, bezugZeit, eins, eins / bezugZeit, schreiben / 1e6, bezugZeit * 1e6 / schreiben, eins * 1e6 / schreiben);
    bool gleich = true;
    for (std::size_t k = 0; k < pools.size(); ++k) {
        const Stueckbild& pool = pools[k];
        const double zeit = median(zeiten[k]);
        std::printf("scene=%s workers=%s%d pieces=%d frame_ms=%.2f ratio_to_one_worker=%.2f allocations=%zu\n", name,
            k == 2 ? "chosen:" : "", pool.baender->anzahl(), pool.baender->letzteStuecke(), zeit, zeit / eins,
            allokationen[k]);
        const Raster::Bild& b = pool.gezeichnet;
        gleich = gleich && pool.pixel == bezug.pixel
            && std::array { b.links, b.oben, b.rechts, b.unten }
                == std::array { bezug.bild.links, bezug.bild.oben, bezug.bild.rechts, bezug.bild.unten };
    }
    std::fflush(stdout);
    std::fprintf(stderr, "check scene=%s device_size=%dx%d segments=%zu same_pixels_and_box_as_reference=%s\n", name,
        groesse.width(), groesse.height(), geraet.size(), gleich ? "yes" : "no");
    if (!stuecke)
        return;

    // Handing out a piece: the end of an empty frame of 4 pieces, its worker awake for it, divided by its
    // pieces.
    std::vector<double> leer;
    {
        Raster::Baender zwei(2, 0);
        std::vector<std::uint8_t> ebene(8);
        Raster::Bild bild { ebene.data(), 1, 8, 1, 1 };
        Raster::Zeichenliste liste;
        liste.leeren(1, 8);
        std::uint32_t pixel[8], farben[256] = {};
        const Raster::Farbbild ziel { pixel, 1, farben };
        for (int i = 0; i < Laeufe; ++i) {
            zwei.beginnen(bild, liste, ziel, Raster::Baender::stueckZahl(2, 8));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            const auto start = Uhr::now();
            zwei.beenden(bild);
            leer.push_back(ms(Uhr::now() - start) / zwei.letzteStuecke());
        }
    }
    const double uebergabe = median(leer);
    // The recording, which comes before the pieces.
    Stueckbild& ein = pools[0];
    std::vector<double> aufnahmen;
    for (int i = 0; i < 9; ++i) {
        const auto start = Uhr::now();
        ein.aufnehmen(geraet);
        aufnahmen.push_back(ms(Uhr::now() - start));
    }
    const double aufnahme = median(aufnahmen);
    // Each piece alone on this thread, cut as the program cuts: by the operations across each row of the
    // scene, counted as one piece draws it, on the scene turned a little, as a drag's next frame.
    std::vector<std::int32_t> abdeckung(std::size_t(groesse.height()));
    {
        ein.aufnehmen(geraet);
        Raster::Bild b = ein.bild;
        Raster::listeZeichnen(b, ein.liste, { 0, groesse.height() - 1 }, 0, ein.liste.anzahl(), abdeckung.data());
        Raster::uebertragen(b, { 0, groesse.height() - 1 }, ein.ziel());
    }
    drehen(u.p.s, 0.01);
    ein.aufnehmen(geraetestrecken(u));
    const int ganz[] = { 0, groesse.height() };
    std::printf(
        "scene=%s one_worker_ms=%.2f recording_ms=%.2f hand_out_us=%.2f", name, eins, aufnahme, uebergabe * 1000);
    for (int arbeiter : { 4, 8, 16 }) {
        // Cut by the count of the frame before, then, as the program cuts the frame after, by its pieces'
        // counts and times.
        const std::size_t zahl = std::size_t(Raster::Baender::stueckZahl(arbeiter, groesse.height()));
        std::vector<int> grenzen(zahl + 1), vorher(zahl + 1);
        std::vector<std::int32_t> stueckAbdeckung(std::size_t(groesse.height()));
        std::vector<std::int64_t> ns(zahl);
        std::vector<double> zeiten;
        double einzeln = 0; // the recording and the whole frame on this thread
        Raster::Baender::schneiden(ganz, abdeckung.data(), nullptr, int(zahl), groesse.height(), grenzen.data());
        for (int runde = 0; runde < 2; ++runde) {
            if (runde == 1) {
                vorher = grenzen;
                Raster::Baender::schneiden(
                    vorher.data(), stueckAbdeckung.data(), ns.data(), int(zahl), groesse.height(), grenzen.data());
                std::fill(stueckAbdeckung.begin(), stueckAbdeckung.end(), 0);
            }
            // Each piece, and the whole frame on this thread, in turns: what the projection is held against
            // is measured beside its pieces, on a machine whose speed swings.
            std::vector<std::vector<double>> laeufe(zahl + 1);
            for (int i = 0; i < 5; ++i) {
                for (std::size_t j = 0; j <= zahl; ++j) {
                    const bool stueck = j < zahl;
                    const Raster::Band band { stueck ? grenzen[j] : 0,
                        (stueck ? grenzen[j + 1] : groesse.height()) - 1 };
                    Raster::Bild b = ein.bild;
                    const auto start = Uhr::now();
                    Raster::listeZeichnen(b, ein.liste, band, 0, ein.liste.anzahl(),
                        runde == 0 && i == 0 && stueck ? stueckAbdeckung.data() : nullptr);
                    Raster::uebertragen(b, band, ein.ziel());
                    laeufe[j].push_back(ms(Uhr::now() - start));
                }
            }
            zeiten.clear();
            for (std::size_t j = 0; j < zahl; ++j) {
                zeiten.push_back(median(laeufe[j]));
                ns[j] = std::int64_t(zeiten.back() * 1e6);
            }
            einzeln = aufnahme + median(laeufe[zahl]);
        }
        const double rahmen = aufnahme + simuliert(zeiten, arbeiter, uebergabe);
        std::printf(" one_thread_beside_ms=%.2f projected_%d_workers_ms=%.2f ratio=%.3f", einzeln, arbeiter, rahmen,
            rahmen / einzeln);
        if (arbeiter == 8) {
            std::printf(" pieces_of_8_ms=");
            for (std::size_t j = 0; j < zeiten.size(); ++j)
                std::printf(j ? ",%.2f" : "%.2f", zeiten[j]);
        }
    }
    std::printf("\n");
    std::fflush(stdout);
}

// Two offscreen screens side by side, of ratio 1 and 2.
QByteArray schirme(const QTemporaryDir& ordner)
{
    const QByteArray text = R"({ "screens": [
        { "name": "eins", "x": 0, "y": 0, "width": 3840, "height": 2160, "logicalDpi": 96, "dpr": 1 },
        { "name": "zwei", "x": 3840, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "dpr": 2 } ] })";
    return "offscreen:configfile=" + test::schreibeDatei(ordner, "schirme.json", text).toLocal8Bit();
}

} // namespace

int main(int argc, char* argv[])
{
    const QTemporaryDir ordner;
    qputenv("QT_QPA_PLATFORM", schirme(ordner));
    QApplication app(argc, argv);
    const QStringList namen = QCoreApplication::arguments().mid(1);
    const auto gewaehlt = [&](const char* name) { return namen.isEmpty() || namen.contains(QLatin1String(name)); };
    auto u = std::make_unique<Umgebung>();
    const auto szene = [&](const char* name, float zoomwert, void (*aufbau)(Szene&)) {
        if (gewaehlt(name))
            messen(name, *u, zoomwert, aufbau);
    };
    szene("a_short_edges", 600, gitter);
    szene("b_long_edges", 600, quer);
    szene("c_long_edges_zoom6", 6, quer);
    const auto stuecke = [&](const char* name, Umgebung& umgebung, void (*aufbau)(Szene&), bool zeiten) {
        if (gewaehlt(name))
            messenStuecke(name, umgebung, 600, aufbau, zeiten);
    };
    stuecke("a_short_edges_pieces_1000x1000", *u, gitter, false);
    stuecke("b_long_edges_pieces_1000x1000", *u, quer, false);
    u.reset();

    auto neu = std::make_unique<Umgebung>(QSize(1920, 1080), 1);
    auto alt = std::make_unique<Umgebung>(QSize(1920, 1080), 0);
    const auto szene4k = [&](const char* name, float zoomwert, void (*aufbau)(Szene&)) {
        if (gewaehlt(name))
            messen4k(name, *neu, *alt, zoomwert, aufbau);
    };
    szene4k("a_short_edges_4k_scale2", 600, gitter);
    szene4k("b_long_edges_4k_scale2", 600, quer);
    stuecke("a_short_edges_pieces_3840x2160", *neu, gitter, false);
    stuecke("b_long_edges_pieces_3840x2160", *neu, quer, true);
    stuecke("a_short_edges_pieces_1920x1080", *alt, gitter, false);
    stuecke("b_long_edges_pieces_1920x1080", *alt, quer, false);
    return 0;
}
