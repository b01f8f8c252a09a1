// The graph type dialog's rules: a series' graph type, whether its points are
// marked and which Y axis it uses. Every choice takes effect at once.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "scale/redraw_hooks.h"

#include <functional>
#include <utility>

namespace torvel {

// Items of the "Points" and "Y Axis" radio groups.
enum PointsChoice { PointsShow = 0, PointsHide = 1 };
enum AxisChoice { AxisLeft = 0, AxisRight = 1 };

struct GraphTypeDialogState {
    int SeriesNumber = 0; // Label1 shows "Series # " and it
    int RadioGroup1 = 0;  // graph type - 1: Line, Bar, Fit, None, Line & Bar, Line & Fit, Bar & Fit
    int RadioGroup2 = PointsShow;
    int RadioGroup3 = AxisLeft;
};

class GraphTypeDialogRules {
  public:
    // fitDialog shows the fit dialog modally for a series (it works on the
    // active data window, which is this series' window).
    GraphTypeDialogRules(Document& doc, Feedback& feedback, RedrawHooks redraw,
                         std::function<void(Series&)> fitDialog)
        : doc_(doc), feedback_(feedback), redraw_(std::move(redraw)),
          fitDialog_(std::move(fitDialog)) {}

    static constexpr int HelpContext = 600;
    GraphTypeDialogState State;

    // The three groups from the series of the current data window.
    void Show(Series& series);
    // RadioGroup1: the new graph type. A type with a fit for a series without
    // one beeps and opens the fit dialog; still without a fit, Fit and
    // Line & Fit fall back to Line, Bar & Fit to Bar. Then redraw.
    void GraphTypeChosen();
    // RadioGroup2 and RadioGroup3, then redraw.
    void PointsChosen();
    void AxisChosen();
    // "Next": ask the series loop for the next series (the dialog closes).
    void Next() { doc_.NextSeriesRequested = true; }

  private:
    Document& doc_;
    Feedback& feedback_;
    RedrawHooks redraw_;
    std::function<void(Series&)> fitDialog_;
    Series* series_ = nullptr;
};

} // namespace torvel
