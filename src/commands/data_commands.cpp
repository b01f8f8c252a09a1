#include "commands/data_commands.h"

#include "fit/fit_dialog.h"

namespace torvel {

std::string CutCells(Series& series, CellRect selection) {
    std::string text = CopyCells(series, selection);
    DeleteCells(series, selection); // empties, clears the fit, refreshes the rows
    return text;
}

void ClearFitCommand(Series& series) {
    ClearFit(series);
    series.GraphType = GraphTypeWithoutFit(series.GraphType);
}

} // namespace torvel
