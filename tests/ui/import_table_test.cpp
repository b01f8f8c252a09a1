// The Import Table dialog's preview and files dropped on the main window.
#include "ui/dialogs/import_table_dialog.h"

#include "files/table_file.h"
#include "ui_test_support.h"

namespace torvel {
namespace {

using namespace test;

void Drop(QWidget& target, const QStringList& files) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& f : files)
        urls << QUrl::fromLocalFile(f);
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
    EXPECT_TRUE(drop.isAccepted());
    Settle();
}

TEST(ImportTable, DroppedFilesOpenOneAfterAnother) {
    Shell s;
    s.main->show();
    const QString prn = s.Path(QStringLiteral("a.prn")), csv = s.Path(QStringLiteral("b.csv")),
                  doc = s.Path(QStringLiteral("c.doc"));
    WriteAll(prn, "1 2\n");
    WriteAll(csv, "time,temp\n0,20.5\nNA,21\n");
    WriteAll(doc, "words");
    WhenModal([](QWidget* w) { Click(qobject_cast<TImportTableF*>(w), "OKBtn"); });
    Drop(*s.main, {prn, csv, doc, s.dir.path()});
    const Document& d = s.main->Doc();
    ASSERT_EQ(d.SeriesCount(), 2);
    EXPECT_EQ(d.DataWindows()[1]->SeriesTitle, "temp");
    EXPECT_EQ(s.main->statusBar()->currentMessage(),
              QStringLiteral("Loaded 2 rows of B.CSV into series 2; 1 cell was empty or not a "
                             "number, at line 3, column 1."));
    ASSERT_EQ(
        Told(s.feedback),
        Texts{DropRefusedText({"c.doc", QFileInfo(s.dir.path()).fileName().toStdString() + "/"})});
}

} // namespace
} // namespace torvel
