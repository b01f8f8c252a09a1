// The texts of the scale numbers: the fixed and exponent forms of linear
// axes, the exponent texts of logarithmic axes, and the choice of form with
// the lowering of decimals it may make.
#pragma once

#include "core/data_model.h"

#include <string>

namespace torvel {

// Shortens a four-digit exponent: leading zeros go, and a zero exponent goes
// entirely with its E and sign.
std::string TrimExponent(const std::string& s);

// Which axis a logarithmic number belongs to: the X and right axes put a
// blank between "1E" and the exponent's sign or digits.
enum class NumberAxis { X, Left, Right };
std::string LogNumberText(int exponent, NumberAxis axis, bool exponential);

// v with exactly `decimals` decimals (fixed form), or the two-digit exponent
// form with a leading blank for non-negative values, trimmed. Both round a
// tie away from zero, as NumberToText does: 2.5 with 0 decimals gives "3".
std::string FixedNumberText(Real v, int decimals);
std::string ExponentNumberText(Real v);
inline std::string LinearNumberText(Real v, int decimals, bool exponentForm) {
    return exponentForm ? ExponentNumberText(v) : FixedNumberText(v, decimals);
}

// Chooses the form of the X axis numbers; may lower `decimals`. Returns true
// for the exponent form.
bool ChooseXNumberForm(Real xMax, Real xMin, int ticks, int& decimals);
// The same for a Y axis (left or right).
bool ChooseYNumberForm(Real yMax, Real yMin, int& decimals);

// trunc(Log10(x)), with a value within 1e-10 of a whole number taken as that
// number, so an exact power of ten counts as its exponent.
int TruncLog10(Real x);

} // namespace torvel
