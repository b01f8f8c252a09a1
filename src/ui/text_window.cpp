#include "ui/text_window.h"

#include "core/feedback.h"
#include "core/out_of_memory.h"
#include "files/atomic_file.h"
#include "files/file_path.h"
#include "ui/child_window.h"
#include "ui/printing.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QTextDocument>

#include <memory>

#include <memory>

namespace torvel {

namespace {

// At most limit UTF-16 units, without splitting a surrogate pair.
QString CutText(const QString& text, int limit) {
    if (text.size() <= limit) return text;
    int n = limit;
    if (n > 0 && text.at(n - 1).isHighSurrogate()) --n;
    return text.left(n);
}

// Whether a file can be written, without leaving a trace when it did not exist.
bool CanWriteFile(const QString& path) {
    if (path.isEmpty()) return false;
    const bool existed = QFileInfo::exists(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    file.close();
    if (!existed) QFile::remove(path);
    return true;
}

} // namespace

// ---------------------------------------------------------------------------
// TextMemo

TextMemo::TextMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false); // Tab types a tab
}

void TextMemo::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    insertPlainText(CutText(source->text(), PasteLimit));
}

// ---------------------------------------------------------------------------
// TTextF

TTextF::TTextF(AppContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("TextF"));
    memo_ = new TextMemo(this);
    memo_->setObjectName(QStringLiteral("Memo1"));
    CreateMenus();
    LayOutChild(*this, menuBar_, memo_);
    SetCaption(QString::fromLatin1(NoNameText));
}

TTextF::~TTextF() = default;

void TTextF::CreateMenus() {
    auto make = [this](const char* name, const char* text, const QKeySequence& key, auto handler) {
        QAction* action = MakeChildAction(*this, name, text, key);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("MainMenu1"));
    fileMenu_ = menuBar_->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("File1"));
    fileMenu_->addAction(make("New1", "&New  Data", {}, [this] { emit NewDataRequested(); }));
    fileMenu_->addAction(make("NewText1", "New  &Text", {}, [this] { emit NewTextRequested(); }));
    QAction* open1 = make("open1", "&Open", {}, [this] { emit OpenRequested(); });
    ShowMainWindowKey(*open1, QKeySequence(Qt::Key_F3));
    fileMenu_->addAction(open1);
    fileMenu_->addAction(make("SaveText1", "&Save Text", {}, [this] {
        GuardMemory(context_.Fb(), "save the text", [this] { SaveText1Click(); });
    }));
    fileMenu_->addAction(make("Close1", "&Close Text", QKeySequence(Qt::ALT | Qt::Key_F3),
                              [this] { Close1Click(); }));
    fileMenu_->addSeparator();
    fileMenu_->addAction(make("Print1", "&Print Text", {}, [this] {
        GuardMemory(context_.Fb(), "print the text", [this] { Print1Click(); });
    }));
    fileMenu_->addAction(
        make("PrintSetup1", "P&rint Setup...", {}, [this] { PrintSetup1Click(); }));
    fileMenu_->addSeparator();
    fileMenu_->addAction(make("Exit1", "E&xit", {}, [this] { emit ExitRequested(); }));

    editMenu_ = menuBar_->addMenu(QStringLiteral("&Edit"));
    editMenu_->setObjectName(QStringLiteral("Edit1"));
    // The editor answers Ctrl+X, Ctrl+C and Ctrl+V itself; the menu shows the keys.
    cut1_ = make("Cut1", "Cu&t", {}, [this] { Cut1Click(); });
    copy1_ = make("Copy1", "&Copy", {}, [this] { Copy1Click(); });
    paste1_ = make("Paste1", "&Paste", {}, [this] { Paste1Click(); });
    cut1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    copy1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    paste1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    for (QAction* a : {cut1_, copy1_, paste1_})
        a->setShortcutContext(Qt::WidgetShortcut); // shown in the menu, answered by the editor
    editMenu_->addAction(cut1_);
    editMenu_->addAction(copy1_);
    editMenu_->addAction(paste1_);
}

