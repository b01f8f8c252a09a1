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
    // The action that opens each dialog (of the data window, whose dialogs give
    // every button but OK and Cancel an access key, or of the graph window),
    // and where the focus starts.
    const std::tuple<bool, const char*, const char*> cases[] = {
        {false, "scale2", "MaxX"},        {false, "Grid3", "XMajor"},
        {false, "Log2", "LogBoxItem3"},   {false, "Main2", "TitTop1"},
        {false, "XAxis2", "TitX1"},       {false, "Yasxis1", "TitY1"},
        {false, "Series1", "TitSer1"},    {false, "GraphType2", "RadioGroup1Item0"},
        {false, "Floating1", "Edit1"},    {false, "FitPop", "RadioFit1Item0"},
        {true, "FillCells1", "Edit1"},    {true, "OperateonCells2", nullptr},
        {true, "XYOperations2", nullptr}, {true, "PrintColor1", nullptr},
    };
    KeyboardShell s;
    for (const auto& [fromData, opener, first] : cases) {
        SCOPED_TRACE(opener);
        QString focus;
        WhenModal([&, fromData = fromData](QWidget* d) {
            QApplication::setActiveWindow(d); // so its access keys count
            EXPECT_TRUE(QTest::qWaitForWindowActive(d, 2000));
            focus = FocusName(d);
            ExpectKeyboardUse(d, fromData);
            qobject_cast<QDialog*>(d)->reject();
        });
        Trigger(fromData ? static_cast<QWidget*>(s.data) : s.graph, opener);
        Settle();
        EXPECT_FALSE(focus.isEmpty()); // it opened
        if (first) {
            EXPECT_EQ(focus, QString::fromLatin1(first));
        }
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

// The pop-up menus open with the Menu key and Shift+F10, over the graph or at
// the current cell rather than wherever the mouse pointer was left.
TEST(DialogKeyboard, PopupMenusOpenFromTheKeyboard) {
    KeyboardShell s;
    auto* image = s.graph->findChild<QWidget*>("Image1");
    EXPECT_NE(image->focusPolicy() & Qt::TabFocus, 0);
    auto* grid = s.data->findChild<QTableView*>();
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
    }
}
