#include "ui/dialogs/scale_dialog_widget.h"

#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/grid_dialog_widget.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace torvel {

namespace {

// The scale dialog sits 5 pixels inside the main window's corner, not 30.
constexpr int ScaleDialogInset = 5;

QLineEdit* MakeBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    // Room for a width-14 number and a little more.
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-0.00000000E+0000")));
    return box;
}

// One axis's group: Max and Min with their boxes, then "Find" and "Auto".
QGroupBox* AxisGroup(QWidget* parent, const QString& title, const char* groupName, QLineEdit* max,
                     QLineEdit* min, QPushButton* find, QPushButton* autoB) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QString::fromLatin1(groupName));
    max->setParent(group);
    min->setParent(group);
    find->setParent(group);
    autoB->setParent(group);
    auto* layout = new QGridLayout(group);
    auto* maxLabel = new QLabel(QStringLiteral("Max"), group);
    maxLabel->setBuddy(max);
    auto* minLabel = new QLabel(QStringLiteral("Min"), group);
    minLabel->setBuddy(min);
    layout->addWidget(maxLabel, 0, 0);
    layout->addWidget(max, 0, 1);
    layout->addWidget(minLabel, 1, 0);
    layout->addWidget(min, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(find);
    buttons->addWidget(autoB);
    layout->addLayout(buttons, 2, 0, 1, 2);
    return group;
}

} // namespace

TScaleF::TScaleF(AppContext& context, RedrawHooks redraw, GridDialogRules& grid, QWidget* parent)
    : QDialog(parent ? parent : context.MainWidget()), context_(context),
      rules_(context.Doc(), context.Fb(), std::move(redraw), grid) {
    setObjectName(QStringLiteral("ScaleF"));
    setWindowTitle(QStringLiteral("Scale  Dialog"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);

    maxX_ = MakeBox(this, "MaxX");
    minX_ = MakeBox(this, "MinX");
    maxYL_ = MakeBox(this, "MaxYL");
    minYL_ = MakeBox(this, "MinYL");
    maxYR_ = MakeBox(this, "MaxYR");
    minYR_ = MakeBox(this, "MinYR");

    auto* autoGroup = new QGroupBox(QStringLiteral("&Multi-Scale"), this);
    autoGroup->setObjectName(QStringLiteral("AutoBox"));
    autoBox_ = new QButtonGroup(autoGroup);
    auto* autoLayout = new QHBoxLayout(autoGroup);
    const char* const items[] = {"X", "Y", "Both", "Disable"};
    QList<QWidget*> radios;
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(items[i]), autoGroup);
        radio->setObjectName(QStringLiteral("AutoBoxItem") + QString::number(i));
        autoBox_->addButton(radio, i);
        autoLayout->addWidget(radio);
        radios << radio;
    }

    // Three "Find" and three "Auto": each its own letter, left to right.
    QPushButton* button1 = MakeButton(this, "Button1", QStringLiteral("&Find"));
    QPushButton* button2 = MakeButton(this, "Button2", QStringLiteral("F&ind"));
    QPushButton* button3 = MakeButton(this, "Button3", QStringLiteral("Fi&nd"));
    QPushButton* autoBX = MakeButton(this, "AutoBX", QStringLiteral("A&uto"));
    QPushButton* autoBYL = MakeButton(this, "AutoBYL", QStringLiteral("Au&to"));
    QPushButton* autoBYR = MakeButton(this, "AutoBYR", QStringLiteral("Aut&o"));
    QPushButton* setMaxMin1 = MakeButton(this, "SetMaxMin1", QStringLiteral("Find &All"));
    okBtn_ = MakeButton(this, "OKBtn", QStringLiteral("OK"));
    cancelBtn_ = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
    goGridB_ = MakeButton(this, "GoGridB", QStringLiteral("&Grid"));
    QPushButton* drawScaleB = MakeButton(this, "DrawScaleB", QStringLiteral("&View"));
    QPushButton* button4 = MakeButton(this, "Button4", QStringLiteral("&Help"));

    auto* axes = new QHBoxLayout;
    axes->addWidget(AxisGroup(this, QStringLiteral("&X - Axis Scale"), "GroupBox1", maxX_, minX_,
                              button1, autoBX));
    axes->addWidget(AxisGroup(this, QStringLiteral("Y &Left  -  Axis Scale"), "GroupBox2", maxYL_,
                              minYL_, button2, autoBYL));
    axes->addWidget(AxisGroup(this, QStringLiteral("Y &Right  -  Axis Scale"), "GroupBox3", maxYR_,
                              minYR_, button3, autoBYR));
    auto* middle = new QHBoxLayout;
    middle->addWidget(autoGroup, 1);
    middle->addWidget(setMaxMin1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okBtn_);
    buttons->addWidget(cancelBtn_);
    buttons->addWidget(goGridB_);
    buttons->addWidget(drawScaleB);
    buttons->addStretch(1);
    buttons->addWidget(button4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(axes);
    layout->addLayout(middle);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab goes down each axis's column (Max, Min, Find, Auto), then the choice
    // and the buttons below.
    QList<QWidget*> order{maxX_,   minX_,   button1, autoBX, maxYL_,  minYL_,
                          button2, autoBYL, maxYR_,  minYR_, button3, autoBYR};
    order += radios;
    order += {setMaxMin1, okBtn_, cancelBtn_, goGridB_, drawScaleB, button4};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    MakeDefaultButton(*this, *okBtn_);

    connect(okBtn_, &QPushButton::clicked, this, &TScaleF::OKBtnClick);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(button1, &QPushButton::clicked, this, &TScaleF::Button1Click);
    connect(button2, &QPushButton::clicked, this, &TScaleF::Button2Click);
    connect(button3, &QPushButton::clicked, this, &TScaleF::Button3Click);
    connect(autoBX, &QPushButton::clicked, this, &TScaleF::AutoBXClick);
    connect(autoBYL, &QPushButton::clicked, this, &TScaleF::AutoBYLClick);
    connect(autoBYR, &QPushButton::clicked, this, &TScaleF::AutoBYRClick);
    connect(setMaxMin1, &QPushButton::clicked, this, &TScaleF::SetMaxMin1Click);
    connect(goGridB_, &QPushButton::clicked, this, &TScaleF::GoGridBClick);
    connect(drawScaleB, &QPushButton::clicked, this, &TScaleF::DrawScaleBClick);
    connect(button4, &QPushButton::clicked, this, &TScaleF::Button4Click);
    // Only a new choice counts, and one passed on the way by the arrow keys is none.
    new SettledChoice(*autoBox_, [this](int id) {
        if (id != rules_.State.AutoBox) AutoBoxClick(id);
    });
}

