#include "ui/dialogs/dialog_support.h"

#include "core/data_model.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace torvel {

namespace {

// A window's frame as far as it is known: while the window manager is still
// framing it the platform may report a frame that does not even hold the
// window, which counts as none yet.
QRect KnownFrame(const QWidget& w) {
    const QRect frame = w.frameGeometry();
    return frame.contains(w.geometry()) ? frame : w.geometry();
}

// A window manager frames a window (title bar, borders) only after it is on
// screen, and tells the program its frame a moment later still, so a
// placement may have measured the dialog or the main window without its
// frame. When a frame becomes known (the dialog's frame size or the main
// window's frame margins change) the dialog is placed again: looked at on
// each move or resize, and for three seconds after it shows (a frame alone
// comes with neither). A window the user merely moves changes neither.
class FramePlacer : public QObject {
  public:
    explicit FramePlacer(QDialog& dialog) : QObject(&dialog), dialog_(dialog) {
        setObjectName(QStringLiteral("FramePlacer"));
        dialog.installEventFilter(this);
        settling_.setInterval(50);
        connect(&settling_, &QTimer::timeout, this, [this] {
            if (++ticks_ >= 60) settling_.stop();
            Check();
        });
        if (dialog.isVisible()) settling_.start(); // first placed once shown
    }

    void Watch(QWidget* main) {
        if (main != Main) main->installEventFilter(this);
        Main = main;
    }
    static QMargins FrameOf(const QWidget& w) {
        const QRect f = KnownFrame(w), g = w.geometry();
        return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(),
                f.bottom() - g.bottom()};
    }

    QPointer<QWidget> Main;
    int Inset = 30;
    QSize Used;        // the dialog's frame size the last placement measured
    QMargins MainUsed; // and the main window's frame margins

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            Check();
            break;
        case QEvent::Show:
            if (watched != &dialog_) break;
            ticks_ = 0;
            settling_.start();
            break;
        case QEvent::Hide:
            if (watched == &dialog_) settling_.stop();
            break;
        default:
            break;
        }
        return false;
    }

  private:
    void Check() {
        // Until the dialog's frame is known its first placement stands.
        if (dialog_.isVisible() && Main && KnownFrame(dialog_) != dialog_.geometry() &&
            (KnownFrame(dialog_).size() != Used || FrameOf(*Main) != MainUsed))
            PlaceDialog(dialog_, Main, Inset);
    }

    QDialog& dialog_;
    QTimer settling_;
    int ticks_ = 0;
};

} // namespace

void PlaceDialog(QDialog& dialog, QWidget* mainWindow, int inset) {
    if (!mainWindow || mainWindow == &dialog) return;
    auto* placer =
        dialog.findChild<FramePlacer*>(QStringLiteral("FramePlacer"), Qt::FindDirectChildrenOnly);
    if (!placer) placer = new FramePlacer(dialog);
    placer->Watch(mainWindow);
    placer->Inset = inset;
    // Before the dialog is on screen its client size stands for its frame.
    const QSize size = dialog.isVisible() ? KnownFrame(dialog).size() : dialog.size();
    placer->Used = size;
    placer->MainUsed = FramePlacer::FrameOf(*mainWindow);
    const QRect main = KnownFrame(*mainWindow);
    QPoint at(main.x() + main.width() - inset - size.width(),
              main.y() + main.height() - inset - size.height());
    // Never off the screen, where it could not be reached.
    QScreen* screen =
        mainWindow->screen() ? mainWindow->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect avail = screen->availableGeometry();
        at.setX(std::max(avail.left(), std::min(at.x(), avail.right() + 1 - size.width())));
        at.setY(std::max(avail.top(), std::min(at.y(), avail.bottom() + 1 - size.height())));
    }
    dialog.move(at);
}

QLabel* MakeSeriesLabel(QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("Series # 1"), parent);
    label->setObjectName(QStringLiteral("Label1"));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

void ShowSeriesNumber(QLabel& label, const QString& text, int seriesNumber) {
    label.setText(text + QString::number(seriesNumber));
    const Rgb c = SeriesColorOf(seriesNumber);
    QPalette pal = label.palette();
    pal.setColor(QPalette::WindowText, QColor(c.R, c.G, c.B));
    label.setPalette(pal);
}

