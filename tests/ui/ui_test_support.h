// What the widget tests share: an AppContext that records, a main window on a
// temporary folder, answering modal dialogs, files and menus.
#pragma once

#include "core/grid_store.h"
#include "core/number_text.h"
#include "core/out_of_memory.h"
#include "ui/app_context.h"
#include "ui/graph_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/printing.h"
#include "ui/series_table_model.h"
#include "ui/spread_window.h"
#include "ui/text_window.h"

#include <QPrinter>
#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <deque>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// Failures show texts, not the bytes of their characters.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '{' << texts.join(QStringLiteral(", ")).toStdString() << '}';
}

namespace torvel::test {

// A real Document, a RecordingFeedback that counts beeps and answers from a
// script, and counters for redraws and help.
class TestAppContext : public AppContext {
  public:
    TestAppContext() { main_.resize(800, 600); }

    Document& Doc() override { return doc; }
    Feedback& Fb() override { return feedback; }
    QWidget* MainWidget() override { return &main_; }
    void RedrawGraph() override { ++redraws; }
    void ShowHelp(int context) override { helpContexts.push_back(context); }
    ProgramPrinter& Printing() override { return printer; }

    Document doc;
    ProgramPrinter printer;
    RecordingFeedback feedback;
    int redraws = 0;
    std::vector<int> helpContexts;

  private:
    QWidget main_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void WriteAll(const QString& path, const std::string& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

// The captions of a menu's entries (separators left out); "-" marks a disabled one.
inline QStringList MenuTexts(const QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) texts << (a->isEnabled() ? a->text() : a->text() + "-");
    return texts;
}

// A file of the source tree, relative to this folder.
inline QString SourceFile(const QString& relative) {
    return QFileInfo(QDir(QStringLiteral(TORVEL_UI_TEST_DIR)).filePath(relative))
        .absoluteFilePath();
}

// Lets queued work (deferred deletion, queued redraws, start-up loading) run.
inline void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// Shows a window and, under a window manager, waits until it has framed it:
// the dialogs measure the main window with its frame.
inline void ShowFramed(QWidget& window) {
    window.show();
    if (QGuiApplication::platformName() == QStringLiteral("offscreen")) return;
    (void)QTest::qWaitForWindowExposed(&window);
    QTest::qWait(500);
}

// The gap between the bottom-right corners of a dialog and the main window,
// frames included, once a window manager has framed the dialog (it may place
// it again then): waits up to two seconds for the expected gap.
inline QPoint CornerGap(QWidget& dialog, const QWidget& main, QPoint expected) {
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
        // A window manager frames a window a moment after it is shown.
        (void)QTest::qWaitForWindowExposed(&dialog);
        QTest::qWait(500);
    }
    auto gap = [&] {
        return main.frameGeometry().bottomRight() - dialog.frameGeometry().bottomRight();
    };
    (void)QTest::qWaitFor([&] { return gap() == expected; }, 2000);
    return gap();
}

// A main window whose start-up file lives in a temporary folder.
struct Shell {
    // recording: answers come from feedback.Script; otherwise real message boxes.
    explicit Shell(bool recording = true, QString commandLine = {}) : recording_(recording) {
        Restart(std::move(commandLine));
    }
    // Reopens the main window on the same folder, as the next start does.
    void Restart(QString commandLine = {}) {
        main.reset();
        TMDIMainF::Options o;
        o.StartupFile = dir.filePath(QStringLiteral("torvel-graphics.fig"));
        o.HelpFile = SourceFile(QStringLiteral("../../docs/help/index.html"));
        o.CommandLineFile = std::move(commandLine);
        if (recording_) o.FeedbackOverride = &feedback;
        o.UrlOpener = [this](const QUrl& url) { opened.push_back(url); };
        main = std::make_unique<TMDIMainF>(std::move(o));
    }
    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    RecordingFeedback feedback;
    std::vector<QUrl> opened;
    std::unique_ptr<TMDIMainF> main;

