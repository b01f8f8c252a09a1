// The net under every command: an event handler that still runs out of memory
// ends there with a message, and later events are handled as ever.
#include "ui/application.h"
#include "ui_test_support.h"

#include <new>

using namespace torvel;
using namespace torvel::test;

namespace {

// Runs out of memory on its first event only. The event lives on the stack,
// so nothing Qt allocated is left behind by the throw.
class FailingOnce : public QObject {
  public:
    int runs = 0;
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        if (++runs == 1) throw std::bad_alloc();
        return true;
    }
};

} // namespace

TEST(Application, AnEventHandlerThatRunsOutOfMemoryEndsWithAMessage) {
    auto* app = dynamic_cast<TApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    RecordingFeedback fb;
    app->SetFeedback(&fb);
    FailingOnce command;
    QEvent first(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&command, &first));
    ASSERT_EQ(Told(fb), Texts{"Not enough memory to finish the command."});
    EXPECT_EQ(fb.Messages[0].Kind, MessageKind::Error);
    QEvent second(QEvent::User);
    EXPECT_TRUE(QCoreApplication::sendEvent(&command, &second));
    EXPECT_EQ(command.runs, 2);
    EXPECT_EQ(fb.Messages.size(), 1u);
    app->SetFeedback(nullptr);
}
