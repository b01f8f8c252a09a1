// Least-squares fits of a series: power sums of the (possibly transformed)
// data, the normal equations and Cramer's rule. The sums are kept in about
// twice the extended type's precision and the systems are solved in 128 bits,
// so exact data give their coefficients to the last digit of the extended
// type; the record keeps the sums and results rounded to it.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "fit/power_sums.h"

#include <span>
#include <vector>

namespace torvel {

// Positions in TFitObj::Sums: sums of u^1..u^10 at 0..9, then these.
enum FitSum {
    SumV = 10,      // sum of v
    SumV2 = 11,     // sum of v^2
    SumUV = 12,     // sum of u*v; u^k*v follows at SumUV + k - 1 up to k = 5
    SumN = 17,      // number of points
    SumDeterm = 18, // determinant of the last system solved
};

// Highest power of X of a kind: 1..5 for the polynomials, 1 for the
// transformed straight lines (6..8), 0 for none or an unknown kind.
int FitDegree(int fitKind);

// The valid rows of a series just measured (ComputeSeriesRange).
FitRows MeasuredRows(const Series& s);

// Fits fit.FitKind to the valid rows of the series numbered fit.SeriesNumber
// (the first series when none has that number): measures the series
// (compacting and sorting it by X), fills Sums, Coef[1..7] and the fitted
// column, and shows the rows in the grid. Failures beep and clear FitOK;
// see the definition for what each keeps.
// FitRowsShown::NotShown works out the same fit and leaves the rows where
// they are, without the fitted column: for the command line, which shows no
// rows, and saves sorting and filling millions of them.
enum class FitRowsShown { InGrid, NotShown };
void ComputeFit(Document& doc, TFitObj& fit, Feedback& feedback,
                FitRowsShown shown = FitRowsShown::InGrid);

// Solve the normal equations of degree 1..5 from fit.Sums into Coef[1..7]
// (R^2 in Coef[7], always within [0, 1]). A singular system, or one whose
// arithmetic leaves the extended range, beeps and leaves the coefficients 0
// (returns false); all v equal gives R^2 = 1 with a beep (returns true).
bool FitLinear(TFitObj& fit, Feedback& feedback);
bool FitQuadratic(TFitObj& fit, Feedback& feedback);
bool FitCubic(TFitObj& fit, Feedback& feedback);
bool FitQuartic(TFitObj& fit, Feedback& feedback);
bool FitQuintic(TFitObj& fit, Feedback& feedback);

} // namespace torvel