void ShowSeriesBackground(QWidget& dialog, QLabel& label, int seriesNumber) {
    const Rgb back = SeriesColorOf(seriesNumber);
    const Rgb text = ReadableTextOn(back);
    const QColor textColour(text.R, text.G, text.B);
    QPalette pal = dialog.palette();
    pal.setColor(QPalette::Window, QColor(back.R, back.G, back.B));
    pal.setColor(QPalette::WindowText, textColour);
    dialog.setPalette(pal);
    QPalette own = label.palette();
    own.setColor(QPalette::WindowText, textColour);
    label.setPalette(own);
}

QString WithAccessKey(const QString& caption, QChar key) {
    QString text = caption;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    for (qsizetype i = 0; i < text.size(); ++i)
        if (key.isNull() ? text[i].isLetter() : text[i] == key)
            return text.insert(i, QLatin1Char('&'));
    return text;
}

QString ShownText(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    return text;
}

void TabToCheckedOnly(QButtonGroup& group) {
    QAbstractButton* checked = group.checkedButton();
    for (QAbstractButton* b : group.buttons())
        b->setFocusPolicy(!checked || b == checked ? Qt::StrongFocus : Qt::ClickFocus);
    // The focus follows a check the program moved (a refused fit back to
    // "None"): the arrow keys move a choice only from its checked item.
    auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (checked && focused && focused != checked && focused->group() == &group)
        checked->setFocus(Qt::OtherFocusReason);
}

void KeepTabOnChecked(QButtonGroup& group) {
    QObject::connect(&group, &QButtonGroup::idToggled, &group, [&group](int, bool checked) {
        if (checked) TabToCheckedOnly(group);
    });
    TabToCheckedOnly(group);
}

namespace {

bool IsArrowMove(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    default:
        return false;
    }
}

} // namespace

SettledChoice::SettledChoice(QButtonGroup& group, std::function<void(int)> act)
    : QObject(&group), group_(group), act_(std::move(act)) {
    timer_.setSingleShot(true);
    timer_.setInterval(QApplication::keyboardInputInterval());
    connect(&timer_, &QTimer::timeout, this, &SettledChoice::Settle);
    connect(&group_, &QButtonGroup::idClicked, this, [this](int id) {
        if (byArrow_) {
            pending_ = id;
            timer_.start();
            return;
        }
        timer_.stop();
        pending_ = -1;
        act_(id);
    });
    for (QAbstractButton* b : group_.buttons())
        b->installEventFilter(this);
}

void SettledChoice::Settle() {
    timer_.stop();
    const int id = pending_;
    pending_ = -1;
    if (id >= 0) act_(id);
}

void SettledChoice::SettleBefore(QObject* watched, QEvent* key) {
    // Space on the item waiting clicks it, which acts: once is enough.
    if (static_cast<QKeyEvent*>(key)->key() == Qt::Key_Space && pending_ >= 0 &&
        watched == group_.button(pending_)) {
        timer_.stop();
        pending_ = -1;
        return;
    }
    Settle();
}

bool SettledChoice::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (IsArrowMove(event) && !byArrow_) {
            // The button moves the check as it always does; the click it
            // makes is only noted as a move.
            byArrow_ = true;
            QCoreApplication::sendEvent(watched, event);
            byArrow_ = false;
            return true;
        }
        if (!byArrow_) SettleBefore(watched, event);
        break;
    case QEvent::ShortcutOverride: // Alt+letter and the like
        if (!IsArrowMove(event)) SettleBefore(watched, event);
        break;
    case QEvent::FocusOut: {
        // Moving on within the group is still choosing.
        auto* to = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        if (!to || to->group() != &group_) Settle();
        break;
    }
    case QEvent::Hide:
        Settle();
        break;
    default:
        break;
    }
    return false;
}

QPushButton* MakeButton(QWidget* parent, const char* objectName, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

void MakeDefaultButton(QDialog& dialog, QPushButton& ok) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    ok.setDefault(true);
}

PlacedDialog::PlacedDialog(AppContext& context, const char* objectName, const QString& caption,
                           bool stayOnTop, int inset)
    : QDialog(context.MainWidget()), context_(context), inset_(inset) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(caption);
    setModal(true);
    // A title and a close box only; the hints count only with CustomizeWindowHint.
    Qt::WindowFlags flags =
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (stayOnTop) flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
}

int PlacedDialog::RunModal() {
    if (layout()) layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    PlaceDialog(*this, context_.MainWidget(), inset_);
    return exec();
}

void PlacedDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceDialog(*this, context_.MainWidget(), inset_); // the frame is known now
}

} // namespace torvel
