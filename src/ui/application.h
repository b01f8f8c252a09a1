// The program's application object. Every command catches running out of
// memory where it starts; this is the net under them all: an event handler that
// still runs out of memory ends there with a message, and the program goes on
// instead of aborting with every unsaved series.
#pragma once

#include "core/feedback.h"

#include <QApplication>

namespace torvel {

class TApplication : public QApplication {
  public:
    TApplication(int& argc, char** argv);

    // Where the message goes (the main window's); none: the event ends silently.
    void SetFeedback(Feedback* feedback) { feedback_ = feedback; }

    bool notify(QObject* receiver, QEvent* event) override;

    // "Not enough memory to finish the command."
    static const char* const OutOfMemoryText;

  private:
    Feedback* feedback_ = nullptr;
    bool telling_ = false; // the message box's own events must not tell again
};

} // namespace torvel
