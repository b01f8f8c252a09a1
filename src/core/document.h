// The one graph being edited: its series (in ascending series-number order),
// the graph settings, the preferences and the document state. Passed by
// reference; there is no global instance.
#pragma once

#include "core/data_model.h"
#include "core/feedback.h"
#include "core/file_identity.h"
#include "core/series.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace torvel {

class ChangeRecorder;

// Told when series come and go, so windows can follow the document.
class DocumentObserver {
  public:
    virtual ~DocumentObserver() = default;
    virtual void SeriesAdded(Series&) {}
    virtual void SeriesRemoving(Series&) {}
};

class Document {
  public:
    Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    GraphSettings Settings;
    Preferences Prefs;
    Real ConstantK = 0;
    std::string GraphFileName = NoNameGraph;
    // The file GraphFileName named when it was read or written (Known only then).
    FileIdentity GraphFileIdentity;

    // Entry n (1..MaxSeries) is set while series n exists; entry 0 is unused.
    std::array<bool, MaxSeries + 1> SeriesNumberUsed{};
    int NewSeriesRows = 10;
    bool LoadingSeries = false;
    int LoadingSeriesNumber = 0;
    bool GraphLoadFailed = false;
    bool SuppressResizeDraw = false;
    bool NextSeriesRequested = false;
    // The document's history (core/change_recorder.h), or null: told of every
    // series made and handed every series removed.
    ChangeRecorder* Recorder = nullptr;

    // The series in ascending series-number order (after SortDataWindows).
    const std::vector<std::unique_ptr<Series>>& DataWindows() const { return series_; }
    int SeriesCount() const { return static_cast<int>(series_.size()); }
    Series* FindSeries(int seriesNumber) const;

    // Creates a series as a new data window does: appended (not sorted), with
    // LoadingSeriesNumber when LoadingSeries is set (which clears it), else the
    // lowest free number and PrintColor Default; NewSeriesRows empty rows,
    // or the rows given (taken from *rows). Callers check the MaxSeries
    // limit first.
    Series& CreateSeries(Feedback& feedback, RowStore* rows = nullptr);
    // Removes the series and releases its number.
    void DestroySeries(Series& series);
    void DestroyAllSeries();
    // Undo and redo: a series taken out whole (observers told as for a
    // removal, its number released) and put back whole, with its number, in
    // number order. PutBackSeries gives false when its number is in use.
    std::unique_ptr<Series> TakeSeries(Series& series);
    bool PutBackSeries(std::unique_ptr<Series>& series);

    int AllocateSeriesNumber(Feedback& feedback);
    void ReleaseSeriesNumber(int n);
    void SortDataWindows();

    void AddObserver(DocumentObserver* observer);
    void RemoveObserver(DocumentObserver* observer);

  private:
    std::vector<std::unique_ptr<Series>> series_;
    std::vector<DocumentObserver*> observers_;
};

} // namespace torvel
