#include "ui/qt_feedback.h"

#include <QApplication>
#include <QMessageBox>

namespace torvel {

void QtFeedback::Beep(const std::string&) {
    QApplication::beep();
}

Answer QtFeedback::Message(MessageKind kind, const std::string& text, MessageButtons buttons) {
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
    // Message texts double an ampersand that is meant as one ("Save && Exit"),
    // as the labels of menus and dialogs do.
    QString shown = QString::fromLocal8Bit(text.c_str());
    shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
    QMessageBox box(icon, title, shown, set, parent_);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setDefaultButton(def);
    switch (box.exec()) {
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
