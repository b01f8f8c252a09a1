#include "ui/application.h"

#include <new>

namespace torvel {

const char* const TApplication::OutOfMemoryText = "Not enough memory to finish the command.";

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        if (feedback_ && !telling_) {
            telling_ = true;
            feedback_->Message(MessageKind::Error, OutOfMemoryText, MessageButtons::Ok);
            telling_ = false;
        }
        return false;
    }
}

} // namespace torvel
