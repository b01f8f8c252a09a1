#include "ui/work_progress.h"

#include <QApplication>
#include <QProgressDialog>

#include <algorithm>

namespace torvel {

WorkProgress::WorkProgress(QWidget* parent, QString label)
    : parent_(parent), label_(std::move(label)) {
    clock_.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WorkProgress::~WorkProgress() {
    delete dialog_;
    QApplication::restoreOverrideCursor();
}

std::function<void(double)> WorkProgress::Callback() {
    return [this](double fraction) { Report(fraction); };
}

void WorkProgress::Report(double fraction) {
    if (!dialog_) {
        // Quick work, or nearly done: no dialog, only the windows repainted.
        if (clock_.elapsed() < ShowAfterMs || fraction >= 0.9) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            return;
        }
        dialog_ = new QProgressDialog(parent_);
        dialog_->setObjectName(QStringLiteral("ProgressDialog"));
        dialog_->setWindowTitle(label_);
        dialog_->setLabelText(label_ + QStringLiteral("..."));
        dialog_->setCancelButton(nullptr);
        dialog_->setRange(0, 1000);
        dialog_->setMinimumDuration(0);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->show();
    }
    dialog_->setValue(static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 1000));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace torvel
