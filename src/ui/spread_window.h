// The data window: one series shown and edited as a four-column grid
// (StringGrid1: index, X, Y, fitted Y). The window switches the grid's editing
// on and off itself (typing starts it, Shift+Ctrl toggles it, the fitted column
// never edits), commits edits through CommitEdit, and exchanges cells with the
// clipboard as TAB / CR LF text. Every accepted change ends with a redraw.
#pragma once

#include "core/grid_store.h"
#include "core/series.h"
#include "files/data_file.h"
#include "ui/app_context.h"

#include <QTableView>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QMenu;
class QMenuBar;
class QLineEdit;

namespace torvel {

class SeriesTableModel;
class TSpreadF;

// The grid of a data window. Editing is the window's switch, not the view's
// edit triggers: while it is on, the editor is always shown on the current cell.
class SpreadGrid : public QTableView {
    Q_OBJECT

  public:
    SpreadGrid(TSpreadF& owner, SeriesTableModel& model, QWidget* parent = nullptr);

    bool EditingOn() const { return editingOn_; }
    bool EditorOpen() const;
    QLineEdit* Editor() const;
    // Sets the current cell (grid coordinates) and selects only it.
    void SetCurrentCell(CellPos pos);
    CellPos CurrentCell() const;
    // The selected rectangle in grid coordinates (the current cell when nothing
    // is selected); the index column is never part of it.
    CellRect Selection() const;

    // Switches editing on and opens the editor on the current cell (columns 1, 2).
    bool OpenEditor(QKeyEvent* forward = nullptr);
    // Closes the editor; with commit, its text is committed (CommitEdit) first.
    void CloseEditor(bool commit);
    void SetEditingOn(bool on) { editingOn_ = on; }

    // Keys and double clicks that reach the open editor (from the delegate).
    bool EditorKeyPress(QKeyEvent* event);
    void EditorDoubleClick();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void commitData(QWidget* editor) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    QPoint KeyboardMenuPoint() const;
    void keyboardSearch(const QString& search) override;

  private:
    bool MoveByTab(bool shift);
    void DeleteKey();

    TSpreadF& owner_;
    SeriesTableModel& model_;
    bool editingOn_ = false;
    bool mouseDown_ = false;
};

class TSpreadF : public QWidget, public DocumentObserver {
    Q_OBJECT

  public:
    TSpreadF(AppContext& context, Series& series, QWidget* parent = nullptr);
    ~TSpreadF() override;

    // The series shown. It lives in the document; when the document removes
    // it the window lets go of it (Detached) and its commands do nothing.
    Series& GetSeries() const { return *series_; }
    bool Detached() const { return series_ == nullptr; }
    void SeriesRemoving(Series& series) override;
    AppContext& Context() const { return context_; }
    SpreadGrid* Grid() const { return grid_; }
    SeriesTableModel* Model() const { return model_; }

    // The size a new data window gets.
    static QSize DefaultSize() { return {480, 350}; }
    QSize sizeHint() const override { return DefaultSize(); }

    // Sets the window title from the series' caption (after a load or save).
    void UpdateCaption();
    // The series' cells were rewritten by someone else (file reader, fit, cell
    // operations, sort): show them. A changed row count is picked up too.
    void RefreshGrid();

    // The close question "Possible data loss. Continue?"; true when the window
    // may close. The main window's close-all and exit never close it this way.
    bool ConfirmClose();

    // Edit commands (menu, shortcuts and the main window's toolbar buttons).
    void Copy1Click();
    void Cut1Click();
    void Paste1Click();
    void DeleteSelection();
    // Regression menu: Fit asks the main window for the fit dialog (its series
    // loop starts here); Clear Fit; Fit Error % shows the errors in the fitted column.
    void FitY1Click();
    void clearFit1Click();
    void FitError1Click();
    // Regression > Fit Statistics: the report of the series' fit in a text window.
    void FitStatistics1Click();
    // Math menu: the rows sorted by X (the graph is not redrawn).
    void SortXAccending1Click() { SortRows(true); }
    void SortXDeccending1Click() { SortRows(false); }
    // Pop-up: a new data window with a copy of this series' X and Y (the
    // clipboard gets their text); Extend gives it ExtendIndexRows more rows.
    void DuplicateData1Click() { Duplicate(0); }
    void Extenddataindex1Click();
    // Save Data: the save dialog loop (the overwrite question, a failed write
    // reported); the caption follows the new file name.
    SaveResult SaveData1Click();
    // Close Data: closes the window (through its MDI frame when it has one).
    void Close1Click();
    // Print Data (every series) and Print Setup, on the program's printer.
    void PrintData1Click();
    void PrintSetup1Click();
    // Pop-up Printer Color: asks the main window for the printer colour dialog
    // (its series loop starts here and ends without a redraw).
    void PrintColor1Click();
    // Math menu and pop-up: the cell operation dialogs, run by the main window
    // in the series loop starting here.
    void FillCells1Click();
    void OperateonCells2Click();
    void XYOperations2Click();
    // What the menus, keys and tool bar run: a cell command (Cut, Paste,
    // Delete) that, running out of memory, is told and leaves the series as
    // it was; Save Data, told likewise.
    void RunCellCommand(const char* what, void (TSpreadF::*command)());
    void SaveData();

