// The dialogs made at start-up and the commands that open them, the
// per-series ones in the series loop.
#include "ui/main_window.h"

#include "core/change_recorder.h"
#include "ui/dialogs/calc_window.h"
#include "ui/dialogs/fill_cells_dialog.h"
#include "ui/dialogs/fit_dialog.h"
#include "ui/dialogs/floating_titles_dialog.h"
#include "ui/dialogs/graph_type_dialog.h"
#include "ui/dialogs/grid_dialog_widget.h"
#include "ui/dialogs/log_scale_dialog_widget.h"
#include "ui/dialogs/math_dialog.h"
#include "ui/dialogs/math_xy_dialog.h"
#include "ui/dialogs/print_color_dialog.h"
#include "ui/dialogs/scale_dialog_widget.h"
#include "ui/dialogs/series_titles_dialog.h"
#include "ui/dialogs/title_dialogs.h"
#include "ui/series_loop.h"
#include "ui/spread_window.h"
#include "ui/text_window.h"

#include "core/out_of_memory.h"
#include "fit/fit_statistics.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <algorithm>

namespace torvel {

void TMDIMainF::ShowCalculator() {
    if (calcF_) calcF_->ShowCalculator();
}

void TMDIMainF::CreateDialogs() {
    // Made once, hidden, and reused for the whole run, in this order:
    // preferences, scale, log scale, main titles, X titles, Y titles, series
    // titles, fit, fill cells, X & Y operations, operations on cells, graph
    // type, printer colour, calculator, floating titles, grid.
    const RedrawHooks redraw{[this] { RedrawGraph(); },
                             [this] {
                                 EnsureGraphWindow();
                                 RedrawGraph();
                             }};
    gridRules_ = std::make_unique<GridDialogRules>(doc_.Settings, *fb_, redraw);
    scaleF_ = new TScaleF(*this, redraw, *gridRules_, this);
    // A draw that has to repair a logarithmic range shows it in the scale dialog.
    graphState_.View.ScaleBoxes = &scaleF_->Rules().State.Boxes;
    logScaleF_ = new TLogScaleF(*this, redraw, this);
    gridF_ = new TGridF(*this, *gridRules_, this);
    scaleF_->SetGridDialog(gridF_);
    gridF_->SetScaleDialog(scaleF_);
    titleTF_ = new TTitleTF(*this);
    titleXF_ = new TTitleXF(*this);
    titleYF_ = new TTitleYF(*this);
    titleSerF_ = new TTitleSerF(*this);
    FitF();
    fillF_ = new TFillF(*this);
    mathXYF_ = new TMath_XYF(*this);
    mathF_ = new TMathF(*this, [this] { ShowCalculator(); });
    gTypeF_ = new TGTypeF(*this, [this](Series& series) { FitDialogForGraphType(series); });
    titleFlF_ = new TTitleFlF(*this, [this] { EnsureGraphWindow(); });
    printCF_ = new TPrintCF(*this, this);
    calcF_ = new TCalcF(*this, this);
    connect(calcF_, &TCalcF::Closed, mathF_, &TMathF::CalculatorClosed);
}

void TMDIMainF::SettingsSession(const char* name, const std::function<void()>& run) {
    // One step for the whole showing of the dialog, its redraw included.
    RecordedStep step(doc_, name);
    step.Settings();
    run();
    RedrawGraph();
}

void TMDIMainF::SeriesSession(const char* name, TSpreadF* start, SeriesLoopEnd end, SeriesPart part,
                              const std::function<void(TSpreadF&)>& show) {
    // One step for the whole loop: each series is captured as its turn comes.
    RecordedStep step(doc_, name);
    RunSeriesLoop(*this, start, end, [&](TSpreadF& window) {
        if (part == SeriesPart::WholeSeries)
            step.WholeSeries(window.GetSeries());
        else
            step.Attributes(window.GetSeries());
        show(window);
    });
}

void TMDIMainF::Scale1Click() {
    SettingsSession("Scale", [this] { scaleF_->Execute(); });
}

void TMDIMainF::Grid1Click() {
    SettingsSession("Grid", [this] { gridF_->Execute(); });
}

void TMDIMainF::LogScale1Click() {
    SettingsSession("Log Scale", [this] { logScaleF_->Execute(); });
}

void TMDIMainF::FitDialogForGraphType(Series& series) {
    // For the active data window, which is this series' window; the graph type
    // dialog stays open over it.
    auto* window = qobject_cast<TSpreadF*>(DataWindowOf(series));
    if (!window) return;
    RecordedStep step(doc_, "Fit"); // within the graph type's step
    step.WholeSeries(series);
    FitF()->Execute(*window);
    // Its Next has no next series to go to here: the graph type dialog's own
    // Next is what steps on.
    doc_.NextSeriesRequested = false;
}

void TMDIMainF::MainTitlesDialog() {
    SettingsSession("Main Titles", [this] { titleTF_->Execute(); });
}

void TMDIMainF::XTitlesDialog() {
    SettingsSession("X Axis Titles", [this] { titleXF_->Execute(); });
}

void TMDIMainF::YTitlesDialog() {
    SettingsSession("Y Axis Titles", [this] { titleYF_->Execute(); });
}

void TMDIMainF::FloatingTitlesDialog() {
    SettingsSession("Floating Titles", [this] { titleFlF_->Execute(); });
}

void TMDIMainF::SeriesTitlesDialog(TSpreadF* from) {
    SeriesSession("Series Titles", from,
                  from ? SeriesLoopEnd::RedrawGraph : SeriesLoopEnd::ActivateGraph,
                  SeriesPart::Attributes,
                  [this](TSpreadF& window) { titleSerF_->Execute(window.GetSeries()); });
}

void TMDIMainF::GraphTypeDialog(TSpreadF* from) {
    SeriesSession(
        "Graph Type", from, from ? SeriesLoopEnd::RedrawGraph : SeriesLoopEnd::ActivateGraph,
        SeriesPart::Attributes, [this](TSpreadF& window) { gTypeF_->Execute(window.GetSeries()); });
}

TFitF* TMDIMainF::FitF() {
    if (!fitF_) fitF_ = new TFitF(*this, this);
    return fitF_;
}

TPrintCF* TMDIMainF::PrintCF() const {
    return printCF_;
}

void TMDIMainF::RunPrintColorDialog(TSpreadF* start) {
    // A printer colour shows only on paper: the graph window is not redrawn.
    SeriesSession("Printer Color", start, SeriesLoopEnd::NoRedraw, SeriesPart::Attributes,
                  [this](TSpreadF& window) { printCF_->Execute(window); });
}

void TMDIMainF::RunFillDialog(TSpreadF* start) {
    RunSeriesLoop(*this, start, SeriesLoopEnd::RedrawGraph,
                  [this](TSpreadF& window) { fillF_->Execute(window); });
}

void TMDIMainF::RunMathDialog(TSpreadF* start) {
    // K is read from the dialog's box while it is up; an open calculator
    // would hold another.
    if (calcF_ && calcF_->isVisible()) calcF_->close();
    RunSeriesLoop(*this, start, SeriesLoopEnd::RedrawGraph,
                  [this](TSpreadF& window) { mathF_->Execute(window); });
}

void TMDIMainF::RunMathXYDialog(TSpreadF* start) {
    RunSeriesLoop(*this, start, SeriesLoopEnd::RedrawGraph,
                  [this](TSpreadF& window) { mathXYF_->Execute(window); });
}

void TMDIMainF::RunFitDialog(TSpreadF* start) {
    // From the graph window the loop starts at the lowest series and ends
    // with the graph window active again.
    // Fitting sorts the rows: the whole series is kept for Undo.
    SeriesSession("Fit", start, start ? SeriesLoopEnd::RedrawGraph : SeriesLoopEnd::ActivateGraph,
                  SeriesPart::WholeSeries, [this](TSpreadF& window) { FitF()->Execute(window); });
}

void TMDIMainF::RunFitStatistics(TSpreadF* start) {
    // Nothing changes: no redraw.
    RunSeriesLoop(*this, start, SeriesLoopEnd::NoRedraw, [this](TSpreadF& window) {
        Series& series = window.GetSeries();
        std::string name = "Series # ";
        name += std::to_string(series.SeriesNumber);
        std::optional<FitStatistics> stats;
        if (!GuardMemory(*fb_, "compute the fit statistics",
                         [&] { stats = ComputeFitStatistics(doc_, series); }))
            return;
        if (!stats) {
            fb_->Beep(name + " has no fit: choose one with Regression > Fit.");
            return;
        }
        if (TextLimitReached()) return;
        TTextF* text = CreateTextChild();
        // The report is a table: its columns line up in a fixed-pitch font,
        // and the window is wide enough to show them whole.
        const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        const QString report =
            QString::fromStdString(FitStatisticsReport(series.SeriesNumber, *stats));
        int width = 0;
        for (const QString& line : report.split(QLatin1Char('\n')))
            width = std::max(width, QFontMetrics(font).horizontalAdvance(line));
        text->Memo()->setFont(font);
        text->Memo()->setPlainText(report);
        ShowTextWindow(text, QSize(std::max(480, width + 60), 350));
    });
}

} // namespace torvel
