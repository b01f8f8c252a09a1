// Running out of memory at any point where drawing, printing or fitting
// allocates ends only that command: "Not enough memory to ..." is told, the
// document is as it was, and the command works again once memory is back.
#include "core/out_of_memory.h"
#include "fit/fit.h"
#include "print/data_printout.h"
#include "render/render_test_util.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace torvel {
namespace {

// Two series, one with a fit; logarithmic X limits that a draw rounds and a
// multi-scale Y axis that a draw measures, so a draw writes back into the
// settings.
std::unique_ptr<Document> Sample() {
    auto doc = std::make_unique<Document>();
    test::AddSeries(*doc, {{3, 1}, {1, 4}, {20, 9}, {7, 2}});
    test::AddSeries(*doc, {{2, 5}, {40, 1}}, false);
    Series& s = *doc->DataWindows()[0];
    s.Fit.FitKind = 2;
    s.Fit.SeriesNumber = s.SeriesNumber;
    SilentFeedback quiet;
    ComputeFit(*doc, s.Fit, quiet);
    GraphSettings& g = doc->Settings;
    g.LogX = true;
    g.MultiScaleX = false;
    g.XMax = 50;
    g.XMin = 2;
    g.MultiScaleYL = true;
    return doc;
}

// What a failed command must leave as it was.
struct Snapshot {
    GraphSettings Settings;
    std::vector<std::string> Cells;
    std::vector<TFitObj> Fits;
    std::vector<bool> HasFit;

    explicit Snapshot(const Document& doc) : Settings(doc.Settings) {
        for (const auto& s : doc.DataWindows()) {
            for (int row = 1; row <= s->IndexCount; ++row)
                for (int col : {XColumn, YColumn, YFitColumn})
                    Cells.push_back(s->Cell(col, row));
            Fits.push_back(s->Fit);
            HasFit.push_back(s->HasFit);
        }
    }
    bool operator==(const Snapshot& o) const {
        auto sameFits = [](const std::vector<TFitObj>& a, const std::vector<TFitObj>& b) {
            if (a.size() != b.size()) return false;
            for (std::size_t i = 0; i < a.size(); ++i)
                if (a[i].Coef != b[i].Coef || a[i].FitOK != b[i].FitOK) return false;
            return true;
        };
        return Settings == o.Settings && Cells == o.Cells && sameFits(Fits, o.Fits) &&
               HasFit == o.HasFit;
    }
};

// The data printout's pages, thrown away.
struct NoPages : PageFeed {
    void NewPage() override {}
};

struct Command {
    const char* Name;
    int Measured;     // the places it allocates at: one per series measured
    std::string What; // as told: "Not enough memory to " + What + "."
    // Runs the command under the guard, with what it must put back.
    std::function<bool(Document&, Feedback&)> Run;
};

TEST(OutOfMemory, EndsTheCommandTellsAndLeavesTheDocumentAsItWas) {
    const Command commands[] = {
        {"draw", 2, "draw the graph",
         [](Document& doc, Feedback& fb) {
             return GuardMemory(fb, "draw the graph", doc.Settings, [&] { test::DrawScreen(doc); });
         }},
        {"print", 2, "print the graph",
         [](Document& doc, Feedback& fb) {
             return GuardMemory(fb, "print the graph", doc.Settings, [&] {
                 test::DrawPrinted(doc, PrinterPage{4800, 6600});
             });
         }},
        {"print data", 2, "print the data",
         [](Document& doc, Feedback& fb) {
             return GuardMemory(fb, "print the data", [&] {
                 RecordingCanvas canvas;
                 NoPages pages;
                 PrintDataTables(doc, canvas, pages, DataPage{2480, 3508, true});
             });
         }},
        {"fit", 1, "fit the series",
         [](Document& doc, Feedback& fb) {
             Series& s = *doc.DataWindows()[0];
             return GuardMemory(fb, "fit the series", s, [&] {
                 s.Fit.FitKind = 1;
                 ComputeFit(doc, s.Fit, fb);
             });
         }},
    };
    for (const Command& c : commands) {
        SCOPED_TRACE(c.Name);
        // What the command gives with memory enough.
        std::unique_ptr<Document> reference = Sample();
        RecordingFeedback fine;
        ASSERT_TRUE(c.Run(*reference, fine));
        const Snapshot done(*reference);
        // Fails at the first place it allocates, then the second, ... until it
        // no longer meets one.
        int failures = 0;
        for (int n = 1; n < 100; ++n) {
            std::unique_ptr<Document> doc = Sample();
            const Snapshot before(*doc);
            RecordingFeedback fb;
            FailAllocationAt(n);
            const bool ran = c.Run(*doc, fb);
            FailAllocationAt(0);
            if (ran) break;
            ++failures;
            SCOPED_TRACE(n);
            ASSERT_EQ(fb.Messages.size(), 1u);
            EXPECT_EQ(fb.Messages[0].Text, "Not enough memory to " + c.What + ".");
            EXPECT_EQ(fb.Messages[0].Kind, MessageKind::Error);
            EXPECT_TRUE(Snapshot(*doc) == before);
            // Nothing half done stays behind: the command now works as ever.
            RecordingFeedback again;
            EXPECT_TRUE(c.Run(*doc, again));
            EXPECT_TRUE(Snapshot(*doc) == done);
        }
        EXPECT_GE(failures, c.Measured);
    }
}

} // namespace
} // namespace torvel
