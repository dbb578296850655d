#include "raster/Matrix4Ops.h"

#include <cmath>
#include <numbers>

namespace {

double radians(double grad)
{
    return grad / 180.0 * std::numbers::pi;
}

double& at(Matrix4& m, int r, int c)
{
    return m.m[static_cast<size_t>(r)][static_cast<size_t>(c)];
}

double at(const Matrix4& m, int r, int c)
{
    return m.m[static_cast<size_t>(r)][static_cast<size_t>(c)];
}

// Identity with a 2 × 2 rotation block in rows and columns a and b.
Matrix4 rotation(double grad, int a, int b)
{
    const double w = radians(grad);
    Matrix4 m = Matrix4::Einheit();
    at(m, a, a) = std::cos(w);
    at(m, a, b) = -std::sin(w);
    at(m, b, a) = std::sin(w);
    at(m, b, b) = std::cos(w);
    return m;
}

double dot3(const std::array<double, 3>& a, const std::array<double, 3>& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

}

Matrix4 Matrix_4_Verschiebung(double tx, double ty)
{
    Matrix4 m = Matrix4::Einheit();
    at(m, 0, 3) = tx;
    at(m, 1, 3) = ty;
    return m;
}

Matrix4 Matrix_4_Skalierung(double sx, double sy)
{
    Matrix4 m = Matrix4::Einheit();
    at(m, 0, 0) = sx;
    at(m, 1, 1) = sy;
    return m;
}

Matrix4 Matrix_4_DrehungZ(double grad)
{
    return rotation(grad, 0, 1);
}

Matrix4 Matrix_4_DrehungY(double grad)
{
    // About Y the sine below the diagonal is negative: element [2][0] = −sin.
    return rotation(grad, 2, 0);
}

Matrix4 Matrix_4_DrehungX(double grad)
{
    return rotation(grad, 1, 2);
}

Matrix4 Matrix_4_Produkt(const Matrix4& a, const Matrix4& b)
{
    Matrix4 p;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double s = 0.0;
            for (int k = 0; k < 4; ++k)
                s += at(a, r, k) * at(b, k, c);
            at(p, r, c) = s;
        }
    return p;
}

Vektor4 Matrix_4_MalVektor(const Matrix4& m, const Vektor4& v)
{
    Vektor4 p{};
    for (int r = 0; r < 4; ++r)
        p[static_cast<size_t>(r)] = at(m, r, 0) * v[0] + at(m, r, 1) * v[1] + at(m, r, 2) * v[2] + at(m, r, 3) * v[3];
    return p;
}

double Matrix_4_Determinante3(const Matrix4& m)
{
    return at(m, 0, 0) * (at(m, 1, 1) * at(m, 2, 2) - at(m, 1, 2) * at(m, 2, 1))
        - at(m, 0, 1) * (at(m, 1, 0) * at(m, 2, 2) - at(m, 1, 2) * at(m, 2, 0))
        + at(m, 0, 2) * (at(m, 1, 0) * at(m, 2, 1) - at(m, 1, 1) * at(m, 2, 0));
}

double Matrix_4_Minor3(const Matrix4& m, int zeile, int spalte)
{
    Matrix4 rest;
    for (int r = 0, rr = 0; r < 4; ++r) {
        if (r == zeile)
            continue;
        for (int c = 0, cc = 0; c < 4; ++c) {
            if (c == spalte)
                continue;
            at(rest, rr, cc++) = at(m, r, c);
        }
        ++rr;
    }
    return Matrix_4_Determinante3(rest);
}

Matrix4 Matrix_4_Inverse(const Matrix4& m)
{
    Matrix4 adj;
    double det = 0.0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            const double cofactor = ((r + c) % 2 == 0 ? 1.0 : -1.0) * Matrix_4_Minor3(m, r, c);
            at(adj, c, r) = cofactor;
            if (r == 0)
                det += at(m, 0, c) * cofactor;
        }
    if (det == 0.0)
        return adj;
    for (auto& row : adj.m)
        for (double& v : row)
            v /= det;
    return adj;
}

Matrix4 Matrix_4_UmZentrum(const Matrix4& m, const Matrix4& x, double cx, double cy)
{
    const Matrix4 um = Matrix_4_Produkt(Matrix_4_Produkt(Matrix_4_Verschiebung(cx, cy), x),
                                        Matrix_4_Verschiebung(-cx, -cy));
    return Matrix_4_Produkt(m, um);
}

Ebene Matrix_4_Ebene(const Matrix4& f)
{
    const Vektor4 p0 = Matrix_4_MalVektor(f, {0.0, 0.0, 0.0, 1.0});
    const Vektor4 p1 = Matrix_4_MalVektor(f, {0.0, 0.0, 1.0, 1.0});
    Ebene e;
    e.n = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
    e.d = -dot3(e.n, {p0[0], p0[1], p0[2]});
    return e;
}

std::array<double, 3> Matrix_4_Schnittpunkt(const std::array<double, 3>& q, const std::array<double, 3>& richtung,
                                            const Ebene& ebene)
{
    const double nd = dot3(ebene.n, richtung);
    const double t = nd == 0.0 ? 0.0 : -(ebene.d + dot3(ebene.n, q)) / nd;
    return {q[0] + t * richtung[0], q[1] + t * richtung[1], q[2] + t * richtung[2]};
}
