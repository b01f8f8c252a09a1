// Nothing a user did is lost: Undo and Redo of the document's history, and the
// recovery file that keeps unsaved work against a crash.
#include "ui/main_window.h"

#include "core/out_of_memory.h"
#include "core/work_pulse.h"
#include "files/file_path.h"
#include "ui/graph_window.h"
#include "ui/spread_window.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimer>

#include <unistd.h>

namespace torvel {

namespace {

// How long a note about the history or the recovery file stays in the status bar.
constexpr int NoteShownMs = 10000;

// "&Undo Paste": a step's own ampersands ("Switch X&Y") are no access keys.
QString EntryText(const char* verb, const std::string& step) {
    QString text = QString::fromLatin1(verb);
    if (!step.empty())
        text += QLatin1Char(' ') +
                QString::fromStdString(step).replace(QLatin1Char('&'), QStringLiteral("&&"));
    return text;
}

} // namespace

void TMDIMainF::CreateHistoryActions() {
    actUndo_ = MakeAction("Undo1", QStringLiteral("&Undo"), [this] { Undo1Click(); });
    actUndo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    actRedo_ = MakeAction("Redo1", QStringLiteral("&Redo"), [this] { Redo1Click(); });
    actRedo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // The keys work whichever child is active, and with none.
    addAction(actUndo_);
    addAction(actRedo_);

    history_.Changed = [this] { HistoryChanged(); };
    history_.NotUndoable = [this](const std::string& step) {
        statusBar()->showMessage(
            QString::fromStdString(step + " cannot be undone: it is too large to keep."),
            NoteShownMs);
    };
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setObjectName(QStringLiteral("RecoveryTimer"));
    recoveryTimer_->setSingleShot(true);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] { WriteRecovery(); });
    HistoryChanged();
}

void TMDIMainF::HistoryChanged() {
    if (closing_) return;
    actUndo_->setText(EntryText("&Undo", history_.UndoName()));
    actUndo_->setEnabled(history_.CanUndo());
    actRedo_->setText(EntryText("&Redo", history_.RedoName()));
    actRedo_->setEnabled(history_.CanRedo());
    if (!recovery_) return;
    if (!history_.Unsaved() || doc_.SeriesCount() == 0) {
        // Saved (or nothing left to keep): no recovery file.
        recoveryTimer_->stop();
        recovery_->Remove();
        recoveryVersion_ = history_.Version();
        return;
    }
    // At most RecoveryDelayMs after the first change not yet written.
    if (!recoveryTimer_->isActive()) recoveryTimer_->start(RecoveryDelayMs);
}

void TMDIMainF::Undo1Click() {
    MoveInHistory(true);
}

void TMDIMainF::Redo1Click() {
    MoveInHistory(false);
}

void TMDIMainF::MoveInHistory(bool undo) {
    // A cell being edited is committed first: it is the newest change.
    for (const auto& entry : dataWindows_)
        if (auto* w = entry.second ? qobject_cast<TSpreadF*>(entry.second->widget()) : nullptr)
            w->Grid()->CloseEditor(true);
    bool moved = false;
    GuardMemory(*fb_, undo ? "undo" : "redo",
                [&] { moved = undo ? history_.Undo() : history_.Redo(); });
    if (moved) AfterHistoryMove();
}

void TMDIMainF::AfterHistoryMove() {
    // Every window shows the document as it now is.
    RefreshDataWindows();
    if (doc_.SeriesCount() > 0 && !GraphF()) {
        // Windows came back (Clear All undone): shown as an opened graph is.
        doc_.SuppressResizeDraw = true;
        EnsureGraphWindow();
        WindowTileHoz1Click();
        doc_.SuppressResizeDraw = false;
    }
    RedrawGraph();
    if (TGraphF* g = GraphF()) g->UpdateCaption();
}

void TMDIMainF::WriteRecovery() {
    if (!recovery_ || closing_ || !history_.Unsaved() || doc_.SeriesCount() == 0) return;
    if (history_.Version() == recoveryVersion_) return;
    if (recovery_->Busy() || PulseScope::Active()) {
        recoveryTimer_->start(1000); // the last write or a long read is still under way
        return;
    }
    // Copied here, quickly; formatted and written on the writer's thread.
    std::unique_ptr<Document> snapshot;
    try {
        snapshot = SnapshotOf(doc_);
    } catch (const std::bad_alloc&) {
        recoveryTimer_->start(RecoveryDelayMs);
        return;
    }
    const std::uint64_t version = history_.Version();
    recovery_->Start(std::move(snapshot), [this, version](std::string error) {
        QMetaObject::invokeMethod(
            this,
            [this, version, error] {
                if (!error.empty()) {
                    statusBar()->showMessage(
                        QString::fromStdString("Unsaved work could not be kept for recovery: " +
                                               error),
                        NoteShownMs);
                    recoveryTimer_->start(RecoveryDelayMs);
                    return;
                }
                recoveryVersion_ = version;
                // Changed while it was written: written again in its turn.
                if (history_.Unsaved() && history_.Version() != version &&
                    !recoveryTimer_->isActive())
                    recoveryTimer_->start(RecoveryDelayMs);
            },
            Qt::QueuedConnection);
    });
}

bool TMDIMainF::OfferRecovery() {
    if (options_.RecoveryFolder.isEmpty()) return false;
    const std::string folder = options_.RecoveryFolder.toStdString();
    std::vector<LeftRecovery> left = FindLeftRecoveries(folder);
    int opened = -1;
    for (std::size_t i = 0; i < left.size(); ++i) {
        // Once work is back, any other left work is kept aside unasked.
        if (opened < 0 &&
            fb_->Question(RecoverTitle, RecoverQuestionText(left[i]), MessageButtons::YesNo) ==
                Answer::Yes &&
            OpenGraphFile(QString::fromStdString(left[i].GraphFile))) {
            opened = static_cast<int>(i);
            // Unsaved work of its own graph file, as it was before the crash.
            doc_.GraphFileName = left[i].Info.GraphFileName;
            // Saved over unasked from now on, unless another program changes it.
            doc_.GraphFileIdentity = IdentityOf(doc_.GraphFileName);
            if (TGraphF* g = GraphF()) g->UpdateCaption();
            history_.MarkUnsaved();
            continue;
        }
        if (SetAside(left[i]).empty())
            statusBar()->showMessage(QString::fromStdString("Unsaved work could not be kept aside "
                                                            "in " +
                                                            folder + "."),
                                     NoteShownMs);
    }
    for (LeftRecovery& l : left)
        l.Lock = FileLock(); // another program's lock, not ours to keep
    recovery_ = std::make_unique<RecoveryWriter>(folder, static_cast<long>(::getpid()));
    if (!recovery_->Ready()) {
        recovery_.reset();
        statusBar()->showMessage(
            QString::fromStdString("Unsaved work cannot be kept for recovery in " + folder + "."),
            NoteShownMs);
    } else if (opened >= 0) {
        recovery_->Adopt(left[static_cast<std::size_t>(opened)]);
    }
    HistoryChanged();
    return opened >= 0;
}

} // namespace torvel
