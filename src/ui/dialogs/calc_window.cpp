#include "ui/dialogs/calc_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace torvel {

namespace {

std::string Latin1(const QString& text) {
    return text.toLatin1().toStdString();
}
QString FromLatin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// Messages of the calculator: an on-top window steps back while one is up, so
// the box is never hidden behind it.
class TCalcF::OnTopFeedback : public Feedback {
  public:
    OnTopFeedback(Feedback& inner, TCalcF& window) : inner_(inner), window_(window) {}
    void Beep(const std::string& reason) override { inner_.Beep(reason); }
    Answer Message(MessageKind kind, const std::string& text, MessageButtons buttons) override {
        const bool onTop = window_.appliedOnTop_;
        if (onTop) {
            window_.engine_->OnTop = false;
            window_.ApplyOnTop();
        }
        const Answer a = inner_.Message(kind, text, buttons);
        if (onTop) {
            window_.engine_->OnTop = true;
            window_.ApplyOnTop();
        }
        return a;
    }

  private:
    Feedback& inner_;
    TCalcF& window_;
};

TCalcF::TCalcF(AppContext& context, QWidget* parent)
    : QWidget(parent ? parent : context.MainWidget(),
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      context_(context), feedback_(std::make_unique<OnTopFeedback>(context.Fb(), *this)),
      engine_(std::make_unique<Calculator>(context.Doc().ConstantK, *feedback_)) {
    setObjectName(QStringLiteral("CalcF"));
    setWindowTitle(QString::fromLatin1(CalcCaption));
    hide();

    // The stack: T at the top, X at the bottom; only X takes typing and Tab.
    auto* stack = new QGridLayout;
    auto box = [this, stack](const char* name, const char* label, int row) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAlignment(Qt::AlignRight);
        edit->installEventFilter(this);
        auto* l = new QLabel(QString::fromLatin1(label), this);
        l->setObjectName(QStringLiteral("Label") + QString::fromLatin1(label));
        l->setBuddy(edit);
        stack->addWidget(l, row, 0);
        stack->addWidget(edit, row, 1);
        return edit;
    };
    editT_ = box("EditT", "T", 0);
    editZ_ = box("EditZ", "Z", 1);
    editY_ = box("EditY", "Y", 2);
    editX_ = box("EditX", "X", 3);
    for (QLineEdit* e : {editT_, editZ_, editY_}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::ClickFocus);
        QPalette p = e->palette();
        p.setColor(QPalette::Base, QColor(0, 255, 0));
        p.setColor(QPalette::Text, Qt::black);
        e->setPalette(p);
    }
    QFont big = editX_->font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    for (QLineEdit* e : {editT_, editZ_, editY_, editX_})
        e->setFont(big);

