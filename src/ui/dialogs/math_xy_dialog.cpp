#include "ui/dialogs/math_xy_dialog.h"

#include "ui/spread_window.h"

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
    label1_ = new QLabel(QStringLiteral("Series # 1"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    QFont bold = label1_->font();
    bold.setBold(true);
    label1_->setFont(bold);

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

    QPushButton* operate = MakeButton(this, "ButtonOperate", QStringLiteral("Operate"));
    QPushButton* ok = MakeButton(this, "ButtonOK", QStringLiteral("OK"));
    QPushButton* next = MakeButton(this, "NextB", QStringLiteral("Next"));
    QPushButton* help = MakeButton(this, "ButtonHelp", QStringLiteral("Help"));
    // Enter operates; OK only closes, as Escape does.
    SetDefaultButton(*operate);
    connect(operate, &QPushButton::clicked, this, &TMath_XYF::ButtonOperateClick);
    connect(ok, &QPushButton::clicked, this, &TMath_XYF::ButtonOKClick);
    connect(next, &QPushButton::clicked, this, &TMath_XYF::NextBClick);
    connect(help, &QPushButton::clicked, this, &TMath_XYF::ButtonHelpClick);

    auto* left = new QVBoxLayout;
    left->addWidget(label1_);
    left->addWidget(box);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {operate, ok, next, help})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
}

int TMath_XYF::Execute(TSpreadF& window) {
    if (window.Detached()) return Rejected;
    window_ = &window;
    rules_.Show(window.GetSeries());
    ShowSeriesNumber(*label1_, QStringLiteral("Series Number  "), window.GetSeries().SeriesNumber);
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
    if (rules_.Operate(window_->GetSeries())) window_->RefreshGrid();
}

void TMath_XYF::NextBClick() {
    rules_.State.Math_XYBox = std::max(items_->checkedId(), 0);
    rules_.Next();
    accept();
}

} // namespace torvel
