#include "ui/dialogs/fill_cells_dialog.h"

#include "ui/dialogs/operate_buttons.h"
#include "ui/spread_window.h"
#include "ui/work_progress.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace torvel {

TFillF::TFillF(AppContext& context)
    : PlacedDialog(context, "FillF", QString::fromLatin1(FillCaption), false),
      rules_(context.Doc(), context.Fb(), RedrawHooks{[&context] { context.RedrawGraph(); }, {}}) {
    label1_ = MakeSeriesLabel(this);

    // Created in the tab order: the column, the limits, then the buttons.
    auto* operateOnBox = new QGroupBox(QStringLiteral("Operate on"), this);
    operateOnBox->setObjectName(QStringLiteral("OperateOnBox"));
    operateOn_ = new QButtonGroup(operateOnBox);
    auto* radios = new QVBoxLayout(operateOnBox);
    for (int i = 0; i < static_cast<int>(OperateOnItems.size()); ++i) {
        auto* radio = new QRadioButton(
            QString::fromLatin1(OperateOnItems[static_cast<std::size_t>(i)]), operateOnBox);
        radio->setObjectName(QStringLiteral("OperateOnBoxItem%1").arg(i));
        operateOn_->addButton(radio, i);
        radios->addWidget(radio);
    }
    KeepTabOnChecked(*operateOn_);

    auto* limits = new QGroupBox(QStringLiteral("Select Fill Limits"), this);
    limits->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(limits);
    for (int i = 0; i < 4; ++i) {
        auto* edit = new QLineEdit(limits);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        auto* label =
            new QLabel(QString::fromLatin1(FillLabels[static_cast<std::size_t>(i)]), limits);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 2));
        label->setBuddy(edit);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        edits_[static_cast<std::size_t>(i)] = edit;
    }

    auto* left = new QVBoxLayout;
    left->addWidget(label1_);
    left->addWidget(operateOnBox);
    left->addWidget(limits);
    LayOutWithOperateButtons(*this, left,
                             {[this] { ButtonOperateClick(); }, [this] { ButtonOKClick(); },
                              [this] { NextBClick(); }, [this] { ButtonHelpClick(); }});
}

void TFillF::ReadBoxes() {
    FillDialogState& s = rules_.State;
    s.OperateOnBox = operateOn_->checkedId() == 1 ? 1 : 0;
    s.Edit1 = edits_[0]->text().toStdString();
    s.Edit2 = edits_[1]->text().toStdString();
    s.Edit3 = edits_[2]->text().toStdString();
    s.Edit4 = edits_[3]->text().toStdString();
}

void TFillF::ShowBoxes() {
    const FillDialogState& s = rules_.State;
    if (QAbstractButton* b = operateOn_->button(s.OperateOnBox)) b->setChecked(true);
    edits_[0]->setText(QString::fromStdString(s.Edit1));
    edits_[1]->setText(QString::fromStdString(s.Edit2));
    edits_[2]->setText(QString::fromStdString(s.Edit3));
    edits_[3]->setText(QString::fromStdString(s.Edit4));
}

int TFillF::Execute(TSpreadF& window) {
    if (window.Detached()) return Rejected;
    window_ = &window;
    ReadBoxes(); // what the user left there last time stays
    rules_.Show(window.GetSeries());
    ShowBoxes();
    ShowSeriesNumber(*label1_, QStringLiteral("Series # "), window.GetSeries().SeriesNumber);
    ShowSeriesBackground(*this, *label1_, window.GetSeries().SeriesNumber);
    edits_[0]->setFocus();
    edits_[0]->selectAll();
    const int result = RunModal();
    window_ = nullptr;
    return result;
}

void TFillF::ButtonOperateClick() {
    if (!window_ || window_->Detached()) return;
    ReadBoxes();
    {
        WorkProgress work(this, QStringLiteral("Filling"));
        if (rules_.Operate(window_->GetSeries())) window_->RefreshGrid();
    }
    ShowBoxes();
    if (!rules_.State.FailedBox.empty()) {
        if (auto* box = findChild<QLineEdit*>(QString::fromStdString(rules_.State.FailedBox))) {
            box->setFocus();
            box->selectAll();
        }
    }
}

void TFillF::NextBClick() {
    rules_.Next();
    accept();
}

} // namespace torvel
