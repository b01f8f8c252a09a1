#include "ui/work_progress.h"

#include <QApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <QThread>

#include <algorithm>

namespace torvel {

WorkProgress::WorkProgress(QWidget* parent, QString title, const QString& file)
    : parent_(parent), title_(std::move(title)),
      label_(file.isEmpty() ? title_ : title_ + QStringLiteral(" ") + QFileInfo(file).fileName()),
      pulses_([this] { Paint(); }) {
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
    fraction_ = std::clamp(fraction, 0.0, 1.0);
    // A part of the work on another thread only tells how far it got; the
    // window's thread paints while it waits for the parts.
    if (QThread::currentThread() != qApp->thread()) return;
    PulseScope::PaintNow([this] { Paint(); });
}

void WorkProgress::Paint() {
    // Quick work, or nearly done: no dialog, only the windows repainted.
    if (!dialog_ && clock_.elapsed() >= ShowAfterMs && fraction_ < 0.9) {
        dialog_ = new QProgressDialog(parent_);
        dialog_->setObjectName(QStringLiteral("ProgressDialog"));
        dialog_->setWindowTitle(title_);
        dialog_->setLabelText(label_ + QStringLiteral("..."));
        dialog_->setCancelButton(nullptr);
        dialog_->setMinimumDuration(0);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->show();
    }
    const double fraction = fraction_;
    if (dialog_) {
        // Work that tells no fraction shows a busy bar.
        if (fraction < 0) {
            dialog_->setRange(0, 0);
        } else {
            dialog_->setRange(0, 1000);
            dialog_->setValue(static_cast<int>(fraction * 1000));
        }
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace torvel
