#include "fit/normal_equations.h"

#include "fit/determinants.h"

namespace torvel {

NormalSolution SolveNormalEquations(const PowerSums& s, int degree) {
    const auto& h = s.U;
    const auto& r = s.UW;
    NormalSolution solution;
    auto& c = solution.C;
    const Quad d =
        degree == 1 ? h[0] * h[2] - h[1] * h[1] : HankelDeterminant(degree + 1, h.data());
    solution.Determinant = d;
    if (d == 0) return solution;
    if (degree == 1) {
        c[0] = (r[0] * h[2] - h[1] * r[1]) / d;
        c[1] = (h[0] * r[1] - h[1] * r[0]) / d;
        return solution;
    }
    const int n = degree + 1;
    std::array<Quad, 36> m{};
    for (int col = 0; col < n; ++col) {
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                m[static_cast<std::size_t>(i * n + j)] =
                    j == col ? r[static_cast<std::size_t>(i)] : h[static_cast<std::size_t>(i + j)];
        c[static_cast<std::size_t>(col)] = Determinant(n, m.data()) / d;
    }
    return solution;
}

Quad InverseDiagonal(const PowerSums& s, int degree, int k, Quad determinant) {
    const int n = degree + 1;
    std::array<Quad, 25> minor{};
    std::size_t at = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (i != k && j != k) minor[at++] = s.U[static_cast<std::size_t>(i + j)];
    return Determinant(n - 1, minor.data()) / determinant;
}

} // namespace torvel