void TScaleF::ReadBoxes() {
    RangeTexts& b = rules_.State.Boxes;
    b.MaxX = maxX_->text().toStdString();
    b.MinX = minX_->text().toStdString();
    b.MaxYL = maxYL_->text().toStdString();
    b.MinYL = minYL_->text().toStdString();
    b.MaxYR = maxYR_->text().toStdString();
    b.MinYR = minYR_->text().toStdString();
    if (autoBox_->checkedId() >= 0) rules_.State.AutoBox = autoBox_->checkedId();
}

void TScaleF::ShowState() {
    const ScaleDialogState& s = rules_.State;
    maxX_->setText(QString::fromStdString(s.Boxes.MaxX));
    minX_->setText(QString::fromStdString(s.Boxes.MinX));
    maxYL_->setText(QString::fromStdString(s.Boxes.MaxYL));
    minYL_->setText(QString::fromStdString(s.Boxes.MinYL));
    maxYR_->setText(QString::fromStdString(s.Boxes.MaxYR));
    minYR_->setText(QString::fromStdString(s.Boxes.MinYR));
    {
        // The rules chose this item themselves; it is no new choice.
        const QSignalBlocker block(autoBox_);
        if (QAbstractButton* item = autoBox_->button(s.AutoBox)) item->setChecked(true);
    }
    TabToCheckedOnly(*autoBox_);
    cancelBtn_->setVisible(s.CancelShown);
    cancelBtn_->setEnabled(s.CancelShown);
    goGridB_->setVisible(s.GridButtonShown);
}

template <class Fn> void TScaleF::Run(Fn event) {
    ReadBoxes();
    event();
    ShowState();
}

void TScaleF::FormShow() {
    const bool gridVisible = gridDialog_ && gridDialog_->isVisible();
    rules_.Show(gridVisible);
    ShowState();
    maxX_->setFocus();
    maxX_->selectAll();
}

int TScaleF::Execute() {
    FormShow();
    PlaceDialog(*this, context_.MainWidget(), ScaleDialogInset);
    return exec();
}

void TScaleF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceDialog(*this, context_.MainWidget(), ScaleDialogInset); // the frame is known now
}

void TScaleF::keyPressEvent(QKeyEvent* event) {
    // Escape is "Cancel", which is out of use once "View" has applied the boxes.
    if (event->key() == Qt::Key_Escape && !cancelBtn_->isEnabled()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TScaleF::OKBtnClick() {
    Run([this] { rules_.OK(); });
    accept();
}

void TScaleF::Button1Click() {
    Run([this] { rules_.FindX(); });
}
void TScaleF::Button2Click() {
    Run([this] { rules_.FindYL(); });
}
void TScaleF::Button3Click() {
    Run([this] { rules_.FindYR(); });
}
void TScaleF::AutoBXClick() {
    Run([this] { rules_.AutoX(); });
}
void TScaleF::AutoBYLClick() {
    Run([this] { rules_.AutoYL(); });
}
void TScaleF::AutoBYRClick() {
    Run([this] { rules_.AutoYR(); });
}
void TScaleF::SetMaxMin1Click() {
    Run([this] { rules_.FindAll(); });
}

void TScaleF::GoGridBClick() {
    Run([this] { rules_.GoGrid(); });
    if (gridDialog_) gridDialog_->Execute();
}

void TScaleF::DrawScaleBClick() {
    Run([this] { rules_.View(); });
}

void TScaleF::Button4Click() {
    context_.ShowHelp(ScaleHelpContext);
}

void TScaleF::AutoBoxClick(int choice) {
    ReadBoxes();
    rules_.State.AutoBox = choice;
    rules_.AutoBoxChanged();
    ShowState();
}

} // namespace torvel
