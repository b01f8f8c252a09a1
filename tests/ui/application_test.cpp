// The net under every command: an event handler that still runs out of memory
// ends there with a message, and later events are handled as ever.
#include "ui/application.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <new>

using namespace torvel;

TEST(Application, AnEventHandlerThatRunsOutOfMemoryEndsWithAMessage) {
    auto* app = dynamic_cast<TApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    RecordingFeedback fb;
    app->SetFeedback(&fb);
    // A click whose command runs out of memory the first time only.
    QPushButton button(QStringLiteral("Command"));
    button.show();
    int runs = 0;
    QObject::connect(&button, &QPushButton::clicked, [&runs] {
        if (++runs == 1) throw std::bad_alloc();
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_EQ(fb.Messages.size(), 1u);
    EXPECT_EQ(fb.Messages[0].Text, "Not enough memory to finish the command.");
    EXPECT_EQ(fb.Messages[0].Kind, MessageKind::Error);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(fb.Messages.size(), 1u);
    app->SetFeedback(nullptr);
}
