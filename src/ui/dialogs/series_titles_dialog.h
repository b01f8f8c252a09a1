// "Series Title  Dialog" (TTitleSerF): the legend text of the current series
// and the four "Auto Label All" commands. Rules: appearance/series_title_dialog.h.
// Run within the series loop (ui/series_loop.h): "Next" asks for the next series.
#pragma once

#include "appearance/series_title_dialog.h"
#include "ui/dialogs/dialog_support.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace torvel {

class TTitleSerF : public PlacedDialog {
    Q_OBJECT

  public:
    explicit TTitleSerF(AppContext& context);

    // Shows the dialog modally for a series (that of the active data window).
    int Execute(Series& series);

    void OKBtnClick();
    void Button6Click(); // Next
    void Button2Click(); // Series + ##
    void Button3Click(); // "Text" + ##
    void Button4Click(); // "Text " only
    void Button5Click(); // Clear
    void Button1Click() { context_.ShowHelp(SeriesTitleDialogRules::HelpContext); }

  private:
    // Runs a rule on the box's text and shows what it left.
    template <typename Rule> void Run(Rule rule);
    void ShowState();

    SeriesTitleDialogRules rules_;
    QLabel* label1_ = nullptr;
    QLineEdit* titSer1_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
};

} // namespace torvel
