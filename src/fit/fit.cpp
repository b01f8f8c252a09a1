#include "fit/fit.h"

#include "core/fit_value.h"
#include "core/grid_store.h"
#include "fit/normal_equations.h"
#include "fit/power_sums.h"
#include "scale/ranges.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>
#include <vector>

namespace torvel {

namespace {

const char* const BeyondRangeText = "The values are beyond the range of the fit's arithmetic.";

// Why a fit of this kind refuses the series' rows, for the beep.
std::string RefusedFitText(int kind, int degree, int validCount, bool allXPositive,
                           bool allYPositive) {
    if (validCount < 2) return "The fit needs at least 2 rows with both X and Y.";
    if (kind == 6 && !(allXPositive && allYPositive))
        return "The power fit needs every X and every Y above 0.";
    if (kind == 7 && !allYPositive) return "The exponential fit needs every Y above 0.";
    if (kind == 8 && !allXPositive) return "The natural log fit needs every X above 0.";
    return "A polynomial of degree " + std::to_string(degree) + " needs more than " +
           std::to_string(degree) + " rows with both X and Y.";
}

// a + v0 * b; a shift of 0 adds nothing, not even 0 times infinity.
Quad Shifted(Quad a, Quad v0, Quad b) {
    return v0 == 0 ? a : a + v0 * b;
}

// The sums a record holds, as the public solvers take them: v unshifted.
PowerSums SumsOfRecord(const TFitObj& fit) {
    PowerSums s;
    s.U[0] = fit.Sums[SumN];
    for (std::size_t k = 1; k <= 10; ++k)
        s.U[k] = fit.Sums[k - 1];
    s.UW[0] = fit.Sums[SumV];
    for (std::size_t k = 1; k <= 5; ++k)
        s.UW[k] = fit.Sums[SumUV + k - 1];
    s.W2 = fit.Sums[SumV2];
    s.AllVEqual = s.W2 - s.UW[0] * s.UW[0] / s.U[0] == 0;
    return s;
}

// The record keeps the sums of v itself, rounded to the extended type.
void StoreSums(const PowerSums& s, TFitObj& fit) {
    const Quad v0 = s.V0, n = s.U[0];
    fit.Sums.fill(0);
    fit.Sums[SumN] = static_cast<Real>(n);
    for (std::size_t k = 1; k <= 10; ++k)
        fit.Sums[k - 1] = static_cast<Real>(s.U[k]);
    fit.Sums[SumV] = static_cast<Real>(Shifted(s.UW[0], v0, n));
    fit.Sums[SumV2] = static_cast<Real>(Shifted(Shifted(s.W2, 2 * v0, s.UW[0]), v0 * v0, n));
    for (std::size_t k = 1; k <= 5; ++k)
        fit.Sums[SumUV + k - 1] = static_cast<Real>(Shifted(s.UW[k], v0, s.U[k]));
}

// R^2 = 1 - SSE / T with T the sum of squares about the mean and SSE that of
// the residuals, SSE = sum w^2 - c . r (c solves the normal equations). SSE
// held to [0, T], where a least-squares fit with a constant term has it, so
// cancellation can never carry R^2 out of [0, 1].
Quad Determination(const PowerSums& s, const std::array<Quad, 6>& c, int degree) {
    const Quad t = s.W2 - s.UW[0] * s.UW[0] / s.U[0];
    Quad explained = 0;
    for (std::size_t k = 0; k <= static_cast<std::size_t>(degree); ++k)
        explained += c[k] * s.UW[k];
    const Quad sse = s.W2 - explained;
    if (!IsFinite(t) || !IsFinite(sse)) return t + sse; // not finite either
    // T rounded to 0 or below although the values differ: they agree in
    // every digit the sums hold.
    if (!(t > 0)) return 1;
    return 1 - std::clamp<Quad>(sse, 0, t) / t;
}

enum class Solve { Solved, Singular, Overflow };

// The normal equations in 128 bits; v shifted back by V0 into the constant
// term.
Solve FitPolynomial(const PowerSums& s, int degree, TFitObj& fit, Feedback& feedback) {
    const int n = degree + 1;
    const NormalSolution solution = SolveNormalEquations(s, degree);
    const Quad d = solution.Determinant;
    fit.Sums[SumDeterm] = static_cast<Real>(d);
    if (d == 0) {
        feedback.Beep("The fit's equations are singular (determinant 0): too few different X.");
        return Solve::Singular;
    }
    std::array<Quad, 6> c = solution.C;
    const Quad r2 = s.AllVEqual ? 1 : Determination(s, c, degree);
    c[0] += s.V0;
    bool finite = IsFinite(d) && IsFinite(r2);
    for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
        fit.Coef[k + 1] = static_cast<Real>(c[k]);
        finite = finite && std::isfinite(fit.Coef[k + 1]);
    }
    // Sums, determinants or coefficients beyond the extended range: no fit
    // at all, rather than one of infinite or undefined coefficients.
    if (!finite) {
        feedback.Beep(BeyondRangeText);
        for (std::size_t k = 1; k <= 7; ++k)
            fit.Coef[k] = 0;
        return Solve::Overflow;
    }
    fit.Coef[7] = static_cast<Real>(r2);
    if (s.AllVEqual) feedback.Beep("All fitted values are equal: R^2 is 1.");
    return Solve::Solved;
}

} // namespace

