// The floating titles dialog's rules: the texts (Edit1..10) and the X
// (Edit11..20) and Y (Edit21..30) positions of the ten floating titles.
#pragma once

#include "core/data_model.h"
#include "core/document.h"
#include "scale/redraw_hooks.h"

#include <array>
#include <string>
#include <utility>

namespace torvel {

struct FloatingTitlesDialogState {
    std::array<std::string, FloatTitleCount> Texts; // Edit1..Edit10
    std::array<std::string, FloatTitleCount> X;     // Edit11..Edit20
    std::array<std::string, FloatTitleCount> Y;     // Edit21..Edit30
    bool CancelShown = true;                        // "Cancel" visible and enabled
};

// A position box: the number it holds, or 0 when it does not read completely
// (empty, trailing blanks, a comma where the program writes a point).
Real FloatPositionOf(const std::string& text);

class FloatingTitlesDialogRules {
  public:
    FloatingTitlesDialogRules(Document& doc, RedrawHooks redraw)
        : doc_(doc), redraw_(std::move(redraw)) {}

    static constexpr int HelpContext = 900;
    FloatingTitlesDialogState State;

    // All thirty boxes from the settings, positions at width 14; "Cancel" back.
    void Show();
    // "OK": every box into its setting, title 1 to 10.
    void OK() { Apply(); }
    // "View": "Cancel" goes (the values are in use at once), the graph window
    // is made if needed, the boxes applied and the graph drawn.
    void View();

  private:
    void Apply();

    Document& doc_;
    RedrawHooks redraw_;
    // What Show put in the position boxes: a box left as shown keeps its exact
    // value rather than the rounded text it shows.
    std::array<std::string, FloatTitleCount> shownX_, shownY_;
    std::array<Real, FloatTitleCount> keptX_{}, keptY_{};
};

} // namespace torvel
