// The main window's menus and tool bar, and the merging of a child's menus.
#include "ui/main_window.h"

#include "ui/graph_window.h"
#include "ui/shell_icons.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace torvel {

namespace {

const char* const CopyNeedsWindowText = "Copy needs a data or text window to copy from.";
const char* const PasteNeedsWindowText = "Paste needs a data or text window to paste into.";

QString StripAmpersands(QString text) {
    return text.remove(QLatin1Char('&'));
}

} // namespace

QAction* TMDIMainF::MakeAction(const char* name, const QString& text,
                               const std::function<void()>& handler) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, [handler] { handler(); });
    return a;
}

void TMDIMainF::CreateActions() {
    actNewGraph_ = MakeAction("NewGraphFile1", QStringLiteral("New Graph &File"),
                              [this] { NewGraphFile1Click(); });
    actNewData_ = MakeAction("NewData1", QStringLiteral("&New  Data"), [this] { NewData1Click(); });
    actNewText_ = MakeAction("NewText1", QStringLiteral("New  &Text"), [this] { NewText1Click(); });
    actOpen_ = MakeAction("Open1", QStringLiteral("&Open"), [this] { Open1Click(); });
    actOpen_->setShortcut(QKeySequence(Qt::Key_F3));
    actImportTable_ = MakeAction("ImportTable1", QStringLiteral("&Import Table..."),
                                 [this] { ImportTable1Click(); });
    actExit_ = MakeAction("Exit1", QStringLiteral("E&xit"), [this] { Exit1Click(); });
    actExit_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    // Their keys work whichever child is active, whose menus then stand in the
    // bar in place of ours and only show the keys.
    addAction(actOpen_);
    addAction(actExit_);

    toolBarAction_ =
        MakeAction("ToolBar1", QStringLiteral("&Hide Tool Bar"), [this] { ToolBar1Click(); });
    prefsAction_ = MakeAction("Options1", QStringLiteral("Preferences Dialog...."),
                              [this] { Options1Click(); });

    actTileVert_ = MakeAction("WindowTileHoz1", QStringLiteral("Tile &Vert."),
                              [this] { WindowTileHoz1Click(); });
    actTileHorz_ = MakeAction("WindowTileVert1", QStringLiteral("Tile &Horz."),
                              [this] { WindowTileVert1Click(); });
    actCascade_ =
        MakeAction("WindowCasade1", QStringLiteral("&Cascade"), [this] { WindowCasade1Click(); });
    actCloseAll_ = MakeAction("WindowCloseAll1", QStringLiteral("C&lose All"),
                              [this] { WindowCloseAll1Click(); });
    actClearAll_ = MakeAction("WindowClearAll1", QStringLiteral("Clear  &All"),
                              [this] { WindowClearAll1Click(); });

    actHelp_ = MakeAction("Contents1", QStringLiteral("&Help Win32"), [this] { Contents1Click(); });
    // F1 opens the help at the active window's own section (the graph window's,
    // 550), else at the contents.
    auto* contextHelp = new QAction(this);
    contextHelp->setObjectName(QStringLiteral("ContextHelp"));
    contextHelp->setShortcut(QKeySequence(Qt::Key_F1));
    contextHelp->setShortcutContext(Qt::WindowShortcut);
    connect(contextHelp, &QAction::triggered, this,
            [this] { ShowHelp(qobject_cast<TGraphF*>(activeChild_.data()) ? 550 : 100); });
    addAction(contextHelp);
    actHelpHtm_ = MakeAction("HelpHTM1", QStringLiteral("Help HT&M"), [this] { HelpHTM1Click(); });
    actVista_ = MakeAction("VistaHelp1", QStringLiteral("Vista or Win7/8 Help"),
                           [this] { VistaHelp1Click(); });
    actAbout_ = MakeAction("About1", QStringLiteral("&About"), [this] { About1Click(); });
    actHome_ = MakeAction("TorvelGraphicsHomePage1", QStringLiteral("Torvel &Graphics Home Page"),
                          [this] { TorvelGraphicsHomePage1Click(); });
}

void TMDIMainF::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    fileMenu_ = new QMenu(QStringLiteral("&File"), this);
    fileMenu_->setObjectName(QStringLiteral("File1"));
    fileMenu_->addAction(actNewGraph_);
    fileMenu_->addAction(actNewData_);
    fileMenu_->addAction(actNewText_);
    fileMenu_->addAction(actOpen_);
    fileMenu_->addAction(actImportTable_);
    fileMenu_->addSeparator();
    fileMenu_->addAction(actExit_);

    prefMenu_ = new QMenu(QStringLiteral("&Preferences"), this);
    prefMenu_->setObjectName(QStringLiteral("Preferences1"));
    prefMenu_->addAction(toolBarAction_);
    prefMenu_->addAction(prefsAction_);

    windowMenu_ = new QMenu(QStringLiteral("&Window"), this);
    windowMenu_->setObjectName(QStringLiteral("Window1"));
    connect(windowMenu_, &QMenu::aboutToShow, this, &TMDIMainF::UpdateWindowMenu);
    UpdateWindowMenu();

    helpMenu_ = new QMenu(QStringLiteral("&Help"), this);
    helpMenu_->setObjectName(QStringLiteral("Help1"));
    helpMenu_->addAction(actHelp_);
    helpMenu_->addAction(actHelpHtm_);
    helpMenu_->addAction(actVista_);
    helpMenu_->addSeparator();
    helpMenu_->addAction(actAbout_);
    helpMenu_->addAction(actHome_);

    MergeMenus(nullptr);
}

