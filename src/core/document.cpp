#include "core/document.h"

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

Series& Document::CreateSeries(Feedback& feedback) {
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
        series_.push_back(std::make_unique<Series>(number, NewSeriesRows));
    } catch (...) {
        // No memory for the rows: the document stays as it was, number free.
        SeriesNumberUsed = usedBefore;
        throw;
    }
    Series& s = *series_.back();
    try {
        TellObservers(observers_, [&](DocumentObserver& o) { o.SeriesAdded(s); });
    } catch (...) {
        // Nor for its window: a series nobody shows must not stay behind.
        DestroySeries(s);
        throw;
    }
    return s;
}

void Document::DestroySeries(Series& series) {
    auto it = std::find_if(series_.begin(), series_.end(),
                           [&](const auto& p) { return p.get() == &series; });
    if (it == series_.end()) return;
    TellObservers(observers_, [&](DocumentObserver& o) { o.SeriesRemoving(series); });
    ReleaseSeriesNumber(series.SeriesNumber);
    series_.erase(it);
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
