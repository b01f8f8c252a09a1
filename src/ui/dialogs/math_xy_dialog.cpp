#include "ui/dialogs/math_xy_dialog.h"

#include "ui/dialogs/operate_buttons.h"
#include "ui/spread_window.h"
#include "ui/work_progress.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace torvel {

namespace {

// The ampersands of these texts are characters, not accelerator marks.
QString Literal(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

TMath_XYF::TMath_XYF(AppContext& context)
    : PlacedDialog(context, "Math_XYF", QString::fromLatin1(MathXYCaption), false),
      rules_(context.Doc(), context.Fb(), RedrawHooks{[&context] { context.RedrawGraph(); }, {}}) {
    label1_ = MakeSeriesLabel(this);

    auto* box = new QGroupBox(Literal("X & Y Operations"), this);
    box->setObjectName(QStringLiteral("Math_XYBox"));
    items_ = new QButtonGroup(box);
    auto* radios = new QVBoxLayout(box);
    for (int i = 0; i < XYOpCount; ++i) {
        auto* radio = new QRadioButton(Literal(MathXYItems[static_cast<std::size_t>(i)]), box);
        radio->setObjectName(QStringLiteral("Math_XYBoxItem%1").arg(i));
        items_->addButton(radio, i);
        radios->addWidget(radio);
    }
    KeepTabOnChecked(*items_);

    auto* left = new QVBoxLayout;
    left->addWidget(label1_);
    left->addWidget(box);
    LayOutWithOperateButtons(*this, left,
                             {[this] { ButtonOperateClick(); }, [this] { ButtonOKClick(); },
                              [this] { NextBClick(); }, [this] { ButtonHelpClick(); }});
}

int TMath_XYF::Execute(TSpreadF& window) {
    if (window.Detached()) return Rejected;
    window_ = &window;
    rules_.Show(window.GetSeries());
    ShowSeriesNumber(*label1_, QStringLiteral("Series Number  "), window.GetSeries().SeriesNumber);
    ShowSeriesBackground(*this, *label1_, window.GetSeries().SeriesNumber);
    if (QAbstractButton* b = items_->button(rules_.State.Math_XYBox)) {
        b->setChecked(true);
        b->setFocus();
    }
    const int result = RunModal();
    window_ = nullptr;
    return result;
}

void TMath_XYF::ButtonOperateClick() {
    if (!window_ || window_->Detached()) return;
    rules_.State.Math_XYBox = std::max(items_->checkedId(), 0);
    WorkProgress work(this, QStringLiteral("Operating"));
    if (rules_.Operate(window_->GetSeries())) window_->RefreshGrid();
}

void TMath_XYF::NextBClick() {
    rules_.State.Math_XYBox = std::max(items_->checkedId(), 0);
    rules_.Next();
    accept();
}

} // namespace torvel
