// The fit dialog's rules ("Regression Fit Dialog"): choosing an equation fits
// it at once, "OK" and "Next" keep the choice, any other close puts back what
// the series had; and the data window's "Fit Error %" column.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "scale/redraw_hooks.h"

#include <array>
#include <string>
#include <utility>

namespace torvel {

inline constexpr int FitDialogHelpContext = 1400;
inline constexpr const char* FitDialogCaption = "Regression Fit Dialog";
inline constexpr const char* FitErrorHeader = "   % Error YFit";

// The items of RadioFit1; the index is the FitKind.
inline constexpr std::array<const char*, 9> FitKindItems = {"None",
                                                            "1st  Order Polynominal",
                                                            "2nd Order Polynominal",
                                                            "3rd  Order Polynominal",
                                                            "4th  Order Polynominal",
                                                            "5th  Order Polynominal",
                                                            "Power Fit",
                                                            "Exponential Fit",
                                                            "Natural Log Fit"};

// The equation of a kind as Label8 shows it; empty for none or an unknown kind.
std::string SampleEquation(int fitKind);

// What the dialog shows. The Qt dialog copies these to its widgets (same names).
struct FitDialogState {
    int RadioFit1 = 0;
    std::array<std::string, 7> Labels; // Label1..Label7: A..F, R^2
    std::string Label8;                // the sample equation
    std::string Label9;                // "Series # n"
    Rgb SeriesColor;                   // of Label8 and Label9
    bool CancelShown = true;
};

// The dialog's events for one showing at a time. Show binds the rules to a
// series; the other events act on that series.
class FitDialogRules {
  public:
    FitDialogRules(Document& doc, Feedback& feedback, RedrawHooks redraw)
        : doc_(doc), feedback_(feedback), redraw_(std::move(redraw)) {}

    FitDialogState State;

    // Remembers the series' equation, graph type and fit flags, fits its
    // equation again and fills the boxes.
    void Show(Series& series);
    // The user picked item State.RadioFit1: fits it at once and redraws; a
    // refused fit beeps and falls back to "None".
    void SelectionChanged();
    // "OK" and "Next" keep the choice (then close); Next also asks the
    // opener's series loop for the next series.
    void OK() { ApplyFitChoice(); }
    void Next();
    // Any close of the dialog: without OK or Next the series gets back the
    // equation, graph type and fitted column it had when shown.
    void Closed();
    // "Copy Coefficients": beeps and gives the clipboard text, A..F and R^2
    // one a line.
    std::string CopyCoefficients();

    bool Applied() const { return applied_; }
    Series* Current() const { return series_; }

  private:
    void ApplyFitChoice();
    void ShowCoefficients();

    Document& doc_;
    Feedback& feedback_;
    RedrawHooks redraw_;
    Series* series_ = nullptr;
    int savedFitKind_ = 0;
    int savedGraphType_ = GraphLine;
    bool savedEvalOK_ = true;
    bool savedFitOK_ = true;
    bool applied_ = false;
};

// The graph type that shows a fit: Bar and Line & Bar become Bar & Fit, Line
// and None become Fit; the fit types stay.
int GraphTypeWithFit(int graphType);
// The graph type without a fit: Fit and Line & Fit become Line, Bar & Fit Bar.
int GraphTypeWithoutFit(int graphType);

// The seven lines of "Copy Coefficients": Coef[1..7], each NumberToText at
// width 14 and CR LF.
std::string CoefficientsText(const TFitObj& fit);

// The percentage error of a fitted value f against the data value y: relative
// to y, sign included; 1E1000 (with the sign of f) where y is 0.
Real FitErrorPercent(Real y, Real f);

// "Fit Error %": fits the series again and shows in its fitted column the
// percentage error of each row with X and Y; the fitted values themselves are
// kept. Nothing happens without a fit; false when nothing was shown.
bool ShowFitError(Document& doc, Series& series, Feedback& feedback);

} // namespace torvel
