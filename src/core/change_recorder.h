// How a command tells the document's history what it is about to change.
// Before it changes anything, a command opens a step named as its menu entry
// ("Paste", "Cell * K") and says which cells, attributes or settings it will
// touch; the history keeps their old state, and only what really changed.
// Without a history (the command-line tool, most tests) nothing is kept.
#pragma once

#include "core/document.h"
#include "core/grid_store.h"

#include <exception>
#include <memory>
#include <string>

namespace torvel {

class ChangeRecorder {
  public:
    virtual ~ChangeRecorder() = default;

    // Steps nest: an inner step joins the outer one (a dialog session that
    // runs commands is one step, named by the session).
    virtual void BeginStep(const std::string& name) = 0;
    // failed: the command ended by an exception; what was captured is put back.
    virtual void EndStep(bool failed) = 0;

    // Cells firstCol..lastCol (1..3) of rows firstRow..lastRow, as they are now.
    virtual void CaptureCells(Series& series, int firstCol, int lastCol, int firstRow,
                              int lastRow) = 0;
    // One cell as it was when it showed `text` (the in-cell editor's starting
    // text, which reads back as exactly what the cell held).
    virtual void CaptureCellAsText(Series& series, int col, int row, const std::string& text) = 0;
    // The series' attributes: graph type, points, axis, printer colour, title,
    // fit record, headers.
    virtual void CaptureAttributes(Series& series) = 0;
    // GraphSettings, ConstantK, the preferences and GraphFileName.
    virtual void CaptureSettings() = 0;

    // Told by the document: a series was made, or removed. A removed series
    // is handed over: a step may keep it to bring it back.
    virtual void SeriesCreated(Series& series) = 0;
    virtual void SeriesDestroyed(std::unique_ptr<Series> series) = 0;
};

// One recorded step for the length of a scope; does nothing when the
// document has no recorder.
class RecordedStep {
  public:
    RecordedStep(Document& doc, const std::string& name)
        : recorder_(doc.Recorder), exceptions_(std::uncaught_exceptions()) {
        if (recorder_) recorder_->BeginStep(name);
    }
    ~RecordedStep() {
        if (recorder_) recorder_->EndStep(std::uncaught_exceptions() > exceptions_);
    }
    RecordedStep(const RecordedStep&) = delete;
    RecordedStep& operator=(const RecordedStep&) = delete;

    // The cells of a rectangle (clipped to the grid).
    void Cells(Series& series, CellRect r) {
        if (!recorder_) return;
        r = ClippedToGrid(series, r);
        if (r.Left <= r.Right && r.Top <= r.Bottom)
            recorder_->CaptureCells(series, r.Left, r.Right, r.Top, r.Bottom);
    }
    void CellAsText(Series& series, int col, int row, const std::string& text) {
        if (recorder_) recorder_->CaptureCellAsText(series, col, row, text);
    }
    // What ClearFit and a new fit change: the attributes and the fitted column.
    void Fit(Series& series) {
        Attributes(series);
        if (series.HasFit) Cells(series, {YFitColumn, 1, YFitColumn, series.IndexCount});
    }
    // Every cell and the attributes (sorting and fitting move whole rows).
    void WholeSeries(Series& series) {
        Attributes(series);
        Cells(series, {XColumn, 1, YFitColumn, series.IndexCount});
    }
    void Attributes(Series& series) {
        if (recorder_) recorder_->CaptureAttributes(series);
    }
    void Settings() {
        if (recorder_) recorder_->CaptureSettings();
    }

  private:
    ChangeRecorder* recorder_;
    int exceptions_;
};

} // namespace torvel
