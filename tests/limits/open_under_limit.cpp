// Opens a small data file, then a large one, in the program's main window (no
// display needed) and says how the large one went: "loaded N" with its N new
// series, or "refused" when it said "Not enough memory to open FILE." and left
// the small file's series as they were. Anything else exits 1; a crash is a
// crash. Run by tests/scripts/memory_limit_test.sh under `ulimit -v`.
// Usage: open_under_limit SMALL.prn LARGE.prn
#include "core/feedback.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <string>

using namespace torvel;

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::string small = argv[1], large = argv[2];
    int toolkitArgc = 1;
    QApplication app(toolkitArgc, argv);
    RecordingFeedback fb;
    TMDIMainF::Options options;
    options.StartupFile = QDir::temp().filePath(QStringLiteral("open-under-limit.fig"));
    options.FeedbackOverride = &fb;
    TMDIMainF window(std::move(options));
    window.show();
    QApplication::processEvents();
    if (!window.OpenDataFile(QString::fromStdString(small)) || window.Doc().SeriesCount() != 1) {
        // Too little memory for even this: the program could not start its work.
        std::puts("cannot start");
        return 0;
    }
    const std::string before = window.Doc().DataWindows()[0]->Cell(1, 1);
    std::puts("started");
    std::fflush(stdout);
    fb.Messages.clear();

    window.OpenDataFile(QString::fromStdString(large));
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents(); // the new windows are laid out and drawn
    const Document& doc = window.Doc();
    const bool unchanged = doc.SeriesCount() == 1 && doc.DataWindows()[0]->Cell(1, 1) == before;
    if (fb.Messages.size() == 1 && unchanged &&
        fb.Messages[0].Text == "Not enough memory to open " + large + ".") {
        std::puts("refused");
        return 0;
    }
    if (fb.Messages.empty() && doc.SeriesCount() > 1) {
        std::printf("loaded %d\n", doc.SeriesCount() - 1);
        return 0;
    }
    std::printf("series %d, first cell %s (was %s)\n", doc.SeriesCount(),
                doc.SeriesCount() ? doc.DataWindows()[0]->Cell(1, 1).c_str() : "-", before.c_str());
    for (const auto& m : fb.Messages)
        std::printf("message: %s\n", m.Text.c_str());
    return 1;
}
