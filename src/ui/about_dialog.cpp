#include "ui/about_dialog.h"

#include "ui/shell_icons.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace torvel {

TAboutF::TAboutF(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                              Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint),
      main_(mainWindow) {
    setObjectName(QStringLiteral("AboutF"));
    setWindowTitle(QStringLiteral("About Torvel Graphics"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(255, 255, 0));
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(10);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(ProgramPicture(160));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);

    auto* name = new QLabel(QStringLiteral("TORVEL GRAPHICS"), this);
    name->setObjectName(QStringLiteral("Label2"));
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.8);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);

    auto* version = new QLabel(QStringLiteral("(32-bit) Version 2.07"), this);
    version->setObjectName(QStringLiteral("Label1"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    QPalette buttonPal = ok->palette();
    buttonPal.setColor(QPalette::ButtonText, Qt::black);
    ok->setPalette(buttonPal);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the main window.
    if (main_) {
        const QRect m = main_->frameGeometry();
        move(m.left() + (m.width() - frameGeometry().width()) / 2,
             m.top() + (m.height() - frameGeometry().height()) / 2);
    }
}

} // namespace torvel
