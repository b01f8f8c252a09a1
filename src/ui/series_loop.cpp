#include "ui/series_loop.h"

#include "core/series_loop.h"
#include "ui/main_window.h"
#include "ui/spread_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace torvel {

TSpreadF* ActivateSeriesWindow(TMDIMainF& main, int seriesNumber) {
    const Series* series = main.Doc().FindSeries(seriesNumber);
    if (!series) return nullptr;
    auto* window = qobject_cast<TSpreadF*>(main.DataWindowOf(*series));
    if (!window) return nullptr;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        if (sub->isMinimized()) sub->showNormal();
        main.MdiArea()->setActiveSubWindow(sub);
    }
    // The dialogs work on the active child, whatever the platform did with focus.
    main.SetActiveChild(window);
    return window;
}

void RunSeriesLoop(TMDIMainF& main, TSpreadF* start, SeriesLoopEnd end,
                   const std::function<void(TSpreadF&)>& show) {
    Document& doc = main.Doc();
    // A flag left over from elsewhere must not make this loop step on.
    doc.NextSeriesRequested = false;
    int number = 0;
    if (start && !start->Detached())
        number = start->GetSeries().SeriesNumber;
    else if (!start)
        number = LowestSeriesInUse(doc);
    QPointer<TSpreadF> window = number ? ActivateSeriesWindow(main, number) : nullptr;
    while (window && !window->Detached()) {
        show(*window);
        if (!TakeNextSeriesRequest(doc) || !window || window->Detached()) break;
        const int next = NextSeriesInUse(doc, window->GetSeries().SeriesNumber);
        window = next ? ActivateSeriesWindow(main, next) : nullptr;
    }
    doc.NextSeriesRequested = false;

    switch (end) {
    case SeriesLoopEnd::RedrawGraph:
        main.RedrawGraph();
        break;
    case SeriesLoopEnd::ActivateGraph:
        if (main.GraphF()) {
            main.EnsureGraphWindow(); // brings it back to the front
            main.RedrawGraph();
        }
        break;
    case SeriesLoopEnd::NoRedraw:
        break;
    }
}

} // namespace torvel
