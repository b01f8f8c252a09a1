// Stand-in for the grid/store copies until core/grid_store.cpp is on main.
// Weak, so a real definition wins where both are linked. Include from exactly
// one source file of a test program.
#pragma once

#include "core/grid_store.h"
#include "core/number_text.h"

namespace torvel {

__attribute__((weak)) void GridToRows(Series& series) {
    series.Rows.resize(static_cast<std::size_t>(series.IndexCount));
    for (int r = 1; r <= series.IndexCount; ++r) {
        Tdata& row = series.Rows[static_cast<std::size_t>(r - 1)];
        Real* values[3] = {&row.X, &row.Y, &row.YFit};
        bool* flags[3] = {&row.XValid, &row.YValid, &row.YFitValid};
        for (int c = 1; c <= 3; ++c) {
            const std::string& text = series.Cell(c, r);
            if (text.empty()) {
                *values[c - 1] = 0;
                *flags[c - 1] = false;
            } else {
                *values[c - 1] = TextToNumber(CommaToPoint(text)).Value;
                *flags[c - 1] = true;
            }
        }
    }
}

__attribute__((weak)) void RowsToGrid(Series& series) {
    for (int r = 1; r <= series.IndexCount; ++r) {
        const Tdata& row = series.Rows[static_cast<std::size_t>(r - 1)];
        series.SetCell(1, r, row.XValid ? NumberToText(row.X, 14) : std::string());
        series.SetCell(2, r, row.YValid ? NumberToText(row.Y, 14) : std::string());
        series.SetCell(3, r, row.YFitValid ? NumberToText(row.YFit, 14) : std::string());
    }
}

__attribute__((weak)) void ClearFit(Series& series) {
    if (!series.HasFit) return;
    for (int i = 1; i <= 7; ++i)
        series.Fit.Coef[static_cast<std::size_t>(i)] = 0;
    series.SetHeader(3, series.FitHeaderText());
    for (int r = 1; r <= series.IndexCount; ++r) {
        series.SetCell(3, r, std::string());
        series.Rows[static_cast<std::size_t>(r - 1)].YFit = 0;
        series.Rows[static_cast<std::size_t>(r - 1)].YFitValid = false;
    }
    series.Fit.FitKind = 0;
    if (series.GraphType == GraphFit || series.GraphType == GraphLineFit)
        series.GraphType = GraphLine;
    if (series.GraphType == GraphBarFit) series.GraphType = GraphBar;
    series.HasFit = false;
}

} // namespace torvel
