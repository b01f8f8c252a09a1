#include "ui/dialogs/grid_dialog_widget.h"

#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/scale_dialog_widget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace torvel {

namespace {

// A group of two boxes, each under its caption.
QGroupBox* PairGroup(QWidget* parent, const QString& title, const QString& firstLabel,
                     QLineEdit* first, const QString& secondLabel, QLineEdit* second) {
    auto* group = new QGroupBox(title, parent);
    first->setParent(group);
    second->setParent(group);
    auto* layout = new QGridLayout(group);
    auto* a = new QLabel(firstLabel, group);
    a->setBuddy(first);
    auto* b = new QLabel(secondLabel, group);
    b->setBuddy(second);
    layout->addWidget(a, 0, 0);
    layout->addWidget(first, 1, 0);
    layout->addWidget(b, 0, 1);
    layout->addWidget(second, 1, 1);
    return group;
}

} // namespace

TGridF::TGridF(AppContext& context, GridDialogRules& rules, QWidget* parent)
    : QDialog(parent ? parent : context.MainWidget()), context_(context), rules_(rules) {
    setObjectName(QStringLiteral("GridF"));
    setWindowTitle(QStringLiteral("Grid  Dialog"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);

    auto box = [this](const char* name, std::string GridDialogState::*text, bool y) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaxLength(12);
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
        boxes_.push_back({edit, text, y});
        return edit;
    };
    // In the order they are read and tabbed through.
    QLineEdit* xMinor = box("XMinor", &GridDialogState::XMinor, false);
    QLineEdit* xMajor = box("XMajor", &GridDialogState::XMajor, false);
    QLineEdit* yMinor = box("YMinor", &GridDialogState::YMinor, true);
    QLineEdit* yMajor = box("YMajor", &GridDialogState::YMajor, true);
    QLineEdit* xTicks = box("XTicks", &GridDialogState::XTicks, false);
    QLineEdit* xDec = box("XDec", &GridDialogState::XDec, false);
    QLineEdit* ylTicks = box("YLTicks", &GridDialogState::YLTicks, true);
    QLineEdit* ylDec = box("YLDec", &GridDialogState::YLDec, true);
    QLineEdit* yrTicks = box("YRTicks", &GridDialogState::YRTicks, true);
    QLineEdit* yrDec = box("YRDec", &GridDialogState::YRDec, true);

    QPushButton* okBtn = MakeButton(this, "OKBtn", QStringLiteral("OK"));
    cancelBtn_ = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
    QPushButton* helpB = MakeButton(this, "HelpB", QStringLiteral("&Help"));
    QPushButton* clearB = MakeButton(this, "ClearB", QStringLiteral("&Clear"));
    QPushButton* autoX = MakeButton(this, "AutoXGridB", QStringLiteral("Auto &X"));
    QPushButton* autoYL = MakeButton(this, "AutoYLGridB", QStringLiteral("Auto Y&L"));
    QPushButton* autoYR = MakeButton(this, "AutoYRGridB", QStringLiteral("Auto Y&R"));
    QPushButton* drawGridB = MakeButton(this, "DrawGridB", QStringLiteral("&View"));
    goScaleB_ = MakeButton(this, "GoScaleB", QStringLiteral("&Scale"));

    const QString minor = QStringLiteral("Minor [ 1..10 ]");
    const QString major = QStringLiteral("Major [ 1..20 ]");
    const QString ticks = QStringLiteral("Ticks  [ 1..20 ]");
    const QString decimals = QStringLiteral("Decimals  [ 0..8 ]");
    auto* grids = new QHBoxLayout;
    grids->addWidget(
        PairGroup(this, QStringLiteral("X - Axis Grid"), minor, xMinor, major, xMajor));
    grids->addWidget(
        PairGroup(this, QStringLiteral("Y - Axis Grid"), minor, yMinor, major, yMajor));
    grids->addStretch(1);
    auto* numbers = new QHBoxLayout;
    numbers->addWidget(
        PairGroup(this, QStringLiteral("X - Scale Numbers"), ticks, xTicks, decimals, xDec));
    numbers->addWidget(
        PairGroup(this, QStringLiteral("Y Left - Scale Numbers"), ticks, ylTicks, decimals, ylDec));
    numbers->addWidget(PairGroup(this, QStringLiteral("Y Right - Scale Numbers"), ticks, yrTicks,
                                 decimals, yrDec));
    auto* autos = new QHBoxLayout;
    autos->addWidget(autoX);
    autos->addWidget(autoYL);
    autos->addWidget(autoYR);
    autos->addStretch(1);
    autos->addWidget(clearB);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okBtn);
    buttons->addWidget(cancelBtn_);
    buttons->addWidget(drawGridB);
    buttons->addWidget(goScaleB_);
    buttons->addStretch(1);
    buttons->addWidget(helpB);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grids);
    layout->addLayout(numbers);
    layout->addLayout(autos);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab order as the controls are listed: the boxes, then the buttons.
    QList<QWidget*> order;
    for (const Box& b : boxes_)
        order << b.Edit;
    order << okBtn << cancelBtn_ << helpB << clearB << autoX << autoYL << autoYR << drawGridB
          << goScaleB_;
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    MakeDefaultButton(*this, *okBtn);

    connect(okBtn, &QPushButton::clicked, this, &TGridF::OKBtnClick);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpB, &QPushButton::clicked, this, &TGridF::HelpBClick);
    connect(clearB, &QPushButton::clicked, this, &TGridF::ClearBClick);
    connect(autoX, &QPushButton::clicked, this, &TGridF::AutoXGridBClick);
    connect(autoYL, &QPushButton::clicked, this, &TGridF::AutoYLGridBClick);
    connect(autoYR, &QPushButton::clicked, this, &TGridF::AutoYRGridBClick);
    connect(drawGridB, &QPushButton::clicked, this, &TGridF::DrawGridBClick);
    connect(goScaleB_, &QPushButton::clicked, this, &TGridF::GoScaleBClick);
}

