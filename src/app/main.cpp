// torvel-graphics: the desktop program. One optional argument: a graph file
// (or a data file) to open at start.
#include "files/startup_file.h"
#include "history/recovery.h"
#include "ui/application.h"
#include "ui/locale_setup.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr const char* HelpText = R"(Usage: torvel-graphics [--] [FILE]
       torvel-graphics --help | --version

Enters, plots and fits X-Y data. FILE is opened at start: a graph file (.gra)
becomes the graph being edited, a data file (.prn) opens its series into an
empty graph. Without FILE the graph file of the last session is opened again.

While anything is unsaved, the whole graph is kept every 30 seconds in
$XDG_STATE_HOME/torvel-graphics (else ~/.local/state/torvel-graphics). After a
crash the next start offers that work back; declined, it stays there as
recovered-<date>.gra. A normal end removes it.

Options:
  --help     print this help and exit
  --version  print the program's name and version and exit
  --         end of the options: a FILE whose name starts with - follows

See also: man torvel-graphics, torvel-cli --help
)";

// What the command line asks for. Read before the toolkit starts, so that
// --help and --version work without a display and the toolkit takes none of
// the words for its own options.
struct CommandLine {
    std::optional<int> ExitStatus; // answered here: exit with this status
    std::string File;
};

// Prints text on standard output: 0, or 1 with one line on standard error
// when it does not get there (a full disk, a closed output, a broken pipe).
int Print(const char* text) {
    if (std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0) return 0;
    std::fprintf(stderr, "torvel-graphics: cannot write standard output: %s\n",
                 std::strerror(errno));
    return 1;
}

CommandLine ReadCommandLine(int argc, char** argv) {
    CommandLine result;
    bool options = true, fileGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (options && word == "--") {
            options = false;
        } else if (options && (word == "--help" || word == "-h")) {
            result.ExitStatus = Print(HelpText);
            return result;
        } else if (options && word == "--version") {
            result.ExitStatus = Print("torvel-graphics (Torvel Graphics) " TORVEL_VERSION "\n");
            return result;
        } else if (options && word.size() > 1 && word[0] == '-') {
            std::fprintf(stderr,
                         "torvel-graphics: unknown option '%s' (see torvel-graphics --help)\n",
                         word.c_str());
            result.ExitStatus = 2;
            return result;
        } else if (fileGiven) {
            std::fputs("torvel-graphics: only one FILE may be given (see torvel-graphics --help)\n",
                       stderr);
            result.ExitStatus = 2;
            return result;
        } else {
            result.File = word;
            fileGiven = true;
        }
    }
    return result;
}

// The help page: installed beside the program's share folder, else the source tree's.
QString FindHelpFile() {
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        appDir + QStringLiteral("/../share/torvel-graphics/help/index.html"),
        appDir + QStringLiteral("/help/index.html"),
        QStringLiteral(TORVEL_SOURCE_HELP),
    };
    for (const QString& c : candidates)
        if (QFileInfo(c).isFile()) return QFileInfo(c).canonicalFilePath();
    return {};
}

} // namespace

int main(int argc, char** argv) {
    // A reader that went away fails the write instead of killing the program.
    std::signal(SIGPIPE, SIG_IGN);
    const CommandLine command = ReadCommandLine(argc, argv);
    if (command.ExitStatus) return *command.ExitStatus;
    // A file-size limit makes a save fail with its reason instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // The words were read above; the toolkit gets only the program's name.
    int toolkitArgc = 1;
    torvel::TApplication app(toolkitArgc, argv);
    QApplication::setApplicationName(QStringLiteral("torvel-graphics"));
    QApplication::setApplicationVersion(QStringLiteral("2.07"));
    QGuiApplication::setDesktopFileName(QStringLiteral("torvel-graphics"));
    torvel::UseSystemDecimalSeparator();

    torvel::TMDIMainF::Options options;
    // Beside the program when its folder is writable, else the user's configuration folder.
    const torvel::StartupPaths paths = torvel::ChooseStartupPaths(
        QCoreApplication::applicationFilePath().toStdString(),
        qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(), QDir::homePath().toStdString());
    options.StartupFile = QString::fromStdString(paths.Fig);
    options.HelpFile = FindHelpFile();
    options.RecoveryFolder = QString::fromStdString(torvel::RecoveryFolderFor(
        qEnvironmentVariable("XDG_STATE_HOME").toStdString(), QDir::homePath().toStdString()));
    if (!command.File.empty())
        options.CommandLineFile =
            QFileInfo(QString::fromLocal8Bit(command.File)).absoluteFilePath();

    int rc = 0;
    {
        torvel::TMDIMainF window(std::move(options));
        app.SetFeedback(&window.Fb());
        window.show();
        rc = app.exec();
        app.SetFeedback(nullptr);
    }
    return rc;
}
