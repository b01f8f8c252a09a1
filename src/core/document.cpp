#include "core/document.h"

#include "core/change_recorder.h"

#include <algorithm>

namespace torvel {

namespace {

// Observers may come and go while they are told (a new data window registers
// itself, a removed one leaves): tell those present at the start that are
// still registered.
template <typename Call>
void TellObservers(const std::vector<DocumentObserver*>& observers, Call call) {
    const std::vector<DocumentObserver*> snapshot = observers;
    for (DocumentObserver* o : snapshot)
        if (std::find(observers.begin(), observers.end(), o) != observers.end()) call(*o);
}

} // namespace

Document::Document() {
    ResetGraphSettings(Settings);
}

Series* Document::FindSeries(int seriesNumber) const {
    for (const auto& s : series_)
        if (s->SeriesNumber == seriesNumber) return s.get();
    return nullptr;
}

int Document::AllocateSeriesNumber(Feedback& feedback) {
    int n = 1;
    while (n <= MaxSeries && SeriesNumberUsed[static_cast<std::size_t>(n)])
        ++n;
    if (n > MaxSeries) {
        feedback.Beep(SeriesLimitText(MaxSeries));
        return NoFreeSeriesNumber;
    }
    SeriesNumberUsed[static_cast<std::size_t>(n)] = true;
    return n;
}

void Document::ReleaseSeriesNumber(int n) {
    if (n >= 1 && n <= MaxSeries) SeriesNumberUsed[static_cast<std::size_t>(n)] = false;
}

Series& Document::CreateSeries(Feedback& feedback, RowStore* rows) {
    const std::array<bool, MaxSeries + 1> usedBefore = SeriesNumberUsed;
    int number;
    bool loading = LoadingSeries;
    if (loading) {
        LoadingSeries = false;
        number = LoadingSeriesNumber;
        if (number >= 1 && number <= MaxSeries)
            SeriesNumberUsed[static_cast<std::size_t>(number)] = true;
    } else {
        number = AllocateSeriesNumber(feedback);
    }
    try {
        auto made = std::make_unique<Series>(number, rows ? 0 : NewSeriesRows);
        if (rows) {
            made->IndexCount = static_cast<int>(rows->Size());
            made->Store() = std::move(*rows);
            made->RowsChanged();
        }
        series_.push_back(std::move(made));
    } catch (...) {
        // No memory for the rows: the document stays as it was, number free.
        SeriesNumberUsed = usedBefore;
        throw;
    }
    Series& s = *series_.back();
    try {
        if (Recorder) Recorder->SeriesCreated(s);
        TellObservers(observers_, [&](DocumentObserver& o) { o.SeriesAdded(s); });
    } catch (...) {
        // Nor for its window: a series nobody shows must not stay behind.
        DestroySeries(s);
        throw;
    }
    return s;
}

void Document::DestroySeries(Series& series) {
    std::unique_ptr<Series> gone = TakeSeries(series);
    if (gone && Recorder) Recorder->SeriesDestroyed(std::move(gone));
}

std::unique_ptr<Series> Document::TakeSeries(Series& series) {
    auto it = std::find_if(series_.begin(), series_.end(),
                           [&](const auto& p) { return p.get() == &series; });
    if (it == series_.end()) return nullptr;
    TellObservers(observers_, [&](DocumentObserver& o) { o.SeriesRemoving(series); });
    ReleaseSeriesNumber(series.SeriesNumber);
    std::unique_ptr<Series> taken = std::move(*it);
    series_.erase(it);
    return taken;
}

bool Document::PutBackSeries(std::unique_ptr<Series>& series) {
    const int n = series->SeriesNumber;
    if (n < 1 || n > MaxSeries || SeriesNumberUsed[static_cast<std::size_t>(n)]) return false;
    const auto at =
        std::upper_bound(series_.begin(), series_.end(), n,
                         [](int number, const auto& p) { return number < p->SeriesNumber; });
    Series& s = **series_.insert(at, std::move(series));
    SeriesNumberUsed[static_cast<std::size_t>(n)] = true;
    TellObservers(observers_, [&](DocumentObserver& o) { o.SeriesAdded(s); });
    return true;
}

void Document::DestroyAllSeries() {
    while (!series_.empty())
        DestroySeries(*series_.back());
}

void Document::SortDataWindows() {
    // Stable, like the adjacent-pair passes it stands for.
    std::stable_sort(series_.begin(), series_.end(), [](const auto& a, const auto& b) {
        return a->SeriesNumber < b->SeriesNumber;
    });
}

void Document::AddObserver(DocumentObserver* observer) {
    observers_.push_back(observer);
}

void Document::RemoveObserver(DocumentObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

} // namespace torvel
