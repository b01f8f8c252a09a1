// The log scale dialog ("Log Scale  Dialog"): linear or logarithmic X and Y
// axes, and how logarithmic scale numbers are written. Its rules live in
// scale/log_scale.h; this window copies its two choices to and from the rules'
// state and does the showing, placing and closing.
#pragma once

#include "scale/log_scale.h"
#include "ui/app_context.h"

#include <QDialog>

class QButtonGroup;
class QPushButton;

namespace torvel {

// Help context of the log scale dialog.
inline constexpr int LogScaleHelpContext = 1000;

class TLogScaleF : public QDialog {
    Q_OBJECT

  public:
    TLogScaleF(AppContext& context, RedrawHooks redraw, QWidget* parent = nullptr);

    // Shows the dialog modally (FormShow first); the caller redraws afterwards.
    int Execute();

    LogScaleDialogRules& Rules() { return rules_; }

    void OKBtnClick();
    void Button1Click(); // "Help"
    void LogBoxClick(int choice);
    void FormatBoxClick(int choice);

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FormShow();
    void ShowState();

    AppContext& context_;
    LogScaleDialogRules rules_;
    QButtonGroup* logBox_ = nullptr;
    QButtonGroup* formatBox_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
};

} // namespace torvel
