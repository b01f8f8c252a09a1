#include "appearance/graph_type_dialog.h"

#include <algorithm>

namespace torvel {

namespace {

bool NeedsFit(int type) {
    return type == GraphFit || type == GraphLineFit || type == GraphBarFit;
}

} // namespace

void GraphTypeDialogRules::Show(Series& series) {
    series_ = &series;
    State.SeriesNumber = series.SeriesNumber;
    State.RadioGroup1 = std::clamp(series.GraphType, 1, 7) - 1;
    State.RadioGroup2 = series.ShowPoints ? PointsShow : PointsHide;
    State.RadioGroup3 = series.YAxisLeft ? AxisLeft : AxisRight;
}

void GraphTypeDialogRules::GraphTypeChosen() {
    if (!series_) return;
    Series& s = *series_;
    const int type = std::clamp(State.RadioGroup1 + 1, 1, 7);
    s.GraphType = type;
    if (!s.HasFit && NeedsFit(type)) {
        feedback_.Beep();
        if (fitDialog_) fitDialog_(s);
        if (!s.HasFit) s.GraphType = type == GraphBarFit ? GraphBar : GraphLine;
        // What the series has now, whatever the fit dialog left.
        State.RadioGroup1 = std::clamp(s.GraphType, 1, 7) - 1;
    }
    redraw_.DrawIfShown();
}

void GraphTypeDialogRules::PointsChosen() {
    if (!series_) return;
    series_->ShowPoints = State.RadioGroup2 == PointsShow;
    redraw_.DrawIfShown();
}

void GraphTypeDialogRules::AxisChosen() {
    if (!series_) return;
    series_->YAxisLeft = State.RadioGroup3 == AxisLeft;
    redraw_.DrawIfShown();
}

} // namespace torvel