void TTextF::SetCaption(const QString& caption) {
    caption_ = caption;
    setWindowTitle(caption);
}

bool TTextF::OpenFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    if (file.size() > MaxOpenBytes) {
        if (error) *error = QStringLiteral("The file is too large to open as text.");
        return false;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = file.errorString();
        return false;
    }
    bytes.replace('\0', ' '); // a binary file opened as text stays showable
    // Lines end with CR LF, LF or CR; a final line end opens no extra line.
    QString text = QString::fromUtf8(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    memo_->setPlainText(text);
    SetCaption(QFileInfo(path).absoluteFilePath());
    fileIdentity_ = IdentityOfOpenFile(file.handle());
    return true;
}

bool TTextF::WriteTo(const std::string& path, std::string* error, FileIdentity* written) const {
    QString text = memo_->toPlainText();
    // One line per editor line, each ended by CR LF; an empty editor has no lines.
    QStringList lines;
    if (!text.isEmpty()) {
        if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
        lines = text.split(QLatin1Char('\n'));
    }
    return WriteFileAtomically(
        path,
        [&lines](std::ostream& out) {
            for (const QString& line : lines) {
                const QByteArray bytes = line.toUtf8();
                out.write(bytes.constData(), bytes.size());
                out << "\r\n";
            }
            return static_cast<bool>(out);
        },
        error, written);
}

std::optional<std::string> TTextF::RunSaveDialog(const std::string& preset) {
    if (saveDialog_) return saveDialog_(preset);
    return RunSaveFileDialog(context_.MainWidget(),
                             {"SaveDialog1", QStringLiteral("Save Text"),
                              QStringLiteral("Text File (*.txt);;Any File (*)"), QString()},
                             QString::fromStdString(preset));
}

SaveResult TTextF::SaveText1Click() {
    // The window's own file is written without a question (unless another
    // program changed it); another existing one is asked for.
    const std::string own = caption_.toStdString();
    const std::optional<std::string> chosen =
        ChooseSavePath([this, &own] { return RunSaveDialog(own); }, own, OverwriteQuestion,
                       context_.Fb(), fileIdentity_);
    if (!chosen || chosen->empty()) return SaveResult::Cancelled;
    std::string error;
    if (!WriteTo(*chosen, &error, &fileIdentity_)) {
        // The caption keeps naming the file that does hold the text.
        context_.Fb().Message(MessageKind::Error, error, MessageButtons::Ok);
        return SaveResult::Failed;
    }
    SetCaption(QString::fromStdString(*chosen));
    return SaveResult::Saved;
}

void TTextF::Cut1Click() {
    memo_->cut();
}

void TTextF::Copy1Click() {
    memo_->copy();
}

void TTextF::Paste1Click() {
    memo_->paste();
}

bool TTextF::PrintTo(QPrinter& printer) const {
    // A PDF file that cannot be written would fail without a word.
    if (printer.outputFormat() == QPrinter::PdfFormat && !CanWriteFile(printer.outputFileName()))
        return false;
    const std::unique_ptr<QTextDocument> doc(memo_->document()->clone());
    doc->setDefaultFont(memo_->font());
    doc->print(&printer);
    return true;
}

void TTextF::Print1Click() {
    ProgramPrinter& printing = context_.Printing();
    if (!printing.AskToPrint(this, true)) return;
    if (!PrintTo(printing.Printer()))
        context_.Fb().Message(MessageKind::Error, PrinterNotStarted, MessageButtons::Ok);
}

void TTextF::PrintSetup1Click() {
    context_.Printing().PageSetup(this);
}

void TTextF::Close1Click() {
    CloseChild(*this);
}

void TTextF::closeEvent(QCloseEvent* event) {
    // Asked whether or not the text was changed.
    if (!AskDataLoss(context_.Fb())) {
        event->ignore();
        return;
    }
    event->accept();
    emit CloseAccepted(this);
}

} // namespace torvel
