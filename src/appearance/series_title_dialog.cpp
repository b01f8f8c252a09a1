#include "appearance/series_title_dialog.h"

namespace torvel {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

void SeriesTitleDialogRules::Show(Series& series) {
    series_ = &series;
    State.SeriesNumber = series.SeriesNumber;
    State.TitSer1 = series.SeriesTitle;
    State.CancelShown = true;
}

void SeriesTitleDialogRules::OK() {
    if (series_) series_->SeriesTitle = State.TitSer1;
}

void SeriesTitleDialogRules::Next() {
    OK();
    redraw_.DrawIfShown();
    doc_.NextSeriesRequested = true;
}

void SeriesTitleDialogRules::SeriesPlusNumber() {
    State.TitSer1 = "Series #" + std::to_string(State.SeriesNumber);
    for (const auto& s : doc_.DataWindows())
        s->SeriesTitle = "Series #" + std::to_string(s->SeriesNumber);
    ChangedAll();
}

bool SeriesTitleDialogRules::Refused() {
    const std::string& t = State.TitSer1;
    // Appended, not "#" + ...: GCC 12 at -O3 gives a false -Wrestrict.
    std::string number(1, '#');
    number += std::to_string(State.SeriesNumber);
    if (t.empty() || EndsWith(t, number)) {
        feedback_.Beep();
        return true;
    }
    return false;
}

void SeriesTitleDialogRules::TextPlusNumber() {
    if (Refused()) return;
    const std::string stem = State.TitSer1 + " #";
    State.TitSer1 = stem + std::to_string(State.SeriesNumber);
    for (const auto& s : doc_.DataWindows())
        s->SeriesTitle = stem + std::to_string(s->SeriesNumber);
    ChangedAll();
}

void SeriesTitleDialogRules::TextOnly() {
    if (Refused()) return;
    for (const auto& s : doc_.DataWindows())
        s->SeriesTitle = State.TitSer1;
    ChangedAll();
}

void SeriesTitleDialogRules::Clear() {
    State.TitSer1.clear();
    for (const auto& s : doc_.DataWindows())
        s->SeriesTitle.clear();
    ChangedAll();
}

void SeriesTitleDialogRules::ChangedAll() {
    State.CancelShown = false;
    redraw_.DrawIfShown();
}

} // namespace torvel
