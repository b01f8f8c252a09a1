// Builders shared by the scaling and fitting tests: series from compact cell
// texts, and counted redraws.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "scale/redraw_hooks.h"

#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace torvel::testing_support {

// (X text, Y text) per row.
using Cells = std::vector<std::pair<std::string, std::string>>;

// "1:10 2: :5" is three rows: X 1 and Y 10; X 2 without Y; Y 5 without X.
inline Cells CellsOf(std::string_view rows) {
    Cells cells;
    std::istringstream in{std::string(rows)};
    std::string row;
    while (in >> row) {
        const auto colon = row.find(':');
        cells.emplace_back(row.substr(0, colon), row.substr(colon + 1));
    }
    return cells;
}

inline void FillCells(Series& s, const Cells& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        s.SetCell(XColumn, static_cast<int>(i) + 1, cells[i].first);
        s.SetCell(YColumn, static_cast<int>(i) + 1, cells[i].second);
    }
}

// A new series (lowest free number) of exactly the given rows.
inline Series& AddSeries(Document& doc, const Cells& cells, bool left = true) {
    RecordingFeedback fb;
    doc.NewSeriesRows = static_cast<int>(cells.size());
    Series& s = doc.CreateSeries(fb);
    s.YAxisLeft = left;
    FillCells(s, cells);
    return s;
}
inline Series& AddSeries(Document& doc, std::string_view rows, bool left = true) {
    return AddSeries(doc, CellsOf(rows), left);
}

// One grid column's shown cells, rows joined by "|".
inline std::string Column(const Series& s, int col) {
    std::string text;
    for (int r = 1; r <= s.IndexCount; ++r) {
        if (r > 1) text += '|';
        text += s.Cell(col, r);
    }
    return text;
}

// Counts the draws of an existing graph window (draw) and those that create
// the window first (ensure).
struct DrawCounter {
    int draw = 0, ensure = 0;
    RedrawHooks Hooks() {
        return {[this] { ++draw; }, [this] { ++ensure; }};
    }
};

} // namespace torvel::testing_support
