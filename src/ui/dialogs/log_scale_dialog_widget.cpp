#include "ui/dialogs/log_scale_dialog_widget.h"

#include "ui/dialogs/dialog_support.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <initializer_list>

namespace torvel {

namespace {

QButtonGroup* RadioGroup(QGroupBox* box, std::initializer_list<const char*> items,
                         QList<QWidget*>& order) {
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    int i = 0;
    for (const char* item : items) {
        auto* radio = new QRadioButton(QString::fromLatin1(item), box);
        radio->setObjectName(box->objectName() + QStringLiteral("Item") + QString::number(i));
        group->addButton(radio, i++);
        layout->addWidget(radio);
        order << radio;
    }
    layout->addStretch(1);
    return group;
}

void Check(QButtonGroup* group, int id) {
    // The rules chose this item themselves; it is no new choice.
    const QSignalBlocker block(group);
    if (QAbstractButton* item = group->button(id)) item->setChecked(true);
    TabToCheckedOnly(*group);
}

} // namespace

TLogScaleF::TLogScaleF(AppContext& context, RedrawHooks redraw, QWidget* parent)
    : QDialog(parent ? parent : context.MainWidget()), context_(context),
      rules_(context.Doc().Settings, std::move(redraw)) {
    setObjectName(QStringLiteral("LogScaleF"));
    setWindowTitle(QStringLiteral("Log Scale  Dialog"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);

    QList<QWidget*> order;
    auto* logGroup = new QGroupBox(QStringLiteral("&Log Scale"), this);
    logGroup->setObjectName(QStringLiteral("LogBox"));
    logBox_ = RadioGroup(logGroup, {"&X", "&Y", "&Both", "&None"}, order);
    auto* formatGroup = new QGroupBox(QStringLiteral("&Format Log Scale"), this);
    formatGroup->setObjectName(QStringLiteral("FormatBox"));
    formatBox_ = RadioGroup(formatGroup, {"&Exponential", "&Decimal"}, order);

    QPushButton* okBtn = MakeButton(this, "OKBtn", QStringLiteral("OK"));
    cancelBtn_ = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
    QPushButton* button1 = MakeButton(this, "Button1", QStringLiteral("&Help"));
    order << okBtn << cancelBtn_ << button1;

    auto* groups = new QHBoxLayout;
    groups->addWidget(logGroup);
    groups->addWidget(formatGroup, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okBtn);
    buttons->addWidget(cancelBtn_);
    buttons->addStretch(1);
    buttons->addWidget(button1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    MakeDefaultButton(*this, *okBtn);

    connect(okBtn, &QPushButton::clicked, this, &TLogScaleF::OKBtnClick);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(button1, &QPushButton::clicked, this, &TLogScaleF::Button1Click);
    // Only a new choice counts, and one passed on the way by the arrow keys is none.
    new SettledChoice(*logBox_, [this](int id) {
        if (id != rules_.State.LogBox) LogBoxClick(id);
    });
    new SettledChoice(*formatBox_, [this](int id) {
        if (id != rules_.State.FormatBox) FormatBoxClick(id);
    });
}

void TLogScaleF::ShowState() {
    const LogScaleDialogState& s = rules_.State;
    Check(logBox_, s.LogBox);
    Check(formatBox_, s.FormatBox);
    cancelBtn_->setVisible(s.CancelShown);
    cancelBtn_->setEnabled(s.CancelShown);
}

void TLogScaleF::FormShow() {
    rules_.Show();
    ShowState();
    if (QAbstractButton* item = logBox_->button(rules_.State.LogBox)) item->setFocus();
}

int TLogScaleF::Execute() {
    FormShow();
    PlaceDialog(*this, context_.MainWidget());
    return exec();
}

void TLogScaleF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceDialog(*this, context_.MainWidget()); // the frame is known now
}

void TLogScaleF::keyPressEvent(QKeyEvent* event) {
    // Escape is "Cancel", which is out of use once a choice has been applied.
    if (event->key() == Qt::Key_Escape && !cancelBtn_->isEnabled()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TLogScaleF::LogBoxClick(int choice) {
    rules_.State.LogBox = choice;
    rules_.LogBoxChanged();
    ShowState();
}

void TLogScaleF::FormatBoxClick(int choice) {
    rules_.State.FormatBox = choice;
    rules_.FormatBoxChanged();
    ShowState();
}

void TLogScaleF::OKBtnClick() {
    rules_.State.LogBox = logBox_->checkedId();
    rules_.State.FormatBox = formatBox_->checkedId();
    rules_.OK();
    accept();
}

void TLogScaleF::Button1Click() {
    context_.ShowHelp(LogScaleHelpContext);
}

} // namespace torvel
