// Help: the help window at a dialog's section, the About box, web pages.
#include "ui/main_window.h"

#include "ui/about_dialog.h"
#include "ui/help_window.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace torvel {

QUrl TMDIMainF::HelpUrl(int context) const {
    return THelpF::SectionUrl(options_.HelpFile, context);
}

void TMDIMainF::OpenUrl(const QUrl& url) {
    if (options_.UrlOpener) {
        options_.UrlOpener(url);
        return;
    }
    if (!QDesktopServices::openUrl(url))
        fb_->Message(MessageKind::Error,
                     "Could not open " + url.toDisplayString().toStdString() +
                         " with the system's default program.",
                     MessageButtons::Ok);
}

THelpF* TMDIMainF::ShowHelpWindow() {
    // The program's own window: help needs no web browser.
    if (options_.HelpFile.isEmpty() || !QFileInfo::exists(options_.HelpFile)) {
        fb_->Message(MessageKind::Error, "The help file could not be found.", MessageButtons::Ok);
        return nullptr;
    }
    if (!help_)
        help_ = new THelpF(
            options_.HelpFile, [this](const QUrl& url) { OpenUrl(url); }, this);
    return help_;
}

void TMDIMainF::ShowHelp(int context) {
    if (THelpF* help = ShowHelpWindow()) help->ShowSection(context);
}

void TMDIMainF::Contents1Click() {
    ShowHelp(100);
}

void TMDIMainF::HelpHTM1Click() {
    ShowHelp(0);
}

void TMDIMainF::VistaHelp1Click() {
    fb_->Message(MessageKind::Information,
                 "For Vista or Windows 7/8 operating systems\n"
                 "you may need to use the Torvel Graphics\n"
                 "[HTML] help file [Help HTM] instead of\n"
                 "the internal context sensitive help [Hlp] file\n"
                 "[Tor32.Hlp]. Microsoft does provide a file on\n"
                 "line named WinHlp32.exe for Win 7 or 8 \n"
                 "it enables reading any of the older [.hlp] files.",
                 MessageButtons::Ok);
}

void TMDIMainF::About1Click() {
    TAboutF about(this);
    about.exec();
    RedrawGraph();
}

void TMDIMainF::TorvelGraphicsHomePage1Click() {
    // This build has no web site of its own: its home is the help's front page.
    THelpF* help = ShowHelpWindow();
    if (!help) return;
    QUrl url = HelpUrl(0);
    url.setFragment(QStringLiteral("home"));
    help->ShowPage(url);
}

} // namespace torvel