    auto row = [this] {
        auto* w = new QWidget(this);
        auto* l = new QHBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(4);
        return w;
    };
    using C = Calculator;
    QWidget* r1 = row();
    auto* enter = Button(r1, "ButtonE", QStringLiteral("Enter"), nullptr, &C::Enter);
    static_cast<QHBoxLayout*>(r1->layout())->setStretchFactor(enter, 2);
    Button(r1, "SpeedButtonP", QStringLiteral("+"), "X = Y + X", &C::Add);
    Button(r1, "SpeedButtonM", QStringLiteral("\u2212"), "X = Y - X", &C::Subtract);
    Button(r1, "SpeedButtonMu", QStringLiteral("\u00d7"), "X = Y * X", &C::Multiply);
    Button(r1, "SpeedButtonD", QStringLiteral("\u00f7"), "X = Y / X", &C::Divide);
    QWidget* r2 = row();
    Button(r2, "SpeedButtonYX", QStringLiteral("y\u02e3"), "X = Y^X", &C::Power);
    Button(r2, "SpeedButtonPM", QStringLiteral("\u00b1"), "Change sign", &C::ChangeSign);
    Button(r2, "SpeedButtonPME", QStringLiteral("E\u00b1"), "Change sign E+/-", &C::ExponentSign);
    Button(r2, "SpeedButtonsqrt", QStringLiteral("\u221ax"), "X = X^0.5", &C::SquareRoot);
    Button(r2, "SpeedButtonX2", QStringLiteral("x\u00b2"), "X = X^2", &C::Square);
    Button(r2, "SpeedButton1X", QStringLiteral("1/x"), "X = 1 / X", &C::Reciprocal);
    QWidget* r3 = row();
    Button(r3, "SpeedButtonR", QStringLiteral("R\u2193"), "Down Roll", &C::RollDown);
    Button(r3, "SpeedButtonxy", QStringLiteral("x\u21c4y"), "X Y interchange", &C::Swap);
    Button(r3, "SpeedButtonCE", QStringLiteral("CX"), "Clear X", &C::ClearX);
    Button(r3, "SpeedButtonC", QStringLiteral("CA"), "Clear All", &C::ClearAll);
    Button(r3, "ButtonSTO", QStringLiteral("STO"), "Store M=X", &C::Store);
    Button(r3, "ButtonRCL", QStringLiteral("RCL"), "Recall X=M", &C::Recall);
    QWidget* r4 = row();
    Button(r4, "ButtonCOPY", QStringLiteral("Copy"), "Win Clip=X, Y, Z or T", [](C& c) {
        if (auto text = c.Copy()) QApplication::clipboard()->setText(FromLatin1(*text));
    });
    Button(r4, "ButtonPaste", QStringLiteral("Paste"), "X = Win Clip",
           [](C& c) { c.Paste(Latin1(QApplication::clipboard()->text())); });
    Button(r4, "Buttonedit", QStringLiteral("Edit X"), "Edit number in X reg", &C::EditXButton);
    buttonTop_ = static_cast<QPushButton*>(
        Button(r4, "Buttontop", QStringLiteral("Back"), "Click moves to back", &C::ToggleTop));
    buttonSmall_ = static_cast<QPushButton*>(
        Button(r4, "ButtonSmall", QStringLiteral("Trig"), "Click for Trig/Log", &C::ToggleSmall));
    auto* help = Button(r4, "ButtonH", QStringLiteral("Help"), nullptr, nullptr);
    connect(help, &QAbstractButton::clicked, this, [this] { context_.ShowHelp(CalcHelpContext); });
    auto* exit = Button(r4, "ButtonExit", QStringLiteral("Done"), "Close Calculator", nullptr);
    connect(exit, &QAbstractButton::clicked, this, &TCalcF::Done);

