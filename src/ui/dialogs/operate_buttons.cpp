#include "ui/dialogs/operate_buttons.h"

#include "ui/dialogs/dialog_support.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace torvel {

void LayOutWithOperateButtons(QDialog& dialog, QLayout* left, OperateHandlers handlers) {
    QPushButton* operate = MakeButton(&dialog, "ButtonOperate", QStringLiteral("&Operate"));
    QPushButton* ok = MakeButton(&dialog, "ButtonOK", QStringLiteral("OK"));
    QPushButton* next = MakeButton(&dialog, "NextB", QStringLiteral("&Next"));
    QPushButton* help = MakeButton(&dialog, "ButtonHelp", QStringLiteral("&Help"));
    MakeDefaultButton(dialog, *operate);
    QObject::connect(operate, &QPushButton::clicked, &dialog, std::move(handlers.Operate));
    QObject::connect(ok, &QPushButton::clicked, &dialog, std::move(handlers.Ok));
    QObject::connect(next, &QPushButton::clicked, &dialog, std::move(handlers.Next));
    QObject::connect(help, &QPushButton::clicked, &dialog, std::move(handlers.Help));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {operate, ok, next, help})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(&dialog);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
}

} // namespace torvel
