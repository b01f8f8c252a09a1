#include "core/fit_value.h"

#include <cmath>

namespace torvel {

Real FitValue(TFitObj& fit, Real x) {
    fit.EvalOK = true;
    const auto& c = fit.Coef;
    switch (fit.FitKind) {
    case 6:
        if (x > 0) return c[1] * std::exp(c[2] * std::log(x));
        fit.EvalOK = false;
        return 0;
    case 7:
        return c[1] * std::exp(c[2] * x);
    case 8:
        if (x > 0) return c[2] * std::log(x) + c[1];
        fit.EvalOK = false;
        return 0;
    default: {
        // Kinds 0..5 (coefficients above the degree are zero).
        const Real x2 = x * x, x3 = x2 * x, x4 = x3 * x, x5 = x4 * x;
        return c[1] + c[2] * x + c[3] * x2 + c[4] * x3 + c[5] * x4 + c[6] * x5;
    }
    }
}

} // namespace torvel
