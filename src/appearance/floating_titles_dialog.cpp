#include "appearance/floating_titles_dialog.h"

#include "core/number_text.h"

namespace torvel {

Real FloatPositionOf(const std::string& text) {
    // The reader takes a comma for the point; these boxes do not, unless the
    // program itself writes numbers with a decimal comma.
    if (DecimalSeparator() != ',' && text.find(',') != std::string::npos) return 0;
    const NumberRead r = TextToNumber(text);
    return r.Ok() ? r.Value : 0;
}

void FloatingTitlesDialogRules::Show() {
    const GraphSettings& s = doc_.Settings;
    State.CancelShown = true;
    for (std::size_t i = 0; i < FloatTitleCount; ++i) {
        State.Texts[i] = s.FloatTitleText[i];
        State.X[i] = shownX_[i] = NumberToText(s.FloatTitleX[i], 14);
        State.Y[i] = shownY_[i] = NumberToText(s.FloatTitleY[i], 14);
        keptX_[i] = s.FloatTitleX[i];
        keptY_[i] = s.FloatTitleY[i];
    }
}

void FloatingTitlesDialogRules::Apply() {
    GraphSettings& s = doc_.Settings;
    for (std::size_t i = 0; i < FloatTitleCount; ++i) {
        s.FloatTitleText[i] = State.Texts[i];
        s.FloatTitleX[i] = State.X[i] == shownX_[i] ? keptX_[i] : FloatPositionOf(State.X[i]);
        s.FloatTitleY[i] = State.Y[i] == shownY_[i] ? keptY_[i] : FloatPositionOf(State.Y[i]);
    }
}

void FloatingTitlesDialogRules::View() {
    State.CancelShown = false;
    Apply();
    redraw_.EnsureDraw();
}

} // namespace torvel
