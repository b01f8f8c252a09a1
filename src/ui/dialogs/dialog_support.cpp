#include "ui/dialogs/dialog_support.h"

#include "core/data_model.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace torvel {

void PlaceDialog(QDialog& dialog, const QWidget* mainWindow, int inset) {
    if (!mainWindow) return;
    dialog.adjustSize();
    // The frame is known only once the dialog has been shown; before that,
    // its client size stands for it.
    const QSize size = dialog.isVisible() ? dialog.frameGeometry().size() : dialog.size();
    const QRect main = mainWindow->frameGeometry();
    QPoint topLeft =
        main.bottomRight() - QPoint(inset, inset) - QPoint(size.width() - 1, size.height() - 1);
    if (QScreen* screen =
            mainWindow->screen() ? mainWindow->screen() : QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), avail.left(),
                                std::max(avail.left(), avail.right() - size.width() + 1)));
        topLeft.setY(std::clamp(topLeft.y(), avail.top(),
                                std::max(avail.top(), avail.bottom() - size.height() + 1)));
    }
    dialog.move(topLeft);
}

void ShowSeriesNumber(QLabel& label, const QString& text, int seriesNumber) {
    label.setText(text + QString::number(seriesNumber));
    const Rgb c = SeriesColorOf(seriesNumber);
    QPalette pal = label.palette();
    pal.setColor(QPalette::WindowText, QColor(c.R, c.G, c.B));
    label.setPalette(pal);
}

void MakeDefaultButton(QDialog& dialog, QPushButton& ok) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    ok.setDefault(true);
}

QPushButton* MakeButton(QWidget* parent, const char* objectName, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

} // namespace torvel
