#include "core/decimal_rounding.h"

#include <gtest/gtest.h>

#include <cmath>

namespace torvel {
namespace {

// Ties go away from zero as in NumberToText, where the C library would round
// to even; values next to a tie go to the nearer side.
TEST(DecimalRounding, FixedTiesGoAwayFromZero) {
    const struct {
        Real value;
        int decimals;
        const char* text;
    } cases[] = {
        {2.5L, 0, "3"},
        {-2.5L, 0, "3"},
        {12.5L, 0, "13"},
        {16.5L, 0, "17"},
        {5.5L, 0, "6"},
        {0.5L, 0, "1"},
        {99.5L, 0, "100"},
        {0.125L, 2, "0.13"},
        {0.25L, 1, "0.3"},
        {1, 3, "1.000"},
        {0.0625L, 3, "0.063"},
        {std::nextafter(2.5L, 0.0L), 0, "2"},
        {std::nextafter(2.5L, 3.0L), 0, "3"},
        {0.1L, 2, "0.10"},
        {0x1p100L, 0, "1267650600228229401496703205376"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundFixed(c.value, c.decimals), c.text) << static_cast<double>(c.value);
}

TEST(DecimalRounding, GeneralForm) {
    const struct {
        Real value;
        int digits;
        const char* text;
    } cases[] = {
        {2.5L, 1, "3"},
        {-2, 21, "-2"},
        {1, 15, "1"},
        {0, 5, "0"},
        {3e-6L, 15, "3e-06"},
        {0.1L, 21, "0.100000000000000000001"},
        {123456.5L, 6, "123457"},
        {1234567, 6, "1.23457e+06"},
        {0.0001L, 3, "0.0001"},
        {0.00001L, 3, "1e-05"},
        {-1.5e300L, 2, "-1.5e+300"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GeneralText(c.value, c.digits), c.text) << static_cast<double>(c.value);
}

} // namespace
} // namespace torvel
