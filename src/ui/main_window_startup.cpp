// Start-up and exit: the start-up file, the first graph, the close question
// and the preferences.
#include "ui/main_window.h"

#include "core/work_pulse.h"

#include "files/messages.h"
#include "files/startup_file.h"
#include "ui/preferences_dialog.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <iostream>

namespace torvel {

namespace {

const char* const CloseQuestion =
    "Save && Exit [YES] -- No Save && Exit [NO] -- Cancel Exit [CANCEL]";

} // namespace

void TMDIMainF::Options1Click() {
    TPreferF dialog(*this, PreferencesFile().toStdString(), this);
    dialog.Execute();
    RedrawGraph();
}

QString TMDIMainF::PreferencesFile() const {
    if (options_.StartupFile.isEmpty()) return {};
    QFileInfo info(options_.StartupFile);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".cfg");
}

void TMDIMainF::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    // After the window is on screen, so a long load shows its progress over it.
    QTimer::singleShot(0, this, [this] { LoadStartupGraph(); });
}

void TMDIMainF::LoadStartupGraph() {
    if (!startupError_.isEmpty()) {
        fb_->Message(MessageKind::Error, startupError_.toStdString(), MessageButtons::Ok);
        startupError_.clear();
    }
    // Work a crash left unsaved comes first: taken back, it is the document.
    if (OfferRecovery()) return;
    const QString arg = options_.CommandLineFile;
    const std::string problem = arg.isEmpty() ? std::string() : ReadProblemText(arg.toStdString());
    if (!problem.empty()) {
        // A named file that cannot be read says why; the last graph opens as without one.
        fb_->Message(MessageKind::Error, problem, MessageButtons::Ok);
    } else if (!arg.isEmpty()) {
        // A data file given on the command line (as a file manager does) opens as data.
        if (OpenExtension(arg) == QStringLiteral(".PRN")) {
            // The graph shown is not the remembered graph file.
            doc_.GraphFileName = NoNameGraph;
            OpenDataFile(arg);
            history_.Clear(); // what the program starts with is no change
            return;
        }
    }
    // The graph takes the file's name only once the file has been read.
    const QString name =
        arg.isEmpty() || !problem.empty() ? QString::fromStdString(doc_.GraphFileName) : arg;
    if (name.toStdString() == NoNameGraph) return;
    if (!QFileInfo(name).isFile()) {
        // The last graph has gone: start empty, without a word.
        doc_.GraphFileName = NoNameGraph;
        return;
    }
    OpenGraphFile(name);
}

void TMDIMainF::closeEvent(QCloseEvent* event) {
    // Asked to close while long work keeps the windows painted: the work's
    // data is half made; closing is for once it is done.
    if (PulseScope::Active()) {
        event->ignore();
        return;
    }
    if (!closing_ && (doc_.SeriesCount() > 0 || TextWindowCount() > 0)) {
        const Answer a =
            fb_->Message(MessageKind::Confirmation, CloseQuestion, MessageButtons::YesNoCancel);
        if (a == Answer::Cancel) {
            event->ignore();
            return;
        }
        if (a == Answer::Yes && doc_.SeriesCount() > 0) {
            EnsureGraphWindow();
            RedrawGraph();
            // A save that did not happen must not end in the data being lost.
            if (!SaveGraph()) {
                event->ignore();
                return;
            }
        }
    }
    closing_ = true;
    CloseAllWindows(true);
    WriteStartup();
    // A normal end: no work is left to recover.
    recoveryTimer_->stop();
    recovery_.reset();
    event->accept();
}

void TMDIMainF::ReadStartup() {
    if (options_.StartupFile.isEmpty()) return;
    const torvel::StartupFile sf = ReadStartupFile(options_.StartupFile.toStdString());
    if (!sf.Error.empty()) {
        startupError_ = QString::fromStdString(sf.Error);
        return;
    }
    if (sf.Geometry) {
        // Kept on a screen that exists now, and never smaller than usable.
        QRect r(sf.Geometry->Left, sf.Geometry->Top, std::max(sf.Geometry->Width, 320),
                std::max(sf.Geometry->Height, 240));
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect avail = screen->availableGeometry();
            r.setWidth(std::min(r.width(), avail.width()));
            r.setHeight(std::min(r.height(), avail.height()));
            if (!avail.intersects(r.adjusted(0, 0, -r.width() / 2, -r.height() / 2)))
                r.moveCenter(avail.center());
        }
        resize(r.size());
        move(r.topLeft());
    }
    if (sf.GraphFileName) doc_.GraphFileName = *sf.GraphFileName;
}

void TMDIMainF::WriteStartup() {
    if (startupWritten_ || options_.StartupFile.isEmpty()) return;
    startupWritten_ = true;
    const QRect r = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    const QPoint at = isMaximized() || isMinimized() ? r.topLeft() : pos();
    WindowGeometry g;
    g.Width = r.width();
    g.Height = r.height();
    g.Top = at.y();
    g.Left = at.x();
    std::string error;
    if (!WriteStartupFile(options_.StartupFile.toStdString(), doc_.Prefs, g, doc_.GraphFileName,
                          &error)) {
        // Told once; leaving the program goes on regardless.
        const std::string text = "The settings could not be saved to " +
                                 options_.StartupFile.toStdString() + ": " + error;
        if (isVisible())
            fb_->Message(MessageKind::Error, text, MessageButtons::Ok);
        else
            std::cerr << text << '\n';
    }
}

void TMDIMainF::ReloadPrefs() {
    if (options_.StartupFile.isEmpty()) return;
    ReloadPreferences(doc_.Prefs, options_.StartupFile.toStdString(), *fb_);
}

} // namespace torvel