FitRows MeasuredRows(const Series& s) {
    const auto valid = static_cast<std::size_t>(s.ValidCount);
    // Sorted data without gaps (Identity) are in X order already.
    return {s.Store(), valid, valid > 0 ? s.ValidRow(s.ValidCount / 2).Y : 0,
            s.Measured.Identity ? nullptr : &s.Measured.Order};
}

int FitDegree(int fitKind) {
    if (fitKind >= 1 && fitKind <= 5) return fitKind;
    if (fitKind >= 6 && fitKind <= 8) return 1;
    return 0;
}

bool FitLinear(TFitObj& fit, Feedback& feedback) {
    return FitPolynomial(SumsOfRecord(fit), 1, fit, feedback) == Solve::Solved;
}
bool FitQuadratic(TFitObj& fit, Feedback& feedback) {
    return FitPolynomial(SumsOfRecord(fit), 2, fit, feedback) == Solve::Solved;
}
bool FitCubic(TFitObj& fit, Feedback& feedback) {
    return FitPolynomial(SumsOfRecord(fit), 3, fit, feedback) == Solve::Solved;
}
bool FitQuartic(TFitObj& fit, Feedback& feedback) {
    return FitPolynomial(SumsOfRecord(fit), 4, fit, feedback) == Solve::Solved;
}
bool FitQuintic(TFitObj& fit, Feedback& feedback) {
    return FitPolynomial(SumsOfRecord(fit), 5, fit, feedback) == Solve::Solved;
}

// Refused fits (domain, too few rows, arithmetic beyond the extended range)
// beep, clear FitOK and HasFit and keep the coefficients and fitted values
// they had. A singular system still fills the fitted column, from zero
// coefficients.
void ComputeFit(Document& doc, TFitObj& fit, Feedback& feedback, FitRowsShown shown) {
    fit.FitOK = true;
    if (fit.FitKind == 0) return;
    const int degree = FitDegree(fit.FitKind);
    Series* series = doc.FindSeries(fit.SeriesNumber);
    if (series == nullptr && doc.SeriesCount() > 0) series = doc.DataWindows().front().get();
    if (series == nullptr || degree == 0) {
        // Nothing to fit to, or a kind no formula belongs to.
        feedback.Beep(series == nullptr ? "There is no series to fit." : "Unknown kind of fit.");
        fit.FitOK = false;
        return;
    }
    Series& s = *series;
    s.HasFit = false;
    ComputeSeriesRange(s, true, doc.Settings);

    const auto valid = static_cast<std::size_t>(s.ValidCount);
    const FitRows rows = MeasuredRows(s);
    const DataBounds bounds = BoundsOf(rows);
    const bool logU = fit.FitKind == 6 || fit.FitKind == 8;
    const bool logV = fit.FitKind == 6 || fit.FitKind == 7;
    const bool refused = (logU && !(bounds.MinX > 0)) || (logV && !(bounds.MinY > 0)) ||
                         (fit.FitKind <= 5 && s.ValidCount < degree + 1) || s.ValidCount < 2;
    if (refused) {
        feedback.Beep(
            RefusedFitText(fit.FitKind, degree, s.ValidCount, bounds.MinX > 0, bounds.MinY > 0));
        fit.FitOK = false;
        return;
    }

    const PowerSums sums = SumPowers(rows, logU, logV, bounds);
    StoreSums(sums, fit);
    const std::array<Real, 8> previous = fit.Coef;
    for (std::size_t k = 1; k <= 7; ++k)
        fit.Coef[k] = 0;
    Solve solved = FitPolynomial(sums, degree, fit, feedback);
    if (solved == Solve::Solved && logV) {
        fit.Coef[1] = std::exp(fit.Coef[1]);
        if (!std::isfinite(fit.Coef[1])) {
            feedback.Beep(BeyondRangeText);
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
    if (shown == FitRowsShown::NotShown) {
        s.HasFit = true;
        return;
    }

    // The grid now shows the valid rows sorted by X, then empty rows.
    RowStore& store = s.Store();
    store.MakeFitColumn(); // before anything moves: it may not be had
    SortRows(s, true, doc.Settings);
    s.HasFit = true;
    for (std::size_t i = 0; i < valid; ++i)
        store.Set(YFitColumn, i, FitValue(fit, store.X(i)));
    s.SetHeader(YFitColumn, s.FitHeaderText());
    RowsToGrid(s);
}

} // namespace torvel
