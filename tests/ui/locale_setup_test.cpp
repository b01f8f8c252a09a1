#include "ui/locale_setup.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace torvel {
namespace {

TEST(LocaleSetup, CommaLocalesGiveAComma) {
    EXPECT_EQ(DecimalSeparatorOf(QLocale(QLocale::German, QLocale::Germany)), ',');
    EXPECT_EQ(DecimalSeparatorOf(QLocale(QLocale::French, QLocale::France)), ',');
    EXPECT_EQ(DecimalSeparatorOf(QLocale(QLocale::English, QLocale::UnitedStates)), '.');
    EXPECT_EQ(DecimalSeparatorOf(QLocale::c()), '.');
}

} // namespace
} // namespace torvel