  private:
    bool recording_;
};

// A main window, shown, with the series of the given numbers (the others up
// to the highest made and removed again), their data windows and the graph window.
struct GraphShell : Shell {
    explicit GraphShell(std::initializer_list<int> numbers = {1}) {
        main->resize(1200, 800);
        main->show();
        const int last = std::max(numbers);
        for (int i = 0; i < last; ++i)
            main->NewData1Click();
        for (int n = 1; n <= last; ++n)
            if (std::find(numbers.begin(), numbers.end(), n) == numbers.end())
                main->Doc().DestroySeries(*main->Doc().FindSeries(n));
        Settle();
        graph = main->EnsureGraphWindow();
        Settle();
    }
    TSpreadF* WindowOf(int n) {
        return qobject_cast<TSpreadF*>(main->DataWindowOf(*main->Doc().FindSeries(n)));
    }
    TGraphF* graph = nullptr;
};

// A named child of a window or dialog, which must be there.
template <class T = QWidget> T* Child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}
inline void Click(QWidget* parent, const char* button) {
    if (auto* b = Child<QAbstractButton>(parent, button)) b->click();
}
// A button clicked with the mouse, as a user can click only a visible one.
inline void MouseClick(QWidget* parent, const char* button) {
    auto* b = Child<QAbstractButton>(parent, button);
    ASSERT_TRUE(b && b->isVisible()) << button;
    QTest::mouseClick(b, Qt::LeftButton);
}
// Typing into a box as a user does: its text selected and deleted first.
inline void Type(QWidget* parent, const char* box, const char* text) {
    auto* b = Child<QLineEdit>(parent, box);
    ASSERT_NE(b, nullptr) << box;
    b->setFocus();
    b->selectAll();
    QTest::keyClick(b, Qt::Key_Delete);
    QTest::keyClicks(b, text);
}
// Item `item` of a radio group, clicked on its circle, where a user clicks;
// whether it is checked then.
inline bool Choose(QWidget* parent, const char* group, int item) {
    const QByteArray name =
        (QString::fromLatin1(group) + "Item" + QString::number(item)).toLatin1();
    auto* radio = Child<QAbstractButton>(parent, name.constData());
    if (!radio) return false;
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
    return radio->isChecked();
}
inline void SetText(QWidget* parent, const char* box, const char* text) {
    if (auto* b = Child<QLineEdit>(parent, box)) b->setText(QString::fromUtf8(text));
}

// Answers the next modal dialog once it is up: `act` gets the dialog.
inline void WhenModal(std::function<void(QWidget*)> act, int tries = 200) {
    QTimer::singleShot(0, [act = std::move(act), tries] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) {
            // Not up yet: look again on the next turns, but never haunt later tests.
            if (tries > 0) WhenModal(act, tries - 1);
            return;
        }
        act(w);
    });
}

// A new data window of the shell holding rows (X text, Y text), the first at the top.
inline TSpreadF* NewDataWindow(Shell& s,
                               std::initializer_list<std::pair<const char*, const char*>> rows) {
    s.main->NewData1Click();
    Series& series = *s.main->Doc().DataWindows().back();
    int r = 1;
    for (const auto& [x, y] : rows) {
        series.SetCell(XColumn, r, x);
        series.SetCell(YColumn, r, y);
        ++r;
    }
    auto* w = qobject_cast<TSpreadF*>(s.main->DataWindowOf(series));
    w->RefreshGrid();
    return w;
}

using Texts = std::vector<std::string>;
// The texts of the messages shown so far, in order.
inline Texts Told(const RecordingFeedback& feedback) {
    Texts texts;
    for (const auto& m : feedback.Messages)
        texts.push_back(m.Text);
    return texts;
}
// Triggers a window's menu entry, which must exist and be enabled.
inline void Trigger(QWidget* window, const char* action) {
    QAction* a = window->findChild<QAction*>(QString::fromLatin1(action));
    ASSERT_NE(a, nullptr) << action;
    ASSERT_TRUE(a->isEnabled()) << action;
    a->trigger();
}

// The text a data window shows in a cell (row from 1).
inline QString Shown(TSpreadF* w, int row, int col) {
    return w->Model()->index(row - 1, col).data().toString();
}

} // namespace torvel::test
