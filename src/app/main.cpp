// torvel-graphics: the desktop program. One optional argument: a graph file
// (or a data file) to open at start.
#include "files/startup_file.h"
#include "ui/locale_setup.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

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
    QApplication app(argc, argv);
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
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) options.CommandLineFile = QFileInfo(args.at(1)).absoluteFilePath();

    int rc = 0;
    {
        torvel::TMDIMainF window(std::move(options));
        window.show();
        rc = app.exec();
    }
    return rc;
}