    // Tests and the program can replace the file dialog.
    void SetSaveDialog(SaveDialog dialog) { saveDialog_ = std::move(dialog); }

    QAction* CloseDataAction() const { return close1_; }
    // The program's Undo and Redo, put at the top of the Edit menu and the pop-up menu.
    void SetHistoryActions(QAction* undo, QAction* redo);
    // A menu bar with File, Edit, Math, Regression and Graph; hidden: the main
    // window shows its menus in place of its own while this window is active.
    // The main window's commands in it (New Graph File, New Data, New Text,
    // Open, Save Graph, Save Bitmap, Exit, View, Auto Scale) only announce themselves through the
    // signals below.
    QMenuBar* MenuBar() const { return menuBar_; }
    QMenu* FileMenu() const { return fileMenu_; }
    // The grid's pop-up menu.
    QMenu* PopupMenu() const { return popup_; }

    // Runs CommitEdit for the cell being left or committed, repaints, redraws.
    CommitResult Commit();

  signals:
    // File menu entries that are the main window's commands.
    void NewGraphFileRequested();
    void NewDataRequested();
    void NewTextRequested();
    void OpenRequested();
    void ImportTableRequested();
    void SaveGraphRequested();
    void SaveBitmapRequested();
    void PrintGraphRequested();
    void ExitRequested();
    // Regression > Fit and the pop-up Fit: the fit dialog for this window.
    void FitRequested(torvel::TSpreadF* window);
    void FitStatisticsRequested(torvel::TSpreadF* window);
    // The pop-up Printer Color: the printer colour dialog for this window.
    void PrintColorRequested(torvel::TSpreadF* window);
    // Math menu and pop-up: the cell operation dialogs for this window.
    void FillCellsRequested(torvel::TSpreadF* window);
    void OperateCellsRequested(torvel::TSpreadF* window);
    void XYOperationsRequested(torvel::TSpreadF* window);
    // Graph menu entries that are the graph window's: View and Auto Scale.
    void ViewGraphRequested();
    void AutoScaleRequested();
    // Graph menu entries that are the main window's: the scale, grid and log scale dialogs.
    void ScaleRequested();
    void GridRequested();
    void LogScaleRequested();
    // The appearance dialogs (Graph and Legend menus, pop-up menu); the main
    // window runs them, the per-series ones for this window first.
    void GraphTypeRequested();
    void MainTitlesRequested();
    void XTitlesRequested();
    void YTitlesRequested();
    void SeriesTitlesRequested();
    void FloatingTitlesRequested();
    // A duplicate made a new series, whose window the main window has made.
    void SeriesDuplicated(torvel::Series* created);
    // Math menu entries that open the main window's calculator and dialogs.
    void CalculatorRequested();
    // A close of the window itself was confirmed (or needed no question). The
    // owner removes the series (Document::DestroySeries) and, later than this
    // signal (deleteLater), the window.
    void CloseAccepted(torvel::TSpreadF* window);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateActions();
    std::optional<std::string> RunFileDialog(const std::string& preset);
    void SortRows(bool ascending);
    void Duplicate(int extraRows);

    AppContext& context_;
    Series* series_;
    SeriesTableModel* model_ = nullptr;
    SpreadGrid* grid_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* saveData1_ = nullptr;
    QAction* close1_ = nullptr;
    QAction* cut1_ = nullptr;
    QAction* copy1_ = nullptr;
    QAction* paste1_ = nullptr;
    SaveDialog saveDialog_;
};

} // namespace torvel
