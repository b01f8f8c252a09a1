// Tables in: Import Table... and files dropped on the main window.
#include "ui/main_window.h"

#include "core/change_recorder.h"
#include "files/table_file.h"
#include "ui/child_window.h"
#include "ui/dialogs/import_table_dialog.h"
#include "ui/work_progress.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>

namespace torvel {

namespace {

QStringList LocalFiles(const QMimeData* mime) {
    QStringList files;
    if (!mime || !mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

} // namespace

void TMDIMainF::ImportTable1Click() {
    QFileDialog dialog(this, QStringLiteral("Import Table"));
    dialog.setObjectName(QStringLiteral("ImportDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(
        {QStringLiteral("Table (*.csv *.tsv *.dat *.txt)"), QStringLiteral("Any File (*)")});
    dialog.setDirectory(StartFolder());
    PrepareFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();
    openFolder_ = QFileInfo(path).absolutePath();
    ImportTableFile(path);
}

bool TMDIMainF::ImportTableFile(const QString& path) {
    if (SeriesLimitReached()) return false;
    const std::string file = path.toStdString();
    TableHead head = ReadTableHead(file);
    if (!head.Problem.empty()) {
        fb_->Message(MessageKind::Error, head.Problem, MessageButtons::Ok);
        return false;
    }
    // Nothing open changes until OK.
    TImportTableF dialog(
        ImportTableStart(file, std::move(head), MaxSeries - doc_.SeriesCount(), rememberedTables_),
        *fb_, this);
    connect(&dialog, &TImportTableF::HelpRequested, this,
            [this](int context) { ShowHelp(context); });
    if (dialog.exec() != QDialog::Accepted) return false;
    ImportRemember(dialog.State(), rememberedTables_);
    RecordedStep step(doc_, "Import Table"); // the new series, and an X axis title from a header
    step.Settings();
    WorkProgress work(this, QStringLiteral("Importing"), path);
    const TableLoad load = ReadTableFile(doc_, file, dialog.State().Format, *fb_, work.Callback());
    RefreshDataWindows();
    if (load.Created.empty()) return false;
    EnsureGraphWindow();
    RedrawGraph();
    statusBar()->showMessage(QString::fromStdString(TableLoadStatus(load, file)));
    return true;
}

void TMDIMainF::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TMDIMainF::dropEvent(QDropEvent* event) {
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    // Opened once the drop is over, so the program it came from is not kept
    // waiting while the questions and dialogs are up.
    QTimer::singleShot(0, this, [this, files] { OpenDroppedFiles(files); });
}

void TMDIMainF::OpenDroppedFiles(const QStringList& paths) {
    std::vector<std::string> refused;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        const QString ext = OpenExtension(path);
        if (info.isDir()) {
            refused.push_back(info.fileName().toStdString() + "/");
        } else if (ext == QStringLiteral(".GRA")) {
            if (doc_.SeriesCount() > 0 && !AskDataLoss(*fb_)) continue;
            OpenGraphFile(path);
        } else if (ext == QStringLiteral(".PRN")) {
            OpenDataFile(path);
        } else if (IsTableFile(path.toStdString())) {
            ImportTableFile(path);
        } else {
            refused.push_back(info.fileName().toStdString());
        }
    }
    if (!refused.empty())
        fb_->Message(MessageKind::Error, DropRefusedText(refused), MessageButtons::Ok);
}

} // namespace torvel
