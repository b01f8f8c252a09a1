// The data window's menus, its pop-up menu and their actions.
#include "ui/spread_window.h"

#include "core/out_of_memory.h"

#include "ui/child_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace torvel {

void TSpreadF::CreateActions() {
    auto make = [this](const char* name, const char* text, const QKeySequence& key = {}) {
        return MakeChildAction(*this, name, text, key);
    };
    // The main window's commands: this window only announces them.
    auto forward = [&make, this](const char* name, const char* text, void (TSpreadF::*signal)()) {
        QAction* action = make(name, text);
        connect(action, &QAction::triggered, this, [this, signal] { emit(this->*signal)(); });
        return action;
    };
    saveData1_ = make("SaveData1", "&Save Data");
    close1_ = make("Close1", "&Close Data", QKeySequence(Qt::ALT | Qt::Key_F3));
    cut1_ = make("Cut1", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
    copy1_ = make("Copy1", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    paste1_ = make("Paste1", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(saveData1_, &QAction::triggered, this, [this] { SaveData(); });
    connect(close1_, &QAction::triggered, this, [this] { Close1Click(); });
    connect(cut1_, &QAction::triggered, this,
            [this] { RunCellCommand("cut the cells", &TSpreadF::Cut1Click); });
    connect(copy1_, &QAction::triggered, this,
            [this] { GuardMemory(context_.Fb(), "copy the cells", [this] { Copy1Click(); }); });
    connect(paste1_, &QAction::triggered, this,
            [this] { RunCellCommand("paste the cells", &TSpreadF::Paste1Click); });

    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("MainMenu1"));
    fileMenu_ = menuBar_->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("File1"));
    fileMenu_->addAction(
        forward("NewGraphFile1", "New Graph &File", &TSpreadF::NewGraphFileRequested));
    fileMenu_->addAction(forward("New1", "&New  Data", &TSpreadF::NewDataRequested));
    fileMenu_->addAction(forward("NewText1", "New  &Text", &TSpreadF::NewTextRequested));
    QAction* open1 = forward("open1", "&Open", &TSpreadF::OpenRequested);
    ShowMainWindowKey(*open1, QKeySequence(Qt::Key_F3));
    fileMenu_->addAction(open1);
    fileMenu_->addAction(
        forward("ImportTable1", "&Import Table...", &TSpreadF::ImportTableRequested));
    fileMenu_->addSeparator();
    fileMenu_->addAction(saveData1_);
    fileMenu_->addAction(forward("SaveGraph1", "Save &Graph", &TSpreadF::SaveGraphRequested));
    fileMenu_->addAction(forward("SaveBitmap1", "Save &Bitmap", &TSpreadF::SaveBitmapRequested));
    fileMenu_->addAction(close1_);
    fileMenu_->addSeparator();
    QAction* printData1 = make("PrintData1", "Print &Data");
    connect(printData1, &QAction::triggered, this, [this] { PrintData1Click(); });
    fileMenu_->addAction(printData1);
    fileMenu_->addAction(forward("PrintGraph1", "&Print Graph", &TSpreadF::PrintGraphRequested));
    QAction* printSetup1 = make("PrintSetup1", "P&rint Setup...");
    connect(printSetup1, &QAction::triggered, this, [this] { PrintSetup1Click(); });
    fileMenu_->addAction(printSetup1);
    fileMenu_->addSeparator();
    fileMenu_->addAction(forward("Exit1", "E&xit", &TSpreadF::ExitRequested));

    editMenu_ = menuBar_->addMenu(QStringLiteral("&Edit"));
    editMenu_->setObjectName(QStringLiteral("Edit1"));
    editMenu_->addActions({cut1_, copy1_, paste1_});

    QMenu* math = menuBar_->addMenu(QStringLiteral("&Math"));
    math->setObjectName(QStringLiteral("Math1"));
    math->addAction(forward("N3", "&Calculator", &TSpreadF::CalculatorRequested));
    // The cell operations, in the Math menu and again in the pop-up menu.
    auto cellEntry = [this, &make](const char* name, const char* text, void (TSpreadF::*slot)()) {
        QAction* a = make(name, text);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    math->addAction(
        cellEntry("OperateonCells2", "&Operate on Cells", &TSpreadF::OperateonCells2Click));
    math->addAction(cellEntry("FillCells1", "&Fill Cells", &TSpreadF::FillCells1Click));
    math->addAction(
        cellEntry("XYOperations2", "&X && Y Operations", &TSpreadF::XYOperations2Click));
    QAction* sortUp = make("SortXAccending1", "Sort X &Ascending");
    connect(sortUp, &QAction::triggered, this, [this] { SortXAccending1Click(); });
    QAction* sortDown = make("SortXDeccending1", "Sort X &Descending");
    connect(sortDown, &QAction::triggered, this, [this] { SortXDeccending1Click(); });
    math->addActions({sortUp, sortDown});

    QMenu* regression = menuBar_->addMenu(QStringLiteral("&Regression"));
    regression->setObjectName(QStringLiteral("Regression1"));
    QAction* fitY1 = make("FitY1", "&Fit");
    connect(fitY1, &QAction::triggered, this, [this] { FitY1Click(); });
    QAction* clearFit1 = make("clearFit1", "&Clear Fit");
    connect(clearFit1, &QAction::triggered, this, [this] { clearFit1Click(); });
    QAction* fitError1 = make("FitError1", "Fit &Error %");
    connect(fitError1, &QAction::triggered, this, [this] { FitError1Click(); });
    QAction* fitStatistics1 = make("FitStatistics1", "Fit &Statistics");
    connect(fitStatistics1, &QAction::triggered, this, [this] { FitStatistics1Click(); });
    regression->addActions({fitY1, clearFit1, fitError1, fitStatistics1});

    QMenu* graph = menuBar_->addMenu(QStringLiteral("&Graph"));
    graph->setObjectName(QStringLiteral("Graph1"));
    graph->addAction(forward("View1", "&View", &TSpreadF::ViewGraphRequested));
    graph->addAction(forward("AutoScale1", "&Auto Scale", &TSpreadF::AutoScaleRequested));
    graph->addAction(forward("Scale2", "&Scale", &TSpreadF::ScaleRequested));
    graph->addAction(forward("Grid1", "&Grid", &TSpreadF::GridRequested));
    graph->addAction(forward("LogScale", "&Log Scale", &TSpreadF::LogScaleRequested));
    graph->addAction(forward("Type2", "Graph &Type", &TSpreadF::GraphTypeRequested));
    // The title entries of the Legend menu and of the pop-up's Legend submenu.
    auto legendEntries = [&forward](QMenu* menu, const char* main, const char* x, const char* xText,
                                    const char* y, const char* series, const char* floating) {
        menu->addAction(forward(main, "&Main", &TSpreadF::MainTitlesRequested));
        menu->addAction(forward(x, xText, &TSpreadF::XTitlesRequested));
        menu->addAction(forward(y, "&Y Axis", &TSpreadF::YTitlesRequested));
        menu->addAction(forward(series, "&Series", &TSpreadF::SeriesTitlesRequested));
        menu->addAction(forward(floating, "&Floating", &TSpreadF::FloatingTitlesRequested));
    };
    // "L&egend" as in the graph window's menu: "&Log Scale" has the L.
    QMenu* legend = graph->addMenu(QStringLiteral("L&egend"));
    legend->setObjectName(QStringLiteral("Legend1"));
    legendEntries(legend, "Main1", "XAxis2", "&X Axis", "YAxis2", "SeriesTitle1", "Floating1");

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    popup_->addAction(
        cellEntry("OperateonCells1", "&Operate on Cells", &TSpreadF::OperateonCells2Click));
    popup_->addAction(cellEntry("FillCells2", "F&ill Cells", &TSpreadF::FillCells1Click));
    popup_->addAction(
        cellEntry("XYOperations1", "&X && Y Operations", &TSpreadF::XYOperations2Click));
    QAction* fit1 = make("Fit1", "&Fit");
    connect(fit1, &QAction::triggered, this, [this] { FitY1Click(); });
    popup_->addAction(fit1);
    // "&Save Data" below has the S.
    QAction* fitStatistics2 = make("FitStatistics2", "Fit St&atistics");
    connect(fitStatistics2, &QAction::triggered, this, [this] { FitStatistics1Click(); });
    popup_->addAction(fitStatistics2);
    popup_->addAction(forward("GraphType1", "Graph &Type", &TSpreadF::GraphTypeRequested));
    QMenu* legendPop = popup_->addMenu(QStringLiteral("&Legend"));
    legendPop->setObjectName(QStringLiteral("Legend2"));
    legendEntries(legendPop, "MainTitle1", "XAxis1", "&X  Axis", "YAxis1", "Series1", "Floating2");
    QAction* printColor1 = make("PrintColor1", "&Printer Color");
    connect(printColor1, &QAction::triggered, this, [this] { PrintColor1Click(); });
    popup_->addAction(printColor1);
    QAction* duplicate1 = make("DuplicateData1", "&Duplicate Data");
    connect(duplicate1, &QAction::triggered, this, [this] { DuplicateData1Click(); });
    QAction* extend1 = make("Extenddataindex1", "Duplicate && &Extend Index");
    connect(extend1, &QAction::triggered, this, [this] { Extenddataindex1Click(); });
    popup_->addActions({duplicate1, extend1});
    QAction* save2 = make("SaveData2", "&Save Data");
    connect(save2, &QAction::triggered, this, [this] { SaveData(); });
    popup_->addAction(save2);
}

void TSpreadF::SetHistoryActions(QAction* undo, QAction* redo) {
    if (!undo || !redo) return;
    for (QMenu* menu : {editMenu_, popup_}) {
        QAction* first = menu->actions().value(0);
        menu->insertActions(first, {undo, redo});
        menu->insertSeparator(first);
    }
}

} // namespace torvel
