#include "core/series.h"

#include "core/number_text.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace torvel {

Series::Series(int seriesNumber, int rowCount)
    : SeriesNumber(seriesNumber), IndexCount(rowCount < 0 ? 0 : rowCount) {
    rows_.Resize(static_cast<std::size_t>(IndexCount));
    Fit.SeriesNumber = seriesNumber;
    Caption = CaptionFor(seriesNumber);
    ResetHeaders();
}

std::string Series::Cell(int col, int row) const {
    if (!texts_.empty()) {
        const auto kept = texts_.find(Key(col, row));
        if (kept != texts_.end()) return kept->second;
    }
    return HasValue(col, row) ? NumberToText(ValueOf(col, row), 14) : std::string();
}

std::string ShortestText(Real value) {
    // The shortest digits that read back exactly; the locale's separator in
    // the plain form and "E" in the exponent form, as the grid shows them.
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    std::string text(buf, end);
    const auto e = text.find('e');
    if (e != std::string::npos) {
        text[e] = 'E';
    } else if (const auto point = text.find('.'); point != std::string::npos) {
        text[point] = DecimalSeparator();
    }
    return text;
}

std::string Series::EditorText(int col, int row) const {
    if (!texts_.empty()) {
        const auto kept = texts_.find(Key(col, row));
        if (kept != texts_.end()) return kept->second;
    }
    return HasValue(col, row) ? ShortestText(ValueOf(col, row)) : std::string();
}

void Series::SetCell(int col, int row, std::string_view text) {
    if (text.empty()) {
        ClearValue(col, row);
        return;
    }
    if (text == EditorText(col, row)) return;
    const NumberRead read = TextToNumber(text);
    SetValue(col, row, read.Value);
    // Kept when it is neither how the grid shows the value nor how the
    // editor does (typed, not yet normalised, or not a number at all).
    if (!read.Ok() || (NumberToText(read.Value, 14) != text && ShortestText(read.Value) != text))
        texts_.emplace(Key(col, row), std::string(text));
}

void Series::SetValue(int col, int row, Real value) {
    const bool replaced = col != XColumn && rows_.Has(col, Index(row));
    rows_.Set(col, Index(row), value); // first: the fitted column may have to be made
    DropText(col, row);
    ++gridVersion_;
    if (!replaced) ++orderVersion_;
}

void Series::ClearValue(int col, int row) {
    DropText(col, row);
    rows_.Clear(col, Index(row));
    ++gridVersion_;
    ++orderVersion_;
}

void Series::ClearFitColumn() {
    if (!texts_.empty())
        std::erase_if(texts_, [](const auto& kept) { return kept.first % 4 == YFitColumn; });
    rows_.DropFitColumn();
    ++gridVersion_;
    ++orderVersion_;
}

bool Series::HoldsNumber(int col, int row) const {
    if (!HasValue(col, row)) return false;
    if (texts_.empty()) return true;
    const auto kept = texts_.find(Key(col, row));
    return kept == texts_.end() || TextToNumber(kept->second).Ok();
}

void Series::RowsChanged() {
    texts_.clear();
    ++gridVersion_;
    ++orderVersion_;
}

std::string Series::IndexCellText(int row) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%7d", row);
    return buf;
}

void Series::SetIndexCount(int count) {
    if (count < 0) count = 0;
    rows_.Resize(static_cast<std::size_t>(count));
    IndexCount = count;
    std::erase_if(texts_, [count](const auto& kept) {
        return kept.first / 4 > static_cast<std::uint64_t>(count);
    });
    ++gridVersion_;
    ++orderVersion_;
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
