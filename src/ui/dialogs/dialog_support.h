// What the program's dialogs share: where they are placed, the "Series #"
// label of the per-series dialogs, and the keyboard conventions.
#pragma once

#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace torvel {

// Puts the dialog's bottom-right corner `inset` pixels inside the bottom-right
// corner of the main window (30 for most dialogs), kept on the main window's screen.
void PlaceDialog(QDialog& dialog, const QWidget* mainWindow, int inset = 30);

// The per-series dialogs' label: text + the series number, in the series' screen colour.
void ShowSeriesNumber(QLabel& label, const QString& text, int seriesNumber);

// Enter presses `ok` wherever the focus is (other buttons never take Enter);
// Escape is the dialog's own reject.
void MakeDefaultButton(QDialog& dialog, QPushButton& ok);

// A push button named for tests, taking no Enter of its own.
QPushButton* MakeButton(QWidget* parent, const char* objectName, const QString& text);

} // namespace torvel
