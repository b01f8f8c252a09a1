// "Math X & Y Operations" (TMath_XYF): combines the X and Y values of each
// row of the current data window. Rules: cellops/cell_dialogs.h. Run within
// the series loop (ui/series_loop.h): "Next" asks for the next series.
#pragma once

#include "cellops/cell_dialogs.h"
#include "ui/dialogs/dialog_support.h"

#include <QPointer>

class QButtonGroup;
class QLabel;

namespace torvel {

class TSpreadF;

class TMath_XYF : public PlacedDialog {
    Q_OBJECT

  public:
    explicit TMath_XYF(AppContext& context);

    // Shows the dialog modally for the data window's series.
    int Execute(TSpreadF& window);
    MathXYDialogRules& Rules() { return rules_; }

    void ButtonOperateClick();
    void ButtonOKClick() { accept(); }
    void NextBClick();
    void ButtonHelpClick() { context_.ShowHelp(MathXYHelpContext); }

  private:
    MathXYDialogRules rules_;
    QPointer<TSpreadF> window_;
    QLabel* label1_ = nullptr;
    QButtonGroup* items_ = nullptr;
};

} // namespace torvel
