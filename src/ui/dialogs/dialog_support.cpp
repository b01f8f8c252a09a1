#include "ui/dialogs/dialog_support.h"

#include "core/data_model.h"

#include <QButtonGroup>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPalette>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace torvel {

void PlaceDialog(QDialog& dialog, const QWidget* mainWindow, int inset) {
    if (!mainWindow || mainWindow == &dialog) return;
    // The frame is known once the dialog is on screen; before that its client
    // size stands for it (the dialog is placed again when shown).
    const QSize size = dialog.isVisible() ? dialog.frameGeometry().size() : dialog.size();
    const QRect main = mainWindow->frameGeometry();
    QPoint at(main.x() + main.width() - inset - size.width(),
              main.y() + main.height() - inset - size.height());
    // Never off the screen, where it could not be reached.
    QScreen* screen =
        mainWindow->screen() ? mainWindow->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect avail = screen->availableGeometry();
        at.setX(std::max(avail.left(), std::min(at.x(), avail.right() + 1 - size.width())));
        at.setY(std::max(avail.top(), std::min(at.y(), avail.bottom() + 1 - size.height())));
    }
    dialog.move(at);
}

QLabel* MakeSeriesLabel(QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("Series # 1"), parent);
    label->setObjectName(QStringLiteral("Label1"));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

void ShowSeriesNumber(QLabel& label, const QString& text, int seriesNumber) {
    label.setText(text + QString::number(seriesNumber));
    const Rgb c = SeriesColorOf(seriesNumber);
    QPalette pal = label.palette();
    pal.setColor(QPalette::WindowText, QColor(c.R, c.G, c.B));
    label.setPalette(pal);
}

QString WithAccessKey(const QString& caption) {
    QString text = caption;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i].isLetter()) return text.insert(i, QLatin1Char('&'));
    return text;
}

QString ShownText(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    return text;
}

void TabToCheckedOnly(QButtonGroup& group) {
    const QAbstractButton* checked = group.checkedButton();
    for (QAbstractButton* b : group.buttons())
        b->setFocusPolicy(!checked || b == checked ? Qt::StrongFocus : Qt::ClickFocus);
}

void KeepTabOnChecked(QButtonGroup& group) {
    QObject::connect(&group, &QButtonGroup::idToggled, &group, [&group](int, bool checked) {
        if (checked) TabToCheckedOnly(group);
    });
    TabToCheckedOnly(group);
}

QPushButton* MakeButton(QWidget* parent, const char* objectName, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

void MakeDefaultButton(QDialog& dialog, QPushButton& ok) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    ok.setDefault(true);
}

PlacedDialog::PlacedDialog(AppContext& context, const char* objectName, const QString& caption,
                           bool stayOnTop, int inset)
    : QDialog(context.MainWidget()), context_(context), inset_(inset) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(caption);
    setModal(true);
    // A title and a close box only; the hints count only with CustomizeWindowHint.
    Qt::WindowFlags flags =
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (stayOnTop) flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
}

int PlacedDialog::RunModal() {
    if (layout()) layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    PlaceDialog(*this, context_.MainWidget(), inset_);
    return exec();
}

void PlacedDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceDialog(*this, context_.MainWidget(), inset_); // the frame is known now
}

} // namespace torvel
