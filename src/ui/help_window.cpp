#include "ui/help_window.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace torvel {

THelpF::THelpF(const QString& helpFile, std::function<void(const QUrl&)> openInBrowser,
               QWidget* home)
    : QWidget(home, Qt::Window), helpFile_(helpFile), openInBrowser_(std::move(openInBrowser)),
      home_(home) {
    setObjectName(QStringLiteral("HelpF"));
    setWindowTitle(QStringLiteral("Torvel Graphics Help"));
    setAttribute(Qt::WA_DeleteOnClose, false); // kept, with its history, for the next Help

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    // Pages of the help stay here; addresses elsewhere go to the web browser.
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.isLocalFile() || url.isRelative())
            browser_->setSource(browser_->source().resolved(url));
        else if (openInBrowser_)
            openInBrowser_(url);
    });

    auto button = [this](const char* name, const QString& text, const QString& tip) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };
    back_ = button("BackBtn", QStringLiteral("< &Back"), QStringLiteral("Back (Alt+Left)"));
    forward_ =
        button("ForwardBtn", QStringLiteral("&Forward >"), QStringLiteral("Forward (Alt+Right)"));
    QPushButton* contents =
        button("ContentsBtn", QStringLiteral("&Contents"), QStringLiteral("The list of topics"));
    QPushButton* external = button("OpenInBrowserBtn", QStringLiteral("Open in browser"),
                                   QStringLiteral("Show this page in the web browser"));
    QPushButton* closeButton = button("CloseBtn", QStringLiteral("Close"), QString());
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this, &THelpF::Contents);
    connect(external, &QPushButton::clicked, this, &THelpF::OpenInBrowser);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::historyChanged, this, &THelpF::UpdateButtons);
    connect(browser_, &QTextBrowser::sourceChanged, this, &THelpF::UpdateButtons);

    auto key = [this](const QKeySequence& sequence, auto handler) {
        auto* a = new QAction(this);
        a->setShortcut(sequence);
        connect(a, &QAction::triggered, this, handler);
        addAction(a);
    };
    key(QKeySequence::Back, [this] { browser_->backward(); });
    key(QKeySequence::Forward, [this] { browser_->forward(); });
    key(QKeySequence(Qt::Key_Escape), [this] { close(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(contents);
    buttons->addStretch(1);
    buttons->addWidget(external);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    resize(760, 640);
    UpdateButtons();
}

QUrl THelpF::SectionUrl(const QString& helpFile, int context) {
    QUrl url = QUrl::fromLocalFile(helpFile);
    if (context > 0) url.setFragment(QStringLiteral("help-%1").arg(context));
    return url;
}

QUrl THelpF::Source() const {
    return browser_->source();
}

void THelpF::ShowSection(int context) {
    ShowPage(SectionUrl(helpFile_, context));
}

void THelpF::ShowPage(const QUrl& url) {
    FollowModalDialog();
    if (browser_->source() == url && url.hasFragment())
        browser_->scrollToAnchor(url.fragment()); // scrolled away since: back to it
    else
        browser_->setSource(url);
    if (!placed_ && home_) {
        // First shown over the program, not wherever the platform puts it.
        placed_ = true;
        move(home_->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    show();
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

void THelpF::Contents() {
    // The list of topics heads the front page.
    const QUrl front = SectionUrl(helpFile_, 0);
    if (browser_->source().adjusted(QUrl::RemoveFragment) != front) browser_->setSource(front);
    browser_->scrollToAnchor(QStringLiteral("contents"));
}

void THelpF::OpenInBrowser() {
    if (openInBrowser_) openInBrowser_(browser_->source());
}

void THelpF::UpdateButtons() {
    back_->setEnabled(browser_->isBackwardAvailable());
    forward_->setEnabled(browser_->isForwardAvailable());
}

void THelpF::FollowModalDialog() {
    // A window that is not the modal dialog's own is blocked by it: the help
    // asked for from a dialog would show but take no keys or clicks.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == this) modal = nullptr;
    QWidget* owner = modal ? modal : home_.data();
    if (parentWidget() == owner) return;
    if (dialog_) dialog_->removeEventFilter(this);
    dialog_ = modal;
    if (dialog_) dialog_->installEventFilter(this);
    const QRect where = geometry();
    const bool visible = isVisible();
    setParent(owner, Qt::Window); // hides the window
    setGeometry(where);
    if (visible) show();
}

bool THelpF::eventFilter(QObject* watched, QEvent* event) {
    // The dialog is done: the help stays open, now with its home window.
    if (watched == dialog_ && event->type() == QEvent::Hide) {
        dialog_->removeEventFilter(this);
        dialog_ = nullptr;
        const QRect where = geometry();
        const bool visible = isVisible();
        setParent(home_, Qt::Window);
        setGeometry(where);
        if (visible) show();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace torvel
