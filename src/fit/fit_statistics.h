// How far a fit can be trusted: the standard error of each coefficient, the
// residual deviation, R^2 and adjusted R^2 of a series' fit, and the report
// text the program's text window and torvel-cli both show. For the power,
// exponential and logarithmic fits they are the figures of the straight line
// fitted to the transformed data.
#pragma once

#include "core/document.h"

#include <array>
#include <optional>
#include <string>

namespace torvel {

// A figure without a value is not defined for the fit (n = p leaves no
// residual variance; a singular system has no coefficients to judge).
struct FitStatistics {
    int FitKind = 0;
    int N = 0;          // points used
    int Parameters = 0; // p, the constant term included
    bool Singular = false;
    // Of the fitted variables, constant term first: ln A for the power and
    // exponential fits, the fit's own coefficients otherwise.
    std::array<Real, 6> Coef{};
    std::array<std::optional<Real>, 6> StandardError;
    std::optional<Real> ResidualSumOfSquares, ResidualSD, RSquared, AdjustedRSquared;
    int DegreesOfFreedom() const { return N - Parameters; }
};

// The statistics of the series' current fit, from its valid rows (measured
// first, as a fit measures them: rows lacking X or Y leave the block, the
// rest sorted by X). None for a series without a fit or whose data its kind
// refuses.
std::optional<FitStatistics> ComputeFitStatistics(Document& doc, Series& series);

// The report: the series and its equation, which variables the figures are
// of, then a table of each coefficient's value and standard error, n, the
// degrees of freedom, the residual sum of squares and standard deviation,
// R^2 and adjusted R^2, lines ended by "\n". Values with every digit they
// hold, or with `digits` significant digits (1..21) when digits > 0.
std::string FitStatisticsReport(int seriesNumber, const FitStatistics& stats, int digits = 0);

} // namespace torvel
