// The fit dialog ("Regression Fit Dialog"): the equation of one series, its
// coefficients and R^2. Its rules live in fit/fit_dialog.h; this window copies
// the state to its widgets and the choice back, and refreshes the data window
// whose fitted column the rules rewrite.
#pragma once

#include "fit/fit_dialog.h"
#include "ui/app_context.h"

#include <QDialog>
#include <QPointer>

#include <array>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;

namespace torvel {

class TSpreadF;

class TFitF : public QDialog {
    Q_OBJECT

  public:
    explicit TFitF(AppContext& context, QWidget* parent = nullptr);

    // Shows the dialog modally for the data window's series; returns once it
    // is closed, with the choice kept ("OK", "Next") or put back (any other close).
    int Execute(TSpreadF& window);

    FitDialogRules& Rules() { return rules_; }

    // Handlers of the controls.
    void RadioFit1Click(int index);
    void OKBtnClick();
    void NextBClick();
    void Button2Click(); // Copy Coefficients
    void Button1Click(); // Help

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShowState();
    void SeriesChanged();
    void Place();

    AppContext& context_;
    FitDialogRules rules_;
    QPointer<TSpreadF> window_;
    QGroupBox* radioFit1_ = nullptr;
    QButtonGroup* kinds_ = nullptr;
    std::array<QLabel*, 9> labels_{}; // Label1..Label9
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    QPushButton* nextB_ = nullptr;
    QPushButton* button2_ = nullptr;
    QPushButton* button1_ = nullptr;
};

} // namespace torvel
