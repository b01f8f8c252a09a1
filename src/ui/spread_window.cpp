#include "ui/spread_window.h"

#include "commands/data_commands.h"
#include "core/out_of_memory.h"
#include "fit/fit_dialog.h"

#include "ui/child_window.h"
#include "ui/printing.h"
#include "ui/series_table_model.h"
#include "ui/work_progress.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>

#include <algorithm>
#include <climits>
#include <memory>

namespace torvel {

namespace {

// The columns' header, drawn without asking which columns are selected (it
// never highlights them): the toolkit asks that of every row of a column, a
// tenth of a second at each paint of a window of millions of rows.
class ColumnHeader : public QHeaderView {
  public:
    explicit ColumnHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logical) const override {
        if (!rect.isValid() || !model()) return;
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        if (window()->isActiveWindow()) opt.state |= QStyle::State_Active;
        opt.rect = rect;
        opt.section = logical;
        auto role = [&](int r) { return model()->headerData(logical, Qt::Horizontal, r); };
        opt.text = role(Qt::DisplayRole).toString();
        if (const QVariant a = role(Qt::TextAlignmentRole); a.isValid())
            opt.textAlignment = a.value<Qt::Alignment>();
        const int visual = visualIndex(logical), last = count() - 1;
        opt.position = last == 0        ? QStyleOptionHeader::OnlyOneSection
                       : visual == 0    ? QStyleOptionHeader::Beginning
                       : visual == last ? QStyleOptionHeader::End
                                        : QStyleOptionHeader::Middle;
        opt.selectedPosition = QStyleOptionHeader::NotAdjacent;
        if (const QVariant fg = role(Qt::ForegroundRole); fg.canConvert<QBrush>())
            opt.palette.setBrush(QPalette::ButtonText, fg.value<QBrush>());
        const QPointF origin = painter->brushOrigin();
        if (const QVariant bg = role(Qt::BackgroundRole); bg.canConvert<QBrush>()) {
            opt.palette.setBrush(QPalette::Button, bg.value<QBrush>());
            opt.palette.setBrush(QPalette::Window, bg.value<QBrush>());
            painter->setBrushOrigin(opt.rect.topLeft());
        }
        style()->drawControl(QStyle::CE_Header, &opt, painter, this);
        painter->setBrushOrigin(origin);
    }
};

// The X and Y columns as clipboard text, made when it is asked for from a
// copy of the series as it was: its rows are shared with the series until
// either changes, where the text of millions of rows would take more memory
// than the rows themselves.
class SeriesText : public QMimeData {
  public:
    explicit SeriesText(const Series& series) {
        AllocationCheckpoint(); // the copy's texts and fit
        series_ = std::make_unique<Series>(series);
        series_->Measured = {};
    }
    QStringList formats() const override { return {QStringLiteral("text/plain")}; }
    bool hasFormat(const QString& type) const override { return formats().contains(type); }

  protected:
    QVariant retrieveData(const QString& type, QMetaType) const override {
        if (!hasFormat(type)) return {};
        try {
            const std::string text = DuplicateText(*series_);
            return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
        } catch (const std::bad_alloc&) {
            return {}; // too large to hand over now: the clipboard reads as empty
        }
    }

