// The printer colour dialog ("Printer Color  Dialog"): the colour a series is
// printed in on the printed graph. Its rules live in print/print_color_dialog.h;
// this window copies the choice to and from its radio items.
#pragma once

#include "print/print_color_dialog.h"
#include "ui/app_context.h"

#include <QDialog>
#include <QPointer>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;

namespace torvel {

class TSpreadF;

class TPrintCF : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* Caption = "Printer Color  Dialog";

    explicit TPrintCF(AppContext& context, QWidget* parent = nullptr);

    // Shows the dialog modally for the data window's series.
    int Execute(TSpreadF& window);

    PrintColorDialogRules& Rules() { return rules_; }

    void OKBtnClick();
    void Button6Click(); // Next
    void Button1Click(); // Help

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void ReadControls();

    AppContext& context_;
    PrintColorDialogRules rules_;
    QPointer<TSpreadF> window_;
    QGroupBox* radioGroup1_ = nullptr;
    QButtonGroup* items_ = nullptr;
    QLabel* label1_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    QPushButton* button6_ = nullptr;
    QPushButton* button1_ = nullptr;
};

} // namespace torvel
