#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace torvel {
namespace {

struct FormatCase {
    Real value;
    const char* text;
};

TEST(NumberToText, ResultsForWidth14) {
    const FormatCase cases[] = {
        {0, "0"},
        {3.14159265358979L, "3.14159265359"},
        {0.25L, ".25"},
        {-0.25L, "-.25"},
        {1234567.8915L, "1234567.8915"},
        {123456789.987654L, "123456789.988"},
        {1999999999.5L, "1999999999.5"},
        {0.000123456789012L, ".000123456789"},
        {2.5E-9L, ".0000000025"},
        {1E-10L, "1.00000E-0010"},
        {2E9L, "2.00000E+0009"},
        {-3E12L, "-3.00000E+0012"},
        {1999999999, "1999999999"},
        {2000000000, "2.00000E+0009"},
        {2E-9L, "2.00000E-0009"},
        {3E-9L, ".000000003"},
        {5.0000000000001L, "5"},
        {0.123456789019L, ".123456789019"},
        {-0.123456789019L, "-.12345678901"},
        // Rounding carries into the integer part.
        {9.9999999999996L, "10"},
        // A tie on the exact binary value rounds half up, not to even.
        {1999999999.125L, "1999999999.13"},
        {2000005000.0L, "2.00001E+0009"},
        // Carry out of the first significant digit raises the exponent.
        {9.999996E12L, "1.00000E+0013"},
        {1.0E+4932L, "1.00000E+4932"},
        {-1.5E-300L, "-1.50000E-0300"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberToText(c.value, 14, '.'), c.text) << (double)c.value;
}

TEST(NumberToText, WidthSetsScientificDigits) {
    EXPECT_EQ(NumberToText(1234567890123.0L, 10, '.'), "1.2E+0012");
    EXPECT_EQ(NumberToText(1234567890123.0L, 18, '.'), "1.234567890E+0012");
    EXPECT_EQ(NumberToText(1234567890123.0L, 4, '.'), "1.2E+0012"); // at least 2 digits
    // Above width 26: 18 digits, padded on the left to width - 1.
    EXPECT_EQ(NumberToText(-1234567890123.0L, 30, '.'), "   -1.23456789012300000E+0012");
    EXPECT_EQ(NumberToText(3.14159265358979L, 8, '.'), "3.141592");
}

struct ReadCase {
    const char* text;
    Real value;
    int failPos;
};

TEST(TextToNumber, ValuesAndFailurePositions) {
    const ReadCase cases[] = {
        {"3.5", 3.5L, 0},
        {"3,5", 3.5L, 0},
        {" 7", 7, 0},
        {"7 ", 7, 2},
        {"1e", 1, 3},
        {"1e+", 1, 4},
        {"-", 0, 2},
        {"1.2.3", 12, 4},
        {"E5", 0, 0},
        {".", 0, 0},
        {"5.", 5, 0},
        {".5", 0.5L, 0},
        {"", 0, 1},
        {"   ", 0, 4},
        {"-12.5x", 125, 6},
        {"abc", 0, 1},
        {"1,234.5", 1234, 6},
        {"-2.5e-3", -0.0025L, 0},
        {"1E+0004", 10000, 0},
        // Beyond the extended range: a failure, never an infinity.
        {"1e99999", 19999, 7},
        {"-9e4932", 9493, 7},
        {"1e-99999", 0, 0},
    };
    for (const auto& c : cases) {
        const NumberRead r = TextToNumber(c.text);
        EXPECT_EQ(r.FailPos, c.failPos) << c.text;
        EXPECT_EQ(r.Value, c.value) << c.text;
    }
}

TEST(TextToNumber, IsCorrectlyRoundedInExtendedPrecision) {
    EXPECT_EQ(TextToNumber("0.1").Value, 0.1L);
    EXPECT_EQ(TextToNumber("3.14159265358979323846").Value, 3.14159265358979323846L);
    EXPECT_EQ(TextToNumber("1.00000000000000E+4932").Value, 1.0E+4932L);
    EXPECT_EQ(TextToNumber("-2.50000000000000E-0001").Value, -0.25L);
    EXPECT_EQ(TextToNumber("123456789012345678901234567890").Value,
              123456789012345678901234567890.0L);
    EXPECT_EQ(TextToNumber("0.000000000000000000000000000000001").Value, 1e-33L);
}

struct IntCase {
    const char* text;
    std::int32_t value;
    int failPos;
};

TEST(TextToInteger, DecimalAndHexadecimal) {
    const IntCase cases[] = {
        {"50", 50, 0},
        {" -7", -7, 0},
        {"+12", 12, 0},
        {"$1F", 31, 0},
        {"x10", 16, 0},
        {"0x10", 16, 0},
        {"0XfF", 255, 0},
        {"2147483647", 2147483647, 0},
        {"-2147483648", -2147483647 - 1, 0},
        {"$FFFFFFFF", -1, 0},
        {"", 0, 1},
        {"-", 0, 2},
        {"0x", 0, 3},
        {"1.5", 1, 2},
        {"-$5", 0, 2},
        // Overflow fails at the digit that overflows.
        {"2147483648", 0, 10},
        {"-2147483649", 0, 11},
        {"99999999999", 0, 10},
        {"$123456789", 0, 10},
    };
    for (const auto& c : cases) {
        const IntegerRead r = TextToInteger(c.text);
        EXPECT_EQ(r.FailPos, c.failPos) << c.text;
        if (c.failPos == 0) {
            EXPECT_EQ(r.Value, c.value) << c.text;
        }
    }
}

// ---- the files' width-23 form ----------------------------------------------

TEST(FileNumberText, Width23Form) {
    struct Case {
        Real value;
        const char* text;
    };
    for (Case c :
         {Case{1.5L, " 1.50000000000000E+0000"}, Case{-0.25L, "-2.50000000000000E-0001"},
          Case{EmptyValue, " 1.00000000000000E+4932"}, Case{0, " 0.00000000000000E+0000"},
          Case{1, " 1.00000000000000E+0000"}, Case{10, " 1.00000000000000E+0001"},
          Case{-1e-300L, "-1.00000000000000E-0300"},
          Case{123456789012345678.0L, " 1.23456789012346E+0017"},
          Case{999999.99999999996L, " 1.00000000000000E+0006"},
          Case{0.1L, " 1.00000000000000E-0001"}, Case{2.0L / 3, " 6.66666666666667E-0001"},
          Case{1e-4L, " 1.00000000000000E-0004"},
          Case{99999.9999999999996L, " 1.00000000000000E+0005"},
          Case{1e18L, " 1.00000000000000E+0018"}, Case{-3.4e4931L, "-3.40000000000000E+4931"},
          // What the form cannot hold is written as the nearest it can.
          Case{-0.0L, " 0.00000000000000E+0000"}, Case{HUGE_VALL, " 1.00000000000000E+4932"},
          Case{-HUGE_VALL, "-1.00000000000000E+4932"},
          Case{std::nanl(""), " 1.00000000000000E+4932"}}) {
        EXPECT_EQ(FileNumberText(c.value), c.text) << static_cast<double>(c.value);
    }
}

// Stricter than TextToNumber: no blanks, commas or mantissa without digits.
TEST(ParseFileNumber, AcceptedAndRefusedForms) {
    struct Case {
        const char* token;
        bool ok;
        Real value;
    };
    for (Case c :
         {Case{"+.5", true, 0.5L}, Case{"5.", true, 5}, Case{"-2.5e-3", true, -0.0025L},
          Case{"1.00000000000000E+4932", true, EmptyValue},
          Case{"12345678901234567890123", true, 12345678901234567890123.0L},
          Case{"1e-4000", true, 1e-4000L}, Case{" 1.5", false, 0}, Case{"1,5", false, 0},
          Case{".", false, 0}, Case{"e5", false, 0}, Case{"-", false, 0}, Case{"1e+", false, 0},
          Case{"--1", false, 0}, Case{"inf", false, 0}, Case{"nan", false, 0},
          Case{"0x10", false, 0}, Case{"1e99999", false, 0}, Case{"", false, 0}}) {
        Real v = -77;
        EXPECT_EQ(ParseFileNumber(c.token, v), c.ok) << c.token;
        EXPECT_EQ(v, c.ok ? c.value : -77) << c.token;
    }
}

} // namespace
} // namespace torvel
