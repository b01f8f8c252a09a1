#include "ui/dialogs/import_table_dialog.h"

#include "core/number_text.h"
#include "files/table_file.h"
#include "ui/dialogs/dialog_support.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace torvel {

// The preview's cells as the data windows will show them; cells that load
// empty because they are no number are marked.
class TablePreviewModel : public QAbstractTableModel {
  public:
    explicit TablePreviewModel(const ImportTableState& state, QObject* parent)
        : QAbstractTableModel(parent), state_(state) {}

    void Reset() {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(state_.Preview.Rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : state_.Preview.Columns;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const auto& row = state_.Preview.Rows[static_cast<std::size_t>(index.row())];
        const TableCell& cell = row[static_cast<std::size_t>(index.column())];
        const ColumnRole loads = RoleOf(state_.Format, index.column() + 1);
        const bool blankRow =
            std::all_of(row.begin(), row.end(), [](const TableCell& c) { return c.Text.empty(); });
        const bool marked = loads != ColumnRole::Unused && !cell.Number && !blankRow;
        switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(cell.Number ? NumberToText(cell.Value, 14) : cell.Text);
        case Qt::BackgroundRole:
            if (marked) return QColor(255, 214, 214);
            if (loads == ColumnRole::Unused) return QColor(236, 236, 236);
            return {};
        case Qt::ForegroundRole:
            return loads == ColumnRole::Unused ? QColor(Qt::darkGray) : QVariant();
        case Qt::ToolTipRole:
            return marked ? QStringLiteral("Not a number: loads as an empty cell") : QVariant();
        default:
            return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return {};
        if (orientation == Qt::Vertical)
            return QStringLiteral("line %1").arg(
                state_.Preview.Lines[static_cast<std::size_t>(section)]);
        QString title = QString::number(section + 1);
        const auto& names = state_.Preview.Names;
        if (static_cast<std::size_t>(section) < names.size() &&
            !names[static_cast<std::size_t>(section)].empty())
            title += QStringLiteral(": ") +
                     QString::fromStdString(names[static_cast<std::size_t>(section)]);
        switch (RoleOf(state_.Format, section + 1)) {
        case ColumnRole::X:
            return title + QStringLiteral("\nX");
        case ColumnRole::Series:
            return title + QStringLiteral("\nY (new series)");
        case ColumnRole::Unused:
            break;
        }
        return title + QStringLiteral("\nnot loaded");
    }

  private:
    const ImportTableState& state_;
};

namespace {

constexpr char SeparatorChars[] = {',', ';', '\t', BlankSeparator};

QString ColumnText(const std::vector<std::string>& names, int column) {
    QString text = QString::number(column);
    const auto i = static_cast<std::size_t>(column - 1);
    if (i < names.size() && !names[i].empty())
        text += QStringLiteral(": ") + QString::fromStdString(names[i]);
    return text;
}

} // namespace

TImportTableF::TImportTableF(ImportTableState state, Feedback& feedback, QWidget* parent)
    : QDialog(parent), state_(std::move(state)), feedback_(feedback) {
    setObjectName(QStringLiteral("TImportTableF"));
    setWindowTitle(QStringLiteral("%1 - %2").arg(QString::fromLatin1(ImportTableCaption),
                                                 QString::fromStdString(state_.Path)));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    separator_ = new QComboBox(this);
    separator_->setObjectName(QStringLiteral("SeparatorBox"));
    separator_->addItems({QStringLiteral("Comma"), QStringLiteral("Semicolon"),
                          QStringLiteral("Tab"), QStringLiteral("Blanks"),
                          QStringLiteral("Other:")});
    other_ = new QLineEdit(this);
    other_->setObjectName(QStringLiteral("OtherSeparator"));
    other_->setMaxLength(1);
    other_->setFixedWidth(other_->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 12);
    decimal_ = new QComboBox(this);
    decimal_->setObjectName(QStringLiteral("DecimalBox"));
    decimal_->addItems({QStringLiteral("Point (1.5)"), QStringLiteral("Comma (1,5)")});
    header_ = new QSpinBox(this);
    header_->setObjectName(QStringLiteral("HeaderLine"));
    header_->setRange(0, 1'000'000'000);
    header_->setSpecialValueText(QStringLiteral("None"));
    skip_ = new QSpinBox(this);
    skip_->setObjectName(QStringLiteral("SkipLines"));
    skip_->setRange(0, 1'000'000'000);
    comments_ = new QCheckBox(QStringLiteral("Pass over lines starting with # or %"), this);
    comments_->setObjectName(QStringLiteral("CommentsBox"));
    xColumn_ = new QComboBox(this);
    xColumn_->setObjectName(QStringLiteral("XColumnBox"));
    series_ = new QListWidget(this);
    series_->setObjectName(QStringLiteral("SeriesList"));
    series_->setMaximumHeight(120);
    model_ = new TablePreviewModel(state_, this);
    preview_ = new QTableView(this);
    preview_->setObjectName(QStringLiteral("Preview"));
    preview_->setModel(model_);
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->horizontalHeader()->setDefaultSectionSize(110);
    preview_->verticalHeader()->setDefaultSectionSize(preview_->fontMetrics().height() + 6);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("NoteLabel"));
    note_->setWordWrap(true);

    auto* sepRow = new QHBoxLayout;
    sepRow->addWidget(separator_, 1);
    sepRow->addWidget(other_);
    auto* form = new QFormLayout;
    auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        l->setBuddy(buddy);
        return l;
    };
    form->addRow(label("&Separator:", separator_), sepRow);
    form->addRow(label("&Decimal separator:", decimal_), decimal_);
    form->addRow(label("&Header line:", header_), header_);
    form->addRow(label("&Lines to skip:", skip_), skip_);
    form->addRow(label("Co&mments:", comments_), comments_);
    form->addRow(label("&X column:", xColumn_), xColumn_);
    form->addRow(label("Load as se&ries:", series_), series_);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = MakeButton(this, "OKBtn", QStringLiteral("OK"));
    auto* cancel = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
    auto* help = MakeButton(this, "HelpBtn", QStringLiteral("&Help"));
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    buttons->addButton(help, QDialogButtonBox::HelpRole);
    connect(ok_, &QPushButton::clicked, this, &TImportTableF::accept);
    connect(cancel, &QPushButton::clicked, this, &TImportTableF::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { emit HelpRequested(ImportTableHelpContext); });
    MakeDefaultButton(*this, *ok_);

    auto* top = new QHBoxLayout;
    top->addLayout(form, 0);
    auto* right = new QVBoxLayout;
    right->addWidget(label("Pre&view (first rows, as they will load):", preview_));
    right->addWidget(preview_, 1);
    right->addWidget(note_);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);
    resize(980, 520);

