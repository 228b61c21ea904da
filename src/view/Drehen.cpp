#include "model/Programm.h"
#include "view/Bewegungen.h"
#include "view/Mathe.h"
#include "view/Mitte.h"
#include "view/Zeichnen.h"

#include <algorithm>
#include <cmath>

namespace zem::Bewegungen {

using namespace Mathe;

void MausDrehen(Programm& p, float x, float y)
{
    Szene& s = p.s;
    Vektor b;
    NeuerVektor(b, x, y, 2.0 * s.Ausdehnung);
    // DrehungBerechnen normalises its arguments in place; Druckvektor keeps its length.
    Vektor a = s.Druckvektor;
    DrehungBerechnen(p, a, b);

    // Entry -4, the origin, is the pivot and never turns. The bound keeps a corrupt count inside the table.
    const int letzter = std::min<int>(s.AnzPunkte, PunktMax);
    for (int i = -3; i <= letzter; ++i)
        MatrixMalVektor(s.Sichtpunkte(i), s.Drehmatrix, s.Punkte(i));

    // The user scale stays as it is, so the origin keeps its place and the centre point moves with the model.
    MitteBestimmen(p);
    Zeichnen::AllesZeichnen(p);
}

void DrehungBerechnen(Programm& p, Vektor& a, Vektor& b)
{
    Szene& s = p.s;
    Normiere(a);
    Normiere(b);
    const float c = static_cast<float>(double(a.X) * b.X + double(a.Y) * b.Y + double(a.Z) * b.Z);
    // Parallel directions have no axis: the rotation stays as the last step left it. The rounded product
    // of a normalised vector with itself is 1 for only about three directions in four; for the others,
    // with the pointer back on the press position, the cross product would be zero while s is not, and
    // the view would collapse onto one line. So equal or opposite directions count as parallel whatever
    // c says. A NaN cosine (from an infinite pointer position or extent) gives no axis either, and is
    // treated the same way so that the view never turns into NaN.
    const Vektor gegen { -b.X, -b.Y, -b.Z };
    if (std::fabs(c) == 1.0f || a == b || a == gegen || std::isnan(c))
        return;
    // |c| may exceed 1 by a rounding; the absolute value keeps s real and, as |c| is not 1, above 0.
    const double sn = std::sqrt(std::fabs(1.0 - double(c) * c));
    const double k = static_cast<float>(c / sn);

    // Rows: a, the unit normal a x b / s, and a x n = (c a - b) / s; M turns a into (1, 0, 0).
    Matrix M;
    M.m[0] = a.X;
    M.m[1] = a.Y;
    M.m[2] = a.Z;
    M.m[3] = static_cast<float>((double(a.Y) * b.Z - double(a.Z) * b.Y) / sn);
    M.m[4] = static_cast<float>((double(a.Z) * b.X - double(a.X) * b.Z) / sn);
    M.m[5] = static_cast<float>((double(a.X) * b.Y - double(a.Y) * b.X) / sn);
    M.m[6] = static_cast<float>(a.X * k - b.X / sn);
    M.m[7] = static_cast<float>(a.Y * k - b.Y / sn);
    M.m[8] = static_cast<float>(a.Z * k - b.Z / sn);

    // r is b in M's frame, (c, 0, -s) up to rounding; N turns (1, 0, 0) into r about the frame's
    // second axis, the normal. Its Y component is not used.
    Vektor r;
    MatrixMalVektor(r, M, b);
    Matrix N;
    N.m[0] = r.X;
    N.m[2] = -r.Z;
    N.m[4] = 1;
    N.m[6] = r.Z;
    N.m[8] = r.X;

    // Drehmatrix = M^T (N M) Druckmatrix: the turn of a onto b, put in front of the orientation at the press.
    Matrix T, Q1, Q2;
    Transponiere(T, M);
    MatrixMalMatrix(Q1, N, M);
    MatrixMalMatrix(Q2, T, Q1);
    MatrixMalMatrix(s.Drehmatrix, Q2, s.Druckmatrix);
}

} // namespace zem::Bewegungen
