#include "fit/fit.h"

#include "core/fit_value.h"
#include "core/grid_store.h"
#include "fit/determinants.h"
#include "scale/ranges.h"

#include <array>
#include <cmath>

namespace torvel {

namespace {

// Sum of u^k: N for k = 0.
Real PowerSum(const TFitObj& fit, int k) {
    return k == 0 ? fit.Sums[SumN] : fit.Sums[static_cast<std::size_t>(k - 1)];
}

// Sum of u^k * v.
Real MomentSum(const TFitObj& fit, int k) {
    return k == 0 ? fit.Sums[SumV] : fit.Sums[static_cast<std::size_t>(SumUV + k - 1)];
}

// R^2 from the solved coefficients; all v equal gives 1 with a beep. False
// when the arithmetic left the extended range.
bool Determination(TFitObj& fit, int degree, Feedback& feedback) {
    const Real n = fit.Sums[SumN];
    const Real sv = fit.Sums[SumV];
    const Real t = fit.Sums[SumV2] - sv * sv / n;
    if (!std::isfinite(t)) return false;
    if (t == 0) {
        fit.Coef[7] = 1;
        feedback.Beep();
        return true;
    }
    Real explained = 0;
    for (int k = 0; k <= degree; ++k)
        explained += fit.Coef[static_cast<std::size_t>(k + 1)] * MomentSum(fit, k);
    fit.Coef[7] = (explained - sv * sv / n) / t;
    return std::isfinite(fit.Coef[7]);
}

enum class Solve { Solved, Singular, Overflow };

Solve FitPolynomial(TFitObj& fit, int degree, Feedback& feedback) {
    const int n = degree + 1;
    std::array<Real, 11> h{};
    for (int k = 0; k <= 2 * degree; ++k)
        h[static_cast<std::size_t>(k)] = PowerSum(fit, k);
    const Real d = degree == 1 ? h[0] * h[2] - h[1] * h[1] : HankelDeterminant(n, h.data());
    fit.Sums[SumDeterm] = d;
    if (d == 0) {
        feedback.Beep();
        return Solve::Singular;
    }
    bool finite = std::isfinite(d);
    if (finite && degree == 1) {
        const Real sv = fit.Sums[SumV], suv = fit.Sums[SumUV];
        fit.Coef[1] = (sv * h[2] - h[1] * suv) / d;
        fit.Coef[2] = (h[0] * suv - h[1] * sv) / d;
    } else if (finite) {
        std::array<Real, 36> m{};
        for (int c = 0; c < n; ++c) {
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j)
                    m[static_cast<std::size_t>(i * n + j)] =
                        j == c ? MomentSum(fit, i) : h[static_cast<std::size_t>(i + j)];
            fit.Coef[static_cast<std::size_t>(c + 1)] = Determinant(n, m.data()) / d;
        }
    }
    for (int k = 1; k <= n; ++k)
        finite = finite && std::isfinite(fit.Coef[static_cast<std::size_t>(k)]);
    // Sums, determinants or coefficients beyond the extended range: no fit
    // at all, rather than one of infinite or undefined coefficients.
    if (!finite || !Determination(fit, degree, feedback)) {
        feedback.Beep();
        for (std::size_t k = 1; k <= 7; ++k)
            fit.Coef[k] = 0;
        return Solve::Overflow;
    }
    return Solve::Solved;
}

} // namespace

int FitDegree(int fitKind) {
    if (fitKind >= 1 && fitKind <= 5) return fitKind;
    if (fitKind >= 6 && fitKind <= 8) return 1;
    return 0;
}

bool FitLinear(TFitObj& fit, Feedback& feedback) {
    return FitPolynomial(fit, 1, feedback) == Solve::Solved;
}
bool FitQuadratic(TFitObj& fit, Feedback& feedback) {
    return FitPolynomial(fit, 2, feedback) == Solve::Solved;
}
bool FitCubic(TFitObj& fit, Feedback& feedback) {
    return FitPolynomial(fit, 3, feedback) == Solve::Solved;
}
bool FitQuartic(TFitObj& fit, Feedback& feedback) {
    return FitPolynomial(fit, 4, feedback) == Solve::Solved;
}
bool FitQuintic(TFitObj& fit, Feedback& feedback) {
    return FitPolynomial(fit, 5, feedback) == Solve::Solved;
}

