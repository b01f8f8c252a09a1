// The offscreen application the widget benchmarks share.
#pragma once

#include <QApplication>

#include <cstdio>

namespace torvel::bench {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "torvel-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The offscreen platform's notices would bury the figures.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type >= QtCriticalMsg) fprintf(stderr, "%s\n", qPrintable(text));
        });
        return new QApplication(argc, argv);
    }();
    return *app;
}

} // namespace torvel::bench
