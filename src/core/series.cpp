#include "core/series.h"

#include <cctype>
#include <cstdio>

namespace torvel {

Series::Series(int seriesNumber, int rowCount)
    : SeriesNumber(seriesNumber), IndexCount(rowCount < 0 ? 0 : rowCount) {
    Rows.resize(static_cast<std::size_t>(IndexCount));
    cells_.resize(static_cast<std::size_t>(IndexCount));
    Fit.SeriesNumber = seriesNumber;
    Caption = CaptionFor(seriesNumber);
    ResetHeaders();
}

void Series::SetCell(int col, int row, std::string text) {
    auto& cell = cells_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)];
    if (cell == text) return;
    cell = std::move(text);
    ++gridVersion_;
}

std::string Series::IndexCellText(int row) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%7d", row);
    return buf;
}

void Series::SetIndexCount(int count) {
    if (count < 0) count = 0;
    IndexCount = count;
    Rows.resize(static_cast<std::size_t>(count));
    cells_.resize(static_cast<std::size_t>(count));
    ++gridVersion_;
}

void Series::ResetHeaders() {
    const std::string n = std::to_string(SeriesNumber);
    header_[0] = " Index";
    header_[1] = "             X" + n;
    header_[2] = "             Y" + n;
    header_[3] = FitHeaderText();
}

std::string Series::FitHeaderText() const {
    return "          Y" + std::to_string(SeriesNumber) + " Fit";
}

std::string Series::CaptionFor(int seriesNumber, const std::string& path) {
    std::string caption = "Series Number: " + std::to_string(seriesNumber);
    if (!path.empty()) caption += "   -   " + UpperFileName(path);
    return caption;
}

std::string UpperFileName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

} // namespace torvel
