#pragma once

// Vektor and Matrix, the number types of the scene and of the view's math, with their two plain
// constructions. A leaf: no Qt, no scene, so that the scene tables and the math can both build on it.

namespace zem {

// A 3-vector of single-precision numbers.
struct Vektor {
    float X = 0, Y = 0, Z = 0;
    friend bool operator==(const Vektor&, const Vektor&) = default;
};

// A 3x3 matrix stored row by row: m[0..2] row 1, m[3..5] row 2, m[6..8] row 3.
struct Matrix {
    float m[9] = {};
    float operator()(int zeile, int spalte) const { return m[(zeile - 1) * 3 + (spalte - 1)]; }
    friend bool operator==(const Matrix&, const Matrix&) = default;
};

namespace Mathe {

// ergebnis = (a, b, c), each converted to single precision.
inline void NeuerVektor(Vektor& ergebnis, double a, double b, double c)
{
    ergebnis = { static_cast<float>(a), static_cast<float>(b), static_cast<float>(c) };
}

// The identity matrix.
inline Matrix einheit()
{
    Matrix e;
    e.m[0] = e.m[4] = e.m[8] = 1;
    return e;
}

} // namespace Mathe
} // namespace zem
