#include "files/file_path.h"

#include "files/file_test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace torvel {
namespace {

using namespace testing_support;

TEST(FilePath, Parts) {
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
        const char* withoutExtension;
    };
    for (Case c : {Case{"/usr/bin/torvel", "/usr/bin", "torvel", "/usr/bin/torvel"},
                   Case{"/opt/t/Torvel.exe", "/opt/t", "Torvel.exe", "/opt/t/Torvel"},
                   Case{"/a.b/torvel", "/a.b", "torvel", "/a.b/torvel"},
                   Case{"data.prn", ".", "data.prn", "data"},
                   Case{"/x/.torvel", "/x", ".torvel", "/x/.torvel"},
                   Case{"/g.v2.gra", "/", "g.v2.gra", "/g.v2"},
                   Case{"NoName.gra", ".", "NoName.gra", "NoName"}}) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
        EXPECT_EQ(WithoutExtension(c.path), c.withoutExtension) << c.path;
        EXPECT_EQ(ChangeExtension(c.path, ".fig"), std::string(c.withoutExtension) + ".fig");
    }
}

TEST(FilePath, FileExistsOnlyForFiles) {
    TempFolder dir;
    WriteText(dir / "a", "x");
    EXPECT_TRUE(FileExists(dir / "a"));
    EXPECT_FALSE(FileExists(dir / "b"));
    EXPECT_FALSE(FileExists(dir.Str()));
}

// The save dialog loop: the paths the dialog gives, one a time, and the
// answers to the overwrite question.
TEST(ChooseSavePath, AsksOnlyBeforeOverwritingAnotherFile) {
    TempFolder dir;
    fs::create_directory(dir / "elsewhere");
    // The same name in another folder is another file.
    const std::string current = dir / "current.prn", other = dir / "elsewhere/current.prn",
                      fresh = dir / "fresh.prn";
    WriteText(current, "x");
    WriteText(other, "x");
    using Paths = std::vector<std::optional<std::string>>;
    struct Case {
        const char* name;
        Paths dialog;
        std::vector<Answer> answers;
        std::optional<std::string> chosen;
        int shown, questions;
        bool changedOutside = false; // another program replaced the current file
        bool neverRead = false;      // the current file's identity is not known
    };
    const Case cases[] = {
        {"new file", {fresh}, {}, fresh, 1, 0},
        {"the current file", {current}, {}, current, 1, 0},
        {"cancel", {std::nullopt}, {}, std::nullopt, 1, 0},
        {"empty name is cancel", {std::string()}, {}, std::nullopt, 1, 0},
        {"overwrite agreed", {other}, {Answer::Yes}, other, 1, 1},
        {"No shows the dialog again", {other, fresh}, {Answer::No}, fresh, 2, 1},
        {"No then cancel", {other, std::nullopt}, {Answer::No}, std::nullopt, 2, 1},
        {"changed outside, agreed", {current}, {Answer::Yes}, current, 1, 1, true},
        {"changed outside, No shows the dialog again",
         {current, fresh},
         {Answer::No},
         fresh,
         2,
         1,
         true},
        {"never read or written", {current}, {Answer::Yes}, current, 1, 1, false, true},
    };
    const FileIdentity read = IdentityOf(current);
    FileIdentity stale = read;
    stale.ModifiedNanoseconds += 1;
    for (const Case& c : cases) {
        RecordingFeedback fb;
        fb.Script.assign(c.answers.begin(), c.answers.end());
        int shown = 0;
        const auto chosen =
            ChooseSavePath([&] { return c.dialog[static_cast<std::size_t>(shown++)]; }, current,
                           [](const std::string& p) { return "overwrite " + p + "?"; }, fb,
                           c.neverRead        ? FileIdentity{}
                           : c.changedOutside ? stale
                                              : read);
        EXPECT_EQ(chosen, c.chosen) << c.name;
        EXPECT_EQ(shown, c.shown) << c.name;
        EXPECT_EQ(fb.Beeps, c.questions) << c.name;
        ASSERT_EQ(static_cast<int>(fb.Messages.size()), c.questions) << c.name;
        for (const auto& m : fb.Messages) {
            EXPECT_EQ(m.Text, c.changedOutside ? "The file " + current +
                                                     " was changed by another program since it "
                                                     "was opened. Overwrite it?"
                                               : "overwrite " + *c.dialog[0] + "?");
            EXPECT_EQ(m.Kind, MessageKind::Warning);
            EXPECT_EQ(m.Buttons, MessageButtons::YesNo);
        }
    }
}

} // namespace
} // namespace torvel