    connect(separator_, &QComboBox::currentIndexChanged, this, [this] { SeparatorChosen(); });
    connect(other_, &QLineEdit::textEdited, this, [this] { SeparatorChosen(); });
    // Each box's change runs its rule, then the dialog shows the new state.
    auto rule = [this](auto apply) {
        return [this, apply](auto value) {
            if (showing_) return;
            apply(value);
            Show();
        };
    };
    connect(decimal_, &QComboBox::currentIndexChanged, this,
            rule([this](int i) { ImportDecimalChanged(state_, i == 1 ? ',' : '.'); }));
    connect(header_, &QSpinBox::valueChanged, this,
            rule([this](int v) { ImportHeaderChanged(state_, v); }));
    connect(skip_, &QSpinBox::valueChanged, this,
            rule([this](int v) { ImportSkipChanged(state_, v); }));
    connect(comments_, &QCheckBox::toggled, this,
            rule([this](bool on) { ImportCommentsChanged(state_, on); }));
    // Item 0 of the X column box is the row number.
    connect(xColumn_, &QComboBox::currentIndexChanged, this,
            rule([this](int i) { ImportXColumnChanged(state_, i); }));
    connect(series_, &QListWidget::itemChanged, this, &TImportTableF::SeriesItemChanged);
    Show();
}

