// The three title dialogs: "Main Title  Dialog" (TTitleTF), "X Axis Title
// Dialog" (TTitleXF) and "Y Axis Title  Dialog" (TTitleYF). The rules are in
// appearance/title_dialogs.h; these windows copy the boxes to and from them.
#pragma once

#include "appearance/title_dialogs.h"
#include "ui/dialogs/dialog_support.h"

#include <vector>

class QLineEdit;
class QPushButton;

namespace torvel {

class TitleDialog : public PlacedDialog {
    Q_OBJECT

  public:
    TitleDialog(AppContext& context, TitleDialogKind kind, const char* objectName);

    // Fills the boxes from the settings and shows the dialog modally; OK
    // copies them back. The caller redraws the graph afterwards.
    int Execute();

    void OKBtnClick();
    void Button1Click() { context_.ShowHelp(TitleDialogRules::HelpContext); }

  private:
    void FormShow();

    TitleDialogRules rules_;
    std::vector<QLineEdit*> boxes_;
};

class TTitleTF : public TitleDialog {
  public:
    explicit TTitleTF(AppContext& context)
        : TitleDialog(context, TitleDialogKind::Main, "TitleTF") {}
};

class TTitleXF : public TitleDialog {
  public:
    explicit TTitleXF(AppContext& context)
        : TitleDialog(context, TitleDialogKind::XAxis, "TitleXF") {}
};

class TTitleYF : public TitleDialog {
  public:
    explicit TTitleYF(AppContext& context)
        : TitleDialog(context, TitleDialogKind::YAxis, "TitleYF") {}
};

} // namespace torvel
