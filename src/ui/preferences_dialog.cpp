#include "ui/preferences_dialog.h"

#include <QButtonGroup>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace torvel {

namespace {

QButtonGroup* AddItems(QGroupBox* box, const char* const* items, int count) {
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < count; ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(items[i]), box);
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
    auto* maxLabel = new QLabel(QString::fromLatin1(MaxDataIndexLabel), sizeGroup_);
    maxLabel->setObjectName(QStringLiteral("Label1"));
    auto* barLabel = new QLabel(QString::fromLatin1(BarWidthLabel), sizeGroup_);
    barLabel->setObjectName(QStringLiteral("Label2"));
    auto* sizeLayout = new QGridLayout(sizeGroup_);
    sizeLayout->addWidget(maxLabel, 0, 0);
    sizeLayout->addWidget(maxLenth1_, 0, 1);
    sizeLayout->addWidget(barLabel, 1, 0);
    sizeLayout->addWidget(barWidth1_, 1, 1);
    sizeLayout->setColumnStretch(0, 1);

    radioGroup1_ = new QGroupBox(QString::fromLatin1(GridColorGroup), this);
    radioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
    gridItems_ = AddItems(radioGroup1_, GridColorItems.data(), int(GridColorItems.size()));
    radioGroup2_ = new QGroupBox(QString::fromLatin1(FontSizeGroup), this);
    radioGroup2_->setObjectName(QStringLiteral("RadioGroup2"));
    fontItems_ = AddItems(radioGroup2_, FontSizeItems.data(), int(FontSizeItems.size()));

    okBtn_ = new QPushButton(QStringLiteral("OK"), this);
    okBtn_->setObjectName(QStringLiteral("OKBtn"));
    okBtn_->setDefault(true);
    cancelBtn_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelBtn_->setObjectName(QStringLiteral("CancelBtn"));
    button1_ = new QPushButton(QStringLiteral("Help"), this);
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
    QWidget* main = context_.MainWidget();
    if (!main || main == this) return;
    // Bottom-right corner 30 pixels inside the main window's, frames included.
    const QRect m = main->frameGeometry();
    const QRect own = frameGeometry();
    QPoint at(m.x() + m.width() - own.width() - 30, m.y() + m.height() - own.height() - 30);
    // Never off the screen, where it could not be reached.
    if (const QScreen* screen = main->screen()) {
        const QRect avail = screen->availableGeometry();
        at.setX(std::max(avail.left(), std::min(at.x(), avail.right() - own.width())));
        at.setY(std::max(avail.top(), std::min(at.y(), avail.bottom() - own.height())));
    }
    move(at);
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