    // The function rows, shown or hidden by "Trig" / "Shrink".
    trigRows_ = new QWidget(this);
    trigRows_->setObjectName(QStringLiteral("TrigRows"));
    auto* trig = new QGridLayout(trigRows_);
    trig->setContentsMargins(0, 0, 0, 0);
    trig->setSpacing(4);
    auto fn = [this, trig](const char* name, const char* text, const char* hint, int r, int col,
                           std::function<void(C&)> op) {
        QAbstractButton* b = Button(trigRows_, name, QString::fromLatin1(text), hint, op);
        trig->addWidget(b, r, col);
    };
    auto f = [](CalcFunction which) { return [which](C& c) { c.Function(which); }; };
    fn("Buttonsin", "sin (x)", nullptr, 0, 0, f(CalcFunction::Sin));
    fn("Buttoncos", "cos (x)", nullptr, 0, 1, f(CalcFunction::Cos));
    fn("Buttontan", "tan (x)", nullptr, 0, 2, f(CalcFunction::Tan));
    fn("Buttondeg", "deg/rad", "Toggle deg/rad", 0, 3, &C::ToggleDegrees);
    fn("Buttondegrad", "deg>rad", "Convert X to rad", 0, 4, &C::DegToRad);
    fn("Buttonlog", "log(x)", nullptr, 0, 5, f(CalcFunction::Log));
    fn("Button10X", "10^x", nullptr, 0, 6, f(CalcFunction::TenX));
    fn("Buttonasin", "asin(x)", nullptr, 1, 0, f(CalcFunction::Asin));
    fn("Buttonacos", "acos(x)", nullptr, 1, 1, f(CalcFunction::Acos));
    fn("Buttonatan", "atan(x)", nullptr, 1, 2, f(CalcFunction::Atan));
    label5_ = new QLabel(QStringLiteral("Degrees"), trigRows_);
    label5_->setObjectName(QStringLiteral("Label5"));
    label5_->setAlignment(Qt::AlignCenter);
    trig->addWidget(label5_, 1, 3);
    fn("Buttonraddeg", "rad>deg", "Convert X to deg", 1, 4, &C::RadToDeg);
    fn("Buttonln", "ln (x)", nullptr, 1, 5, f(CalcFunction::Ln));
    fn("Buttonex", "e^x", nullptr, 1, 6, f(CalcFunction::Ex));

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->addLayout(stack);
    for (QWidget* r : {r1, r2, r3, r4})
        layout->addWidget(r);
    layout->addWidget(trigRows_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The form sees Ctrl+X, Ctrl+C and Ctrl+V before any of its controls.
    for (QWidget* w : findChildren<QWidget*>())
        if (w != editX_ && w != editY_ && w != editZ_ && w != editT_) w->installEventFilter(this);
    setTabOrder(editX_, enter);
}

TCalcF::~TCalcF() = default;

QAbstractButton* TCalcF::Button(QWidget* row, const char* name, const QString& text,
                                const char* hint, std::function<void(Calculator&)> op) {
    auto* b = new QPushButton(text, row);
    b->setObjectName(QString::fromLatin1(name));
    if (hint) b->setToolTip(QString::fromLatin1(hint));
    // Clicks leave the focus in the X box, as glyph buttons do; Tab still reaches them.
    b->setFocusPolicy(Qt::TabFocus);
    b->setAutoDefault(false);
    b->setMinimumWidth(48);
    if (row->layout() && !qobject_cast<QGridLayout*>(row->layout())) row->layout()->addWidget(b);
    if (op) connect(b, &QAbstractButton::clicked, this, [this, op] { Run(op); });
    return b;
}

// ---------------------------------------------------------------- engine <-> boxes

void TCalcF::PullBoxes() {
    CalcBoxes& b = engine_->Boxes;
    b.EditX = Latin1(editX_->text());
    if (editX_->hasSelectedText()) {
        b.SelStart = editX_->selectionStart();
        b.SelLength = editX_->selectionLength();
    } else {
        b.SelStart = editX_->cursorPosition();
        b.SelLength = 0;
    }
    QLineEdit* source = engine_->CopySource == CalcRegister::Y   ? editY_
                        : engine_->CopySource == CalcRegister::Z ? editZ_
                        : engine_->CopySource == CalcRegister::T ? editT_
                                                                 : nullptr;
    b.SourceSelStart = source && source->hasSelectedText() ? source->selectionStart() : 0;
    b.SourceSelLength = source && source->hasSelectedText() ? source->selectionLength() : 0;
}

void TCalcF::ShowBoxes() {
    CalcBoxes& b = engine_->Boxes;
    auto set = [](QLineEdit* e, const std::string& text) {
        const QString q = FromLatin1(text);
        if (e->text() != q) e->setText(q);
    };
    set(editY_, b.EditY);
    set(editZ_, b.EditZ);
    set(editT_, b.EditT);
    set(editX_, b.EditX);
    if (b.FocusX) {
        b.FocusX = false;
        if (isVisible()) editX_->setFocus(Qt::OtherFocusReason);
    }
    if (b.SelLength > 0) {
        editX_->setSelection(b.SelStart, b.SelLength);
    } else {
        editX_->deselect();
        editX_->setCursorPosition(b.SelStart);
    }
    label5_->setText(QString::fromLatin1(engine_->AngleText()));
    buttonTop_->setText(QString::fromLatin1(engine_->TopCaption()));
    buttonTop_->setToolTip(QString::fromLatin1(engine_->TopHint()));
    buttonSmall_->setText(QString::fromLatin1(engine_->SmallCaption()));
    buttonSmall_->setToolTip(QString::fromLatin1(engine_->SmallHint()));
    if (engine_->OnTop != appliedOnTop_) ApplyOnTop();
    if (engine_->Expanded != !trigRows_->isHidden()) ApplyExpanded();
}

void TCalcF::Run(const std::function<void(Calculator&)>& op) {
    PullBoxes();
    op(*engine_);
    ShowBoxes();
}

void TCalcF::ApplyOnTop() {
    appliedOnTop_ = engine_->OnTop;
    const bool shown = isVisible();
    const QPoint at = pos();
    // Changing the flag hides a shown window: show it again where it was.
    setWindowFlag(Qt::WindowStaysOnTopHint, appliedOnTop_);
    if (shown) {
        move(at);
        show();
    }
}

void TCalcF::ApplyExpanded() {
    trigRows_->setVisible(engine_->Expanded);
    adjustSize();
}

// ---------------------------------------------------------------- window

void TCalcF::ShowCalculator() {
    bool first = false;
    Run([&first](Calculator& c) { first = c.Show(); });
    if (!isVisible()) {
        // Over a running modal dialog a plain window could not be used.
        QWidget* modal = QApplication::activeModalWidget();
        setWindowModality(modal && modal != this ? Qt::ApplicationModal : Qt::NonModal);
    }
    if (first) {
        ApplyExpanded();
        if (QWidget* main = context_.MainWidget()) {
            const QRect m = main->frameGeometry();
            const QSize own = frameGeometry().size().expandedTo(sizeHint());
            QPoint at(m.right() + 1 - own.width() - 30, m.bottom() + 1 - own.height() - 30);
            if (const QScreen* screen = main->screen()) {
                const QRect avail = screen->availableGeometry();
                at.setX(std::clamp(at.x(), avail.left(),
                                   std::max(avail.left(), avail.right() - own.width())));
                at.setY(std::clamp(at.y(), avail.top(),
                                   std::max(avail.top(), avail.bottom() - own.height())));
            }
            move(at);
        }
    }
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
    editX_->setFocus(Qt::OtherFocusReason);
}

void TCalcF::Done() {
    close();
}

void TCalcF::closeEvent(QCloseEvent* event) {
    bool read = false;
    Run([&read](Calculator& c) { read = c.Close(); });
    // Hidden, never destroyed: the registers wait for the next show.
    event->accept();
    hide();
    setWindowModality(Qt::NonModal);
    if (read) emit Closed();
}

void TCalcF::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        Run([](Calculator& c) { c.Activate(); });
}

