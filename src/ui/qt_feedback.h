// Feedback through the platform: the warning beep and modal message boxes.
#pragma once

#include "core/feedback.h"

class QWidget;

namespace torvel {

class QtFeedback : public Feedback {
  public:
    explicit QtFeedback(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Beep() override;
    Answer Message(MessageKind kind, const std::string& text, MessageButtons buttons) override;

  private:
    QWidget* parent_;
};

} // namespace torvel
