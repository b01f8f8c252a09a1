// Progress of a long command on the data: a wait cursor at once, a progress
// dialog once the work has taken a while, the windows kept painted meanwhile.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include <functional>

class QWidget;

namespace torvel {

class WorkProgress {
  public:
    WorkProgress(QWidget* parent, QString label);
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

    QWidget* parent_;
    QString label_;
    QElapsedTimer clock_;
    QPointer<QProgressDialog> dialog_;
};

} // namespace torvel
