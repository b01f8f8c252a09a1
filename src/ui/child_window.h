// What the child windows of the main window share: the data-loss question of
// their own close, closing through their frame, and the save dialog.
#pragma once

#include "core/feedback.h"

#include <QString>

#include <optional>
#include <string>

class QAction;
class QFileDialog;
class QKeySequence;
class QMenuBar;
class QWidget;

namespace torvel {

// An action of a child window, named for tests; its short cut (if any) is
// answered only while the window holds the focus.
QAction* MakeChildAction(QWidget& window, const char* objectName, const char* text,
                         const QKeySequence& key);

// Shows in a child's menu entry a key that the main window's own action answers
// (Open's F3, live whichever child is active); the entry never takes the key
// itself, so the two never compete for it, whatever state the menus are in.
void ShowMainWindowKey(QAction& action, const QKeySequence& key);

// "Possible data loss. Continue?" (warning, Yes and Cancel); true for Yes.
bool AskDataLoss(Feedback& feedback);

// Lays a child window out: its menu bar (hidden: the main window shows its
// menus while it is active) and one widget filling the rest.
void LayOutChild(QWidget& window, QMenuBar* menuBar, QWidget* content);

// Closes a child window the way its close box does: through its multiple-document
// frame when it has one, so the frame goes with it.
void CloseChild(QWidget& child);

// Sizes an open or save dialog so its file list shows the names and the
// size, type and date columns in full.
void PrepareFileDialog(QFileDialog& dialog);

// A save dialog with one filter and a default extension. The overwrite question
// is the program's own, so the dialog never asks it. Empty when cancelled.
struct SaveFileDialogSpec {
    const char* ObjectName;
    QString Title;
    QString Filter;        // "Data File (*.prn)"; several separated by ";;"
    QString DefaultSuffix; // without the dot; empty for none
};
// With filterIndex, the filter chosen is reported there (0 for the first) and
// the default extension follows it.
std::optional<std::string> RunSaveFileDialog(QWidget* parent, const SaveFileDialogSpec& spec,
                                             const QString& preset, int* filterIndex = nullptr);

} // namespace torvel
