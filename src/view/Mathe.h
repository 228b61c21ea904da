#pragma once

// Mathe: the small linear algebra of the view. Every operation computes its whole result
// before it stores it, so the result may also be an operand. The types, NeuerVektor and Einheit are in
// model/VektorMatrix.h.

#include "model/VektorMatrix.h"

namespace zem::Mathe {

// ergebnis = M * v; each component summed in double precision and rounded once.
void MatrixMalVektor(Vektor& ergebnis, const Matrix& M, const Vektor& v);
// ergebnis = A * B; each element summed in double precision and rounded once.
void MatrixMalMatrix(Matrix& ergebnis, const Matrix& A, const Matrix& B);
// ergebnis = transpose of M.
void Transponiere(Matrix& ergebnis, const Matrix& M);
// Scales v to length 1; a vector not longer than 1e-7 becomes (1, 0, 0).
void Normiere(Vektor& v);

} // namespace zem::Mathe
