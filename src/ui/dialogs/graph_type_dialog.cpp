#include "ui/dialogs/graph_type_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace torvel {

namespace {

// A radio group: a captioned box of items named <group>Item<i>, one column.
QButtonGroup* RadioGroup(QWidget* parent, const char* name, const QString& caption,
                         const QStringList& items, QGroupBox** box) {
    *box = new QGroupBox(caption, parent);
    (*box)->setObjectName(QString::fromLatin1(name));
    auto* group = new QButtonGroup(*box);
    auto* layout = new QVBoxLayout(*box);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], *box);
        radio->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item") +
                             QString::number(i));
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    layout->addStretch(1);
    return group;
}

} // namespace

TGTypeF::TGTypeF(AppContext& context, std::function<void(Series&)> fitDialog)
    : PlacedDialog(context, "GTypeF", QStringLiteral("Graph Type Dialog"), false),
      rules_(context.Doc(), context.Fb(), RedrawHooks{[&context] { context.RedrawGraph(); }, {}},
             std::move(fitDialog)) {
    label1_ = MakeSeriesLabel(this);

    // Every caption and item has a letter of its own; "&&" is the items' own "&".
    QGroupBox *typeBox = nullptr, *pointsBox = nullptr, *axisBox = nullptr;
    types_ = RadioGroup(this, "RadioGroup1", QStringLiteral("Graph &Type"),
                        {QStringLiteral("&Line"), QStringLiteral("&Bar"), QStringLiteral("&Fit"),
                         QStringLiteral("N&one"), QStringLiteral("Line && B&ar"),
                         QStringLiteral("Line && F&it"), QStringLiteral("Ba&r && Fit")},
                        &typeBox);
    points_ = RadioGroup(this, "RadioGroup2", QStringLiteral("&Points"),
                         {QStringLiteral("&Show"), QStringLiteral("Hi&de")}, &pointsBox);
    axis_ = RadioGroup(this, "RadioGroup3", QStringLiteral("&Y Axis"),
                       {QStringLiteral("L&eft"), QStringLiteral("Ri&ght")}, &axisBox);
    QPushButton* ok = MakeButton(this, "OKBtn", QStringLiteral("OK"));
    QPushButton* next = MakeButton(this, "NextB", QStringLiteral("&Next"));
    QPushButton* help = MakeButton(this, "Button1", QStringLiteral("&Help"));
    SetDefaultButton(*ok);

    // A type passed on the way by the arrow keys opens no fit dialog.
    new SettledChoice(*types_, [this](int) { RadioGroup1Click(); });
    new SettledChoice(*points_, [this](int) { RadioGroup2Click(); });
    new SettledChoice(*axis_, [this](int) { RadioGroup3Click(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(next, &QPushButton::clicked, this, &TGTypeF::NextBClick);
    connect(help, &QPushButton::clicked, this, &TGTypeF::Button1Click);

    auto* small = new QVBoxLayout;
    small->addWidget(pointsBox);
    small->addWidget(axisBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {ok, next, help})
        buttons->addWidget(b);
    auto* layout = new QGridLayout(this);
    layout->addWidget(label1_, 0, 0, 1, 2);
    layout->addWidget(typeBox, 1, 0);
    layout->addLayout(small, 1, 1);
    layout->addLayout(buttons, 2, 0, 1, 2);
}

void TGTypeF::ShowState() {
    const GraphTypeDialogState& s = rules_.State;
    for (auto [group, id] : {std::pair{types_, s.RadioGroup1}, std::pair{points_, s.RadioGroup2},
                             std::pair{axis_, s.RadioGroup3}}) {
        if (QAbstractButton* b = group->button(id)) b->setChecked(true);
        TabToCheckedOnly(*group);
    }
}

int TGTypeF::Execute(Series& series) {
    rules_.Show(series);
    ShowSeriesNumber(*label1_, QStringLiteral("Series # "), rules_.State.SeriesNumber);
    ShowState();
    if (QAbstractButton* b = types_->checkedButton()) b->setFocus();
    return RunModal();
}

template <typename Rule> void TGTypeF::Run(Rule rule) {
    GraphTypeDialogState& s = rules_.State;
    s.RadioGroup1 = types_->checkedId();
    s.RadioGroup2 = points_->checkedId();
    s.RadioGroup3 = axis_->checkedId();
    (rules_.*rule)();
    ShowState();
}

void TGTypeF::RadioGroup1Click() {
    Run(&GraphTypeDialogRules::GraphTypeChosen);
}
void TGTypeF::RadioGroup2Click() {
    Run(&GraphTypeDialogRules::PointsChosen);
}
void TGTypeF::RadioGroup3Click() {
    Run(&GraphTypeDialogRules::AxisChosen);
}

void TGTypeF::NextBClick() {
    rules_.Next();
    accept();
}

} // namespace torvel
