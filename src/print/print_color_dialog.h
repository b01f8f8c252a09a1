// The printer colour dialog's rules: which "Printer Series Color" item shows a
// series' printer colour, and what OK and Next store.
#pragma once

#include "core/document.h"

#include <array>
#include <string>

namespace torvel {

// The codes the five radio items store, in item order: "&Default", "&Black",
// "&Red", "&Green", "Bl&ue".
inline constexpr std::array<int, 5> PrintColorItemCodes = {PrintDefault, PrintBlack, PrintRed,
                                                           PrintGreen, PrintBlue};
inline constexpr int PrintColorHelpContext = 1300;

// The item showing a printer colour code; item 0 (Default) for any other code.
int PrintColorItemOf(int printColor);

// The boxes and choices of the dialog; the Qt dialog copies them to and from
// its widgets (same names).
struct PrintColorDialogState {
    int RadioGroup1 = 0;
    std::string Label1; // "Series #" and the series number
    Rgb Label1Colour;   // the series' screen colour
    bool CancelShown = true;
};

class PrintColorDialogRules {
  public:
    explicit PrintColorDialogRules(Document& doc) : doc_(doc) {}

    PrintColorDialogState State;

    // Shows the dialog for a series.
    void Show(const Series& series);
    // "OK": stores the chosen item's code in the series.
    void OK(Series& series);
    // "Next": stores like OK and asks the series loop for the next series.
    void Next(Series& series);

  private:
    Document& doc_;
};

} // namespace torvel
