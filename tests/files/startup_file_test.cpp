#include "files/startup_file.h"

#include "files/file_test_support.h"
#include "files/preferences_rules.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

using namespace testing_support;

// Lines 1 to 4 as the program writes them.
std::string PreferenceLines(const Preferences& p) {
    std::string out;
    for (int v : {p.MaxDataIndex, p.BarWidth, p.FigReserved, p.PrinterOptions})
        out += std::to_string(v) + "\r\n";
    return out;
}

TEST(StartupPaths, ConfigFolderWhenTheProgramsFolderIsReadOnly) {
    TempFolder dir;
    // A folder that does not exist cannot be written either, even by root.
    const std::string program = dir / "missing/bin/torvel-graphics";
    {
        const StartupPaths p = ChooseStartupPaths(program, dir / "xdg", dir / "home");
        EXPECT_EQ(p.Fig, dir / "xdg/torvel-graphics/torvel-graphics.fig");
        EXPECT_EQ(p.Cfg, dir / "xdg/torvel-graphics/torvel-graphics.cfg");
        EXPECT_TRUE(fs::is_directory(dir / "xdg/torvel-graphics"));
    }
    for (const std::string& xdg : {std::string(), std::string("relative/path")}) {
        const StartupPaths p = ChooseStartupPaths(program, xdg, dir / "home");
        EXPECT_EQ(p.Fig, dir / "home/.config/torvel-graphics/torvel-graphics.fig");
        EXPECT_TRUE(fs::is_directory(dir / "home/.config/torvel-graphics"));
    }
    // The chosen place is usable at once.
    const StartupPaths p = ChooseStartupPaths(program, "", dir / "home");
    EXPECT_TRUE(WriteStartupFile(p.Fig, Preferences{}, {}, NoNameGraph));
}

TEST(StartupFile, NineLinesWithCrLf) {
    TempFolder dir;
    const std::string fig = dir / "t.fig";
    Preferences prefs{50, 3, 7, 9};
    std::string error;
    ASSERT_TRUE(WriteStartupFile(fig, prefs, {800, 600, 20, 30}, "/home/u/g.gra", &error)) << error;
    EXPECT_EQ(ReadText(fig), "50\r\n3\r\n9\r\n7\r\n800\r\n600\r\n20\r\n30\r\n/home/u/g.gra\r\n");

    const StartupFile read = ReadStartupFile(fig);
    EXPECT_TRUE(read.Found);
    ASSERT_TRUE(read.Geometry);
    EXPECT_EQ(*read.Geometry, (WindowGeometry{800, 600, 20, 30}));
    EXPECT_EQ(read.GraphFileName, "/home/u/g.gra");
    EXPECT_TRUE(read.Error.empty());
}

TEST(StartupFile, ShortOrDamagedFiles) {
    TempFolder dir;
    const std::string fig = dir / "t.fig";
    struct Case {
        const char* text;
        bool geometry;
        const char* graph; // nullptr: none
    };
    for (Case c : {Case{"10\r\n1\r\n0\r\n0\r\n", false, nullptr},
                   Case{"10\n1\n0\n0\n800\n600\n", false, nullptr},
                   Case{"10\n1\n0\n0\n800\n600\n5\n6\n", true, nullptr},
                   Case{"x\ny\nz\nw\n800\n600\n5\n6\n/g.gra", true, "/g.gra"},
                   Case{"10\n1\n0\n0\nwide\n600\n5\n6\n/g.gra\n", false, "/g.gra"},
                   Case{"10\r1\r0\r0\r800\r600\r5\r6\r/g.gra\r", true, "/g.gra"},
                   Case{"", false, nullptr}}) {
        WriteText(fig, c.text);
        const StartupFile read = ReadStartupFile(fig);
        EXPECT_TRUE(read.Found);
        EXPECT_EQ(read.Geometry.has_value(), c.geometry) << c.text;
        if (c.graph) {
            EXPECT_EQ(read.GraphFileName, std::string(c.graph)) << c.text;
        } else {
            EXPECT_FALSE(read.GraphFileName) << c.text;
        }
    }
    // A folder where the file should be: reported, never thrown.
    fs::create_directory(dir / "d.fig");
    const StartupFile folder = ReadStartupFile(dir / "d.fig");
    EXPECT_TRUE(folder.Found);
    EXPECT_FALSE(folder.Error.empty());
}

TEST(ReloadPreferences, ReadsChecksAndKeepsFourLines) {
    struct Case {
        const char* text;
        Preferences expected;
    };
    for (Case c : {
             Case{"50\r\n3\r\n9\r\n7\r\n800\r\n600\r\n1\r\n2\r\n/g.gra\r\n", {50, 3, 7, 9}},
             Case{"0\n11\n4\n", {10, 1, 0, 4}},
             Case{"20000\n-1\n0\n5\n", {10, 1, 5, 0}},
             Case{" 7 \n 2\n0\n", {7, 2, 0, 0}},
             Case{"10\n1\n0\n42\n", {10, 1, 0, 0}},
             // An editor's byte-order mark.
             Case{"\357\273\27730\n2\n0\n1\n", {30, 2, 1, 0}},
         }) {
        TempFolder dir;
        const std::string fig = dir / "t.fig";
        WriteText(fig, c.text);
        Preferences prefs{99, 9, 9, 9};
        RecordingFeedback fb;
        EXPECT_TRUE(ReloadPreferences(prefs, fig, fb)) << c.text;
        EXPECT_EQ(prefs, c.expected) << c.text;
        EXPECT_TRUE(fb.Messages.empty());
        EXPECT_EQ(ReadText(fig), PreferenceLines(c.expected));
    }
}