void TCalcF::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Done();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TCalcF::FormKey(QKeyEvent* key) {
    if (key->modifiers() != Qt::ControlModifier) return false;
    QClipboard* clip = QApplication::clipboard();
    switch (key->key()) {
    case Qt::Key_X:
        Run([clip](Calculator& c) {
            const std::string cut = c.CutKey();
            if (!cut.empty()) clip->setText(FromLatin1(cut));
        });
        return true;
    case Qt::Key_V:
        Run([clip](Calculator& c) { c.PasteKey(Latin1(clip->text())); });
        return true;
    case Qt::Key_C: {
        QLineEdit* source = engine_->CopySource == CalcRegister::Y   ? editY_
                            : engine_->CopySource == CalcRegister::Z ? editZ_
                            : engine_->CopySource == CalcRegister::T ? editT_
                                                                     : nullptr;
        Run([clip](Calculator& c) { clip->setText(FromLatin1(c.CopyKey())); });
        if (source) source->deselect();
        return true;
    }
    default:
        return false;
    }
}

bool TCalcF::EditXKey(QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true; // acted on when released
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Run([](Calculator& c) { c.KeyChar('\r'); });
        return true;
    case Qt::Key_Escape:
        Done();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    const QString text = key->text();
    if (text.size() != 1 || text[0].unicode() > 255) return false;
    const char c = static_cast<char>(text[0].unicode());
    bool handled = false;
    Run([c, &handled](Calculator& calc) { handled = calc.KeyChar(c); });
    // Backspace and the like edit the box itself, after the pending lift.
    return handled;
}

bool TCalcF::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Ctrl+X, Ctrl+C and Ctrl+V are the window's, not the boxes' own.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ControlModifier &&
            (key->key() == Qt::Key_X || key->key() == Qt::Key_C || key->key() == Qt::Key_V)) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (FormKey(key)) return true;
        if (watched == editX_) return EditXKey(key);
        if (key->key() == Qt::Key_Escape) {
            Done();
            return true;
        }
        break;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched != editX_ || key->isAutoRepeat()) break;
        const int k = key->key();
        if (k == Qt::Key_Down || k == Qt::Key_Up || k == Qt::Key_PageUp || k == Qt::Key_PageDown) {
            const CalcKey which = k == Qt::Key_Down     ? CalcKey::Down
                                  : k == Qt::Key_Up     ? CalcKey::Up
                                  : k == Qt::Key_PageUp ? CalcKey::PageUp
                                                        : CalcKey::PageDown;
            Run([which](Calculator& c) { c.KeyRelease(which); });
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        if (watched == editX_) engine_->EnterBox(CalcRegister::None);
        break;
    case QEvent::MouseButtonPress:
        // A register box clicked is what Copy and Ctrl+C take next.
        if (watched == editY_) engine_->EnterBox(CalcRegister::Y);
        if (watched == editZ_) engine_->EnterBox(CalcRegister::Z);
        if (watched == editT_) engine_->EnterBox(CalcRegister::T);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace torvel
