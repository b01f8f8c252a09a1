// Evaluating a fitted formula; the fitting itself lives in fit/.
#pragma once

#include "core/data_model.h"

namespace torvel {

// The fitted y at x; clears EvalOK (and gives 0) when x lies outside the
// formula's domain (x <= 0 for the power and logarithmic kinds).
Real FitValue(TFitObj& fit, Real x);

} // namespace torvel
