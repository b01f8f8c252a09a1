// The preferences dialog ("Perferences  Dialog"): Max Data Index, Bar Width and
// the printer's minor grid colour and font size. The rules of OK live in
// files/preferences_rules.h; this window only copies texts and choices.
#pragma once

#include "files/preferences_rules.h"
#include "ui/app_context.h"

#include <QDialog>
#include <QString>

#include <string>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace torvel {

class TPreferF : public QDialog {
    Q_OBJECT

  public:
    // cfgPath: the preferences file OK writes when something changed.
    explicit TPreferF(AppContext& context, std::string cfgPath = {}, QWidget* parent = nullptr);

    void SetPreferencesFile(std::string cfgPath) { cfgPath_ = std::move(cfgPath); }

    // Fills the boxes and choices from the preferences, places the dialog 30
    // pixels inside the main window's bottom-right corner and shows it modally.
    // The caller redraws the graph afterwards.
    int Execute();

    // What OK did the last time (changed, written).
    const PreferencesApplied& LastApplied() const { return applied_; }

    void OKBtnClick();
    void Button1Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void PlaceInsideMain();
    PreferencesDialogState ReadControls() const;

    AppContext& context_;
    std::string cfgPath_;
    PreferencesDialogState shown_;
    PreferencesApplied applied_;
    QGroupBox* sizeGroup_ = nullptr;
    QLineEdit* maxLenth1_ = nullptr;
    QLineEdit* barWidth1_ = nullptr;
    QGroupBox* radioGroup1_ = nullptr;
    QGroupBox* radioGroup2_ = nullptr;
    QButtonGroup* gridItems_ = nullptr;
    QButtonGroup* fontItems_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    QPushButton* button1_ = nullptr;
};

} // namespace torvel
