// The grid dialog ("Grid  Dialog"): major and minor grid intervals, labelled
// intervals and decimals of each axis. Its rules live in scale/grid_settings.h;
// this window copies its boxes to and from the rules' state and does the
// showing, placing and closing.
#pragma once

#include "scale/grid_settings.h"
#include "ui/app_context.h"

#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;
class QPushButton;

namespace torvel {

class TScaleF;

// Help context of the grid dialog.
inline constexpr int GridHelpContext = 700;

class TGridF : public QDialog {
    Q_OBJECT

  public:
    // rules: the grid rules, shared with the scale dialog's "Find All".
    TGridF(AppContext& context, GridDialogRules& rules, QWidget* parent = nullptr);

    // The scale dialog its "Scale" button opens.
    void SetScaleDialog(TScaleF* scale) { scaleDialog_ = scale; }

    // Shows the dialog modally (FormShow first); the caller redraws afterwards.
    int Execute();

    GridDialogRules& Rules() { return rules_; }

    void OKBtnClick();
    void HelpBClick();
    void ClearBClick();
    void AutoXGridBClick();
    void AutoYLGridBClick();
    void AutoYRGridBClick();
    void DrawGridBClick(); // "View"
    void GoScaleBClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct Box {
        QLineEdit* Edit;
        std::string GridDialogState::*Text;
        bool YAxis;
    };
    void FormShow();
    void ReadBoxes();
    void ShowState();
    template <class Fn> void Run(Fn event);

    AppContext& context_;
    GridDialogRules& rules_;
    TScaleF* scaleDialog_ = nullptr;
    std::vector<Box> boxes_;
    QPushButton* cancelBtn_ = nullptr;
    QPushButton* goScaleB_ = nullptr;
};

} // namespace torvel
