// Every number shown as text goes through NumberToText, and every number read
// from text typed or pasted goes through TextToNumber.
#pragma once

#include "core/data_model.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace torvel {

// The decimal separator of the fixed form. The program sets it once at start
// from the user's locale; it is a point until then. (The one piece of
// process-wide state in the engine: threading it through every caller of
// NumberToText would buy nothing in a single-threaded program.)
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// Restores the previous separator when it goes out of scope (tests).
class ScopedDecimalSeparator {
  public:
    explicit ScopedDecimalSeparator(char separator) : old_(DecimalSeparator()) {
        SetDecimalSeparator(separator);
    }
    ~ScopedDecimalSeparator() { SetDecimalSeparator(old_); }
    ScopedDecimalSeparator(const ScopedDecimalSeparator&) = delete;
    ScopedDecimalSeparator& operator=(const ScopedDecimalSeparator&) = delete;

  private:
    char old_;
};

std::string NumberToText(Real value, int width = 14);
std::string NumberToText(Real value, int width, char decimalSeparator);

std::string CommaToPoint(std::string_view text);

// FailPos is 0 when the whole text was read, else the 1-based position where
// reading stopped. On failure Value holds the digits read so far taken as one
// unsigned whole number. A number beyond the extended range is a failure too
// (at the last character): an infinity must never reach a cell or a setting.
struct NumberRead {
    Real Value = 0;
    int FailPos = 0;
    bool Ok() const { return FailPos == 0; }
};
NumberRead TextToNumber(std::string_view text);

struct IntegerRead {
    std::int32_t Value = 0;
    int FailPos = 0;
    bool Ok() const { return FailPos == 0; }
};
IntegerRead TextToInteger(std::string_view text);

// One number in the files' fixed form of width 23: sign place, 15 significant
// digits correctly rounded, "E", the exponent sign and 4 exponent digits.
// Writes exactly 23 characters to out. +infinity and not-a-number are written
// as the empty marker, -infinity as -1E+4932: the nearest the form holds.
void FileNumberText(Real value, char* out);
std::string FileNumberText(Real value);
// Reads one whole file token as a number (optional sign, digits, ".",
// exponent; at least one mantissa digit); false when it is not one or lies
// outside the extended range.
bool ParseFileNumber(std::string_view token, Real& value);

} // namespace torvel
