// What the program's dialogs share: where they are placed, the "Series #"
// label of the per-series dialogs, and the keyboard conventions (Enter presses
// the default button wherever the focus is, Escape cancels).
#pragma once

#include "ui/app_context.h"

#include <QDialog>
#include <QString>
#include <QTimer>

#include <functional>

class QButtonGroup;
class QLabel;
class QPushButton;
class QWidget;

namespace torvel {

// Puts the dialog's bottom-right corner `inset` pixels inside the bottom-right
// corner of the main window (30 for most dialogs), kept on the main window's screen.
void PlaceDialog(QDialog& dialog, QWidget* mainWindow, int inset = 30);

// The per-series dialogs' bold series label ("Label1"), before its first show.
QLabel* MakeSeriesLabel(QWidget* parent);

// The per-series dialogs' label: text + the series number, in the series' screen colour.
void ShowSeriesNumber(QLabel& label, const QString& text, int seriesNumber);

// The cell dialogs: the dialog's background in the series' screen colour and
// every text on it (the series label too) black or white, whichever reads.
void ShowSeriesBackground(QWidget& dialog, QLabel& label, int seriesNumber);

// A caption with its first letter (or the first `key`) as the access key
// (Alt+letter), any literal '&' kept as itself.
QString WithAccessKey(const QString& caption, QChar key = QChar());

// A caption as it reads on screen: access-key marks gone, "&&" shown as "&".
QString ShownText(const QString& caption);

// Tab stops at the checked item of a radio group only (the arrow keys move
// between its items), also after the program itself checked an item.
void TabToCheckedOnly(QButtonGroup& group);
// The same, kept so whenever the checked item changes.
void KeepTabOnChecked(QButtonGroup& group);

// A radio group whose choice takes effect as a click's: a click (or Space, or
// an access key) acts at once; a choice moved with the arrow keys acts once the
// user stops on it (after the platform's key interval) or goes on to anything
// else (another key, Tab, Enter, a button, the focus leaving). Items merely
// passed on the way have no effect. `act` gets the chosen item's id.
class SettledChoice : public QObject {
  public:
    SettledChoice(QButtonGroup& group, std::function<void(int)> act);
    // Acts on a choice still waiting, now.
    void Settle();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Before another key goes on: acts on the choice waiting.
    void SettleBefore(QObject* watched, QEvent* key);

    QButtonGroup& group_;
    std::function<void(int)> act_;
    QTimer timer_;
    int pending_ = -1;
    bool byArrow_ = false;
};

// A push button named for tests that takes no Enter of its own.
QPushButton* MakeButton(QWidget* parent, const char* objectName, const QString& text);

// Enter presses `ok` wherever the focus is (other buttons never take Enter);
// Escape is the dialog's own reject.
void MakeDefaultButton(QDialog& dialog, QPushButton& ok);

// A modal dialog of the program: a title and a close box only, made once and
// reused, placed near the main window's bottom-right corner each time it shows.
class PlacedDialog : public QDialog {
    Q_OBJECT

  public:
    PlacedDialog(AppContext& context, const char* objectName, const QString& caption,
                 bool stayOnTop, int inset = 30);

  protected:
    // Lays the dialog out, places it and shows it modally.
    int RunModal();
    // The button that Enter presses.
    void SetDefaultButton(QPushButton& button) { MakeDefaultButton(*this, button); }
    void showEvent(QShowEvent* event) override;

    AppContext& context_;

  private:
    int inset_;
};

} // namespace torvel
