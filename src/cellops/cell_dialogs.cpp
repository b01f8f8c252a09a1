#include "cellops/cell_dialogs.h"

#include "core/change_recorder.h"
#include "core/number_text.h"
#include "core/out_of_memory.h"

#include <algorithm>

namespace torvel {

std::string SeriesHashCaption(int seriesNumber) {
    std::string caption = "Series # ";
    caption += std::to_string(seriesNumber);
    return caption;
}

std::string SeriesNumberCaption(int seriesNumber) {
    std::string caption = "Series Number  ";
    caption += std::to_string(seriesNumber);
    return caption;
}

void ReportFault(Feedback& feedback, CellFault fault) {
    feedback.Message(MessageKind::Error, FaultText(fault), MessageButtons::Ok);
}

// ---------------------------------------------------------------- fill

void FillDialogRules::Show(const Series& series) {
    State.Label1 = SeriesHashCaption(series.SeriesNumber);
    State.FailedBox.clear();
    // Copied whole: assigning the one-character literal gives GCC 12 at -O3
    // a false -Wrestrict.
    const std::string one(1, '1');
    if (State.Edit1.empty()) State.Edit1 = one;
    if (State.Edit2.empty()) State.Edit2 = std::to_string(series.IndexCount);
    if (State.Edit3.empty()) State.Edit3 = one;
    if (State.Edit4.empty()) State.Edit4 = one;
}

bool FillDialogRules::Fail(std::string& box, const char* name, const char* text) {
    box = text;
    State.FailedBox = name;
    feedback_.Beep(text);
    return false;
}

bool FillDialogRules::Operate(Series& series) {
    State.FailedBox.clear();
    const IntegerRead start = TextToInteger(State.Edit1);
    if (!start.Ok()) return Fail(State.Edit1, "Edit1", EnterIntegerText);
    const IntegerRead stop = TextToInteger(State.Edit2);
    if (!stop.Ok()) return Fail(State.Edit2, "Edit2", EnterIntegerText);
    // The values take a point only: a comma makes them invalid here.
    auto value = [](const std::string& text, Real& v) {
        if (text.find(',') != std::string::npos) return false;
        const NumberRead r = TextToNumber(text);
        v = r.Value;
        return r.Ok();
    };
    Real startValue = 0, step = 0;
    if (!value(State.Edit3, startValue)) return Fail(State.Edit3, "Edit3", EnterValueText);
    if (!value(State.Edit4, step)) return Fail(State.Edit4, "Edit4", EnterValueText);
    if (start.Value > series.IndexCount) return Fail(State.Edit1, "Edit1", TooLargeText);

    const int first = std::max(start.Value, 1);
    const int last = std::min(std::max(stop.Value, first), series.IndexCount);
    const int col = State.OperateOnBox == 0 ? XColumn : YColumn;
    RecordedStep record(doc_, "Fill Cells");
    record.Cells(series, {col, first, col, last});
    record.Fit(series);
    // The sequence is worked out before any cell changes: running out of
    // memory (or a fault) leaves the column as it was.
    CellFault f = CellFault::None;
    if (!GuardMemory(feedback_, "fill the cells",
                     [&] { f = FillCells(series, col, first, last, startValue, step); }))
        return false;
    if (f != CellFault::None) {
        ReportFault(feedback_, f);
        return false;
    }
    ClearFit(series);
    redraw_.DrawIfShown();
    return true;
}

// ---------------------------------------------------------------- operate on cells

CellRect MathDialogRules::Targets(const Series& series, CellRect selection) const {
    switch (State.Target) {
    case XColumnCellsTarget:
        return ColumnCells(series, XColumn);
    case YColumnCellsTarget:
        return ColumnCells(series, YColumn);
    default:
        return selection;
    }
}

void MathDialogRules::ShowStatistics(const Series& series, CellRect selection) {
    const CellStatistics s = StatisticsOf(series, Targets(series, selection));
    State.Edit2 = NumberToText(s.Total(), 14);
    State.Edit3 = NumberToText(s.Average(), 14);
    State.Edit4 = NumberToText(s.Sigma(), 14);
}

void MathDialogRules::ShowK() {
    State.Edit1 = NumberToText(doc_.ConstantK, 14);
    shownK_ = State.Edit1;
}

bool MathDialogRules::ReadK(bool beep) {
    // The box still shows K as it was given: K keeps all its digits.
    if (!shownK_.empty() && State.Edit1 == shownK_) return true;
    const NumberRead r = TextToNumber(State.Edit1);
    if (!r.Ok()) {
        // K stays what it was: a typing slip never changes the saved constant.
        if (beep) {
            std::string reason = "K is not a number: ";
            reason += State.Edit1;
            feedback_.Beep(reason);
        }
        return false;
    }
    doc_.ConstantK = r.Value;
    return true;
}

void MathDialogRules::Show(const Series& series, CellRect selection) {
    State.Label1 = SeriesHashCaption(series.SeriesNumber);
    ShowK();
    ShowStatistics(series, selection);
}

void MathDialogRules::TargetChanged(const Series& series, CellRect selection) {
    ShowStatistics(series, selection);
}

bool MathDialogRules::Operate(Series& series, CellRect selection,
                              const std::function<void()>& shown) {
    // Named as the operation's item, without its trailing blank.
    std::string name = OperationItems[static_cast<std::size_t>(
        std::clamp(State.OperationBox, 0, CellOpCount - 1))];
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    RecordedStep record(doc_, name);
    record.Settings(); // K is read from its box
    if (!ReadK(true)) return false;
    CellRect cells = Targets(series, selection);
    cells.Right = std::min(cells.Right, static_cast<int>(YColumn)); // the fit's column stays
    record.Cells(series, cells);
    record.Fit(series);
    OperateOutcome out;
    if (!GuardMemory(feedback_, "operate on the cells", [&] {
            out = OperateCells(series, static_cast<CellOp>(State.OperationBox), doc_.ConstantK,
                               Targets(series, selection));
        }))
        return false;
    if (out.Fault != CellFault::None) {
        ReportFault(feedback_, out.Fault);
        return false;
    }
    ShowStatistics(series, selection);
    if (shown) shown();
    if (out.Undefined) {
        feedback_.Beep();
        feedback_.Message(MessageKind::Error, UndefinedOperationText, MessageButtons::Ok);
    }
    if (out.Cells == 0) return false;
    ClearFit(series);
    redraw_.DrawIfShown();
    return true;
}

std::string MathDialogRules::CopyText() const {
    return State.Edit2 + '\r' + State.Edit3 + '\r' + State.Edit4;
}

// ---------------------------------------------------------------- X & Y

bool MathXYDialogRules::Operate(Series& series) {
    const XYOp op = static_cast<XYOp>(State.Math_XYBox);
    RecordedStep record(
        doc_,
        MathXYItems[static_cast<std::size_t>(std::clamp(State.Math_XYBox, 0, XYOpCount - 1))]);
    record.WholeSeries(series);
    CellFault f = CellFault::None;
    if (!GuardMemory(feedback_, "combine X and Y", [&] { f = OperateXY(series, op); }))
        return false;
    if (f != CellFault::None) {
        ReportFault(feedback_, f);
        return false;
    }
    redraw_.DrawIfShown();
    return true;
}

} // namespace torvel
