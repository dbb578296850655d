#pragma once
#include <array>
#include <cstddef>

// A 4 × 4 matrix of homogeneous coordinates, row-major.
struct Matrix4 {
    std::array<std::array<double, 4>, 4> m{};

    static Matrix4 Einheit()
    {
        Matrix4 e;
        for (int i = 0; i < 4; ++i)
            e.m[static_cast<size_t>(i)][static_cast<size_t>(i)] = 1.0;
        return e;
    }
    bool operator==(const Matrix4&) const = default;
};
