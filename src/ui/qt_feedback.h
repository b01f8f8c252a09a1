// Feedback through the platform: the warning beep and modal message boxes.
#pragma once

#include "core/feedback.h"

#include <functional>
#include <string>

class QWidget;

namespace torvel {

class QtFeedback : public Feedback {
  public:
    // A message box is at least this wide, and as wide as its title with the
    // window manager's icon and buttons beside it.
    static constexpr int MinimumMessageWidth = 260;
    static constexpr int TitleBarControls = 180;

    explicit QtFeedback(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Beep(const std::string& reason = {}) override;
    Answer Message(MessageKind kind, const std::string& text, MessageButtons buttons) override;
    Answer Question(const std::string& title, const std::string& text,
                    MessageButtons buttons) override;

  private:
    Answer Show(MessageKind kind, const std::string& title, const std::string& text,
                MessageButtons buttons);
    QWidget* parent_;
};

// Passes everything on to another feedback and shows each beep's reason for a
// few seconds (the main window's status bar).
class ReasonShowingFeedback : public Feedback {
  public:
    ReasonShowingFeedback(Feedback& inner, std::function<void(const std::string&)> show)
        : inner_(inner), show_(std::move(show)) {}
    void Beep(const std::string& reason = {}) override {
        inner_.Beep(reason);
        if (!reason.empty() && show_) show_(reason);
    }
    Answer Message(MessageKind kind, const std::string& text, MessageButtons buttons) override {
        return inner_.Message(kind, text, buttons);
    }
    void ForgetReason() override {
        inner_.ForgetReason();
        if (show_) show_({});
    }
    Answer Question(const std::string& title, const std::string& text,
                    MessageButtons buttons) override {
        return inner_.Question(title, text, buttons);
    }

  private:
    Feedback& inner_;
    std::function<void(const std::string&)> show_;
};

} // namespace torvel
