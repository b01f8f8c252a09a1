#include "fit/fit_dialog.h"

#include "core/grid_store.h"
#include "core/number_text.h"
#include "fit/fit.h"

#include <cmath>

namespace torvel {

namespace {

// A series left without a fit also loses what its fitted column showed, but
// keeps its graph type: the caller decides that.
void DropFit(Series& series) {
    const int graphType = series.GraphType;
    series.HasFit = true; // ClearFit acts only on a series with a fit
    ClearFit(series);
    series.GraphType = graphType;
}

void FitSeries(Document& doc, Series& series, Feedback& feedback) {
    // The fit record finds its series by number.
    series.Fit.SeriesNumber = series.SeriesNumber;
    ComputeFit(doc, series.Fit, feedback);
}

// Fits the series' equation again; false (FitKind 0, fitted column empty)
// when it has no fit afterwards.
bool Refit(Document& doc, Series& s, Feedback& feedback) {
    if (s.Fit.FitKind == 0) {
        s.Fit.FitOK = true; // no equation cannot fail
        return false;
    }
    FitSeries(doc, s, feedback);
    if (s.HasFit) return true;
    s.Fit.FitKind = 0;
    DropFit(s);
    return false;
}

} // namespace

std::string SampleEquation(int fitKind) {
    switch (fitKind) {
    case 1:
        return "Y = A + B*X";
    case 2:
        return "Y = A + B*X + C*X^2";
    case 3:
        return "Y = A + B*X + C*X^2 + D*X^3";
    case 4:
        return "Y = A + B*X + C*X^2 + D*X^3 + E*X^4";
    case 5:
        return "Y = A + B*X + C*X^2 + D*X^3 + E*X^4 + F*X^5";
    case 6:
        return "Y = A*X^B";
    case 7:
        return "Y = A*e^(B*X)";
    case 8:
        return "Y = A + B*Ln(X)";
    default:
        return {};
    }
}

int GraphTypeWithFit(int graphType) {
    if (graphType == GraphBar || graphType == GraphLineBar) return GraphBarFit;
    if (graphType == GraphLine || graphType == GraphNone) return GraphFit;
    return graphType;
}

int GraphTypeWithoutFit(int graphType) {
    if (graphType == GraphFit || graphType == GraphLineFit) return GraphLine;
    if (graphType == GraphBarFit) return GraphBar;
    return graphType;
}

std::string CoefficientsText(const TFitObj& fit) {
    std::string text;
    for (std::size_t k = 1; k <= 7; ++k)
        text += NumberToText(fit.Coef[k], 14) + "\r\n";
    return text;
}

Real FitErrorPercent(Real y, Real f) {
    if (y != 0) return (f - y) * 100 / y;
    return f < 0 ? -1.0E1000L : 1.0E1000L;
}

bool ShowFitError(Document& doc, Series& series, Feedback& feedback) {
    if (series.Fit.FitKind == 0) return false;
    FitSeries(doc, series, feedback);
    // A fit the data no longer allows has no errors to show.
    if (!series.HasFit) return false;
    series.SetHeader(YFitColumn, FitErrorHeader);
    for (int r = 1; r <= series.IndexCount; ++r) {
        const Tdata row = series.Store().Row(static_cast<std::size_t>(r - 1));
        if (row.XValid && row.YValid)
            series.SetValue(YFitColumn, r, FitErrorPercent(row.Y, row.YFit));
        else
            series.ClearValue(YFitColumn, r);
    }
    return true;
}

void FitDialogRules::Show(Series& series) {
    applied_ = false;
    series_ = &series;
    savedGraphType_ = series.GraphType;
    series.SetHeader(YFitColumn, series.FitHeaderText());
    savedFitKind_ = series.Fit.FitKind;
    savedEvalOK_ = series.Fit.EvalOK;
    savedFitOK_ = series.Fit.FitOK;
    Refit(doc_, series, feedback_);
    // The boxes always show this series' fit, whatever the last showing left.
    State.RadioFit1 = series.Fit.FitKind;
    ShowCoefficients();
    State.SeriesColor = SeriesColorOf(series.SeriesNumber);
    State.Label9 = "Series # " + std::to_string(series.SeriesNumber);
    State.CancelShown = true;
}

void FitDialogRules::SelectionChanged() {
    if (!series_) return;
    Series& s = *series_;
    // Each choice shows its own outcome, not a refusal of the one before.
    feedback_.ForgetReason();
    const int index = State.RadioFit1;
    s.SetHeader(YFitColumn, s.FitHeaderText());
    s.Fit.FitKind = index;
    if (index != 0) {
        const int graphType = s.GraphType;
        s.GraphType = GraphTypeWithFit(graphType);
        for (std::size_t k = 1; k <= 7; ++k)
            s.Fit.Coef[k] = 0;
        if (!Refit(doc_, s, feedback_)) {
            // Refused (it beeped): back to "None", the series drawn as before.
            s.GraphType = graphType;
            s.Fit.FitOK = true;
            State.RadioFit1 = 0;
        }
    } else {
        ClearFit(s);
        s.Fit.FitOK = true;
    }
    ShowCoefficients();
    redraw_.DrawIfShown();
}

void FitDialogRules::ShowCoefficients() {
    const TFitObj& fit = series_->Fit;
    const int kind = fit.FitKind;
    for (std::string& label : State.Labels)
        label.clear();
    auto show = [&](std::size_t k, const char* name) {
        State.Labels[k - 1] = std::string(name) + " = " + NumberToText(fit.Coef[k], 14);
    };
    if (kind >= 1 && kind <= 8) {
        show(1, "A");
        show(2, "B");
        show(7, "R^2");
    }
    if (kind >= 2 && kind <= 5) show(3, "C");
    if (kind >= 3 && kind <= 5) show(4, "D");
    if (kind >= 4 && kind <= 5) show(5, "E");
    if (kind == 5) show(6, "F");
    State.Label8 = SampleEquation(kind);
}

void FitDialogRules::ApplyFitChoice() {
    if (!series_) return;
    Series& s = *series_;
    // A failed fit (a singular system) is not kept: the close puts back the old one.
    if (!s.Fit.FitOK) return;
    s.Fit.FitKind = s.HasFit ? State.RadioFit1 : 0;
    s.GraphType = s.HasFit ? GraphTypeWithFit(s.GraphType) : GraphTypeWithoutFit(s.GraphType);
    Refit(doc_, s, feedback_);
    applied_ = true;
}

void FitDialogRules::Next() {
    doc_.NextSeriesRequested = true;
    ApplyFitChoice();
}

void FitDialogRules::Closed() {
    if (!series_) return;
    Series& s = *series_;
    series_ = nullptr;
    if (applied_) return;
    ClearFit(s);
    s.Fit.FitKind = savedFitKind_;
    s.GraphType = savedGraphType_;
    s.Fit.EvalOK = savedEvalOK_;
    s.Fit.FitOK = savedFitOK_;
    Refit(doc_, s, feedback_);
}

std::string FitDialogRules::CopyCoefficients() {
    feedback_.Beep();
    return series_ ? CoefficientsText(series_->Fit) : CoefficientsText(TFitObj{});
}

} // namespace torvel
