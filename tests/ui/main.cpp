// The widget tests' main: a QApplication on the offscreen platform with a fixed
// DPI, style and font, so that text measurements and layouts repeat on every machine.
#include "ui/application.h"

#include <QApplication>
#include <QFont>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
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
