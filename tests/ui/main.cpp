// The widget tests' main: a QApplication on the offscreen platform with a fixed
// DPI, style and font, so that text measurements and layouts repeat on every machine.
#include "ui/application.h"

#include <QApplication>
#include <QFont>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform's notices about size hints and raising windows say
// nothing about the program.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support propagateSizeHints")) ||
        text.contains(QLatin1String("does not support raise()")))
        return;
    if (defaultHandler) defaultHandler(type, context, text);
}

} // namespace

int main(int argc, char** argv) {
    defaultHandler = qInstallMessageHandler(QuietHandler);
    // Offscreen unless a run asks for a real display (the window manager test).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QLocale::setDefault(QLocale::c());
    QApplication::setStyle(QStringLiteral("Fusion"));
    torvel::TApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
