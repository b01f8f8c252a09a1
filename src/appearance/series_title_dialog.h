// The series title dialog's rules: the legend text of the current series, and
// the four "Auto Label All" commands that label every series at once.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "scale/redraw_hooks.h"

#include <string>
#include <utility>

namespace torvel {

struct SeriesTitleDialogState {
    int SeriesNumber = 0;    // Label1 shows "Series #" and it
    std::string TitSer1;     // the title box
    bool CancelShown = true; // "Cancel" visible and enabled
};

class SeriesTitleDialogRules {
  public:
    SeriesTitleDialogRules(Document& doc, Feedback& feedback, RedrawHooks redraw)
        : doc_(doc), feedback_(feedback), redraw_(std::move(redraw)) {}

    static constexpr int HelpContext = 900;
    SeriesTitleDialogState State;

    // For the series of the current data window: its title in the box, "Cancel" back.
    void Show(Series& series);
    // "OK": the box becomes the series' title.
    void OK();
    // "Next": as OK, redraw, and ask the series loop for the next series.
    void Next();
    // "Series + ##" (Button2): every series titled "Series #" and its number.
    void SeriesPlusNumber();
    // Button3: the box's text T, " #" and each series' own number; refused
    // (beep) when T is empty or already ends in "#" and this series' number.
    void TextPlusNumber();
    // Button4: every series titled T; the same two refusals.
    void TextOnly();
    // "Clear" (Button5): the box and every series' title emptied.
    void Clear();

  private:
    bool Refused();
    // After a command that changed every series: no way back, and drawn at once.
    void ChangedAll();

    Document& doc_;
    Feedback& feedback_;
    RedrawHooks redraw_;
    Series* series_ = nullptr;
};

} // namespace torvel
