// Helpers of the main and graph window tests: a main window on a temporary
// folder, and a zero-delay timer that answers the next modal dialog.
#pragma once

#include "ui/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

namespace torvel::test {

// The help page of the source tree.
inline QString SourceHelpFile() {
    QDir dir = QFileInfo(QStringLiteral(__FILE__)).absoluteDir();
    return QFileInfo(dir.filePath(QStringLiteral("../../docs/help/index.html"))).absoluteFilePath();
}

inline QString SourceExample(const QString& name) {
    QDir dir = QFileInfo(QStringLiteral(__FILE__)).absoluteDir();
    return QFileInfo(dir.filePath(QStringLiteral("../../examples/") + name)).absoluteFilePath();
}

// Lets queued work (deferred deletion, queued redraws, start-up loading) run.
inline void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

struct Shell {
    explicit Shell(bool recording = true, QString commandLine = {}) {
        TMDIMainF::Options o;
        o.StartupFile = dir.filePath(QStringLiteral("torvel-graphics.fig"));
        o.HelpFile = SourceHelpFile();
        o.CommandLineFile = std::move(commandLine);
        if (recording) o.FeedbackOverride = &feedback;
        o.UrlOpener = [this](const QUrl& url) { opened.push_back(url); };
        main = std::make_unique<TMDIMainF>(std::move(o));
    }
    // Reopens the main window on the same folder, as the next start does.
    void Restart(QString commandLine = {}) {
        main.reset();
        TMDIMainF::Options o;
        o.StartupFile = dir.filePath(QStringLiteral("torvel-graphics.fig"));
        o.HelpFile = SourceHelpFile();
        o.CommandLineFile = std::move(commandLine);
        o.FeedbackOverride = &feedback;
        o.UrlOpener = [this](const QUrl& url) { opened.push_back(url); };
        main = std::make_unique<TMDIMainF>(std::move(o));
    }
    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    RecordingFeedback feedback;
    std::vector<QUrl> opened;
    std::unique_ptr<TMDIMainF> main;
};

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

// Answers the next message box with a button; keeps its text.
inline void AnswerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr) {
    WhenModal([button, text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box) return;
        if (text) *text = box->text();
        box->button(button)->click();
    });
}

} // namespace torvel::test