// Refused fits (domain, too few rows, arithmetic beyond the extended range)
// beep, clear FitOK and HasFit and keep the coefficients and fitted values
// they had. A singular system still fills the fitted column, from zero
// coefficients.
void ComputeFit(Document& doc, TFitObj& fit, Feedback& feedback) {
    fit.FitOK = true;
    if (fit.FitKind == 0) return;
    const int degree = FitDegree(fit.FitKind);
    Series* series = doc.FindSeries(fit.SeriesNumber);
    if (series == nullptr && doc.SeriesCount() > 0) series = doc.DataWindows().front().get();
    if (series == nullptr || degree == 0) {
        // Nothing to fit to, or a kind no formula belongs to.
        feedback.Beep();
        fit.FitOK = false;
        return;
    }
    Series& s = *series;
    s.HasFit = false;
    ComputeSeriesRange(s, true, doc.Settings);

    const auto valid = static_cast<std::size_t>(s.ValidCount);
    bool allXPositive = true, allYPositive = true;
    for (std::size_t i = 0; i < valid; ++i) {
        if (!(s.Rows[i].X > 0)) allXPositive = false;
        if (!(s.Rows[i].Y > 0)) allYPositive = false;
    }
    const bool logU = fit.FitKind == 6 || fit.FitKind == 8;
    const bool logV = fit.FitKind == 6 || fit.FitKind == 7;
    const bool refused = (logU && !allXPositive) || (logV && !allYPositive) ||
                         (fit.FitKind <= 5 && s.ValidCount < degree + 1) || s.ValidCount < 2;
    if (refused) {
        feedback.Beep();
        fit.FitOK = false;
        return;
    }

    fit.Sums.fill(0);
    fit.Sums[SumN] = static_cast<Real>(s.ValidCount);
    // Local accumulators: the loop runs once per row and stays in registers.
    std::array<Real, 10> su{};
    std::array<Real, 5> suv{};
    Real sv = 0, sv2 = 0;
    for (std::size_t i = 0; i < valid; ++i) {
        const Real u = logU ? std::log(s.Rows[i].X) : s.Rows[i].X;
        const Real v = logV ? std::log(s.Rows[i].Y) : s.Rows[i].Y;
        Real p = u;
        for (int k = 0; k < 10; ++k) {
            su[static_cast<std::size_t>(k)] += p;
            if (k < 5) suv[static_cast<std::size_t>(k)] += p * v;
            p *= u;
        }
        sv += v;
        sv2 += v * v;
    }
    for (std::size_t k = 0; k < 10; ++k)
        fit.Sums[k] = su[k];
    fit.Sums[SumV] = sv;
    fit.Sums[SumV2] = sv2;
    for (std::size_t k = 0; k < 5; ++k)
        fit.Sums[SumUV + k] = suv[k];

    const std::array<Real, 8> previous = fit.Coef;
    for (std::size_t k = 1; k <= 7; ++k)
        fit.Coef[k] = 0;
    Solve solved = FitPolynomial(fit, degree, feedback);
    if (solved == Solve::Solved && logV) {
        fit.Coef[1] = std::exp(fit.Coef[1]);
        if (!std::isfinite(fit.Coef[1])) {
            feedback.Beep();
            solved = Solve::Overflow;
        }
    }
    if (solved == Solve::Overflow) {
        // Treated like a refused fit: the previous coefficients stay.
        fit.Coef = previous;
        fit.FitOK = false;
        return;
    }
    if (solved == Solve::Singular) fit.FitOK = false;

    s.HasFit = true;
    for (std::size_t i = 0; i < valid; ++i) {
        s.Rows[i].YFit = FitValue(fit, s.Rows[i].X);
        s.Rows[i].YFitValid = true;
    }
    s.SetHeader(YFitColumn, s.FitHeaderText());
    RowsToGrid(s);
}

} // namespace torvel
