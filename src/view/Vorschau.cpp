#include "view/Vorschau.h"

#include "model/Anfang.h"
#include "model/Anzeigen.h"
#include "model/RwxToZem.h"
#include "model/Szene.h"
#include "platform/Leinwand.h"
#include "view/Bewegungen.h"
#include "view/Zeichnen.h"

#include <algorithm>

namespace zem::Vorschau {

namespace {

// Neither the lists nor message boxes are shown: a thumbnail has no window to show them in.
class OhneBericht final : public RwxToZem::Bericht {
public:
    void eintrag(Art, std::string_view) override { }
    void meldung(const QString&, const QString&) override { }
};

// The square as the main window right after a refresh: zoom value 600, never minimised, no side windows.
class Quadrat final : public Fensterlage {
public:
    explicit Quadrat(int seite)
        : m_seite(seite)
    {
    }
    int zoomWert() const override { return 600; }
    bool hauptfensterMinimiert() const override { return false; }
    QSize hauptfensterRahmen() const override { return { m_seite, m_seite }; }
    void seitenfensterMinimieren(bool) override { }

private:
    int m_seite;
};

} // namespace

void lesen(Szene& s, const QString& dateiname)
{
    Anfang::szeneZuruecksetzen(s);
    OhneBericht bericht;
    RwxToZem::ModellLesen(s, bericht, dateiname);
}

QImage bild(Szene& s, int seite)
{
    // Without a point the extent stays at the reader's -1000; at 0 every point lies at the origin.
    if (!(s.Ausdehnung > 0) || s.AnzDreiecke + s.AnzVierecke + s.AnzPolygone <= 0)
        return {};
    seite = std::clamp(seite, SeiteMin, SeiteMax);
    // Above 256 pixels as on a HiDPI screen: 256 logical pixels, the canvas's pen round(ratio) wide.
    const int logisch = std::min(seite, 256);
    Leinwand leinwand({ logisch, logisch }, double(seite) / logisch, qRgb(0, 0, 0));
    Quadrat lage(logisch);
    RwxToZem::PunkteKopieren(s);
    Bewegungen::ZoomSetzen(s, leinwand, lage);
    // The model alone, without the axes and the centre point's circle: they help turning and zooming in
    // the window, but at 128 pixels the red cross of the axes cuts through the model and reads as part of
    // it, the letters are specks, and the circle is a green dot; the model's outline reads better bare.
    leinwand.loeschen();
    Zeichnen::DreieckeZeichnen(s, leinwand);
    Zeichnen::ViereckeZeichnen(s, leinwand);
    Zeichnen::PolygoneZeichnen(s, leinwand);
    QImage bild = leinwand.bild();
    bild.setDevicePixelRatio(1);
    return bild;
}

} // namespace zem::Vorschau
