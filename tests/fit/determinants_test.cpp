#include "fit/determinants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace torvel {
namespace {

// The exact determinant of a small integer matrix by the permutation formula.
__int128 ExactDet(int n, const std::vector<__int128>& a) {
    std::vector<int> p(static_cast<std::size_t>(n));
    std::iota(p.begin(), p.end(), 0);
    __int128 det = 0;
    do {
        __int128 term = 1;
        for (int i = 0; i < n; ++i) {
            term *= a[static_cast<std::size_t>(i * n + p[static_cast<std::size_t>(i)])];
            for (int j = i + 1; j < n; ++j)
                if (p[static_cast<std::size_t>(j)] < p[static_cast<std::size_t>(i)]) term = -term;
        }
        det += term;
    } while (std::next_permutation(p.begin(), p.end()));
    return det;
}

TEST(Determinant, SmallIntegerMatricesAreExact) {
    std::mt19937 rng(11);
    for (int n = 1; n <= 6; ++n) {
        for (int trial = 0; trial < 50; ++trial) {
            std::vector<Real> m(static_cast<std::size_t>(n * n));
            std::vector<Quad> q(m.size());
            std::vector<__int128> exact(m.size());
            for (std::size_t k = 0; k < m.size(); ++k) {
                const int v = static_cast<int>(rng() % 19) - 9;
                m[k] = v;
                q[k] = v;
                exact[k] = v;
            }
            EXPECT_EQ(Determinant(n, m.data()), static_cast<Real>(ExactDet(n, exact)))
                << "size " << n;
            EXPECT_TRUE(Determinant(n, q.data()) == static_cast<Quad>(ExactDet(n, exact)))
                << "size " << n;
        }
    }
}

} // namespace
} // namespace torvel