  private:
    std::unique_ptr<Series> series_;
};

// How much clipboard text a paste reads.
constexpr int PasteLimit = 99999;

bool IsModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

Qt::KeyboardModifiers HeldModifiers(const QKeyEvent* event) {
    return event->modifiers() &
           (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

bool ShiftAndCtrl(Qt::KeyboardModifiers mods) {
    return (mods & Qt::ShiftModifier) && (mods & Qt::ControlModifier);
}

// A key that types a character (not a command).
bool TypesText(const QKeyEvent* event) {
    if (HeldModifiers(event) & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

bool IsEditableColumn(int col) {
    return col == XColumn || col == YColumn;
}

// Hands the keys and double clicks of the in-cell editor to the grid first.
class SpreadDelegate : public QStyledItemDelegate {
  public:
    explicit SpreadDelegate(SpreadGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (grid_.EditorKeyPress(static_cast<QKeyEvent*>(event))) return true;
            break;
        case QEvent::ShortcutOverride: {
            // Cut, Copy and Paste act on cells even while a cell is being edited.
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
                key->matches(QKeySequence::Paste)) {
                event->ignore();
                return true;
            }
            // Undo and Redo are the editor's own while it has typing to take
            // back, the document's otherwise.
            auto* line = qobject_cast<QLineEdit*>(object);
            if (line && ((key->matches(QKeySequence::Undo) && !line->isUndoAvailable()) ||
                         (key->matches(QKeySequence::Redo) && !line->isRedoAvailable()))) {
                event->ignore();
                return true;
            }
            break;
        }
        case QEvent::MouseButtonDblClick:
            grid_.EditorDoubleClick();
            return true;
        default:
            break;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

  private:
    SpreadGrid& grid_;
};

} // namespace

// ---------------------------------------------------------------------------
// SpreadGrid

SpreadGrid::SpreadGrid(TSpreadF& owner, SeriesTableModel& model, QWidget* parent)
    : QTableView(parent), owner_(owner), model_(model) {
    // The rows' header keeps a size and a start per row (twice over while it
    // grows), and the window must still be drawn; the toolkit cannot report a
    // failed allocation of either, so a long series asks for them first.
    constexpr std::size_t HeaderBytesPerRow = 24;
    constexpr std::size_t DrawingReserve = std::size_t{16} << 20;
    RequireMemory(static_cast<std::size_t>(model_.rowCount()) * HeaderBytesPerRow + DrawingReserve);

    // Uniform row heights and no per-row work: long series scroll smoothly.
    // Set before the model, so that the rows are made at their height at once
    // rather than each resized afterwards.
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    setHorizontalHeader(new ColumnHeader(this));
    setModel(&model_);
    setItemDelegate(new SpreadDelegate(*this));
    setEditTriggers(NoEditTriggers); // editing is switched by the window
    setSelectionMode(ContiguousSelection);
    setSelectionBehavior(SelectItems);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(true); // Tab reaches keyPressEvent
    setCornerButtonEnabled(false);
    setAlternatingRowColors(false);

    QHeaderView* cols = horizontalHeader();
    cols->setSectionResizeMode(QHeaderView::Interactive);
    cols->setDefaultSectionSize(128);
    cols->setStretchLastSection(false);
    cols->setHighlightSections(false);
    cols->setSectionsClickable(false);
    cols->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setColumnWidth(IndexColumn, 64);
    for (int c = XColumn; c <= YFitColumn; ++c)
        setColumnWidth(c, 128);
}

QLineEdit* SpreadGrid::Editor() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return nullptr;
    return qobject_cast<QLineEdit*>(indexWidget(current));
}

bool SpreadGrid::EditorOpen() const {
    return Editor() != nullptr;
}

void SpreadGrid::SetCurrentCell(CellPos pos) {
    const Series* series = model_.GetSeries();
    if (!series || series->IndexCount < 1) return;
    pos.Col = std::clamp(pos.Col, static_cast<int>(XColumn), static_cast<int>(YFitColumn));
    pos.Row = std::clamp(pos.Row, 1, series->IndexCount);
    const QModelIndex index = model_.index(pos.Row - 1, pos.Col);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

CellPos SpreadGrid::CurrentCell() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return {XColumn, 1};
    return {std::max(current.column(), static_cast<int>(XColumn)), current.row() + 1};
}

CellRect SpreadGrid::Selection() const {
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        const CellPos at = CurrentCell();
        return {at.Col, at.Row, at.Col, at.Row};
    }
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const QItemSelectionRange& range : selection) {
        left = std::min(left, range.left());
        right = std::max(right, range.right());
        top = std::min(top, range.top() + 1);
        bottom = std::max(bottom, range.bottom() + 1);
    }
    left = std::max(left, static_cast<int>(XColumn));
    if (right < left) right = left;
    return {left, top, right, bottom};
}

bool SpreadGrid::OpenEditor(QKeyEvent* forward) {
    const QModelIndex current = currentIndex();
    Series* series = model_.GetSeries();
    if (!series || !current.isValid() || !IsEditableColumn(current.column())) return false;
    editingOn_ = true;
    if (QLineEdit* open = Editor()) {
        if (forward) QCoreApplication::sendEvent(open, forward);
        return true;
    }
    // What CommitEdit compares with: the text when editing began.
    const int row = SeriesTableModel::DataRow(current);
    series->EditText = series->EditorText(current.column(), row);
    series->EditCol = current.column();
    series->EditRow = row;
    if (!QTableView::edit(current, AllEditTriggers, nullptr)) return false;
    QLineEdit* editor = Editor();
    if (!editor) return false;
    editor->selectAll(); // typing replaces the cell's text
    if (forward) QCoreApplication::sendEvent(editor, forward);
    return true;
}

void SpreadGrid::CloseEditor(bool commit) {
    QLineEdit* editor = Editor();
    if (!editor) return;
    if (commit) commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void SpreadGrid::commitData(QWidget* editor) {
    QTableView::commitData(editor); // the raw text into the cell
    owner_.Commit();                // then normalised, or refused with a beep
}

void SpreadGrid::contextMenuEvent(QContextMenuEvent* event) {
    owner_.PopupMenu()->popup(event->reason() == QContextMenuEvent::Keyboard ? KeyboardMenuPoint()
                                                                             : event->globalPos());
}

// From the keyboard the pointer may be anywhere: the menu opens at the current cell.
QPoint SpreadGrid::KeyboardMenuPoint() const {
    const QRect cell = visualRect(currentIndex());
    const QPoint at = cell.isValid() ? cell.center() : QPoint(width() / 4, height() / 4);
    return viewport()->mapToGlobal(at);
}

bool SpreadGrid::MoveByTab(bool shift) {
    const Series* series = model_.GetSeries();
    if (!series) return false;
    SetCurrentCell(TabMove(*series, CurrentCell(), shift));
    return true;
}

void SpreadGrid::DeleteKey() {
    CloseEditor(false); // the cells are emptied anyway
    owner_.RunCellCommand("delete the cells", &TSpreadF::DeleteSelection);
    if (editingOn_) OpenEditor();
}

void SpreadGrid::keyPressEvent(QKeyEvent* event) {
    // Shift+F10 opens the pop-up menu as the Menu key does.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        owner_.PopupMenu()->popup(KeyboardMenuPoint());
        event->accept();
        return;
    }
    if (QLineEdit* editor = Editor()) {
        // Text meant for the open editor goes there; other keys the editor
        // passed on (Up, Down, Page Up/Down) move, committing on the way.
        if (TypesText(event))
            QCoreApplication::sendEvent(editor, event);
        else
            QTableView::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    const Qt::KeyboardModifiers mods = HeldModifiers(event);
    const int col = CurrentCell().Col;

    if (col == YFitColumn) {
        // The fitted column is never edited.
        editingOn_ = false;
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            MoveByTab(key == Qt::Key_Backtab);
            event->accept();
        } else if (TypesText(event) || key == Qt::Key_Delete || IsModifierKey(key)) {
            event->accept();
        } else {
            QTableView::keyPressEvent(event);
        }
        return;
    }

    if (IsModifierKey(key)) {
        // Pressing Shift and Ctrl together switches editing on; Shift alone
        // (extending a selection) does not.
        if (ShiftAndCtrl(mods)) OpenEditor();
        event->accept();
        return;
    }
    if (ShiftAndCtrl(mods)) {
        OpenEditor();
        event->accept();
        return;
    }
    const bool shiftOnly = mods == Qt::ShiftModifier;

    switch (key) {
    case Qt::Key_Tab:
        editingOn_ = true;
        MoveByTab(false);
        if (editingOn_ && !EditorOpen()) OpenEditor();
        event->accept();
        return;
    case Qt::Key_Backtab:
        MoveByTab(true);
        if (editingOn_ && !EditorOpen()) OpenEditor();
        event->accept();
        return;
    case Qt::Key_Delete:
        if (shiftOnly) break;
        editingOn_ = true;
        DeleteKey();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        owner_.Commit();
        if (!shiftOnly) OpenEditor();
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        break;
    }

    if (TypesText(event)) {
        // Typing starts editing; the key becomes the cell's new first character.
        OpenEditor(event);
        event->accept();
        return;
    }
    if (shiftOnly) {
        QTableView::keyPressEvent(event); // extends the selection, editing stays as it is
        return;
    }
    editingOn_ = true;
    QTableView::keyPressEvent(event);
    if (!EditorOpen()) OpenEditor();
}

bool SpreadGrid::EditorKeyPress(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = HeldModifiers(event);
    if (IsModifierKey(key) || ShiftAndCtrl(mods)) {
        if (!ShiftAndCtrl(mods)) return false;
        // Shift+Ctrl with the editor open switches editing off.
        editingOn_ = false;
        CloseEditor(true);
        return true;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CloseEditor(true);
        OpenEditor();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        MoveByTab(key == Qt::Key_Backtab);
        if (editingOn_ && !EditorOpen()) OpenEditor();
        return true;
    case Qt::Key_Escape:
        // The cell keeps the text it had when editing began.
        editingOn_ = false;
        CloseEditor(false);
        return true;
    case Qt::Key_Delete:
        if (mods != Qt::NoModifier) return false;
        DeleteKey();
        return true;
    default:
        return false;
    }
}

void SpreadGrid::keyboardSearch(const QString&) {
    // Typed characters are cell text, never a jump to a matching row.
}

void SpreadGrid::EditorDoubleClick() {
    editingOn_ = false;
    CloseEditor(true);
}

void SpreadGrid::mousePressEvent(QMouseEvent* event) {
    mouseDown_ = true;
    QTableView::mousePressEvent(event);
}

void SpreadGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    mouseDown_ = false;
    // The editor follows the current cell once a click (not a range drag) is done.
    const CellRect sel = Selection();
    if (editingOn_ && sel.Left == sel.Right && sel.Top == sel.Bottom && !EditorOpen()) OpenEditor();
}

void SpreadGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (EditorOpen()) {
        EditorDoubleClick();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || !IsEditableColumn(index.column())) return;
    if (index != currentIndex()) SetCurrentCell({index.column(), index.row() + 1});
    OpenEditor();
}

void SpreadGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    // Commits (through commitData) and closes the editor of the cell being left.
    QTableView::currentChanged(current, previous);
    if (!current.isValid()) return;
    if (current.column() == YFitColumn) {
        editingOn_ = false;
        return;
    }
    if (editingOn_ && !mouseDown_) OpenEditor();
}

// ---------------------------------------------------------------------------
// TSpreadF

TSpreadF::TSpreadF(AppContext& context, Series& series, QWidget* parent)
    : QWidget(parent), context_(context), series_(&series) {
    setObjectName(QStringLiteral("SpreadF"));
    model_ = new SeriesTableModel(series, this);
    grid_ = new SpreadGrid(*this, *model_, this);
    grid_->setObjectName(QStringLiteral("StringGrid1"));

    CreateActions();

    LayOutChild(*this, menuBar_, grid_);
    resize(DefaultSize());
    UpdateCaption();
    grid_->SetCurrentCell({XColumn, 1});
    context_.Doc().AddObserver(this);
}

TSpreadF::~TSpreadF() {
    context_.Doc().RemoveObserver(this);
    // An open editor would commit on its way out, into a window half gone.
    grid_->CloseEditor(false);
    delete grid_;
    grid_ = nullptr;
}

