#include "ui/preferences_dialog.h"

#include "ui/dialogs/dialog_support.h"

#include <QButtonGroup>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace torvel {

namespace {

// keys: each item's access key, a letter of its caption.
QButtonGroup* AddItems(QGroupBox* box, const char* const* items, int count, const char* keys) {
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < count; ++i) {
        auto* radio = new QRadioButton(
            WithAccessKey(QString::fromLatin1(items[i]), QLatin1Char(keys[i])), box);
        radio->setObjectName(box->objectName() + QStringLiteral("Item") + QString::number(i));
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    layout->addStretch(1);
    return group;
}

} // namespace

TPreferF::TPreferF(AppContext& context, std::string cfgPath, QWidget* parent)
    : QDialog(parent ? parent : context.MainWidget()), context_(context),
      cfgPath_(std::move(cfgPath)) {
    setObjectName(QStringLiteral("PreferF"));
    setWindowTitle(QString::fromLatin1(PreferencesCaption));
    setModal(true);
    // A title and a close box only; the hints count only with CustomizeWindowHint.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    sizeGroup_ = new QGroupBox(QString::fromLatin1(PreferencesSizeGroup), this);
    sizeGroup_->setObjectName(QStringLiteral("GroupBox1"));
    maxLenth1_ = new QLineEdit(sizeGroup_);
    maxLenth1_->setObjectName(QStringLiteral("MaxLenth1"));
    barWidth1_ = new QLineEdit(sizeGroup_);
    barWidth1_->setObjectName(QStringLiteral("BarWidth1"));
    for (QLineEdit* box : {maxLenth1_, barWidth1_})
        box->setMaxLength(12);
    // Alt+letter reaches every box and choice: M, B, G, F and the items' own.
    auto* maxLabel = new QLabel(WithAccessKey(QString::fromLatin1(MaxDataIndexLabel)), sizeGroup_);
    maxLabel->setObjectName(QStringLiteral("Label1"));
    maxLabel->setBuddy(maxLenth1_);
    auto* barLabel = new QLabel(WithAccessKey(QString::fromLatin1(BarWidthLabel)), sizeGroup_);
    barLabel->setObjectName(QStringLiteral("Label2"));
    barLabel->setBuddy(barWidth1_);
    auto* sizeLayout = new QGridLayout(sizeGroup_);
    sizeLayout->addWidget(maxLabel, 0, 0);
    sizeLayout->addWidget(maxLenth1_, 0, 1);
    sizeLayout->addWidget(barLabel, 1, 0);
    sizeLayout->addWidget(barWidth1_, 1, 1);
    sizeLayout->setColumnStretch(0, 1);

    radioGroup1_ =
        new QGroupBox(WithAccessKey(QString::fromLatin1(GridColorGroup), QLatin1Char('G')), this);
    radioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
    gridItems_ = AddItems(radioGroup1_, GridColorItems.data(), int(GridColorItems.size()), "DLko");
    radioGroup2_ =
        new QGroupBox(WithAccessKey(QString::fromLatin1(FontSizeGroup), QLatin1Char('F')), this);
    radioGroup2_->setObjectName(QStringLiteral("RadioGroup2"));
    fontItems_ = AddItems(radioGroup2_, FontSizeItems.data(), int(FontSizeItems.size()), "er");

    okBtn_ = new QPushButton(QStringLiteral("OK"), this);
    okBtn_->setObjectName(QStringLiteral("OKBtn"));
    okBtn_->setDefault(true);
    cancelBtn_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelBtn_->setObjectName(QStringLiteral("CancelBtn"));
    button1_ = new QPushButton(QStringLiteral("&Help"), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setAutoDefault(false);
    connect(okBtn_, &QPushButton::clicked, this, &TPreferF::OKBtnClick);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(button1_, &QPushButton::clicked, this, &TPreferF::Button1Click);

    auto* radios = new QHBoxLayout;
    radios->addWidget(radioGroup1_, 1);
    radios->addWidget(radioGroup2_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okBtn_);
    buttons->addWidget(cancelBtn_);
    buttons->addWidget(button1_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sizeGroup_);
    layout->addLayout(radios);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TPreferF::FormShow() {
    shown_ = ShowPreferences(context_.Doc().Prefs);
    maxLenth1_->setText(QString::fromStdString(shown_.MaxLenth1));
    barWidth1_->setText(QString::fromStdString(shown_.BarWidth1));
    if (QAbstractButton* b = gridItems_->button(shown_.RadioGroup1)) b->setChecked(true);
    if (QAbstractButton* b = fontItems_->button(shown_.RadioGroup2)) b->setChecked(true);
    maxLenth1_->setFocus();
    maxLenth1_->selectAll();
}

void TPreferF::PlaceInsideMain() {
    // Bottom-right corner 30 pixels inside the main window's, frames included.
    PlaceDialog(*this, context_.MainWidget(), 30);
}

int TPreferF::Execute() {
    FormShow();
    adjustSize();
    PlaceInsideMain();
    return exec();
}

void TPreferF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceInsideMain(); // the frame is known now
}

PreferencesDialogState TPreferF::ReadControls() const {
    PreferencesDialogState state = shown_;
    state.MaxLenth1 = maxLenth1_->text().toStdString();
    state.BarWidth1 = barWidth1_->text().toStdString();
    state.RadioGroup1 = gridItems_->checkedId();
    state.RadioGroup2 = fontItems_->checkedId();
    return state;
}

void TPreferF::OKBtnClick() {
    applied_ = ApplyPreferences(ReadControls(), context_.Doc().Prefs, context_.Fb(), cfgPath_);
    accept();
}

void TPreferF::Button1Click() {
    context_.ShowHelp(PreferencesHelpContext);
}

} // namespace torvel
