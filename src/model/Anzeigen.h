#pragma once

// What the procedures read and show besides the scene and the picture: the element lists with their
// marks, and the displays that the windows implement, so that the procedures know nothing of windows.

#include "model/Szene.h"
#include "platform/Liste.h"

#include <QLatin1StringView>
#include <QSize>

#include <array>

namespace zem {

// The four element lists PunktList, DreieList, ViereList and PolyList, indexed by the kind of element;
// their selections are the marks.
class Listen {
public:
    Liste& operator[](Art art) { return m_listen[static_cast<std::size_t>(art)]; }
    const Liste& operator[](Art art) const { return m_listen[static_cast<std::size_t>(art)]; }
    auto begin() { return m_listen.begin(); }
    auto end() { return m_listen.end(); }

private:
    std::array<Liste, ArtAnzahl> m_listen;
};

// The check marks of the marking modes in the "Optionen" menu.
class MarkierartAnzeige {
public:
    // Puts the check mark on mode art (0 manual, 1 to 3 with one to three corners) and on no other.
    virtual void markierartZeigen(int art) = 0;

protected:
    ~MarkierartAnzeige() = default;
};

// The coordinates window: a caption and the three coordinates.
class KoordinatenAnzeige {
public:
    virtual void koordinatenZeigen(QLatin1StringView titel, const std::array<QLatin1StringView, 3>& werte) = 0;

protected:
    ~KoordinatenAnzeige() = default;
};

// What fitting the view to the main window reads of the windows, and the state it gives the side
// windows.
class Fensterlage {
public:
    // The zoom bar's value.
    virtual int zoomWert() const = 0;
    virtual bool hauptfensterMinimiert() const = 0;
    // The main window's size, frame included.
    virtual QSize hauptfensterRahmen() const = 0;
    // Puts the shown side windows into the minimised state (true) or the normal one (false).
    virtual void seitenfensterMinimieren(bool minimiert) = 0;

protected:
    ~Fensterlage() = default;
};

} // namespace zem
