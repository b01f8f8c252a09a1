// What every window and dialog needs from the main window, without knowing it:
// the document, feedback, the redraw rule, help, and the window lists' limits.
#pragma once

#include "core/document.h"
#include "core/feedback.h"

class QWidget;

namespace torvel {

class ProgramPrinter;

class AppContext {
  public:
    virtual ~AppContext() = default;
    virtual Document& Doc() = 0;
    virtual Feedback& Fb() = 0;
    // The main window, as parent of dialogs and message boxes.
    virtual QWidget* MainWidget() = 0;
    // Every change of data or settings ends here: redraws the graph window if it exists.
    virtual void RedrawGraph() = 0;
    // Opens the help at the section of a context number.
    virtual void ShowHelp(int context) = 0;
    // The program's printer, whose setup lasts for the session.
    virtual ProgramPrinter& Printing() = 0;
};

} // namespace torvel
