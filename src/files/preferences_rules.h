// The rules of the preferences dialog, below the widgets: the dialog copies
// its box texts and choices into PreferencesDialogState and calls these.
#pragma once

#include "core/data_model.h"
#include "core/feedback.h"

#include <array>
#include <string>

namespace torvel {

inline constexpr const char* PreferencesCaption = "Perferences  Dialog";
inline constexpr const char* PreferencesSizeGroup = "Data Set Size && Graph Bar Width";
inline constexpr const char* MaxDataIndexLabel = "Max Data  Index [ 1..10000 ]";
inline constexpr const char* BarWidthLabel = "Bar Width [ 1..10 ]";
inline constexpr const char* GridColorGroup = "Printer Minor Grid Color";
inline constexpr std::array<const char*, 4> GridColorItems = {"Default (Gray)", "Light Gray",
                                                              "Black", "Dotted Black"};
inline constexpr const char* FontSizeGroup = "Printer Font Size";
inline constexpr std::array<const char*, 2> FontSizeItems = {"Default", "Large"};
inline constexpr int PreferencesHelpContext = 1200;

struct PreferencesDialogState {
    std::string MaxLenth1; // Max Data Index box
    std::string BarWidth1; // Bar Width box
    int RadioGroup1 = 0;   // grid colour item 0..3
    int RadioGroup2 = 0;   // 0 Default, 1 Large
    // The choices as the dialog showed them, to tell what the user changed.
    int ShownGridItem = 0;
    int ShownFontItem = 0;
};

// The boxes and choices filled from the preferences (showing the dialog).
PreferencesDialogState ShowPreferences(const Preferences& prefs);

struct PreferencesApplied {
    bool Changed = false; // something differed from what was shown
    bool Written = false; // the preferences file was written
    std::string Error;    // why writing it failed
};

// OK: each box that reads as a whole number within its range is taken, any
// other beeps and keeps the old value; when anything changed, PrinterOptions
// is set from the choices and the preferences file at cfgPath written (a
// failure is shown as an error message).
PreferencesApplied ApplyPreferences(const PreferencesDialogState& state, Preferences& prefs,
                                    Feedback& feedback, const std::string& cfgPath);

} // namespace torvel
