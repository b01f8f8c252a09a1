// The program's own help window: the help pages under docs/help shown in a
// text browser with Back, Forward and Contents, opened at a context's section,
// and an "Open in browser" button for the system's web browser. It needs no
// browser, so help works wherever the program runs.
#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <functional>

class QPushButton;
class QTextBrowser;

namespace torvel {

class THelpF : public QWidget {
    Q_OBJECT

  public:
    // helpFile: the front page (index.html); openInBrowser: the system's
    // default handler (tests record instead). home: the window the help
    // belongs to once no modal dialog is up.
    THelpF(const QString& helpFile, std::function<void(const QUrl&)> openInBrowser, QWidget* home);

    // The URL of a context's section (#help-<context>), or the front page for 0.
    static QUrl SectionUrl(const QString& helpFile, int context);

    // Shows the window at a context's section, in front. While a modal dialog
    // is up (its Help button) the window goes with that dialog, so it is not
    // blocked by it, and comes back to its home window when the dialog closes.
    void ShowSection(int context);
    // The same for any place in the help (a URL of a help page, with its anchor).
    void ShowPage(const QUrl& url);

    QTextBrowser* Browser() const { return browser_; }
    QUrl Source() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Contents();
    void OpenInBrowser();
    void FollowModalDialog();
    void UpdateButtons();

    QString helpFile_;
    std::function<void(const QUrl&)> openInBrowser_;
    QPointer<QWidget> home_;
    QPointer<QWidget> dialog_; // the modal dialog the window goes with, if any
    QTextBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    bool placed_ = false;
};

} // namespace torvel
