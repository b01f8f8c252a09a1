// "Graph Type Dialog" (TGTypeF): a series' graph type, whether its points are
// marked and which Y axis it uses; every choice takes effect at once. Rules:
// appearance/graph_type_dialog.h. Run within the series loop (ui/series_loop.h).
#pragma once

#include "appearance/graph_type_dialog.h"
#include "ui/dialogs/dialog_support.h"

#include <functional>

class QButtonGroup;
class QLabel;

namespace torvel {

class TGTypeF : public PlacedDialog {
    Q_OBJECT

  public:
    // fitDialog: shows the fit dialog modally for a series, when a chosen type needs a fit.
    TGTypeF(AppContext& context, std::function<void(Series&)> fitDialog);

    // Shows the dialog modally for a series (that of the active data window).
    int Execute(Series& series);

    void RadioGroup1Click();
    void RadioGroup2Click();
    void RadioGroup3Click();
    void NextBClick();
    void Button1Click() { context_.ShowHelp(GraphTypeDialogRules::HelpContext); }

  private:
    template <typename Rule> void Run(Rule rule);
    void ShowState();

    GraphTypeDialogRules rules_;
    QLabel* label1_ = nullptr;
    QButtonGroup* types_ = nullptr;
    QButtonGroup* points_ = nullptr;
    QButtonGroup* axis_ = nullptr;
};

} // namespace torvel
