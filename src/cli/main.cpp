// torvel-cli: draws a graph or data file into an image or PDF exactly as the
// graph window would show it, prints its data tables into a PDF, and prints
// fits of data files, without a display.
#include "cli/cli_commands.h"
#include "files/fd_stream.h"

#include "ui/locale_setup.h"

#include <QGuiApplication>

#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The toolkit's own notes (a missing XDG_RUNTIME_DIR, font fallbacks) are no
// concern of a script: success is silent, and failures are reported by the
// commands themselves. Only its critical messages get through.
void ToolkitMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << '\n';
}

// Standard input, output or error closed by the caller: /dev/null holds the
// place, so no file the run opens becomes one of them. False when standard
// output was closed.
bool HoldStandardFiles() {
    bool outputOpen = true;
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) != -1) continue;
        if (fd == STDOUT_FILENO) outputOpen = false;
        ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY); // takes the lowest free fd
    }
    return outputOpen;
}

} // namespace

int main(int argc, char* argv[]) {
    // A file-size limit makes a write fail with an error instead of killing
    // us; so does a reader that went away (a broken pipe).
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    torvel::CatchEndingSignals();
    // Output to a closed standard output fails as writing to it does.
    torvel::FdBuffer outBuffer(HoldStandardFiles() ? STDOUT_FILENO : -1);
    std::ostream out(&outBuffer);
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
    return torvel::RunCli(args, out, std::cerr);
}
