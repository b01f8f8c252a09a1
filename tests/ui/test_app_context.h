// An AppContext for widget tests: a real Document, a RecordingFeedback that
// counts beeps and answers from a script, and counters for redraws and help.
#pragma once

#include "ui/app_context.h"

#include <QWidget>

#include <vector>

namespace torvel::test {

class TestAppContext : public AppContext {
  public:
    TestAppContext() { main_.resize(800, 600); }

    Document& Doc() override { return doc; }
    Feedback& Fb() override { return feedback; }
    QWidget* MainWidget() override { return &main_; }
    void RedrawGraph() override { ++redraws; }
    void ShowHelp(int context) override { helpContexts.push_back(context); }

    Document doc;
    RecordingFeedback feedback;
    int redraws = 0;
    std::vector<int> helpContexts;

  private:
    QWidget main_;
};

} // namespace torvel::test
