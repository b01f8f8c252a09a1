#include "fit/fit_statistics.h"

#include "core/decimal_rounding.h"
#include "fit/fit.h"
#include "fit/fit_dialog.h"
#include "fit/normal_equations.h"
#include "scale/ranges.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace torvel {

namespace {

// A Quad of the extended range as Real; none when it is not finite.
std::optional<Real> Finite(Quad q) {
    const auto r = static_cast<Real>(q);
    if (!std::isfinite(r)) return std::nullopt;
    return r;
}

std::optional<Real> SquareRoot(Quad q) {
    const std::optional<Real> r = Finite(q);
    if (!r || *r < 0) return std::nullopt;
    return std::sqrt(*r);
}

} // namespace

std::optional<FitStatistics> ComputeFitStatistics(Document& doc, Series& series) {
    const int kind = series.Fit.FitKind;
    const int degree = FitDegree(kind);
    if (!series.HasFit || degree == 0) return std::nullopt;
    ComputeSeriesRange(series, true, doc.Settings);
    const FitRows rows = MeasuredRows(series);
    const DataBounds bounds = BoundsOf(rows);
    const bool logU = kind == 6 || kind == 8;
    const bool logV = kind == 6 || kind == 7;
    const auto n = static_cast<int>(rows.size());
    if (n < degree + 1 || (logU && !(bounds.MinX > 0)) || (logV && !(bounds.MinY > 0)))
        return std::nullopt;

    FitStatistics st;
    st.FitKind = kind;
    st.N = n;
    st.Parameters = degree + 1;
    const PowerSums sums = SumPowers(rows, logU, logV, bounds);
    const NormalSolution solution = SolveNormalEquations(sums, degree);
    if (solution.Determinant == 0 || !IsFinite(solution.Determinant)) {
        st.Singular = true;
        return st;
    }
    for (int k = 0; k <= degree; ++k) {
        const auto i = static_cast<std::size_t>(k);
        st.Coef[i] = static_cast<Real>(solution.C[i] + (k == 0 ? sums.V0 : 0));
    }

    const int df = st.DegreesOfFreedom();
    // With as many points as coefficients the curve passes through every
    // point: no residual, and nothing to estimate its variance from.
    const Quad sse =
        df == 0 ? 0 : SumSquaredResiduals(rows, logU, logV, bounds, solution.C, degree);
    if (!IsFinite(sse)) return st;
    st.ResidualSumOfSquares = static_cast<Real>(sse);
    // R^2 = 1 for values that are all equal, as the fit has it.
    const Quad total = sums.W2 - sums.UW[0] * sums.UW[0] / sums.U[0];
    const bool spread = !sums.AllVEqual && total > 0;
    st.RSquared = spread ? static_cast<Real>(1 - std::clamp<Quad>(sse, 0, total) / total) : 1;
    if (df == 0) return st;
    const Quad variance = sse / df;
    st.ResidualSD = SquareRoot(variance);
    st.AdjustedRSquared = spread ? Finite(1 - variance / (total / (n - 1))) : 1;
    for (int k = 0; k <= degree; ++k) {
        const Quad inverse = InverseDiagonal(sums, degree, k, solution.Determinant);
        st.StandardError[static_cast<std::size_t>(k)] = SquareRoot(variance * inverse);
    }
    return st;
}

std::string FitStatisticsReport(int seriesNumber, const FitStatistics& st, int digits) {
    const char* const NotDefined = "not defined";
    auto number = [&](std::optional<Real> v) -> std::string {
        if (!v) return NotDefined;
        return digits > 0 ? GeneralText(*v, digits) : ShortestText(*v);
    };
    auto row = [](std::string label, const std::string& value, const std::string& more = {}) {
        label.resize(std::max<std::size_t>(label.size() + 2, 30), ' ');
        std::string line = label + value;
        if (!more.empty()) {
            line.resize(std::max<std::size_t>(line.size() + 2, 56), ' ');
            line += more;
        }
        return line + "\n";
    };

    std::string text = "Series # ";
    text += std::to_string(seriesNumber) + "   " + SampleEquation(st.FitKind) + "\n";
    const bool logA = st.FitKind == 6 || st.FitKind == 7;
    switch (st.FitKind) {
    case 6:
        text += "Figures of the straight line in ln X and ln Y: ln Y = ln A + B*ln X\n";
        break;
    case 7:
        text += "Figures of the straight line in ln Y: ln Y = ln A + B*X\n";
        break;
    case 8:
        text += "Figures of the straight line in ln X: Y = A + B*ln X\n";
        break;
    default:
        break;
    }
    if (st.Singular) text += "The fit's equations are singular (determinant 0).\n";
    text += row("Coefficient", "Value", "Standard error");
    static constexpr std::array<const char*, 6> Names = {"A", "B", "C", "D", "E", "F"};
    for (int k = 0; k < st.Parameters; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const std::string name = k == 0 && logA ? "ln A" : Names[i];
        const std::optional<Real> value =
            st.Singular ? std::nullopt : std::optional<Real>(st.Coef[i]);
        text += row(name, number(value), number(st.StandardError[i]));
    }
    text += row("Points used (n)", std::to_string(st.N));
    text += row("Degrees of freedom (n - p)", std::to_string(st.DegreesOfFreedom()));
    text += row("Residual sum of squares", number(st.ResidualSumOfSquares));
    text += row("Residual standard deviation", number(st.ResidualSD));
    text += row("R^2", number(st.RSquared));
    text += row("Adjusted R^2", number(st.AdjustedRSquared));
    return text;
}

} // namespace torvel
