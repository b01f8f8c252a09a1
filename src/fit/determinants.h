// Determinants by cofactor expansion along the first row, without pivoting,
// as the normal equations of the fits need them, in the extended type or in
// 128 bits. Sizes 1..6; any other size gives 0.
#pragma once

#include "core/data_model.h"
#include "fit/quad.h"

namespace torvel {

// The n x n matrix m[i*n + j] (row i, column j).
Real Determinant(int n, const Real* m);
// The n x n Hankel matrix M[i][j] = h[i + j], given by its 2n - 1 values.
Real HankelDeterminant(int n, const Real* h);
Quad Determinant(int n, const Quad* m);
Quad HankelDeterminant(int n, const Quad* h);

} // namespace torvel