void TMDIMainF::CreateToolBar() {
    toolBar_ = new QToolBar(QStringLiteral("Tool Bar"), this);
    toolBar_->setObjectName(QStringLiteral("Panel1"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, toolBar_);

    struct Button {
        const char* name;
        const char* hint;
        ToolIconKind icon;
        std::function<void()> action;
        bool enabled;
    };
    const Button buttons[] = {
        {"SpeedButton1", "New Data", ToolIconKind::NewData, [this] { NewData1Click(); }, true},
        {"SpeedButton2", "Open File", ToolIconKind::Open, [this] { Open1Click(); }, true},
        {"SpeedButton3", "Tile Windows", ToolIconKind::Tile, [this] { WindowTileHoz1Click(); },
         true},
        {"SpeedButton4", "View Graph", ToolIconKind::Graph, [this] { ViewGraph(); }, true},
        {"SpeedButton5", "Graph Scale", ToolIconKind::Scale,
         [this] { ToolDialog(&TMDIMainF::Scale1Click); }, true},
        {"SpeedButton6", "Save Graph", ToolIconKind::Save, [this] { ToolSaveGraph(); }, true},
        {"SpeedButton7", "Graph Grid", ToolIconKind::Grid,
         [this] { ToolDialog(&TMDIMainF::Grid1Click); }, true},
        {"SpeedButton8", "Cascade Windows", ToolIconKind::Cascade, [this] { WindowCasade1Click(); },
         true},
        {"SpeedButton9", "Calculator", ToolIconKind::Calculator, [this] { ShowCalculator(); },
         true},
        {"SpeedButton10", "Copy", ToolIconKind::Copy, [this] { ToolCopyPaste("Copy1"); }, true},
        {"SpeedButton11", "Paste", ToolIconKind::Paste, [this] { ToolCopyPaste("Paste1"); }, true},
    };
    int i = 0;
    for (const Button& b : buttons) {
        QAction* a = toolBar_->addAction(ToolIcon(b.icon), QString::fromLatin1(b.hint));
        a->setObjectName(QString::fromLatin1(b.name) + QStringLiteral("Action"));
        a->setToolTip(QString::fromLatin1(b.hint));
        a->setEnabled(b.enabled);
        auto handler = b.action;
        connect(a, &QAction::triggered, this, [handler] { handler(); });
        if (auto* button = qobject_cast<QToolButton*>(toolBar_->widgetForAction(a)))
            button->setObjectName(QString::fromLatin1(b.name));
        if (i == 2 || i == 3 || i == 7 || i == 8) toolBar_->addSeparator();
        ++i;
    }
}

void TMDIMainF::UpdateWindowMenu() {
    windowMenu_->clear();
    windowMenu_->addAction(actTileVert_);
    windowMenu_->addAction(actTileHorz_);
    windowMenu_->addAction(actCascade_);
    windowMenu_->addAction(actCloseAll_);
    windowMenu_->addAction(actClearAll_);
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    windowMenu_->addSeparator();
    int n = 0;
    for (QMdiSubWindow* sub : windows) {
        ++n;
        const QString caption = sub->widget() ? sub->widget()->windowTitle() : sub->windowTitle();
        QString text = n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(caption)
                              : QStringLiteral("%1 %2").arg(n).arg(caption);
        QAction* a = windowMenu_->addAction(text);
        // Only the active window is marked.
        a->setCheckable(sub == mdi_->activeSubWindow());
        a->setChecked(a->isCheckable());
        QPointer<QMdiSubWindow> target(sub);
        connect(a, &QAction::triggered, this, [this, target] {
            if (!target) return;
            if (target->isMinimized()) target->showNormal();
            mdi_->setActiveSubWindow(target);
        });
    }
}

void TMDIMainF::MergeMenus(QWidget* child) {
    // While a child with its own menus is active, its File replaces ours and its
    // other menus follow it, before Preferences, Window and Help.
    QMenuBar* bar = menuBar();
    QMenuBar* childBar = child ? child->findChild<QMenuBar*>() : nullptr;
    QAction* file = fileMenu_->menuAction();
    QList<QAction*> others;
    if (childBar) {
        childBar->setVisible(false);
        for (QAction* a : childBar->actions()) {
            if (!a->menu()) continue;
            if (StripAmpersands(a->text()) == QStringLiteral("File"))
                file = a;
            else
                others.push_back(a);
        }
    }
    QList<QAction*> wanted{file};
    wanted += others;
    wanted += {prefMenu_->menuAction(), windowMenu_->menuAction(), helpMenu_->menuAction()};
    if (bar->actions() == wanted) return;
    for (QAction* a : bar->actions())
        bar->removeAction(a);
    bar->addActions(wanted);
}

void TMDIMainF::ToolDialog(void (TMDIMainF::*command)()) {
    if (doc_.SeriesCount() == 0) return;
    EnsureGraphWindow();
    RedrawGraph();
    (this->*command)();
}

void TMDIMainF::ToolSaveGraph() {
    if (doc_.SeriesCount() == 0) return;
    EnsureGraphWindow();
    RedrawGraph();
    SaveGraph();
}

void TMDIMainF::ToolCopyPaste(const char* actionName) {
    QWidget* child = activeChild_;
    QAction* a = child ? child->findChild<QAction*>(QString::fromLatin1(actionName)) : nullptr;
    // Data and text windows have their own Copy and Paste; others beep.
    if (a && a->isEnabled()) {
        a->trigger();
        return;
    }
    fb_->Beep(std::string(actionName) == "Copy1" ? CopyNeedsWindowText : PasteNeedsWindowText);
}

void TMDIMainF::ToolBar1Click() {
    const bool show = !toolBar_->isVisible();
    toolBar_->setVisible(show);
    toolBarAction_->setText(show ? QStringLiteral("&Hide Tool Bar")
                                 : QStringLiteral("&Show Tool Bar"));
}

} // namespace torvel
