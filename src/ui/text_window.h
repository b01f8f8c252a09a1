// A text window: one plain-text editor for notes and for looking at text files,
// with Save Text (asking before it overwrites another file), printing, the
// clipboard (a paste takes at most 99,999 characters) and a close question.
#pragma once

#include "files/data_file.h"
#include "ui/app_context.h"

#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

#include <optional>
#include <string>

class QAction;
class QMenu;
class QMenuBar;
class QPrinter;

namespace torvel {

// The editor of a text window. Every paste (keys, menu, drop) goes through
// insertFromMimeData, which is where the length limit is kept.
class TextMemo : public QPlainTextEdit {
    Q_OBJECT

  public:
    static constexpr int PasteLimit = 99999;
    explicit TextMemo(QWidget* parent = nullptr);

  protected:
    void insertFromMimeData(const QMimeData* source) override;
};

class TTextF : public QWidget {
    Q_OBJECT

  public:
    // The name a new window is captioned with.
    static constexpr const char* NoNameText = "NoName.txt";
    // Files larger than this are not opened as text (they would freeze the editor).
    static constexpr long long MaxOpenBytes = 64LL * 1024 * 1024;

    explicit TTextF(AppContext& context, QWidget* parent = nullptr);
    ~TTextF() override;

    TextMemo* Memo() const { return memo_; }
    // The file name the window stands for: "NoName.txt" or a full path.
    const QString& Caption() const { return caption_; }

    // Loads a file's lines; the caption becomes the path. On failure the
    // window is unchanged and *error says why.
    bool OpenFile(const QString& path, QString* error = nullptr);
    // Writes the editor's lines to path (CR LF after each), through a
    // temporary file; false with *error on failure.
    // *written gets the identity of the file written.
    bool WriteTo(const std::string& path, std::string* error = nullptr,
                 FileIdentity* written = nullptr) const;

    // Menu commands.
    SaveResult SaveText1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Print1Click();
    void PrintSetup1Click();
    void Close1Click();
    // Prints every line of the editor, in the editor's font; false when the
    // printer's file cannot be written.
    bool PrintTo(QPrinter& printer) const;

    // Tests and the program can replace the save dialog.
    void SetSaveDialog(SaveDialog dialog) { saveDialog_ = std::move(dialog); }

    // The window's menus (hidden; the main window merges them while this window is active).
    QMenuBar* MenuBar() const { return menuBar_; }
    QMenu* FileMenu() const { return fileMenu_; }
    QMenu* EditMenu() const { return editMenu_; }

  signals:
    // File menu entries that are the main window's commands.
    void NewDataRequested();
    void NewTextRequested();
    void OpenRequested();
    void ExitRequested();
    // A close of the window itself was confirmed; the owner removes the window
    // from its list and deletes it (later than this signal).
    void CloseAccepted(torvel::TTextF* window);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateMenus();
    void SetCaption(const QString& caption);
    std::optional<std::string> RunSaveDialog(const std::string& preset);

    AppContext& context_;
    TextMemo* memo_ = nullptr;
    QString caption_;
    QMenuBar* menuBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* cut1_ = nullptr;
    QAction* copy1_ = nullptr;
    QAction* paste1_ = nullptr;
    SaveDialog saveDialog_;
    FileIdentity fileIdentity_; // of the file the caption names, as read or last written
};

} // namespace torvel
