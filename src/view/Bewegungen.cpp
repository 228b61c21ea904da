#include "view/Bewegungen.h"

#include "model/Anzeigen.h"
#include "model/Szene.h"
#include "platform/Zeichenziel.h"
#include "view/Mathe.h"
#include "view/Zeichnen.h"

#include <algorithm>
#include <cmath>

namespace zem::Bewegungen {

using namespace Mathe;

void MausDrehen(Szene& s, const Listen& listen, Zeichenziel& ziel, float x, float y)
{
    Vektor b;
    NeuerVektor(b, x, y, 2.0 * s.Ausdehnung);
    // DrehungBerechnen normalises its arguments in place; Druckvektor keeps its length.
    Vektor a = s.Druckvektor;
    DrehungBerechnen(s, a, b);

    // Entry -4, the origin, is the pivot and never turns. The bound keeps a corrupt count inside the table.
    const int letzter = std::min<int>(s.AnzPunkte, PunktMax);
    for (int i = -3; i <= letzter; ++i)
        MatrixMalVektor(s.Sichtpunkte(i), s.Drehmatrix, s.Punkte(i));

    // The user scale stays as it is, so the origin keeps its place and the centre point moves with the model.
    mitteBestimmen(s, ziel);
    Zeichnen::AllesZeichnen(s, listen, ziel);
}

void DrehungBerechnen(Szene& s, Vektor& a, Vektor& b)
{
    Normiere(a);
    Normiere(b);
    const float c = static_cast<float>(double(a.X) * b.X + double(a.Y) * b.Y + double(a.Z) * b.Z);
    // The axis a x b, whose length is the sine of the angle. That length, not the square root of 1 - c^2,
    // is what the rows below are divided by: from a cosine rounded to single precision the square root is
    // up to 40 % off for small angles, M would be no rotation, and every tiny drag would stretch the view
    // for good. Without an axis (equal, opposite or not finite directions) the rotation stays as the last
    // step left it.
    const double nx = double(a.Y) * b.Z - double(a.Z) * b.Y;
    const double ny = double(a.Z) * b.X - double(a.X) * b.Z;
    const double nz = double(a.X) * b.Y - double(a.Y) * b.X;
    const double sn = static_cast<float>(std::sqrt(nx * nx + ny * ny + nz * nz));
    if (std::fabs(c) == 1.0f || !(sn > 0) || !std::isfinite(sn))
        return;
    const double k = static_cast<float>(c / sn);

    // Rows: a, the unit normal a x b / s, and a x n = (c a - b) / s; M turns a into (1, 0, 0).
    Matrix M;
    M.m[0] = a.X;
    M.m[1] = a.Y;
    M.m[2] = a.Z;
    M.m[3] = static_cast<float>(nx / sn);
    M.m[4] = static_cast<float>(ny / sn);
    M.m[5] = static_cast<float>(nz / sn);
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

void ZoomSetzen(Szene& s, Zeichenziel& f, Fensterlage& lage)
{
    if (lage.hauptfensterMinimiert()) {
        lage.seitenfensterMinimieren(true);
        return;
    }
    const float h = static_cast<float>(lage.zoomWert()) * s.Ausdehnung / 500.0f;
    const QSize rahmen = lage.hauptfensterRahmen();
    const float q = static_cast<float>(rahmen.height()) / static_cast<float>(std::max(1, rahmen.width()));
    // An extent of 0 (every vertex at the origin) gives no scale at all; the scale stays as it was then,
    // and so does everything measured from it.
    if (h == 0 || !std::isfinite(h)) {
        lage.seitenfensterMinimieren(false);
        return;
    }
    const Vektor& mitte = s.Sichtpunkte(0);
    // The shorter side spans 2 h.
    f.setScaleWidth(q > 1 ? 2 * h : 2 * h / q);
    f.setScaleLeft(mitte.X - f.scaleWidth() * s.MitteX);
    f.setScaleHeight(q > 1 ? -2 * h * q : -2 * h);
    f.setScaleTop(f.scaleHeight() * s.MitteY + mitte.Y);
    s.Fangweite = h / 50;
    s.Achsenmass = 3 * s.Fangweite;
    lage.seitenfensterMinimieren(false);
}

void mitteBestimmen(Szene& s, const Zeichenziel& f)
{
    const Vektor& mitte = s.Sichtpunkte(0);
    // The surface refuses a zero width or height, so neither should arrive here. Should one still do,
    // the fraction keeps its last value: an infinite or NaN fraction would make the next zoom place the
    // origin nowhere on the window.
    if (f.scaleWidth() != 0)
        s.MitteX = static_cast<float>((double(mitte.X) - f.scaleLeft()) / f.scaleWidth());
    if (f.scaleHeight() != 0)
        s.MitteY = static_cast<float>((double(f.scaleTop()) - mitte.Y) / f.scaleHeight());
}

} // namespace zem::Bewegungen
