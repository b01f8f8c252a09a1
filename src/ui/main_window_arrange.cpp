// Window arrangement: tiling, cascading and keeping new children in view.
#include "ui/main_window.h"

#include "ui/window_layout.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace torvel {

void TMDIMainF::CreateChildKeys() {
    // As on the desktop: Alt+- opens the active child's window menu (restore,
    // maximise, close ...), whose Close has Ctrl+F4 (through the child's own
    // question); Ctrl+F6 and Ctrl+Tab go on to the next child, with Shift back.
    auto key = [this](const char* name, QList<QKeySequence> keys, void (*act)(QMdiArea&)) {
        auto* a = new QAction(this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcuts(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, [this, act] { act(*mdi_); });
        addAction(a);
    };
    key("ChildMenuKey", {QKeySequence(Qt::ALT | Qt::Key_Minus)}, [](QMdiArea& area) {
        if (QMdiSubWindow* sub = area.activeSubWindow()) sub->showSystemMenu();
    });
    key("NextChildKey", {QKeySequence(Qt::CTRL | Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::Key_Tab)},
        [](QMdiArea& area) { area.activateNextSubWindow(); });
    key("PreviousChildKey",
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)},
        [](QMdiArea& area) { area.activatePreviousSubWindow(); });
    // The window menu's Close takes the platform's close keys, which on X11 are
    // Ctrl+W alone; Ctrl+F4 is added only where it is missing, so no key is
    // claimed twice.
    if (!QKeySequence::keyBindings(QKeySequence::Close)
             .contains(QKeySequence(Qt::CTRL | Qt::Key_F4)))
        key("CloseChildKey", {QKeySequence(Qt::CTRL | Qt::Key_F4)}, [](QMdiArea& area) {
            if (QMdiSubWindow* sub = area.activeSubWindow()) sub->close();
        });
}

void TMDIMainF::ShowInside(QMdiSubWindow* sub) {
    // The area's own placement may leave a new window partly outside the
    // visible area, its caption cut off.
    sub->show();
    sub->move(PlaceInside(sub->geometry(), mdi_->viewport()->rect()));
}

QList<QMdiSubWindow*> TMDIMainF::ArrangedChildren() const {
    // The graph first, then the data windows in series order, then the rest;
    // minimised windows stay where they are.
    QList<QMdiSubWindow*> windows;
    auto take = [&windows](QMdiSubWindow* sub) {
        if (sub && sub->isVisible() && !sub->isMinimized() && !windows.contains(sub))
            windows.push_back(sub);
    };
    take(graphWindow_);
    for (const auto& series : doc_.DataWindows()) {
        auto it = dataWindows_.find(series.get());
        if (it != dataWindows_.end()) take(it->second);
    }
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder))
        take(sub);
    return windows;
}

void TMDIMainF::TileChildren(bool sideBySide) {
    const QList<QMdiSubWindow*> windows = ArrangedChildren();
    const QList<QRect> tiles =
        TileRects(mdi_->viewport()->rect(), static_cast<int>(windows.size()), sideBySide);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized()) windows[i]->showNormal();
        windows[i]->setGeometry(tiles[i]);
    }
    AfterArrange();
}

void TMDIMainF::WindowTileHoz1Click() {
    TileChildren(true);
}

void TMDIMainF::WindowTileVert1Click() {
    TileChildren(false);
}

void TMDIMainF::WindowCasade1Click() {
    // Each window one title bar lower and to the right of the one before, all of
    // one size, the active window last and so on top.
    QList<QMdiSubWindow*> windows = ArrangedChildren();
    if (windows.isEmpty()) return;
    QMdiSubWindow* active = mdi_->activeSubWindow();
    if (windows.removeOne(active)) windows.push_back(active);
    const QRect area = mdi_->viewport()->rect();
    const int step = std::max(16, windows.front()->widget()->geometry().top());
    const int n = static_cast<int>(windows.size());
    const int w = std::max(area.width() - (n - 1) * step, area.width() * 2 / 3);
    const int h = std::max(area.height() - (n - 1) * step, area.height() * 2 / 3);
    // Start again at the top left when the next window would leave the area.
    const int perRun = std::max(1, (area.height() - h) / step + 1);
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = windows[i];
        if (sub->isMaximized()) sub->showNormal();
        const int k = i % perRun;
        const int run = i / perRun;
        sub->setGeometry(k * step + run * step / 2, k * step, std::max(w, sub->minimumWidth()),
                         std::max(h, sub->minimumHeight()));
        sub->raise();
    }
    mdi_->setActiveSubWindow(windows.back());
    AfterArrange();
}

void TMDIMainF::AfterArrange() {
    RedrawGraph();
}

} // namespace torvel