void TSpreadF::SeriesRemoving(Series& series) {
    if (&series != series_) return;
    grid_->CloseEditor(false);
    series_ = nullptr;
    model_->Detach();
}

void TSpreadF::UpdateCaption() {
    if (!series_) return;
    setWindowTitle(QString::fromStdString(series_->Caption));
}

void TSpreadF::RefreshGrid() {
    if (!series_) return;
    grid_->CloseEditor(false);
    SettleEdit(*series_); // rewritten: no edit of the old text is pending
    const CellPos at = grid_->CurrentCell();
    const bool reload = model_->rowCount() != series_->IndexCount;
    model_->CellsChanged();
    if (reload) grid_->SetCurrentCell(at);
    UpdateCaption();
}

CommitResult TSpreadF::Commit() {
    if (!series_) return CommitResult::Unchanged;
    const CommitResult result = CommitTyping(context_.Doc(), *series_, context_.Fb());
    if (result != CommitResult::Unchanged) model_->CellsChanged();
    if (result == CommitResult::Committed) context_.RedrawGraph();
    return result;
}

void TSpreadF::Copy1Click() {
    if (!series_) return;
    const bool reopen = grid_->EditorOpen();
    grid_->CloseEditor(true); // copy what the cells show, committed
    const std::string text = CopyCells(*series_, grid_->Selection());
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    if (reopen) grid_->OpenEditor();
}

