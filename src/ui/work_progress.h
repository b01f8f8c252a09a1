// Progress of a long command: a wait cursor at once, a progress dialog once
// the work has taken a while, the windows kept painted meanwhile (from its
// reports and from every Pulse() of the work, see core/work_pulse.h).
#pragma once

#include "core/work_pulse.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include <atomic>
#include <functional>

class QWidget;

namespace torvel {

class WorkProgress {
  public:
    // The dialog says "title..." or, for work on a file, "title name.prn...".
    WorkProgress(QWidget* parent, QString title, const QString& file = {});
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // What the engine calls with the fraction done (0..1).
    std::function<void(double)> Callback();
    // The dialog, once shown (tests).
    QProgressDialog* Dialog() const { return dialog_; }

    // How long the work runs before the dialog shows.
    static constexpr int ShowAfterMs = 300;

  private:
    void Report(double fraction);
    void Paint();

    QWidget* parent_;
    QString title_, label_;
    QElapsedTimer clock_;
    QPointer<QProgressDialog> dialog_;
    std::atomic<double> fraction_ = -1; // none reported yet
    PulseScope pulses_;
};

} // namespace torvel
