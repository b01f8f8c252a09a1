// The warning beep and modal message boxes, as the engine sees them. The Qt
// program beeps and shows QMessageBox; tests record and script the answers.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace torvel {

enum class MessageKind { Warning, Error, Information, Confirmation };
enum class MessageButtons { Ok, YesCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

class Feedback {
  public:
    virtual ~Feedback() = default;
    // The warning beep that refuses an input. The reason (what was wrong, in a
    // few words) is also shown for a few seconds, for a user without sound.
    // Every implementation gives the reason the same empty default.
    virtual void Beep(const std::string& reason = {}) = 0;
    virtual Answer Message(MessageKind kind, const std::string& text, MessageButtons buttons) = 0;
    // A new choice of the user's: the reason of an earlier beep, if still
    // shown, no longer applies and goes away.
    virtual void ForgetReason() {}
    // A question under a title of its own ("Recover Unsaved Work"); where no
    // title can be shown, the plain confirmation.
    virtual Answer Question(const std::string& title, const std::string& text,
                            MessageButtons buttons) {
        (void)title;
        return Message(MessageKind::Confirmation, text, buttons);
    }
};

// Counts beeps, keeps every message and answers from a script. With the script
// exhausted it answers Ok for an OK box and Cancel otherwise (the safe answer).
class RecordingFeedback : public Feedback {
  public:
    struct Shown {
        MessageKind Kind;
        std::string Text;
        MessageButtons Buttons;
    };

    void Beep(const std::string& reason = {}) override {
        ++Beeps;
        BeepReasons.push_back(reason);
    }
    Answer Message(MessageKind kind, const std::string& text, MessageButtons buttons) override {
        Messages.push_back({kind, text, buttons});
        if (!Script.empty()) {
            Answer a = Script.front();
            Script.pop_front();
            return a;
        }
        return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
    }

    int Beeps = 0;
    std::vector<std::string> BeepReasons; // one per beep, in order
    std::vector<Shown> Messages;
    std::deque<Answer> Script;
};

// Beeps and messages go nowhere: for batch tools and benchmarks.
class SilentFeedback : public Feedback {
  public:
    void Beep(const std::string& = {}) override {}
    Answer Message(MessageKind, const std::string&, MessageButtons buttons) override {
        return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Yes;
    }
};

// The texts the program uses in several places.
inline std::string SeriesLimitText(int limit) {
    return "Sorry the number of series is LIMITED to " + std::to_string(limit) + ".";
}
inline std::string TextLimitText(int limit) {
    return "Sorry the number of Text files is LIMITED to " + std::to_string(limit) + ".";
}
inline std::string IncompatibleFormatText(const std::string& path) {
    return "The file " + path + " has an incompatible format.";
}
inline constexpr const char* DataLossQuestion = "Possible data loss. Continue?";
inline constexpr const char* SaveGraphFirstQuestion =
    "Possible data loss. Save existing graph file first?";

} // namespace torvel
