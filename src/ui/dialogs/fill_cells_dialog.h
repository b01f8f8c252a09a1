// "Math Fill Cells" (TFillF): an evenly spaced sequence into rows of the X or
// Y column of the current data window. Rules: cellops/cell_dialogs.h. Run
// within the series loop (ui/series_loop.h): "Next" asks for the next series.
#pragma once

#include "cellops/cell_dialogs.h"
#include "ui/dialogs/dialog_support.h"

#include <QPointer>

#include <array>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;

namespace torvel {

class TSpreadF;

class TFillF : public PlacedDialog {
    Q_OBJECT

  public:
    explicit TFillF(AppContext& context);

    // Shows the dialog modally for the data window's series.
    int Execute(TSpreadF& window);
    FillDialogRules& Rules() { return rules_; }

    void ButtonOperateClick();
    void ButtonOKClick() { accept(); }
    void NextBClick();
    void ButtonHelpClick() { context_.ShowHelp(FillHelpContext); }

  private:
    void ReadBoxes();
    void ShowBoxes();

    FillDialogRules rules_;
    QPointer<TSpreadF> window_;
    QLabel* label1_ = nullptr;
    QButtonGroup* operateOn_ = nullptr;
    std::array<QLineEdit*, 4> edits_{};
};

} // namespace torvel
