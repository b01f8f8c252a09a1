#include "ui/dialogs/math_dialog.h"

#include "ui/spread_window.h"
#include "ui/work_progress.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace torvel {

namespace {

QPushButton* HintedButton(QWidget* parent, const char* name, const char* text, const char* hint) {
    QPushButton* b = MakeButton(parent, name, QString::fromLatin1(text));
    b->setToolTip(QString::fromLatin1(hint));
    return b;
}

} // namespace

TMathF::TMathF(AppContext& context, std::function<void()> showCalculator)
    : PlacedDialog(context, "MathF", QString::fromLatin1(MathCaption), false),
      rules_(context.Doc(), context.Fb(), RedrawHooks{[&context] { context.RedrawGraph(); }, {}}),
      showCalculator_(std::move(showCalculator)) {
    label1_ = MakeSeriesLabel(this);

    // Created in the tab order: operation, K, target, statistics, buttons.
    auto* operationBox = new QGroupBox(QStringLiteral("Operation "), this);
    operationBox->setObjectName(QStringLiteral("OperationBox"));
    operation_ = new QButtonGroup(operationBox);
    auto* ops = new QVBoxLayout(operationBox);
    for (int i = 0; i < CellOpCount; ++i) {
        auto* radio = new QRadioButton(
            QString::fromLatin1(OperationItems[static_cast<std::size_t>(i)]), operationBox);
        radio->setObjectName(QStringLiteral("OperationBoxItem%1").arg(i));
        operation_->addButton(radio, i);
        ops->addWidget(radio);
    }
    KeepTabOnChecked(*operation_);

    auto* kBox = new QGroupBox(QStringLiteral("Enter Constant K"), this);
    kBox->setObjectName(QStringLiteral("GroupBox1"));
    edit1_ = new QLineEdit(kBox);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setMinimumWidth(150);
    (new QVBoxLayout(kBox))->addWidget(edit1_);

    auto* targetBox = new QGroupBox(QStringLiteral("Operate on"), this);
    targetBox->setObjectName(QStringLiteral("GroupBox2"));
    target_ = new QButtonGroup(targetBox);
    auto* targets = new QVBoxLayout(targetBox);
    const char* targetNames[] = {"SelectedCellsRB", "XColumnCellsRB", "YColumnCellsRB"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(
            QString::fromLatin1(MathTargetItems[static_cast<std::size_t>(i)]), targetBox);
        radio->setObjectName(QString::fromLatin1(targetNames[i]));
        target_->addButton(radio, i);
        targets->addWidget(radio);
    }
    KeepTabOnChecked(*target_);
    // The statistics of a whole column are not worked out for each target passed.
    new SettledChoice(*target_, [this](int) { SelectedCellsRBClick(); });

    auto* statsBox = new QGroupBox(this);
    statsBox->setObjectName(QStringLiteral("GroupBox3"));
    auto* stats = new QGridLayout(statsBox);
    const char* statLabels[] = {"Total", "Average", "Sigma"};
    QLineEdit** statEdits[] = {&edit2_, &edit3_, &edit4_};
    for (int i = 0; i < 3; ++i) {
        auto* edit = new QLineEdit(statsBox);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 2));
        edit->setReadOnly(true);
        auto* label = new QLabel(QString::fromLatin1(statLabels[i]), statsBox);
        label->setBuddy(edit);
        stats->addWidget(label, i, 0);
        stats->addWidget(edit, i, 1);
        *statEdits[i] = edit;
    }

    QPushButton* operate = HintedButton(this, "ButtonOperate", "&Operate", "Operate on Cells");
    QPushButton* ok = HintedButton(this, "Button1", "OK", "Close Dialog");
    QPushButton* copy = HintedButton(this, "ButtonCopy", "&Copy", "Win Clip = Tot, Ave, Sig");
    QPushButton* next = HintedButton(this, "NextB", "&Next", "Next Series #");
    QPushButton* calc = HintedButton(this, "ButtonCal", "C&alculator", "Open Calculator");
    QPushButton* help = MakeButton(this, "Button3", QStringLiteral("&Help"));
    // Enter operates with the K just typed; OK only closes, as Escape does.
    SetDefaultButton(*operate);
    connect(operate, &QPushButton::clicked, this, &TMathF::ButtonOperateClick);
    connect(ok, &QPushButton::clicked, this, &TMathF::Button1Click);
    connect(copy, &QPushButton::clicked, this, &TMathF::ButtonCopyClick);
    connect(next, &QPushButton::clicked, this, &TMathF::NextBClick);
    connect(calc, &QPushButton::clicked, this, &TMathF::ButtonCalClick);
    connect(help, &QPushButton::clicked, this, &TMathF::Button3Click);

    auto* right = new QVBoxLayout;
    right->addWidget(kBox);
    right->addWidget(targetBox);
    right->addWidget(statsBox);
    right->addStretch(1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {operate, ok, copy, next, calc, help})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addWidget(operationBox);
    columns->addLayout(right);
    columns->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addLayout(columns);
}

