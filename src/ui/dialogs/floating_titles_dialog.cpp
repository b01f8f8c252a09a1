#include "ui/dialogs/floating_titles_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace torvel {

TTitleFlF::TTitleFlF(AppContext& context, std::function<void()> ensureGraph)
    : PlacedDialog(context, "TitleFlF", QStringLiteral("Floating Titles Dialog"), false, 10),
      rules_(context.Doc(), RedrawHooks{[&context] { context.RedrawGraph(); },
                                        [&context, ensureGraph] {
                                            if (ensureGraph) ensureGraph();
                                            context.RedrawGraph();
                                        }}) {
    auto* grid = new QGridLayout;
    const char* const captions[] = {"&Floating Titles", "&X Position", "&Y Position"};
    QLabel* labels[3] = {};
    for (int c = 0; c < 3; ++c) {
        labels[c] = new QLabel(QString::fromLatin1(captions[c]), this);
        labels[c]->setObjectName(QStringLiteral("Label%1").arg(c + 1));
        grid->addWidget(labels[c], 0, c);
    }
    // Made column by column, Edit1 to Edit30: the tab order they are listed in.
    for (int i = 0; i < 3 * FloatTitleCount; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        edit->setMinimumWidth(i < FloatTitleCount ? 260 : 130);
        grid->addWidget(edit, 1 + i % FloatTitleCount, i / FloatTitleCount);
        edits_[static_cast<std::size_t>(i)] = edit;
    }
    // Each caption's access key goes to the first box of its column.
    for (int c = 0; c < 3; ++c)
        labels[c]->setBuddy(edits_[static_cast<std::size_t>(c * FloatTitleCount)]);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    QPushButton* ok = MakeButton(this, "Button1", QStringLiteral("OK"));
    cancel_ = MakeButton(this, "Button2", QStringLiteral("Cancel"));
    QPushButton* help = MakeButton(this, "Button3", QStringLiteral("&Help"));
    QPushButton* view = MakeButton(this, "Button4", QStringLiteral("&View"));
    SetDefaultButton(*ok);
    connect(ok, &QPushButton::clicked, this, &TTitleFlF::Button1Click);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &TTitleFlF::Button3Click);
    connect(view, &QPushButton::clicked, this, &TTitleFlF::Button4Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {ok, cancel_, help, view})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

int TTitleFlF::Execute() {
    rules_.Show();
    const FloatingTitlesDialogState& s = rules_.State;
    for (std::size_t i = 0; i < FloatTitleCount; ++i) {
        edits_[i]->setText(QString::fromStdString(s.Texts[i]));
        edits_[FloatTitleCount + i]->setText(QString::fromStdString(s.X[i]));
        edits_[2 * FloatTitleCount + i]->setText(QString::fromStdString(s.Y[i]));
    }
    cancel_->setVisible(true);
    cancel_->setEnabled(true);
    edits_[0]->setFocus();
    edits_[0]->selectAll();
    return RunModal();
}

void TTitleFlF::ReadBoxes() {
    FloatingTitlesDialogState& s = rules_.State;
    for (std::size_t i = 0; i < FloatTitleCount; ++i) {
        s.Texts[i] = edits_[i]->text().toStdString();
        s.X[i] = edits_[FloatTitleCount + i]->text().toStdString();
        s.Y[i] = edits_[2 * FloatTitleCount + i]->text().toStdString();
    }
}

void TTitleFlF::Button1Click() {
    ReadBoxes();
    rules_.OK();
    accept();
}

void TTitleFlF::Button4Click() {
    ReadBoxes();
    rules_.View();
    cancel_->setVisible(rules_.State.CancelShown);
    cancel_->setEnabled(rules_.State.CancelShown);
}

} // namespace torvel