void TGridF::ReadBoxes() {
    for (const Box& b : boxes_)
        rules_.State.*b.Text = b.Edit->text().toStdString();
}

void TGridF::ShowState() {
    const GridDialogState& s = rules_.State;
    for (const Box& b : boxes_) {
        b.Edit->setText(QString::fromStdString(s.*b.Text));
        b.Edit->setEnabled(b.YAxis ? s.YBoxesEnabled : s.XBoxesEnabled);
    }
    cancelBtn_->setVisible(s.CancelShown);
    cancelBtn_->setEnabled(s.CancelShown);
    goScaleB_->setVisible(s.ScaleButtonShown);
}

template <class Fn> void TGridF::Run(Fn event) {
    ReadBoxes();
    event();
    ShowState();
}

void TGridF::FormShow() {
    rules_.Show(scaleDialog_ && scaleDialog_->isVisible());
    ShowState();
    auto* focus = findChild<QLineEdit*>(QString::fromStdString(rules_.State.FocusBox));
    if (focus && focus->isEnabled()) {
        focus->setFocus();
        focus->selectAll();
    } else if (auto* ok = findChild<QPushButton*>(QStringLiteral("OKBtn"))) {
        ok->setFocus(); // both axes logarithmic: no box to type in
    }
}

int TGridF::Execute() {
    FormShow();
    PlaceDialog(*this, context_.MainWidget());
    return exec();
}

void TGridF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceDialog(*this, context_.MainWidget()); // the frame is known now
}

void TGridF::keyPressEvent(QKeyEvent* event) {
    // Escape is "Cancel", which is out of use once the settings have been applied.
    if (event->key() == Qt::Key_Escape && !cancelBtn_->isEnabled()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TGridF::OKBtnClick() {
    Run([this] { rules_.OK(); });
    accept();
}

void TGridF::HelpBClick() {
    context_.ShowHelp(GridHelpContext);
}

void TGridF::ClearBClick() {
    Run([this] { rules_.Clear(); });
}
void TGridF::AutoXGridBClick() {
    Run([this] { rules_.AutoX(); });
}
void TGridF::AutoYLGridBClick() {
    Run([this] { rules_.AutoYL(); });
}
void TGridF::AutoYRGridBClick() {
    Run([this] { rules_.AutoYR(); });
}
void TGridF::DrawGridBClick() {
    Run([this] { rules_.View(); });
}

void TGridF::GoScaleBClick() {
    Run([this] { rules_.GoScale(); });
    if (!scaleDialog_) return;
    scaleDialog_->Execute();
    // The scale dialog's "Find All" resets the counts shown here.
    ShowState();
}

} // namespace torvel