TImportTableF::~TImportTableF() = default;

void TImportTableF::SeparatorChosen() {
    if (showing_) return;
    const int i = separator_->currentIndex();
    char c = i >= 0 && i < 4 ? SeparatorChars[i] : 0;
    if (i == 4) {
        const QString typed = other_->text();
        if (typed.isEmpty()) {
            other_->setEnabled(true);
            other_->setFocus();
            return; // waits for the character
        }
        c = typed.size() == 1 && typed[0].unicode() < 0x80 ? typed[0].toLatin1() : '\x01';
    }
    ImportSeparatorChanged(state_, c, feedback_);
    Show();
}

void TImportTableF::SeriesItemChanged(QListWidgetItem* item) {
    if (showing_) return;
    const int column = series_->row(item) + 1;
    ImportSeriesToggled(state_, column, item->checkState() == Qt::Checked, feedback_);
    Show();
}

void TImportTableF::Show() {
    showing_ = true;
    const TableFormat& f = state_.Format;
    const auto* known =
        std::find(std::begin(SeparatorChars), std::end(SeparatorChars), f.Separator);
    const bool other = known == std::end(SeparatorChars);
    separator_->setCurrentIndex(other ? 4 : static_cast<int>(known - std::begin(SeparatorChars)));
    if (other) other_->setText(QString(QChar::fromLatin1(f.Separator)));
    other_->setEnabled(other || separator_->currentIndex() == 4);
    decimal_->setCurrentIndex(f.Decimal == ',' ? 1 : 0);
    header_->setValue(f.HeaderLine);
    skip_->setValue(f.SkipLines);
    comments_->setChecked(f.Comments);

    // The column lists are made again only when the columns changed.
    if (listedColumns_ != f.Columns || listed_ != state_.Preview.Names) {
        listedColumns_ = f.Columns;
        listed_ = state_.Preview.Names;
        xColumn_->clear();
        series_->clear();
        QStringList columns;
        for (int c = 1; c <= f.Columns; ++c)
            columns << ColumnText(listed_, c);
        xColumn_->addItem(QStringLiteral("Row number"));
        xColumn_->addItems(columns);
        series_->addItems(columns);
    }
    xColumn_->setCurrentIndex(f.XColumn);
    for (int c = 1; c <= f.Columns; ++c) {
        QListWidgetItem* item = series_->item(c - 1);
        const ColumnRole role = RoleOf(f, c);
        item->setFlags(role == ColumnRole::X
                           ? Qt::ItemIsUserCheckable
                           : Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(role == ColumnRole::Series ? Qt::Checked : Qt::Unchecked);
    }
    model_->Reset();
    QString note = QString::fromStdString(state_.Note);
    if (note.isEmpty() && state_.Preview.More)
        note = QStringLiteral("The preview shows the first rows; the whole file loads.");
    note_->setText(note);
    ok_->setEnabled(state_.CanLoad);
    showing_ = false;
}

void TImportTableF::accept() {
    if (!state_.CanLoad) {
        feedback_.Beep(state_.Note);
        return;
    }
    // A file changed since it was previewed is shown again before it loads.
    if (TableFileChanged(state_.Head, state_.Path)) {
        TableHead head = ReadTableHead(state_.Path);
        if (!head.Problem.empty()) {
            feedback_.Message(MessageKind::Error, head.Problem, MessageButtons::Ok);
            reject();
            return;
        }
        ImportFileChanged(state_, std::move(head));
        Show();
        return;
    }
    QDialog::accept();
}

} // namespace torvel
