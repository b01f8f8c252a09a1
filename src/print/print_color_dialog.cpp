#include "print/print_color_dialog.h"

#include <algorithm>

namespace torvel {

int PrintColorItemOf(int printColor) {
    const auto it = std::find(PrintColorItemCodes.begin(), PrintColorItemCodes.end(), printColor);
    return it == PrintColorItemCodes.end() ? 0 : static_cast<int>(it - PrintColorItemCodes.begin());
}

void PrintColorDialogRules::Show(const Series& series) {
    State.RadioGroup1 = PrintColorItemOf(series.PrintColor);
    State.Label1 = "Series #" + std::to_string(series.SeriesNumber);
    State.Label1Colour = SeriesColorOf(series.SeriesNumber);
    State.CancelShown = true;
}

void PrintColorDialogRules::OK(Series& series) {
    const int item =
        std::clamp(State.RadioGroup1, 0, static_cast<int>(PrintColorItemCodes.size()) - 1);
    series.PrintColor = PrintColorItemCodes[static_cast<std::size_t>(item)];
}

void PrintColorDialogRules::Next(Series& series) {
    OK(series);
    doc_.NextSeriesRequested = true;
}

} // namespace torvel
