// The normal equations of a least-squares polynomial in 128 bits, shared by
// the fit and its statistics so both see the same solution.
#pragma once

#include "fit/power_sums.h"

#include <array>

namespace torvel {

// M c = r with M[i][j] = sum u^(i+j) and r[i] = sum u^i w, i, j = 0..degree.
struct NormalSolution {
    std::array<Quad, 6> C{}; // of w: the sums' shift V0 is not in C[0]
    Quad Determinant = 0;    // det M; 0: singular, C all 0
};

// By Cramer's rule, the determinants by cofactor expansion.
NormalSolution SolveNormalEquations(const PowerSums& s, int degree);

// (M^-1)[k][k]: the cofactor of M[k][k] over det M (not 0).
Quad InverseDiagonal(const PowerSums& s, int degree, int k, Quad determinant);

} // namespace torvel
