#include "core/series_loop.h"

namespace torvel {

namespace {

bool InUse(const Document& doc, int n) {
    return doc.SeriesNumberUsed[static_cast<std::size_t>(n)];
}

} // namespace

int NextSeriesInUse(const Document& doc, int current) {
    int n = (current >= MaxSeries || current < 1) ? 1 : current + 1;
    // At most one full turn: with no number in use there is nothing to go to.
    for (int tries = 0; tries < MaxSeries; ++tries) {
        if (InUse(doc, n)) return n;
        n = n % MaxSeries + 1;
    }
    return 0;
}

int LowestSeriesInUse(const Document& doc) {
    for (int n = 1; n <= MaxSeries; ++n)
        if (InUse(doc, n)) return n;
    return 0;
}

bool TakeNextSeriesRequest(Document& doc) {
    const bool requested = doc.NextSeriesRequested;
    doc.NextSeriesRequested = false;
    return requested;
}

} // namespace torvel