void TSpreadF::Cut1Click() {
    if (!series_) return;
    grid_->CloseEditor(true);
    const CellRect selection = grid_->Selection();
    const std::string text = CutCells(context_.Doc(), *series_, selection);
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    model_->CellsChanged();
    grid_->SetCurrentCell({selection.Left, selection.Top});
    context_.RedrawGraph();
}

void TSpreadF::Paste1Click() {
    if (!series_) return;
    grid_->CloseEditor(true);
    const QString text = QGuiApplication::clipboard()->text().left(PasteLimit);
    PasteCells(context_.Doc(), *series_, text.toStdString(), grid_->CurrentCell());
    grid_->SetEditingOn(false);
    model_->CellsChanged();
    context_.RedrawGraph();
}

void TSpreadF::FitY1Click() {
    if (!series_) return;
    grid_->CloseEditor(true); // the fit reads what the cells show
    emit FitRequested(this);
}

void TSpreadF::FitStatistics1Click() {
    if (!series_) return;
    grid_->CloseEditor(true); // an edit committed here clears the fit, as any edit does
    emit FitStatisticsRequested(this);
}

void TSpreadF::PrintColor1Click() {
    if (!series_) return;
    emit PrintColorRequested(this);
}

void TSpreadF::FillCells1Click() {
    if (!series_) return;
    grid_->CloseEditor(true); // the operations work on what the cells show
    emit FillCellsRequested(this);
}

void TSpreadF::OperateonCells2Click() {
    if (!series_) return;
    grid_->CloseEditor(true);
    emit OperateCellsRequested(this);
}

void TSpreadF::XYOperations2Click() {
    if (!series_) return;
    grid_->CloseEditor(true);
    emit XYOperationsRequested(this);
}

void TSpreadF::clearFit1Click() {
    if (!series_) return;
    grid_->CloseEditor(true);
    ClearFitCommand(context_.Doc(), *series_);
    RefreshGrid();
    context_.RedrawGraph();
}

