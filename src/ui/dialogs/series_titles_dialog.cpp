#include "ui/dialogs/series_titles_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace torvel {

TTitleSerF::TTitleSerF(AppContext& context)
    : PlacedDialog(context, "TitleSerF", QStringLiteral("Series Title  Dialog"), true),
      rules_(context.Doc(), context.Fb(), RedrawHooks{[&context] { context.RedrawGraph(); }, {}}) {
    label1_ = new QLabel(QStringLiteral("Series #1"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    QFont bold = label1_->font();
    bold.setBold(true);
    label1_->setFont(bold);

    auto* titleGroup = new QGroupBox(QStringLiteral("Series &Title \"Text\""), this);
    titleGroup->setObjectName(QStringLiteral("GroupBox1"));
    titSer1_ = new QLineEdit(titleGroup);
    titSer1_->setObjectName(QStringLiteral("TitSer1"));
    titSer1_->setMinimumWidth(300);
    (new QVBoxLayout(titleGroup))->addWidget(titSer1_);

    // Created in the tab order: the box, the dialog's buttons, then the group's.
    QPushButton* ok = MakeButton(this, "OKBtn", QStringLiteral("OK"));
    cancelBtn_ = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
    QPushButton* next = MakeButton(this, "Button6", QStringLiteral("&Next"));
    QPushButton* help = MakeButton(this, "Button1", QStringLiteral("&Help"));
    auto* autoGroup = new QGroupBox(QStringLiteral("Auto Label All"), this);
    autoGroup->setObjectName(QStringLiteral("GroupBox2"));
    QPushButton* b2 = MakeButton(autoGroup, "Button2", QStringLiteral("&Series + ##"));
    QPushButton* b3 = MakeButton(autoGroup, "Button3", QStringLiteral("\"Te&xt\" + ##"));
    QPushButton* b4 = MakeButton(autoGroup, "Button4", QStringLiteral("\"Text \" &only"));
    QPushButton* b5 = MakeButton(autoGroup, "Button5", QStringLiteral("&Clear"));
    auto* autoLayout = new QHBoxLayout(autoGroup);
    for (QPushButton* b : {b2, b3, b4, b5})
        autoLayout->addWidget(b);
    SetDefaultButton(*ok);

    connect(ok, &QPushButton::clicked, this, &TTitleSerF::OKBtnClick);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(next, &QPushButton::clicked, this, &TTitleSerF::Button6Click);
    connect(help, &QPushButton::clicked, this, &TTitleSerF::Button1Click);
    connect(b2, &QPushButton::clicked, this, &TTitleSerF::Button2Click);
    connect(b3, &QPushButton::clicked, this, &TTitleSerF::Button3Click);
    connect(b4, &QPushButton::clicked, this, &TTitleSerF::Button4Click);
    connect(b5, &QPushButton::clicked, this, &TTitleSerF::Button5Click);

    auto* left = new QVBoxLayout;
    left->addWidget(label1_);
    left->addWidget(titleGroup);
    left->addWidget(autoGroup);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {ok, cancelBtn_, next, help})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
}

void TTitleSerF::ShowState() {
    titSer1_->setText(QString::fromStdString(rules_.State.TitSer1));
    cancelBtn_->setVisible(rules_.State.CancelShown);
    cancelBtn_->setEnabled(rules_.State.CancelShown);
}

int TTitleSerF::Execute(Series& series) {
    rules_.Show(series);
    ShowSeriesNumber(*label1_, QStringLiteral("Series #"), rules_.State.SeriesNumber);
    ShowState();
    titSer1_->setFocus();
    titSer1_->selectAll();
    return RunModal();
}

template <typename Rule> void TTitleSerF::Run(Rule rule) {
    rules_.State.TitSer1 = titSer1_->text().toStdString();
    (rules_.*rule)();
    ShowState();
}

void TTitleSerF::OKBtnClick() {
    Run(&SeriesTitleDialogRules::OK);
    accept();
}

void TTitleSerF::Button6Click() {
    Run(&SeriesTitleDialogRules::Next);
    accept();
}

void TTitleSerF::Button2Click() {
    Run(&SeriesTitleDialogRules::SeriesPlusNumber);
}
void TTitleSerF::Button3Click() {
    Run(&SeriesTitleDialogRules::TextPlusNumber);
}
void TTitleSerF::Button4Click() {
    Run(&SeriesTitleDialogRules::TextOnly);
}
void TTitleSerF::Button5Click() {
    Run(&SeriesTitleDialogRules::Clear);
}

} // namespace torvel