CellRect TMathF::Selection() const {
    return window_ && !window_->Detached() ? window_->Grid()->Selection() : CellRect{};
}

void TMathF::ReadBoxes() {
    MathDialogState& s = rules_.State;
    s.OperationBox = std::max(operation_->checkedId(), 0);
    s.Target = std::max(target_->checkedId(), 0);
    s.Edit1 = edit1_->text().toStdString();
}

void TMathF::ShowBoxes() {
    const MathDialogState& s = rules_.State;
    if (QAbstractButton* b = operation_->button(s.OperationBox)) b->setChecked(true);
    if (QAbstractButton* b = target_->button(s.Target)) b->setChecked(true);
    edit1_->setText(QString::fromStdString(s.Edit1));
    edit2_->setText(QString::fromStdString(s.Edit2));
    edit3_->setText(QString::fromStdString(s.Edit3));
    edit4_->setText(QString::fromStdString(s.Edit4));
}

int TMathF::Execute(TSpreadF& window) {
    if (window.Detached()) return Rejected;
    window_ = &window;
    ReadBoxes();
    rules_.Show(window.GetSeries(), Selection());
    ShowBoxes();
    ShowSeriesNumber(*label1_, QStringLiteral("Series # "), window.GetSeries().SeriesNumber);
    ShowSeriesBackground(*this, *label1_, window.GetSeries().SeriesNumber);
    edit1_->setFocus();
    edit1_->selectAll();
    running_ = true;
    const int result = RunModal();
    running_ = false;
    window_ = nullptr;
    return result;
}

void TMathF::done(int result) {
    // Closing is no deactivation: K was read by whatever closed the dialog.
    running_ = false;
    PlacedDialog::done(result);
}

void TMathF::changeEvent(QEvent* event) {
    PlacedDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && running_ && isVisible() && !isActiveWindow()) {
        // Focus went to another window, such as the calculator: K is read now.
        rules_.State.Edit1 = edit1_->text().toStdString();
        rules_.Deactivate();
    }
}

void TMathF::ButtonOperateClick() {
    if (!window_ || window_->Detached()) return;
    ReadBoxes();
    // The grid and the statistics show the new values before any message.
    const auto shown = [this] {
        window_->RefreshGrid();
        ShowBoxes();
    };
    WorkProgress work(this, QStringLiteral("Operating"));
    if (rules_.Operate(window_->GetSeries(), Selection(), shown)) window_->RefreshGrid();
    ShowBoxes();
}

void TMathF::SelectedCellsRBClick() {
    if (!window_ || window_->Detached()) return;
    ReadBoxes();
    rules_.TargetChanged(window_->GetSeries(), Selection());
    ShowBoxes();
}

void TMathF::ButtonCopyClick() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(rules_.CopyText()));
    accept();
}

void TMathF::NextBClick() {
    ReadBoxes();
    rules_.Next();
    accept();
}

void TMathF::ButtonCalClick() {
    ReadBoxes();
    rules_.CalculatorButton();
    if (showCalculator_) showCalculator_();
}

void TMathF::CalculatorClosed() {
    if (!isVisible()) return;
    rules_.CalculatorClosed();
    edit1_->setText(QString::fromStdString(rules_.State.Edit1));
}

} // namespace torvel
