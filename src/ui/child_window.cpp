#include "ui/child_window.h"

#include <QAction>
#include <QKeySequence>

#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace torvel {

QAction* MakeChildAction(QWidget& window, const char* objectName, const char* text,
                         const QKeySequence& key) {
    auto* action = new QAction(QString::fromLatin1(text), &window);
    action->setObjectName(QString::fromLatin1(objectName));
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        window.addAction(action);
    }
    return action;
}

void ShowMainWindowKey(QAction& action, const QKeySequence& key) {
    // Shown after a tab, as a menu shows a key, but not taken: once the bar has
    // held the keyboard (Alt+F, Escape) even a widget short cut of the entry
    // would compete with the main window's and neither would fire.
    action.setText(action.text() + QLatin1Char('\t') + key.toString(QKeySequence::NativeText));
}

bool AskDataLoss(Feedback& feedback) {
    return feedback.Message(MessageKind::Warning, DataLossQuestion, MessageButtons::YesCancel) ==
           Answer::Yes;
}

void LayOutChild(QWidget& window, QMenuBar* menuBar, QWidget* content) {
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(content);
    menuBar->hide();
    window.setFocusProxy(content);
}

void CloseChild(QWidget& child) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(child.parentWidget()))
        frame->close();
    else
        child.close();
}

void PrepareFileDialog(QFileDialog& dialog) {
    dialog.resize(760, 480);
    // "File name" has its Alt+N; the type list gets its Alt+T.
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Files of &type:"));
    auto* typeLabel = dialog.findChild<QLabel*>(QStringLiteral("fileTypeLabel"));
    auto* typeList = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (typeLabel && typeList) typeLabel->setBuddy(typeList);
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = list->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

std::optional<std::string> RunSaveFileDialog(QWidget* parent, const SaveFileDialogSpec& spec,
                                             const QString& preset, int* filterIndex) {
    QFileDialog dialog(parent, spec.Title);
    dialog.setObjectName(QString::fromLatin1(spec.ObjectName));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(spec.Filter);
    if (!spec.DefaultSuffix.isEmpty()) dialog.setDefaultSuffix(spec.DefaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    PrepareFileDialog(dialog);
    // A bare name starts in the current folder; a path in its own.
    if (!preset.isEmpty()) dialog.selectFile(preset);
    const QStringList filters = spec.Filter.split(QStringLiteral(";;"));
    if (filterIndex) {
        // "PNG Image (*.png)" gives the extension "png".
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& filter) {
                             const qsizetype star = filter.lastIndexOf(QStringLiteral("*."));
                             if (star < 0) return;
                             QString suffix = filter.mid(star + 2);
                             suffix.chop(suffix.endsWith(QLatin1Char(')')) ? 1 : 0);
                             dialog.setDefaultSuffix(suffix);
                         });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    if (filterIndex) *filterIndex = std::max(0, int(filters.indexOf(dialog.selectedNameFilter())));
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace torvel
