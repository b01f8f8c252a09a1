#include "print/page_setup.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

TEST(PageSetup, AnotherPrinterKeepsThePaperItHasOrTakesItsDefault) {
    const PaperChoice a4{"A4", 0}, letter{"Letter", 2}, a5{"A5", 9};
    PageSetupState s;
    s.Papers = {a4, letter};
    s.Paper = 1;
    PrinterChanged(s, {a5, letter, a4}, 0);
    EXPECT_EQ(ChosenPaperKey(s, -1), 2); // Letter stays
    PrinterChanged(s, {a4, a5}, 9);
    EXPECT_EQ(ChosenPaperKey(s, -1), 9); // no Letter: the default
    PrinterChanged(s, {letter}, 0);
    EXPECT_EQ(ChosenPaperKey(s, -1), 2); // neither: the first
    PrinterChanged(s, {}, 0);
    EXPECT_EQ(ChosenPaperKey(s, -1), -1);
}

} // namespace
} // namespace torvel
