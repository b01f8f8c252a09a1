// "Torvel RPN Calculator": the window of the calculator engine (calc/). It is
// created hidden at start-up and only hidden when closed, so its registers
// live for the whole run; its X register is the document's ConstantK.
#pragma once

#include "calc/calculator.h"
#include "ui/app_context.h"

#include <QWidget>

#include <functional>
#include <memory>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;

namespace torvel {

class TCalcF : public QWidget {
    Q_OBJECT

  public:
    explicit TCalcF(AppContext& context, QWidget* parent = nullptr);
    ~TCalcF() override;

    // Shows the window (the first time shrunk and placed inside the main
    // window's bottom-right corner) and brings it to the front. Opened while
    // a modal dialog runs, it is modal itself until it closes, so it can be
    // used at all.
    void ShowCalculator();
    Calculator& Engine() { return *engine_; }
    QLineEdit* EditX() const { return editX_; }

  signals:
    // The window closed with a readable X, now in ConstantK.
    void Closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    class OnTopFeedback;
    // Runs one event of the engine: the X box into the engine, the engine's
    // boxes, captions and toggles back into the window.
    void Run(const std::function<void(Calculator&)>& op);
    void PullBoxes();
    void ShowBoxes();
    void ApplyOnTop();
    void ApplyExpanded();
    QAbstractButton* Button(QWidget* row, const char* name, const QString& text, const char* hint,
                            std::function<void(Calculator&)> op);
    bool FormKey(QKeyEvent* key);
    bool EditXKey(QKeyEvent* key);
    void Done();

    AppContext& context_;
    std::unique_ptr<OnTopFeedback> feedback_;
    std::unique_ptr<Calculator> engine_;
    QLineEdit* editX_ = nullptr;
    QLineEdit* editY_ = nullptr;
    QLineEdit* editZ_ = nullptr;
    QLineEdit* editT_ = nullptr;
    QLabel* label5_ = nullptr;
    QPushButton* buttonTop_ = nullptr;
    QPushButton* buttonSmall_ = nullptr;
    QWidget* trigRows_ = nullptr;
    bool appliedOnTop_ = true;
};

} // namespace torvel
