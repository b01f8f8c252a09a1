// Decimal digits of a value rounded to the nearest, a tie (an exact binary
// value halfway between two results) going away from zero: the rule of
// NumberToText, for the other number texts the program shows.
#pragma once

#include "core/data_model.h"

#include <string>

namespace torvel {

// |value| with exactly `decimals` (0 or more) decimals in the C library's
// fixed form with a point: "3", "12.50". value must be finite.
std::string RoundFixed(Real value, int decimals);

// |value| rounded to `digits` (1 or more) significant digits: exactly that many
// digits, and the decimal exponent of the first one (0 for a zero value).
// value must be finite.
struct SignificantDigits {
    std::string Digits;
    int Exponent = 0;
};
SignificantDigits RoundSignificant(Real value, int digits);

// value with at most `digits` significant digits as the C library's %g form
// writes it (exponent form below 1E-4 and from 1E+digits on, trailing zeros
// dropped), rounded as above: 2.5 with 1 digit gives "3".
std::string GeneralText(Real value, int digits);

} // namespace torvel
