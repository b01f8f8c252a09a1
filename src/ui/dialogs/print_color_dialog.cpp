#include "ui/dialogs/print_color_dialog.h"

#include "ui/dialogs/dialog_support.h"
#include "ui/spread_window.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace torvel {

namespace {

constexpr std::array<const char*, 5> ItemTexts = {"&Default", "&Black", "&Red", "&Green", "Bl&ue"};

} // namespace

TPrintCF::TPrintCF(AppContext& context, QWidget* parent)
    : QDialog(parent ? parent : context.MainWidget()), context_(context), rules_(context.Doc()) {
    setObjectName(QStringLiteral("PrintCF"));
    setWindowTitle(QString::fromLatin1(Caption));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    radioGroup1_ = new QGroupBox(QStringLiteral("Printer Series Color"), this);
    radioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
    items_ = new QButtonGroup(radioGroup1_);
    auto* radios = new QVBoxLayout(radioGroup1_);
    for (int i = 0; i < static_cast<int>(ItemTexts.size()); ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(ItemTexts[static_cast<std::size_t>(i)]),
                                       radioGroup1_);
        radio->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
        items_->addButton(radio, i);
        radios->addWidget(radio);
    }
    KeepTabOnChecked(*items_);
    label1_ = MakeSeriesLabel(this);

    okBtn_ = MakeButton(this, "OKBtn", QStringLiteral("OK"));
    cancelBtn_ = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
    button6_ = MakeButton(this, "Button6", QStringLiteral("&Next"));
    button1_ = MakeButton(this, "Button1", QStringLiteral("&Help"));
    connect(okBtn_, &QPushButton::clicked, this, &TPrintCF::OKBtnClick);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(button6_, &QPushButton::clicked, this, &TPrintCF::Button6Click);
    connect(button1_, &QPushButton::clicked, this, &TPrintCF::Button1Click);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {okBtn_, cancelBtn_, button6_, button1_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(radioGroup1_, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addLayout(top);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    MakeDefaultButton(*this, *okBtn_);

    setTabOrder(radioGroup1_, okBtn_);
    setTabOrder(okBtn_, cancelBtn_);
    setTabOrder(cancelBtn_, button6_);
    setTabOrder(button6_, button1_);
}

void TPrintCF::FormShow() {
    const PrintColorDialogState& s = rules_.State;
    if (QAbstractButton* b = items_->button(s.RadioGroup1)) {
        b->setChecked(true);
        b->setFocus();
    }
    label1_->setText(QString::fromStdString(s.Label1));
    QPalette pal = label1_->palette();
    pal.setColor(QPalette::WindowText,
                 QColor(s.Label1Colour.R, s.Label1Colour.G, s.Label1Colour.B));
    label1_->setPalette(pal);
    cancelBtn_->setVisible(s.CancelShown);
    cancelBtn_->setEnabled(s.CancelShown);
}

int TPrintCF::Execute(TSpreadF& window) {
    if (window.Detached()) return Rejected;
    window_ = &window;
    rules_.Show(window.GetSeries());
    FormShow();
    adjustSize();
    PlaceDialog(*this, context_.MainWidget());
    const int result = exec();
    window_ = nullptr;
    return result;
}

void TPrintCF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceDialog(*this, context_.MainWidget()); // the frame is known now
}

void TPrintCF::ReadControls() {
    rules_.State.RadioGroup1 = items_->checkedId();
}

void TPrintCF::OKBtnClick() {
    ReadControls();
    if (window_ && !window_->Detached()) rules_.OK(window_->GetSeries());
    accept();
}

void TPrintCF::Button6Click() {
    ReadControls();
    if (window_ && !window_->Detached()) rules_.Next(window_->GetSeries());
    accept();
}

void TPrintCF::Button1Click() {
    context_.ShowHelp(PrintColorHelpContext);
}

} // namespace torvel
