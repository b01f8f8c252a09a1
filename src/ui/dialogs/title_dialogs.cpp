#include "ui/dialogs/title_dialogs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace torvel {

TitleDialog::TitleDialog(AppContext& context, TitleDialogKind kind, const char* objectName)
    : PlacedDialog(context, objectName, QString(), true), rules_(context.Doc(), kind) {
    setWindowTitle(QString::fromStdString(rules_.Caption()));
    auto* boxes = new QVBoxLayout;
    for (std::size_t i = 0; i < rules_.BoxNames().size(); ++i) {
        auto* group =
            new QGroupBox(WithAccessKey(QString::fromStdString(rules_.GroupCaptions()[i])), this);
        group->setObjectName(QStringLiteral("GroupBox%1").arg(i + 1));
        auto* edit = new QLineEdit(group);
        edit->setObjectName(QString::fromStdString(rules_.BoxNames()[i]));
        edit->setMinimumWidth(360);
        auto* inner = new QVBoxLayout(group);
        inner->addWidget(edit);
        boxes->addWidget(group);
        boxes_.push_back(edit);
    }
    QPushButton* ok = MakeButton(this, "OKBtn", QStringLiteral("OK"));
    QPushButton* cancel = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
    QPushButton* help = MakeButton(this, "Button1", QStringLiteral("&Help"));
    SetDefaultButton(*ok);
    connect(ok, &QPushButton::clicked, this, &TitleDialog::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &TitleDialog::Button1Click);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(boxes, 1);
    layout->addLayout(buttons);
}

void TitleDialog::FormShow() {
    rules_.Show();
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        boxes_[i]->setText(QString::fromStdString(rules_.State.Boxes[i]));
    boxes_.front()->setFocus();
    boxes_.front()->selectAll();
}

int TitleDialog::Execute() {
    FormShow();
    return RunModal();
}

void TitleDialog::OKBtnClick() {
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        rules_.State.Boxes[i] = boxes_[i]->text().toStdString();
    rules_.OK();
    accept();
}

} // namespace torvel
