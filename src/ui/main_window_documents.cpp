// Document commands: new, open, save, close and clear, and the limits on
// series and text windows.
#include "ui/main_window.h"

#include "core/change_recorder.h"
#include "core/out_of_memory.h"
#include "files/data_file.h"
#include "files/graph_file.h"
#include "files/messages.h"
#include "ui/child_window.h"
#include "ui/graph_window.h"
#include "ui/text_window.h"
#include "ui/work_progress.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace torvel {

// The extension rule of Open: from the last dot of the name, at most four
// characters, upper-cased.
QString TMDIMainF::OpenExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) return {};
    return name.mid(dot, 4).toUpper();
}

void TMDIMainF::CloseAllWindows(bool withTextWindows) {
    if (graphWindow_) {
        Discard(graphWindow_);
        graphWindow_ = nullptr;
    }
    doc_.DestroyAllSeries();
    if (withTextWindows) {
        while (!textWindows_.isEmpty()) {
            QPointer<QMdiSubWindow> sub = textWindows_.takeLast();
            Discard(sub);
        }
    }
    MergeMenus(nullptr);
}

bool TMDIMainF::SeriesLimitReached() {
    if (doc_.SeriesCount() < MaxSeries) return false;
    fb_->Beep(SeriesLimitText(MaxSeries));
    fb_->Message(MessageKind::Error, SeriesLimitText(MaxSeries), MessageButtons::Ok);
    return true;
}

bool TMDIMainF::TextLimitReached() {
    if (TextWindowCount() < MaxTextWindows) return false;
    fb_->Beep(TextLimitText(MaxTextWindows));
    fb_->Message(MessageKind::Error, TextLimitText(MaxTextWindows), MessageButtons::Ok);
    return true;
}

void TMDIMainF::NewData1Click() {
    if (SeriesLimitReached()) return;
    doc_.NewSeriesRows = doc_.Prefs.MaxDataIndex;
    Series* s = nullptr;
    RecordedStep step(doc_, "New Data");
    if (!GuardMemory(*fb_, "make a new data window", [&] { s = &doc_.CreateSeries(*fb_); })) return;
    doc_.SortDataWindows();
    auto it = dataWindows_.find(s);
    if (it != dataWindows_.end() && it->second) mdi_->setActiveSubWindow(it->second);
}

QWidget* TMDIMainF::NewTextWindow() {
    if (TextLimitReached()) return nullptr;
    return ShowTextWindow(CreateTextChild());
}

QWidget* TMDIMainF::ShowTextWindow(TTextF* w, QSize size) {
    QMdiSubWindow* sub = AddChild(w, size);
    // Deleted by the main window once its close is agreed to, never by the close itself.
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    textWindows_.push_back(sub);
    ShowInside(sub);
    mdi_->setActiveSubWindow(sub);
    return w;
}

void TMDIMainF::NewText1Click() {
    NewTextWindow();
}

QWidget* TMDIMainF::OpenTextFile(const QString& path) {
    if (TextLimitReached()) return nullptr;
    // A folder or a pipe is refused before it is opened (a pipe would wait forever).
    if (const std::string problem = ReadProblemText(path.toStdString()); !problem.empty()) {
        fb_->Message(MessageKind::Error, problem, MessageButtons::Ok);
        return nullptr;
    }
    TTextF* w = CreateTextChild();
    QString error;
    if (!w->OpenFile(path, &error)) {
        delete w;
        fb_->Message(MessageKind::Error,
                     "Could not open " + path.toStdString() + ": " + error.toStdString(),
                     MessageButtons::Ok);
        return nullptr;
    }
    return ShowTextWindow(w);
}

QStringList TMDIMainF::OpenFilters() {
    return {QStringLiteral("Data File (*.prn)"), QStringLiteral("Graph File (*.gra)"),
            QStringLiteral("Text File (*.txt)"), QStringLiteral("Any File as Text (*)"),
            QStringLiteral("Table (*.csv *.tsv *.dat *.txt)")};
}

QString TMDIMainF::StartFolder() const {
    // Where the last file was opened, else beside the graph being edited.
    if (!openFolder_.isEmpty()) return openFolder_;
    const QFileInfo graph(QString::fromStdString(doc_.GraphFileName));
    if (graph.isAbsolute() && graph.dir().exists()) return graph.absolutePath();
    return QDir::currentPath();
}

void TMDIMainF::Open1Click() {
    const QStringList filters = OpenFilters();
    QFileDialog dialog(this, QStringLiteral("Open"));
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters[1]);
    dialog.setDirectory(StartFolder());
    PrepareFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();
    openFolder_ = QFileInfo(path).absolutePath();
    const int filter =
        std::max<int>(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    OpenChosenFile(path, filter);
}

