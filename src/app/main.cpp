// torvel-graphics: the desktop program. One optional argument: a graph file
// (or a data file) to open at start.
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

// The start-up file lives in the user's configuration folder: the program's
// own folder is not writable once installed.
QString StartupFilePath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (dir.isEmpty()) dir = QDir::homePath() + QStringLiteral("/.config/torvel-graphics");
    QDir().mkpath(dir);
    return dir + QStringLiteral("/torvel-graphics.fig");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("torvel-graphics"));
    QApplication::setApplicationVersion(QStringLiteral("2.07"));
    QGuiApplication::setDesktopFileName(QStringLiteral("torvel-graphics"));

    torvel::TMDIMainF::Options options;
    options.StartupFile = StartupFilePath();
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
