#include "fit/determinants.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace torvel {
namespace {

// Exact integer determinant by Gaussian elimination over fractions
// (Bareiss), for small integer matrices.
__int128 ExactDet(int n, std::vector<__int128> a) {
    __int128 prev = 1;
    int sign = 1;
    for (int k = 0; k < n - 1; ++k) {
        if (a[static_cast<std::size_t>(k * n + k)] == 0) {
            int swap = -1;
            for (int i = k + 1; i < n; ++i)
                if (a[static_cast<std::size_t>(i * n + k)] != 0) swap = i;
            if (swap < 0) return 0;
            for (int j = 0; j < n; ++j)
                std::swap(a[static_cast<std::size_t>(k * n + j)],
                          a[static_cast<std::size_t>(swap * n + j)]);
            sign = -sign;
        }
        for (int i = k + 1; i < n; ++i)
            for (int j = k + 1; j < n; ++j)
                a[static_cast<std::size_t>(i * n + j)] =
                    (a[static_cast<std::size_t>(i * n + j)] *
                         a[static_cast<std::size_t>(k * n + k)] -
                     a[static_cast<std::size_t>(i * n + k)] *
                         a[static_cast<std::size_t>(k * n + j)]) /
                    prev;
        prev = a[static_cast<std::size_t>(k * n + k)];
    }
    return sign * a[static_cast<std::size_t>(n * n - 1)];
}

TEST(Determinant, SmallIntegerMatricesAreExact) {
    std::mt19937 rng(11);
    for (int n = 1; n <= 6; ++n) {
        for (int trial = 0; trial < 50; ++trial) {
            std::vector<Real> m(static_cast<std::size_t>(n * n));
            std::vector<__int128> exact(m.size());
            for (std::size_t k = 0; k < m.size(); ++k) {
                const int v = static_cast<int>(rng() % 19) - 9;
                m[k] = v;
                exact[k] = v;
            }
            EXPECT_EQ(Determinant(n, m.data()), static_cast<Real>(ExactDet(n, exact)))
                << "size " << n;
        }
    }
}

TEST(HankelDeterminant, AgreesWithTheFullMatrix) {
    std::mt19937 rng(5);
    for (int n = 1; n <= 6; ++n) {
        for (int trial = 0; trial < 50; ++trial) {
            std::vector<Real> h(static_cast<std::size_t>(2 * n - 1));
            for (Real& v : h)
                v = static_cast<int>(rng() % 21) - 10;
            std::vector<Real> m(static_cast<std::size_t>(n * n));
            std::vector<__int128> exact(m.size());
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) {
                    m[static_cast<std::size_t>(i * n + j)] = h[static_cast<std::size_t>(i + j)];
                    exact[static_cast<std::size_t>(i * n + j)] =
                        static_cast<__int128>(h[static_cast<std::size_t>(i + j)]);
                }
            EXPECT_EQ(HankelDeterminant(n, h.data()), static_cast<Real>(ExactDet(n, exact)))
                << "size " << n;
            EXPECT_EQ(HankelDeterminant(n, h.data()), Determinant(n, m.data()));
        }
    }
}

TEST(Determinant, KnownValuesAndSizesOutsideTheRange) {
    const Real identity4[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_EQ(Determinant(4, identity4), 1);
    const Real swapped3[9] = {0, 1, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_EQ(Determinant(3, swapped3), -1);
    // Hankel of 1..5 (size 3) is singular: rows in arithmetic progression.
    const Real h[5] = {1, 2, 3, 4, 5};
    EXPECT_EQ(HankelDeterminant(3, h), 0);
    EXPECT_EQ(Determinant(0, identity4), 0);
    EXPECT_EQ(Determinant(7, identity4), 0);
    EXPECT_EQ(HankelDeterminant(7, h), 0);
}

} // namespace
} // namespace torvel
