#include "files/preferences_rules.h"

#include "core/number_text.h"
#include "files/startup_file.h"

namespace torvel {

namespace {

// A graph file may carry any number here; only 0..7 name a choice.
int SafePrinterOptions(int options) {
    return options >= 0 && options <= 7 ? options : 0;
}

// The box as a whole number within lo..hi, else a beep and the old value.
int TakeBox(const std::string& text, int lo, int hi, int old, Feedback& feedback) {
    const IntegerRead read = TextToInteger(CommaToPoint(text));
    if (!read.Ok() || read.Value < lo || read.Value > hi) {
        feedback.Beep("Enter a whole number from " + std::to_string(lo) + " to " +
                      std::to_string(hi) + ".");
        return old;
    }
    return read.Value;
}

} // namespace

PreferencesDialogState ShowPreferences(const Preferences& prefs) {
    PreferencesDialogState state;
    state.MaxLenth1 = std::to_string(prefs.MaxDataIndex);
    state.BarWidth1 = std::to_string(prefs.BarWidth);
    const int options = SafePrinterOptions(prefs.PrinterOptions);
    state.RadioGroup1 = state.ShownGridItem = options % 4;
    state.RadioGroup2 = state.ShownFontItem = options >= 4 ? 1 : 0;
    return state;
}

PreferencesApplied ApplyPreferences(const PreferencesDialogState& state, Preferences& prefs,
                                    Feedback& feedback, const std::string& cfgPath) {
    PreferencesApplied result;
    const int maxDataIndex =
        TakeBox(state.MaxLenth1, 1, MaxDataIndexLimit, prefs.MaxDataIndex, feedback);
    const int barWidth = TakeBox(state.BarWidth1, 1, BarWidthLimit, prefs.BarWidth, feedback);
    const int grid =
        state.RadioGroup1 >= 0 && state.RadioGroup1 <= 3 ? state.RadioGroup1 : state.ShownGridItem;
    const int font =
        state.RadioGroup2 == 0 || state.RadioGroup2 == 1 ? state.RadioGroup2 : state.ShownFontItem;
    result.Changed = maxDataIndex != prefs.MaxDataIndex || barWidth != prefs.BarWidth ||
                     grid != state.ShownGridItem || font != state.ShownFontItem;
    prefs.MaxDataIndex = maxDataIndex;
    prefs.BarWidth = barWidth;
    if (!result.Changed) return result;

    prefs.PrinterOptions = grid + (font == 1 ? 4 : 0);
    result.Written = WritePreferencesFile(cfgPath, prefs, &result.Error);
    if (!result.Written) feedback.Message(MessageKind::Error, result.Error, MessageButtons::Ok);
    return result;
}

} // namespace torvel
