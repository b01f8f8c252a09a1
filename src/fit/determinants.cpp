#include "fit/determinants.h"

#include <array>

namespace torvel {

namespace {

constexpr int MaxSize = 6;

// The (n-1) x (n-1) matrix left when row 0 and column col are struck out.
template <typename T> void Minor(int n, const T* m, int col, T* out) {
    int k = 0;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (j != col) out[k++] = m[i * n + j];
}

template <typename T> T Det3(const T* m) {
    return m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
           m[2] * (m[3] * m[7] - m[4] * m[6]);
}

template <typename T> T General(int n, const T* m) {
    switch (n) {
    case 1:
        return m[0];
    case 2:
        return m[0] * m[3] - m[1] * m[2];
    case 3:
        return Det3(m);
    default:
        break;
    }
    std::array<T, (MaxSize - 1) * (MaxSize - 1)> minor{};
    T det = 0;
    for (int j = 0; j < n; ++j) {
        Minor(n, m, j, minor.data());
        const T term = m[j] * General(n - 1, minor.data());
        det += (j % 2 == 0) ? term : -term;
    }
    return det;
}

template <typename T> T Hankel(int n, const T* h) {
    switch (n) {
    case 1:
        return h[0];
    case 2:
        return h[0] * h[2] - h[1] * h[1];
    case 3:
        return h[0] * (h[2] * h[4] - h[3] * h[3]) - h[1] * (h[1] * h[4] - h[3] * h[2]) +
               h[2] * (h[1] * h[3] - h[2] * h[2]);
    default:
        break;
    }
    // Striking row 0 and the first or last column leaves a Hankel matrix
    // again (its values start two, or one, further on); the other minors are
    // expanded in full.
    std::array<T, MaxSize * MaxSize> full{};
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            full[static_cast<std::size_t>(i * n + j)] = h[i + j];
    std::array<T, (MaxSize - 1) * (MaxSize - 1)> minor{};
    T det = 0;
    for (int j = 0; j < n; ++j) {
        T sub;
        if (j == 0) {
            sub = Hankel(n - 1, h + 2);
        } else if (j == n - 1) {
            sub = Hankel(n - 1, h + 1);
        } else {
            Minor(n, full.data(), j, minor.data());
            sub = General(n - 1, minor.data());
        }
        const T term = h[j] * sub;
        det += (j % 2 == 0) ? term : -term;
    }
    return det;
}

} // namespace

Real Determinant(int n, const Real* m) {
    return n < 1 || n > MaxSize ? 0 : General(n, m);
}
Real HankelDeterminant(int n, const Real* h) {
    return n < 1 || n > MaxSize ? 0 : Hankel(n, h);
}
Quad Determinant(int n, const Quad* m) {
    return n < 1 || n > MaxSize ? 0 : General(n, m);
}
Quad HankelDeterminant(int n, const Quad* h) {
    return n < 1 || n > MaxSize ? 0 : Hankel(n, h);
}

} // namespace torvel
