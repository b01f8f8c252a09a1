// torvel-cli: draws a graph or data file into an image or PDF exactly as the
// graph window would show it, and prints fits of data files, without a display.
#include "cli/cli_commands.h"

#include "ui/locale_setup.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    // Runs headless unless the caller asked for a particular platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<std::string> args(argv + 1, argv + argc);
    // --help and usage errors need no application object.
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << torvel::CliHelpText();
        return args.empty() ? 2 : 0;
    }
    QGuiApplication app(argc, argv);
    torvel::UseClassicNumbers();
    return torvel::RunCli(args, std::cout, std::cerr);
}
