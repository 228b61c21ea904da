#pragma once

// Modul_Mathe: the small linear algebra of the view. Every operation computes its whole result
// before it stores it, so the result may also be an operand.

namespace zem {

// A 3-vector of single-precision numbers.
struct Vektor {
    float X = 0, Y = 0, Z = 0;
    friend bool operator==(const Vektor&, const Vektor&) = default;
};

// A 3x3 matrix stored row by row: m[0..2] row 1, m[3..5] row 2, m[6..8] row 3.
struct Matrix {
    float m[9] = {};
    float& operator()(int zeile, int spalte) { return m[(zeile - 1) * 3 + (spalte - 1)]; }
    float operator()(int zeile, int spalte) const { return m[(zeile - 1) * 3 + (spalte - 1)]; }
    friend bool operator==(const Matrix&, const Matrix&) = default;
};

namespace Mathe {

// ergebnis = M * v; each component summed in double precision and rounded once.
void MatrixMalVektor(Vektor& ergebnis, const Matrix& M, const Vektor& v);
// ergebnis = A * B; each element summed in double precision and rounded once.
void MatrixMalMatrix(Matrix& ergebnis, const Matrix& A, const Matrix& B);
// ergebnis = transpose of M.
void Transponiere(Matrix& ergebnis, const Matrix& M);
// Scales v to length 1; a vector not longer than 1e-7 becomes (1, 0, 0).
void Normiere(Vektor& v);
// ergebnis = (a, b, c), each converted to single precision.
void NeuerVektor(Vektor& ergebnis, double a, double b, double c);
// The identity matrix.
Matrix Einheit();

} // namespace Mathe
} // namespace zem
