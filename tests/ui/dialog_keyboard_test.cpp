// Every dialog without a mouse: where the focus starts, that Tab goes round all
// its controls (a choice at its checked item only), that every button but OK
// and Cancel has an access key of its own, and what an Alt+letter reaches.
#include "ui_test_support.h"

using namespace torvel;
using namespace torvel::test;

namespace {

struct KeyboardShell : test::GraphShell {
    KeyboardShell() : GraphShell({1, 2}) { data = WindowOf(1); }
    TSpreadF* data = nullptr;
};

// The dialog made the active window, so its access keys count.
void Activate(QWidget* dialog) {
    QApplication::setActiveWindow(dialog);
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog, 2000));
}

QString FocusName(QWidget* dialog) {
    QWidget* w = dialog->focusWidget();
    return w ? w->objectName() : QStringLiteral("(none)");
}

// The focus after each press of Tab, until it is back where it started.
QStringList TabRound(QWidget* dialog) {
    const QString start = FocusName(dialog);
    QStringList names;
    for (int i = 0; i < 60; ++i) {
        QWidget* at = dialog->focusWidget();
        QTest::keyClick(at ? at : dialog, Qt::Key_Tab);
        if (FocusName(dialog) == start) break;
        names << FocusName(dialog);
    }
    return names << start;
}

// What Tab must reach: every visible, enabled control that takes Tab.
QSet<QString> Reachable(QWidget* dialog) {
    QSet<QString> names;
    for (QWidget* w : dialog->findChildren<QWidget*>())
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            names.insert(w->objectName());
    return names;
}

// Alt+letter from wherever the focus is, through the window as the platform
// delivers it, so the access keys (shortcuts) see it.
void AccessKey(QWidget* dialog, Qt::Key key) {
    QTest::keyClick(dialog->windowHandle(), key, Qt::AltModifier);
    QCoreApplication::processEvents();
}

void ExpectKeyboardUse(QWidget* d, bool accessKeys) {
    // A choice takes Tab at its checked item only.
    for (QButtonGroup* group : d->findChildren<QButtonGroup*>())
        for (QAbstractButton* b : group->buttons())
            EXPECT_EQ(b->focusPolicy() == Qt::StrongFocus, b->isChecked())
                << qPrintable(b->objectName());
    // Enter and Escape are OK and Cancel; every other button has its own letter.
    QSet<QChar> keys;
    for (QPushButton* b : d->findChildren<QPushButton*>()) {
        if (!accessKeys) break;
        const QString text = b->text();
        if (text == QStringLiteral("OK") || text == QStringLiteral("Cancel")) continue;
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        ASSERT_TRUE(amp >= 0 && amp + 1 < text.size()) << qPrintable(text);
        const QChar key = text[amp + 1].toLower();
        EXPECT_FALSE(keys.contains(key)) << qPrintable(text);
        keys.insert(key);
    }
    const QStringList round = TabRound(d);
    EXPECT_EQ(QSet<QString>(round.begin(), round.end()), Reachable(d))
        << qPrintable(round.join(' '));
    EXPECT_EQ(round.size(), Reachable(d).size()) << qPrintable(round.join(' '));
}

} // namespace

TEST(DialogKeyboard, EveryDialogByKeyboard) {
    struct KeyCase {
        bool fromData; // an action of the data window, else of the graph window; its
                       // dialog gives every button but OK and Cancel an access key
        const char* opener;
        const char* first;            // the focus at the start
        Qt::Key key;                  // an access key...
        const char* focused;          // ...and where the focus is after it
        const char* hidden = nullptr; // a button the access key's command hides
    };
    const KeyCase cases[] = {
        {false, "scale2", "MaxX", Qt::Key_M, "AutoBoxItem3"},
        {false, "Grid3", "XMajor", Qt::Key_C, "XMajor", "CancelBtn"},
        {false, "Log2", "LogBoxItem3", Qt::Key_F, "FormatBoxItem0"},
        {false, "Main2", "TitTop1", Qt::Key_T, "TitTop3"},
        {false, "XAxis2", "TitX1", Qt::Key_S, "TitX2"},
        {false, "Yasxis1", "TitY1", Qt::Key_R, "TitY2"},
        {false, "Series1", "TitSer1", Qt::Key_T, "TitSer1"},
        {false, "GraphType2", "RadioGroup1Item0", Qt::Key_Y, "RadioGroup3Item0"},
        {false, "Floating1", "Edit1", Qt::Key_Y, "Edit21"},
        {false, "FitPop", "RadioFit1Item0", Qt::Key_unknown, nullptr},
        {true, "FillCells1", "Edit1", Qt::Key_unknown, nullptr},
        {true, "OperateonCells2", nullptr, Qt::Key_unknown, nullptr},
        {true, "XYOperations2", nullptr, Qt::Key_unknown, nullptr},
        {true, "PrintColor1", nullptr, Qt::Key_unknown, nullptr},
    };
    KeyboardShell s;
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.opener);
        QString first, afterKey;
        bool opened = false;
        WhenModal([&](QWidget* d) {
            opened = true;
            Activate(d);
            first = FocusName(d);
            ExpectKeyboardUse(d, c.fromData);
            if (c.key != Qt::Key_unknown) {
                AccessKey(d, c.key);
                afterKey = FocusName(d);
            }
            if (c.hidden) {
                QTest::qWait(250); // a button's access key presses it for a moment first
                EXPECT_FALSE(d->findChild<QWidget*>(c.hidden)->isVisible());
            }
            qobject_cast<QDialog*>(d)->reject();
        });
        QAction* opener =
            (c.fromData ? static_cast<QWidget*>(s.data) : s.graph)->findChild<QAction*>(c.opener);
        ASSERT_NE(opener, nullptr);
        opener->trigger();
        Settle();
        EXPECT_TRUE(opened);
        if (c.first) {
            EXPECT_EQ(first, QString::fromLatin1(c.first));
        }
        if (c.focused) {
            EXPECT_EQ(afterKey, QString::fromLatin1(c.focused));
        }
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

// The pop-up menus open with the Menu key and Shift+F10, over the graph or at
// the current cell rather than wherever the mouse pointer was left.
TEST(DialogKeyboard, PopupMenusOpenFromTheKeyboard) {
    KeyboardShell s;
    auto* image = s.graph->findChild<QWidget*>("Image1");
    ASSERT_NE(image, nullptr);
    EXPECT_NE(image->focusPolicy() & Qt::TabFocus, 0);
    auto* grid = s.data->findChild<QTableView*>();
    ASSERT_NE(grid, nullptr);
    const QRect cell(
        grid->viewport()->mapToGlobal(grid->visualRect(grid->currentIndex()).topLeft()),
        grid->visualRect(grid->currentIndex()).size());
    const struct {
        QWidget* target;
        QMenu* popup;
        QRect where;
    } cases[] = {
        {image, s.graph->findChild<QMenu*>("PopupMenu1"),
         QRect(image->mapToGlobal(QPoint(0, 0)), image->size())},
        {grid, s.data->PopupMenu(), cell},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.popup, nullptr);
        QTest::keyClick(c.target, Qt::Key_F10, Qt::ShiftModifier);
        EXPECT_TRUE(c.popup->isVisible());
        EXPECT_TRUE(c.where.contains(c.popup->pos()));
        c.popup->hide();
        QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
        QApplication::sendEvent(c.target, &byKey);
        EXPECT_TRUE(c.popup->isVisible());
        EXPECT_TRUE(c.where.contains(c.popup->pos()));
        c.popup->hide();
    }
}
