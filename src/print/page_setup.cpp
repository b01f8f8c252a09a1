#include "print/page_setup.h"

#include <algorithm>

namespace torvel {

namespace {

int IndexOfKey(const std::vector<PaperChoice>& papers, int key) {
    const auto it = std::find_if(papers.begin(), papers.end(),
                                 [key](const PaperChoice& p) { return p.Key == key; });
    return it == papers.end() ? -1 : static_cast<int>(it - papers.begin());
}

} // namespace

void PrinterChanged(PageSetupState& state, std::vector<PaperChoice> papers, int defaultKey) {
    const bool had = state.Paper >= 0 && state.Paper < static_cast<int>(state.Papers.size());
    const int oldKey = had ? state.Papers[static_cast<std::size_t>(state.Paper)].Key : -1;
    state.Papers = std::move(papers);
    int at = had ? IndexOfKey(state.Papers, oldKey) : -1;
    if (at < 0) at = IndexOfKey(state.Papers, defaultKey);
    state.Paper = std::max(at, 0);
}

int ChosenPaperKey(const PageSetupState& state, int fallback) {
    if (state.Paper < 0 || state.Paper >= static_cast<int>(state.Papers.size())) return fallback;
    return state.Papers[static_cast<std::size_t>(state.Paper)].Key;
}

} // namespace torvel
