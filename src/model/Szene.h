#pragma once

// The scene: the loaded model and the state of its view, in fixed tables sized once.

#include "model/VektorMatrix.h"

#include <array>
#include <cstdint>

namespace zem {

constexpr int PunktMin = -4; // the origin; -3, -2, -1 are the axis ends, 0 the centre point
constexpr int PunktMax = 1010;
constexpr int ElementMax = 1010;
constexpr int Grenze = 998; // most elements of one kind the reader keeps
constexpr int PolygonSlots = 52; // slot 0 the corner count, slots 1..50 the corners, 51 unused
constexpr int PolygonEckenMax = 50;

// The kinds of element, in the order of their lists and of the first four side windows.
enum class Art { Punkt, Dreieck, Viereck, Polygon };
constexpr std::size_t ArtAnzahl = 4;

// A table addressed by the indices Min..Max, as the model's point numbers are.
template <typename T, int Min, int Max> struct Tabelle {
    std::array<T, Max - Min + 1> eintraege {};

    static constexpr bool enthaelt(int i) { return i >= Min && i <= Max; }
    T& operator()(int i) { return eintraege[static_cast<std::size_t>(i - Min)]; }
    const T& operator()(int i) const { return eintraege[static_cast<std::size_t>(i - Min)]; }
};

// Corner point numbers; ecke[0] is corner 1.
struct Dreieck {
    std::array<std::int16_t, 3> ecke {};
};
struct Viereck {
    std::array<std::int16_t, 4> ecke {};
};
// slot[0] is the corner count n, slot[1..n] the corners.
struct Polygon {
    std::array<std::int16_t, PolygonSlots> slot {};
};

using PunktTabelle = Tabelle<Vektor, PunktMin, PunktMax>;

// An element count as a loop bound: a count above the tables' size is read as the size, so that no
// loop runs past a table.
constexpr int elementAnzahl(std::int16_t wert)
{
    return wert < 0 ? 0 : (wert > ElementMax ? ElementMax : wert);
}

// Whether the corners von..bis of an element name points of the tables (-4 to 1010). The reader stores
// corner numbers as the file gives them; an element with a corner outside has no place in the picture.
template <std::size_t N> constexpr bool eckenInTabelle(const std::array<std::int16_t, N>& ecken, int von, int bis)
{
    for (int j = von; j <= bis; ++j)
        if (!PunktTabelle::enthaelt(ecken[static_cast<std::size_t>(j)]))
            return false;
    return true;
}

// The whole scene. Every value is zero at program start, until the start-up resets it.
struct Szene {
    PunktTabelle Punkte;
    PunktTabelle Sichtpunkte;
    Tabelle<Dreieck, 0, ElementMax> Dreiecke;
    Tabelle<Viereck, 0, ElementMax> Vierecke;
    Tabelle<Polygon, 0, ElementMax> Polygone;

    std::int16_t AnzPunkte = 0;
    std::int16_t AnzDreiecke = 0;
    std::int16_t AnzVierecke = 0;
    std::int16_t AnzPolygone = 0;

    Matrix Drehmatrix;
    Matrix Druckmatrix;
    Vektor Druckvektor;
    float Ausdehnung = 0;
    float MitteX = 0;
    float MitteY = 0;
    float Fangweite = 0;
    float Achsenmass = 0;
    std::int16_t Fangpunkt = 0;
    float Maustaste = 0;
    std::int16_t Markierart = 0;
    float BewegX = 0;
    float BewegY = 0;
};

} // namespace zem
