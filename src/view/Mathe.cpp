#include "view/Mathe.h"

#include <cmath>

namespace zem::Mathe {

void MatrixMalVektor(Vektor& ergebnis, const Matrix& M, const Vektor& v)
{
    const double x = v.X, y = v.Y, z = v.Z;
    const float rx = static_cast<float>(M.m[0] * x + M.m[1] * y + M.m[2] * z);
    const float ry = static_cast<float>(M.m[3] * x + M.m[4] * y + M.m[5] * z);
    const float rz = static_cast<float>(M.m[6] * x + M.m[7] * y + M.m[8] * z);
    ergebnis = { rx, ry, rz };
}

void MatrixMalMatrix(Matrix& ergebnis, const Matrix& A, const Matrix& B)
{
    Matrix r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const double summe = double(A.m[i * 3]) * B.m[j] + double(A.m[i * 3 + 1]) * B.m[3 + j]
                + double(A.m[i * 3 + 2]) * B.m[6 + j];
            r.m[i * 3 + j] = static_cast<float>(summe);
        }
    }
    ergebnis = r;
}

void Transponiere(Matrix& ergebnis, const Matrix& M)
{
    Matrix r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[i * 3 + j] = M.m[j * 3 + i];
    ergebnis = r;
}

void Normiere(Vektor& v)
{
    const double x = v.X, y = v.Y, z = v.Z;
    const double laenge = std::sqrt(x * x + y * y + z * z);
    if (laenge > 0.0000001) {
        v = { static_cast<float>(x / laenge), static_cast<float>(y / laenge), static_cast<float>(z / laenge) };
    } else {
        v = { 1, 0, 0 };
    }
}

} // namespace zem::Mathe
