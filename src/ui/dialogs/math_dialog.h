// "Math Operations on Cells" (TMathF): one of nine operations with the
// constant K on the selected cells or a whole column, with their Total,
// Average and Sigma. Rules: cellops/cell_dialogs.h. K is the document's
// ConstantK, the calculator's X register. Run within the series loop.
#pragma once

#include "cellops/cell_dialogs.h"
#include "ui/dialogs/dialog_support.h"

#include <QPointer>

#include <functional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace torvel {

class TSpreadF;

class TMathF : public PlacedDialog {
    Q_OBJECT

  public:
    // showCalculator: shows the calculator window (not modal).
    TMathF(AppContext& context, std::function<void()> showCalculator);

    // Shows the dialog modally for the data window's series and selection.
    int Execute(TSpreadF& window);
    MathDialogRules& Rules() { return rules_; }

    void ButtonOperateClick();
    void Button1Click() { accept(); } // OK
    void NextBClick();
    void Button3Click() { context_.ShowHelp(MathHelpContext); }
    void SelectedCellsRBClick();
    void ButtonCopyClick();
    void ButtonCalClick();
    // The calculator closed while this dialog is up: its X is K.
    void CalculatorClosed();

  protected:
    void changeEvent(QEvent* event) override;
    void done(int result) override;

  private:
    void ReadBoxes();
    void ShowBoxes();
    CellRect Selection() const;

    MathDialogRules rules_;
    std::function<void()> showCalculator_;
    QPointer<TSpreadF> window_;
    QLabel* label1_ = nullptr;
    QButtonGroup* operation_ = nullptr;
    QButtonGroup* target_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    QLineEdit* edit2_ = nullptr;
    QLineEdit* edit3_ = nullptr;
    QLineEdit* edit4_ = nullptr;
    bool running_ = false;
};

} // namespace torvel
