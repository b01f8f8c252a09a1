// The scale dialog ("Scale  Dialog"): the limits of the three axes, their
// data ranges and auto-scaling, and the "Multi-Scale" choice. Its rules live in
// scale/scale_dialog.h; this window copies its boxes to and from the rules'
// state and does the showing, placing and closing.
#pragma once

#include "scale/scale_dialog.h"
#include "ui/app_context.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace torvel {

class TGridF;

// Help context of the scale dialog.
inline constexpr int ScaleHelpContext = 1500;

class TScaleF : public QDialog {
    Q_OBJECT

  public:
    // grid: the grid dialog's rules, whose Clear "Find All" uses.
    TScaleF(AppContext& context, RedrawHooks redraw, GridDialogRules& grid,
            QWidget* parent = nullptr);

    // The grid dialog its "Grid" button opens.
    void SetGridDialog(TGridF* grid) { gridDialog_ = grid; }

    // Shows the dialog modally (FormShow first); the caller redraws afterwards.
    int Execute();

    ScaleDialogRules& Rules() { return rules_; }

    void OKBtnClick();
    void Button1Click(); // "Find" X
    void Button2Click(); // "Find" YL
    void Button3Click(); // "Find" YR
    void AutoBXClick();
    void AutoBYLClick();
    void AutoBYRClick();
    void SetMaxMin1Click(); // "Find All"
    void GoGridBClick();
    void DrawScaleBClick(); // "View"
    void Button4Click();    // "Help"
    void AutoBoxClick(int choice);

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FormShow();
    void ReadBoxes();
    void ShowState();
    // Copies the boxes into the rules, runs an event, shows the outcome.
    template <class Fn> void Run(Fn event);

    AppContext& context_;
    ScaleDialogRules rules_;
    TGridF* gridDialog_ = nullptr;
    QLineEdit* maxX_ = nullptr;
    QLineEdit* minX_ = nullptr;
    QLineEdit* maxYL_ = nullptr;
    QLineEdit* minYL_ = nullptr;
    QLineEdit* maxYR_ = nullptr;
    QLineEdit* minYR_ = nullptr;
    QButtonGroup* autoBox_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    QPushButton* goGridB_ = nullptr;
};

} // namespace torvel
