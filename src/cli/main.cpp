// torvel-cli: draws a graph or data file into an image or PDF exactly as the
// graph window would show it, prints its data tables into a PDF, and prints
// fits of data files, without a display.
#include "cli/cli_commands.h"

#include "ui/locale_setup.h"

#include <QGuiApplication>

#include <csignal>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

// The toolkit's own notes (a missing XDG_RUNTIME_DIR, font fallbacks) are no
// concern of a script: success is silent, and failures are reported by the
// commands themselves. Only its critical messages get through.
void ToolkitMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << '\n';
}

} // namespace

int main(int argc, char* argv[]) {
    // A file-size limit makes a write fail with an error instead of killing us.
    std::signal(SIGXFSZ, SIG_IGN);
    qInstallMessageHandler(ToolkitMessage);
    // Runs headless unless the caller asked for a particular platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << torvel::CliHelpText();
        return 2;
    }
    // Only drawing and printing need the toolkit's application object (fonts, images).
    std::optional<QGuiApplication> app;
    if (args[0] == "render" || args[0] == "print-data") app.emplace(argc, argv);
    torvel::UseClassicNumbers();
    return torvel::RunCli(args, std::cout, std::cerr);
}