TEST(ReloadPreferences, UnreadableFileGivesMessageAndDefaults) {
    TempFolder dir;
    for (const char* text : {"abc\n1\n0\n", "10\n1\n", "", "10\n1\n0\nfour\n"}) {
        const std::string fig = dir / "t.fig";
        WriteText(fig, text);
        Preferences prefs{50, 3, 7, 9};
        RecordingFeedback fb;
        EXPECT_FALSE(ReloadPreferences(prefs, fig, fb)) << text;
        EXPECT_EQ(prefs, Preferences{});
        ASSERT_EQ(fb.Messages.size(), 1u);
        EXPECT_EQ(fb.Messages[0].Text, "The file " + fig + " has an incompatible format.");
        EXPECT_EQ(fb.Messages[0].Kind, MessageKind::Error);
    }
    fs::create_directory(dir / "d.fig");
    Preferences prefs{50, 3, 7, 9};
    RecordingFeedback fb;
    EXPECT_FALSE(ReloadPreferences(prefs, dir / "d.fig", fb));
    EXPECT_EQ(fb.Messages.size(), 1u);
}

// ---- preferences dialog ------------------------------------------------

TEST(PreferencesDialog, ShowFillsBoxesAndChoices) {
    struct Case {
        int options, grid, font;
    };
    for (Case c : {Case{0, 0, 0}, Case{3, 3, 0}, Case{4, 0, 1}, Case{7, 3, 1}, Case{-5, 0, 0},
                   Case{12, 0, 0}}) {
        const auto state = ShowPreferences(
            Preferences{.MaxDataIndex = 25, .BarWidth = 4, .PrinterOptions = c.options});
        EXPECT_EQ(state.MaxLenth1, "25");
        EXPECT_EQ(state.BarWidth1, "4");
        EXPECT_EQ(state.RadioGroup1, c.grid) << c.options;
        EXPECT_EQ(state.RadioGroup2, c.font) << c.options;
        EXPECT_EQ(state.ShownGridItem, c.grid);
        EXPECT_EQ(state.ShownFontItem, c.font);
    }
}

TEST(PreferencesDialog, OkRules) {
    struct Case {
        const char* name;
        const char* maxIndex;
        const char* barWidth;
        int grid, font;
        Preferences expected;
        int beeps;
        bool written;
    };
    const Preferences start{10, 1, 0, 0};
    for (Case c : {
             Case{"nothing changed", "10", "1", 0, 0, start, 0, false},
             Case{"fifty rows", "50", "1", 0, 0, {50, 1, 0, 0}, 0, true},
             Case{"zero refused", "0", "1", 0, 0, start, 1, false},
             Case{"too many refused", "20000", "1", 0, 0, start, 1, false},
             Case{"both refused", "abc", "11", 0, 0, start, 2, false},
             Case{"comma to point", "1,5", "2", 0, 0, {10, 2, 0, 0}, 1, true},
             Case{"hex accepted", "$20", "10", 0, 0, {32, 10, 0, 0}, 0, true},
             Case{"dotted black large", "10", "1", 3, 1, {10, 1, 7, 0}, 0, true},
         }) {
        TempFolder dir;
        const std::string cfg = dir / "t.cfg";
        Preferences prefs = start;
        PreferencesDialogState state = ShowPreferences(prefs);
        state.MaxLenth1 = c.maxIndex;
        state.BarWidth1 = c.barWidth;
        state.RadioGroup1 = c.grid;
        state.RadioGroup2 = c.font;
        RecordingFeedback fb;
        const PreferencesApplied applied = ApplyPreferences(state, prefs, fb, cfg);
        EXPECT_EQ(prefs, c.expected) << c.name;
        EXPECT_EQ(fb.Beeps, c.beeps) << c.name;
        for (const std::string& why : fb.BeepReasons)
            EXPECT_EQ(why.rfind("Enter a whole number from ", 0), 0u) << c.name << ": " << why;
        EXPECT_EQ(applied.Written, c.written) << c.name;
        EXPECT_EQ(FileExists(cfg), c.written) << c.name;
        EXPECT_EQ(ReadText(cfg), c.written ? PreferenceLines(c.expected) : "") << c.name;
    }
}

TEST(PreferencesDialog, WriteFailureIsShown) {
    TempFolder dir;
    Preferences prefs;
    PreferencesDialogState state = ShowPreferences(prefs);
    state.MaxLenth1 = "50";
    RecordingFeedback fb;
    const auto applied = ApplyPreferences(state, prefs, fb, dir / "no/folder/t.cfg");
    EXPECT_TRUE(applied.Changed);
    EXPECT_FALSE(applied.Written);
    EXPECT_FALSE(applied.Error.empty());
    EXPECT_EQ(prefs.MaxDataIndex, 50) << "the new value is in force even if not saved";
    ASSERT_EQ(fb.Messages.size(), 1u);
    EXPECT_EQ(fb.Messages[0].Kind, MessageKind::Error);
}

} // namespace
} // namespace torvel
