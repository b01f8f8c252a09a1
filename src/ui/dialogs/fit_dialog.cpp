#include "ui/dialogs/fit_dialog.h"

#include "core/out_of_memory.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/spread_window.h"
#include "ui/work_progress.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace torvel {

namespace {

QLabel* MakeLabel(QWidget* parent, int n) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Label%1").arg(n));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

TFitF::TFitF(AppContext& context, QWidget* parent)
    : QDialog(parent ? parent : context.MainWidget()), context_(context),
      rules_(context.Doc(), context.Fb(), RedrawHooks{[this] { context_.RedrawGraph(); }, {}}) {
    setObjectName(QStringLiteral("FitF"));
    setWindowTitle(QString::fromLatin1(FitDialogCaption));
    setModal(true);
    // Stays above the windows whose fit it shows.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);

    radioFit1_ = new QGroupBox(QStringLiteral("Regression &Equation"), this);
    radioFit1_->setObjectName(QStringLiteral("RadioFit1"));
    kinds_ = new QButtonGroup(radioFit1_);
    auto* radios = new QVBoxLayout(radioFit1_);
    for (int i = 0; i < static_cast<int>(FitKindItems.size()); ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(FitKindItems[i]), radioFit1_);
        radio->setObjectName(QStringLiteral("RadioFit1Item%1").arg(i));
        kinds_->addButton(radio, i);
        radios->addWidget(radio);
    }
    // A new choice fits at once; one passed on the way by the arrow keys is none.
    new SettledChoice(*kinds_, [this](int id) {
        if (id != rules_.State.RadioFit1) RadioFit1Click(id);
    });

    for (int i = 0; i < 9; ++i)
        labels_[static_cast<std::size_t>(i)] = MakeLabel(this, i + 1);
    // Room for the widest coefficient, so the dialog keeps its size.
    const int valueWidth =
        fontMetrics().horizontalAdvance(QStringLiteral("R^2 = -8.88888888888E+4931")) + 8;

    auto* coefficients = new QGroupBox(QStringLiteral("Coefficients"), this);
    coefficients->setObjectName(QStringLiteral("GroupBox1"));
    auto* coefLayout = new QVBoxLayout(coefficients);
    for (int i = 0; i < 6; ++i) {
        QLabel* label = labels_[static_cast<std::size_t>(i)];
        label->setParent(coefficients);
        label->setMinimumWidth(valueWidth);
        coefLayout->addWidget(label);
    }
    auto* determination = new QGroupBox(QStringLiteral("Determination"), this);
    determination->setObjectName(QStringLiteral("GroupBox2"));
    auto* detLayout = new QVBoxLayout(determination);
    labels_[6]->setParent(determination);
    labels_[6]->setMinimumWidth(valueWidth);
    detLayout->addWidget(labels_[6]);
    auto* sample = new QGroupBox(QStringLiteral("Sample Equation"), this);
    sample->setObjectName(QStringLiteral("GroupBox3"));
    auto* sampleLayout = new QVBoxLayout(sample);
    labels_[7]->setParent(sample);
    labels_[7]->setMinimumWidth(
        fontMetrics().horizontalAdvance(QString::fromStdString(SampleEquation(5))) + 8);
    sampleLayout->addWidget(labels_[7]);

    okBtn_ = MakeButton(this, "OKBtn", QStringLiteral("OK"));
    cancelBtn_ = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
    nextB_ = MakeButton(this, "NextB", QStringLiteral("&Next"));
    button2_ = MakeButton(this, "Button2", QStringLiteral("&Copy Coefficients"));
    button1_ = MakeButton(this, "Button1", QStringLiteral("&Help"));
    connect(okBtn_, &QPushButton::clicked, this, &TFitF::OKBtnClick);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(nextB_, &QPushButton::clicked, this, &TFitF::NextBClick);
    connect(button2_, &QPushButton::clicked, this, &TFitF::Button2Click);
    connect(button1_, &QPushButton::clicked, this, &TFitF::Button1Click);

    auto* right = new QVBoxLayout;
    right->addWidget(coefficients);
    right->addWidget(determination);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(radioFit1_);
    top->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(labels_[8]);
    buttons->addStretch(1);
    for (QPushButton* b : {okBtn_, cancelBtn_, nextB_, button2_, button1_})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(sample);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    MakeDefaultButton(*this, *okBtn_);

    setTabOrder(radioFit1_, okBtn_);
    setTabOrder(okBtn_, cancelBtn_);
    setTabOrder(cancelBtn_, nextB_);
    setTabOrder(nextB_, button2_);
    setTabOrder(button2_, button1_);
}

void TFitF::ShowState() {
    const FitDialogState& s = rules_.State;
    if (QAbstractButton* b = kinds_->button(s.RadioFit1)) b->setChecked(true);
    TabToCheckedOnly(*kinds_);
    for (std::size_t i = 0; i < s.Labels.size(); ++i)
        labels_[i]->setText(QString::fromStdString(s.Labels[i]));
    labels_[7]->setText(QString::fromStdString(s.Label8));
    labels_[8]->setText(QString::fromStdString(s.Label9));
    const QColor colour(s.SeriesColor.R, s.SeriesColor.G, s.SeriesColor.B);
    for (QLabel* label : {labels_[7], labels_[8]}) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, colour);
        label->setPalette(pal);
    }
    cancelBtn_->setVisible(s.CancelShown);
    cancelBtn_->setEnabled(s.CancelShown);
}

void TFitF::SeriesChanged() {
    // The rules rewrote the fitted column (and may have sorted the rows).
    if (window_) window_->RefreshGrid();
}

int TFitF::Execute(TSpreadF& window) {
    if (window.Detached()) return Rejected;
    window_ = &window;
    rules_.Show(window.GetSeries());
    SeriesChanged();
    ShowState();
    if (QAbstractButton* b = kinds_->checkedButton()) b->setFocus();
    adjustSize();
    Place();
    return exec();
}

void TFitF::Place() {
    PlaceDialog(*this, context_.MainWidget());
}

void TFitF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Place(); // the frame is known now
}

void TFitF::RadioFit1Click(int index) {
    if (!rules_.Current() || !window_) return;
    WorkProgress work(this, QStringLiteral("Fitting"));
    // A fit that runs out of memory leaves the series as it was.
    GuardMemory(context_.Fb(), "fit the series", window_->GetSeries(), [&] {
        rules_.State.RadioFit1 = index;
        rules_.SelectionChanged();
    });
    SeriesChanged();
    ShowState();
}

void TFitF::OKBtnClick() {
    rules_.OK();
    accept();
}

void TFitF::NextBClick() {
    rules_.Next();
    accept();
}

void TFitF::Button2Click() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(rules_.CopyCoefficients()));
}

void TFitF::Button1Click() {
    context_.ShowHelp(FitDialogHelpContext);
}

void TFitF::done(int result) {
    QDialog::done(result);
    // Every way out passes here: without OK or Next the old fit comes back.
    GuardMemory(context_.Fb(), "fit the series", [&] { rules_.Closed(); });
    SeriesChanged();
    window_ = nullptr;
}

} // namespace torvel