void TMDIMainF::OpenChosenFile(const QString& path, int filterIndex) {
    if (filterIndex == 4) {
        ImportTableFile(path);
        return;
    }
    if (filterIndex >= 2) {
        OpenTextFile(path);
        return;
    }
    const QString ext = OpenExtension(path);
    if (ext == QStringLiteral(".PRN")) {
        OpenDataFile(path);
    } else if (ext == QStringLiteral(".GRA")) {
        if (doc_.SeriesCount() > 0 && !AskDataLoss(*fb_)) return;
        OpenGraphFile(path);
    } else {
        fb_->Message(MessageKind::Error, UnknownFileTypeText(path.toStdString()),
                     MessageButtons::Ok);
    }
}

bool TMDIMainF::OpenDataFile(const QString& path) {
    const int before = doc_.SeriesCount();
    RecordedStep step(doc_, "Open Data File");
    // The graph is drawn within the work: the windows stay painted until it shows.
    WorkProgress work(this, QStringLiteral("Reading"), path);
    const bool ok = !ReadDataFile(doc_, path.toStdString(), *fb_, work.Callback()).empty();
    RefreshDataWindows();
    if (doc_.SeriesCount() > before) {
        // New series are worth seeing: show them on the graph.
        EnsureGraphWindow();
        RedrawGraph();
    }
    return ok;
}

bool TMDIMainF::OpenGraphFile(const QString& path) {
    // The reader replaces the series itself, and leaves them alone when the
    // file cannot be opened at all.
    WorkProgress work(this, QStringLiteral("Reading"), path);
    ReadGraphFile(doc_, path.toStdString(), *fb_, work.Callback());
    RefreshDataWindows();
    const bool ok = !doc_.GraphLoadFailed;
    if (!ok) {
        doc_.GraphLoadFailed = false;
        return false;
    }
    doc_.SuppressResizeDraw = true;
    if (doc_.SeriesCount() > 0) {
        EnsureGraphWindow();
        WindowTileHoz1Click();
    }
    RedrawGraph();
    doc_.SuppressResizeDraw = false;
    if (TGraphF* g = GraphF()) g->UpdateCaption();
    history_.Clear(); // another document: its own history
    return true;
}

bool TMDIMainF::AskSaveFirst(bool* proceed) {
    // Yes saves first; cancelling that save keeps everything as it was, so
    // "save first" can never end in the data being thrown away unsaved.
    const Answer a =
        fb_->Message(MessageKind::Warning, SaveGraphFirstQuestion, MessageButtons::YesNoCancel);
    if (a == Answer::Cancel) {
        *proceed = false;
        return false;
    }
    if (a == Answer::Yes && doc_.SeriesCount() > 0) {
        EnsureGraphWindow();
        RedrawGraph();
        if (!SaveGraph()) {
            *proceed = false;
            return false;
        }
    }
    *proceed = true;
    return true;
}

void TMDIMainF::NewGraphFile1Click() {
    bool proceed = false;
    AskSaveFirst(&proceed);
    if (!proceed) return;
    CloseAllWindows(true);
    ResetGraphSettings(doc_.Settings);
    doc_.GraphFileName = NoNameGraph;
    doc_.GraphFileIdentity = {};
    ReloadPrefs();
    history_.Clear();
}

// Both can be undone: the data windows come back (text windows do not: they
// are no part of the graph).
void TMDIMainF::WindowCloseAll1Click() {
    if (doc_.SeriesCount() == 0 && TextWindowCount() == 0) return;
    if (!AskDataLoss(*fb_)) return;
    RecordedStep step(doc_, "Close All");
    CloseAllWindows(true);
}

void TMDIMainF::WindowClearAll1Click() {
    RecordedStep step(doc_, "Clear All");
    step.Settings();
    if (doc_.SeriesCount() > 0 || TextWindowCount() > 0) {
        if (!AskDataLoss(*fb_)) return;
        CloseAllWindows(true);
    }
    ResetGraphSettings(doc_.Settings);
    doc_.GraphFileName = NoNameGraph;
    doc_.GraphFileIdentity = {};
    ReloadPrefs();
}

void TMDIMainF::Exit1Click() {
    close();
}

std::optional<std::string> TMDIMainF::ChooseGraphFile(const SaveDialogRequest& request) {
    const QString ext = QString::fromStdString(request.DefaultExtension);
    QString preset = QString::fromStdString(request.FileName);
    // "NoName.gra" starts where the last file was opened.
    if (!QFileInfo(preset).isAbsolute()) preset = QDir(StartFolder()).filePath(preset);
    return RunSaveFileDialog(this,
                             {"SaveDialog1", QStringLiteral("Save Graph"),
                              QString::fromStdString(request.Filter) + QStringLiteral(" (*.") +
                                  ext + QStringLiteral(")"),
                              ext},
                             preset);
}

bool TMDIMainF::SaveGraph() {
    const SaveDialogFn dialog =
        saveDialogOverride_
            ? saveDialogOverride_
            : SaveDialogFn([this](const SaveDialogRequest& r) { return ChooseGraphFile(r); });
    bool written = false;
    GuardMemory(*fb_, "save the graph", [&] { written = SaveGraphAs(doc_, *fb_, dialog); });
    if (TGraphF* g = GraphF()) g->UpdateCaption();
    if (written) {
        history_.MarkSaved();
        RedrawGraph();
    }
    return written;
}

} // namespace torvel
