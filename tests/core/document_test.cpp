#include "core/document.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace torvel;

namespace {

struct Counting : DocumentObserver {
    void SeriesAdded(Series&) override { ++added; }
    void SeriesRemoving(Series&) override { ++removing; }
    int added = 0, removing = 0;
};

// Like a window made for each new series, which registers itself.
struct Spawning : DocumentObserver {
    explicit Spawning(Document& d) : doc(d) {}
    void SeriesAdded(Series&) override {
        children.push_back(std::make_unique<Counting>());
        doc.AddObserver(children.back().get());
    }
    Document& doc;
    std::vector<std::unique_ptr<Counting>> children;
};

// Like a window that goes with its series, taking a neighbour with it.
struct Leaving : DocumentObserver {
    Leaving(Document& d, DocumentObserver* n) : doc(d), neighbour(n) {}
    void SeriesRemoving(Series&) override {
        doc.RemoveObserver(this);
        doc.RemoveObserver(neighbour);
    }
    Document& doc;
    DocumentObserver* neighbour;
};

} // namespace

TEST(Document, SeriesNumbersAreReusedAndKeptInOrder) {
    Document doc;
    RecordingFeedback fb;
    for (int i = 0; i < 3; ++i)
        doc.CreateSeries(fb);
    doc.DestroySeries(*doc.FindSeries(2));
    EXPECT_FALSE(doc.SeriesNumberUsed[2]);
    doc.NewSeriesRows = 10;
    Series& s = doc.CreateSeries(fb);
    EXPECT_EQ(s.SeriesNumber, 2);
    EXPECT_EQ(doc.DataWindows().back()->SeriesNumber, 2) << "appended, not sorted";
    doc.SortDataWindows();
    std::vector<int> order;
    for (const auto& p : doc.DataWindows())
        order.push_back(p->SeriesNumber);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    // A fresh series as the data window starts it.
    EXPECT_EQ(s.IndexCount, 10);
    EXPECT_EQ(s.Store().All(), std::vector<Tdata>(10));
    EXPECT_EQ(s.GraphType, GraphLine);
    EXPECT_EQ(s.PrintColor, PrintDefault);
    EXPECT_EQ(s.FileName, "NoName.prn");
    EXPECT_EQ(s.Fit.SeriesNumber, 2);
    EXPECT_TRUE(s.YAxisLeft && s.ShowPoints && !s.HasFit);
    EXPECT_EQ(s.Caption, "Series Number: 2");

    // A file reader's number, then every number taken: the marker and a beep.
    doc.LoadingSeries = true;
    doc.LoadingSeriesNumber = 9;
    EXPECT_EQ(doc.CreateSeries(fb).SeriesNumber, 9);
    EXPECT_FALSE(doc.LoadingSeries);
    EXPECT_TRUE(doc.SeriesNumberUsed[9]);
    while (doc.SeriesCount() < MaxSeries)
        doc.CreateSeries(fb);
    EXPECT_EQ(fb.Beeps, 0);
    EXPECT_EQ(doc.AllocateSeriesNumber(fb), NoFreeSeriesNumber);
    EXPECT_EQ(fb.Beeps, 1);
}

// Observers that register or leave while the document tells them of a change.
TEST(DocumentObservers, MayRegisterAndLeaveWhileBeingTold) {
    Document doc;
    RecordingFeedback fb;
    Spawning spawning(doc);
    doc.AddObserver(&spawning);
    for (int i = 0; i < 40; ++i) // enough to make the observer list grow many times
        doc.CreateSeries(fb);
    ASSERT_EQ(spawning.children.size(), 40u);
    // Newcomers hear only of later series.
    EXPECT_EQ(spawning.children.front()->added, 39);
    EXPECT_EQ(spawning.children.back()->added, 0);

    Counting after;
    Leaving leaving(doc, &after);
    doc.RemoveObserver(&spawning);
    doc.AddObserver(&leaving);
    doc.AddObserver(&after);
    doc.DestroySeries(*doc.DataWindows().back());
    EXPECT_EQ(after.removing, 0); // left before its turn: not told
    EXPECT_EQ(doc.SeriesCount(), 39);
    for (const auto& c : spawning.children)
        doc.RemoveObserver(c.get());
}