void TSpreadF::FitError1Click() {
    if (!series_) return;
    grid_->CloseEditor(true);
    // The fit is recomputed and the column rewritten: out of memory puts the series back.
    bool shown = false;
    if (!GuardMemory(context_.Fb(), "show the fit error", *series_,
                     [&] { shown = ShowFitError(context_.Doc(), *series_, context_.Fb()); })) {
        RefreshGrid();
        return;
    }
    if (!shown) return;
    RefreshGrid();
    context_.RedrawGraph();
}

void TSpreadF::SortRows(bool ascending) {
    if (!series_) return;
    grid_->CloseEditor(true);
    {
        WorkProgress work(context_.MainWidget(), QStringLiteral("Sorting"));
        SortSeriesX(context_.Doc(), *series_, ascending, context_.Fb(), work.Callback());
    }
    RefreshGrid(); // the graph is not redrawn: sorting changes nothing it shows
}

void TSpreadF::Duplicate(int extraRows) {
    if (!series_) return;
    grid_->CloseEditor(true);
    // The copy's window and the graph are made within the work: the
    // windows stay painted until the copy shows.
    WorkProgress work(context_.MainWidget(), QStringLiteral("Duplicating"));
    Series* created = nullptr;
    if (!GuardMemory(context_.Fb(), "duplicate the series", [this] {
            QGuiApplication::clipboard()->setMimeData(new SeriesText(*series_));
        }))
        return;
    created = DuplicateSeries(context_.Doc(), *series_, extraRows, context_.Fb(), work.Callback());
    if (!created) return;
    emit SeriesDuplicated(created);
    context_.RedrawGraph();
}

void TSpreadF::Extenddataindex1Click() {
    Duplicate(ExtendIndexRows);
}

void TSpreadF::DeleteSelection() {
    if (!series_) return;
    grid_->CloseEditor(true);
    const CellRect selection = grid_->Selection();
    DeleteCells(context_.Doc(), *series_, selection);
    model_->CellsChanged();
    grid_->SetCurrentCell({selection.Left, selection.Top});
    context_.RedrawGraph();
}

void TSpreadF::RunCellCommand(const char* what, void (TSpreadF::*command)()) {
    if (!series_) return;
    // A command that runs out of memory leaves the series as it was.
    if (!GuardMemory(context_.Fb(), what, *series_, [this, command] { (this->*command)(); }))
        RefreshGrid();
}

void TSpreadF::SaveData() {
    GuardMemory(context_.Fb(), "save the data", [this] { SaveData1Click(); });
}

std::optional<std::string> TSpreadF::RunFileDialog(const std::string& preset) {
    if (saveDialog_) return saveDialog_(preset);
    return RunSaveFileDialog(context_.MainWidget(),
                             {"SaveDialog1", QStringLiteral("Save Data"),
                              QStringLiteral("Data File (*.prn)"), QStringLiteral("prn")},
                             QString::fromStdString(preset));
}

SaveResult TSpreadF::SaveData1Click() {
    if (!series_) return SaveResult::Cancelled;
    grid_->CloseEditor(true); // save what the cells show
    const SaveResult result =
        SaveDataAs(*series_, context_.Fb(),
                   [this](const std::string& preset) { return RunFileDialog(preset); });
    UpdateCaption();
    return result;
}

void TSpreadF::PrintData1Click() {
    if (series_) grid_->CloseEditor(true); // print what the cells show
    PrintDataCommand(context_.Doc(), context_.Printing(), context_.MainWidget(), context_.Fb());
}

void TSpreadF::PrintSetup1Click() {
    context_.Printing().PageSetup(context_.MainWidget());
}

bool TSpreadF::ConfirmClose() {
    // Nothing can be lost once the series has gone.
    return !series_ || AskDataLoss(context_.Fb());
}

void TSpreadF::Close1Click() {
    CloseChild(*this);
}

void TSpreadF::closeEvent(QCloseEvent* event) {
    if (!ConfirmClose()) {
        event->ignore();
        return;
    }
    grid_->CloseEditor(true);
    event->accept();
    emit CloseAccepted(this);
}

} // namespace torvel
