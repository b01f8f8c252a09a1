// "Floating Titles Dialog" (TTitleFlF): the texts and X and Y positions of the
// ten floating titles. Rules: appearance/floating_titles_dialog.h.
#pragma once

#include "appearance/floating_titles_dialog.h"
#include "ui/dialogs/dialog_support.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace torvel {

class TTitleFlF : public PlacedDialog {
    Q_OBJECT

  public:
    // ensureGraph: makes the graph window when there is none (View needs it).
    TTitleFlF(AppContext& context, std::function<void()> ensureGraph);

    // Fills the thirty boxes from the settings and shows the dialog modally.
    // The caller redraws the graph afterwards.
    int Execute();

    void Button1Click(); // OK
    void Button4Click(); // View
    void Button3Click() { context_.ShowHelp(FloatingTitlesDialogRules::HelpContext); }

  private:
    void ReadBoxes();

    FloatingTitlesDialogRules rules_;
    // Edit1..Edit30: texts, X positions, Y positions.
    std::array<QLineEdit*, 3 * FloatTitleCount> edits_{};
    QPushButton* cancel_ = nullptr;
};

} // namespace torvel
