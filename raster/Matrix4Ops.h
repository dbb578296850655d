#pragma once
#include <array>

#include "model/Matrix4.h"

// The 4 × 4 matrix operations of the geometry: matrices act on column vectors
// (x, y, z, 1), the translation sits in the last column, angles are in degrees.
// The zero matrix is Matrix4{}, the identity Matrix4::Einheit(), a copy is an assignment.

using Vektor4 = std::array<double, 4>;

// A plane n·p + d = 0.
struct Ebene {
    std::array<double, 3> n{};
    double d = 0.0;
};

Matrix4 Matrix_4_Verschiebung(double tx, double ty);
Matrix4 Matrix_4_Skalierung(double sx, double sy);
Matrix4 Matrix_4_DrehungZ(double grad);
Matrix4 Matrix_4_DrehungY(double grad);
Matrix4 Matrix_4_DrehungX(double grad);

Matrix4 Matrix_4_Produkt(const Matrix4& a, const Matrix4& b);
Vektor4 Matrix_4_MalVektor(const Matrix4& m, const Vektor4& v);

// Determinant of the 3 × 3 matrix left when row `zeile` and column `spalte` are struck out.
double Matrix_4_Minor3(const Matrix4& m, int zeile, int spalte);
// Determinant of the upper-left 3 × 3 part.
double Matrix_4_Determinante3(const Matrix4& m);
// Adjugate divided by the determinant; a singular matrix gives its adjugate undivided.
Matrix4 Matrix_4_Inverse(const Matrix4& m);

// Appends x acting about the centre (cx, cy): m · T(cx, cy) · x · T(−cx, −cy).
Matrix4 Matrix_4_UmZentrum(const Matrix4& m, const Matrix4& x, double cx, double cy);

// The plane the image plane z = 0 lies in after f.
Ebene Matrix_4_Ebene(const Matrix4& f);
// Where the line q + t·richtung meets the plane; t = 0 for a line parallel to it.
std::array<double, 3> Matrix_4_Schnittpunkt(const std::array<double, 3>& q, const std::array<double, 3>& richtung,
                                            const Ebene& ebene);

// The cubic convolution kernel with a = −1, for t ≥ 0.
inline double Matrix_4_Kubisch(double t)
{
    return t < 1.0 ? (t - 2.0) * t * t + 1.0 : ((-t + 5.0) * t - 8.0) * t + 4.0;
}

