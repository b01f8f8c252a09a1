#include "ui/qt_feedback.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include <algorithm>

namespace torvel {

void QtFeedback::Beep(const std::string&) {
    QApplication::beep();
}

Answer QtFeedback::Message(MessageKind kind, const std::string& text, MessageButtons buttons) {
    return Show(kind, {}, text, buttons);
}

Answer QtFeedback::Question(const std::string& title, const std::string& text,
                            MessageButtons buttons) {
    return Show(MessageKind::Confirmation, title, text, buttons);
}

Answer QtFeedback::Show(MessageKind kind, const std::string& ownTitle, const std::string& text,
                        MessageButtons buttons) {
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    QMessageBox::StandardButton def = QMessageBox::Ok;
    switch (buttons) {
    case MessageButtons::Ok:
        break;
    case MessageButtons::YesCancel:
        set = QMessageBox::Yes | QMessageBox::Cancel;
        def = QMessageBox::Yes;
        break;
    case MessageButtons::YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        def = QMessageBox::Yes;
        break;
    case MessageButtons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        def = QMessageBox::Yes;
        break;
    }
    QMessageBox::Icon icon = QMessageBox::Warning;
    QString title = QStringLiteral("Warning");
    switch (kind) {
    case MessageKind::Warning:
        break;
    case MessageKind::Error:
        icon = QMessageBox::Critical;
        title = QStringLiteral("Error");
        break;
    case MessageKind::Information:
        icon = QMessageBox::Information;
        title = QStringLiteral("Information");
        break;
    case MessageKind::Confirmation:
        icon = QMessageBox::Question;
        title = QStringLiteral("Confirm");
        break;
    }
    if (!ownTitle.empty()) title = QString::fromStdString(ownTitle);
    // Message texts double an ampersand that is meant as one ("Save && Exit"),
    // as the labels of menus and dialogs do.
    QString shown = QString::fromLocal8Bit(text.c_str());
    shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
    QMessageBox box(icon, title, shown, set, parent_);
    box.setObjectName(QStringLiteral("MessageBox"));
    // A short text ("Math Error") makes a box too narrow for its own title
    // bar, where the window manager's icon and buttons leave the title "E… r".
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        QFont bold = box.font();
        bold.setBold(true);
        const int width = std::max(MinimumMessageWidth,
                                   QFontMetrics(bold).horizontalAdvance(title) + TitleBarControls);
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.setDefaultButton(def);
    // Within long work the wait cursor is up; a question still wants the pointer.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int clicked = box.exec();
    QApplication::restoreOverrideCursor();
    switch (clicked) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

} // namespace torvel
