// Files entering the source list: the open and drop flows with real media probed by
// libavformat, and the user settings file holding the dialog's folder.
#include "settings/UserSettings.h"
#include "sources/SourceFileController.h"
#include "sources/UserSettingsInitDir.h"

#include "source_fakes.h"
#include "temp_folder.h"
#include "test_media.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace clavenor;
using namespace clavenor_test;
namespace fs = std::filesystem;

namespace {

class SourceFlowsTest : public ::testing::Test, protected FakeSourcePorts {
protected:
    SourceFlowsTest() {
        fs::create_directories(ProgramFolder() + "Config");
        fs::create_directories(Clips());
    }

    std::string ProgramFolder() const { return temp.Path() + "program/"; }
    std::string Home() const { return temp.Path() + "home"; }
    std::string Clips() const { return temp.Path() + "clips/"; }

    // A clip in the clips folder.
    std::string Clip(const std::string& name, double seconds = 1.0) const {
        const std::string path = Clips() + name;
        MakeClip(path, seconds);
        return path;
    }
    std::string File(const std::string& name, const std::string& content) const {
        const std::string path = Clips() + name;
        WriteWholeFile(path, content);
        return path;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < list.Count(); ++i)
            names.push_back(list.Row(i).SourceFileName);
        return names;
    }

    TempFolder temp;
    TUserSettingsFile settings{ProgramFolder(), Home()};
    TUserSettingsInitDir initDir{settings};
    TSourceFileList list;
    TSourceFileController controller{list, Ports(initDir)};
};

} // namespace

TEST_F(SourceFlowsTest, ANewRowReadsCheckedPathSizeAndTheDurationThreeTimes) {
    const std::string path = Clip("clip.mp4", 2.0);
    fs::resize_file(path, 16384); // a known size; the padding after the index is ignored

    controller.DropFlow({path});

    ASSERT_EQ(list.Count(), 1u);
    const TSourceFileRow& row = list.Row(0);
    EXPECT_EQ(row.CheckStatus, "True");
    EXPECT_EQ(row.SourceFileName, path);
    EXPECT_EQ(row.SourceFileSize, "16 KB");
    EXPECT_EQ(row.SourceFileDuration, "00:00:02");
    EXPECT_EQ(row.SourceFileStartTime, "00:00:00");
    EXPECT_EQ(row.SourceFileEndTime, "00:00:02");
    EXPECT_EQ(row.ConvertDuration, "00:00:02");
    EXPECT_TRUE(list.IsSelected(0));
    EXPECT_EQ(trim.synced, 1);
    EXPECT_EQ(errorInfo.shown, 0);
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(SourceFlowsTest, MediaShorterThanOneSecondIsRefusedOneSecondIsAccepted) {
    const std::string shortClip = Clip("short.mp4", 0.9);
    const std::string oneSecond = Clip("one.mp4", 1.0);

    controller.DropFlow({shortClip, oneSecond});

    EXPECT_EQ(errorInfo.shown, 1);
    ASSERT_EQ(Names(), (std::vector<std::string>{oneSecond}));
    EXPECT_EQ(list.Row(0).SourceFileDuration, "00:00:01");
}

TEST_F(SourceFlowsTest, DuplicatesExtensionsAndFoldersAreSkippedSilently) {
    const std::string upper = Clip("Clip.AVI");
    const std::string lower = Clip("clip.avi");
    const std::string threeG2 = Clip("phone.3g2");
    const std::string vob = Clip("dvd.vob", 3.0);
    const std::string rmvb = Clip("real.rmvb");
    const std::string mkv = Clip("movie.mkv"); // playable, but not a source type
    const std::string text = File("notes.txt", "text");
    fs::create_directory(Clips() + "folder");
    fs::create_directory(Clips() + "folder.avi");

    controller.DropFlow({upper, lower, threeG2, upper, vob, rmvb, mkv, text, Clips() + "folder",
                         Clips() + "folder.avi", lower});

    EXPECT_EQ(Names(), (std::vector<std::string>{upper, lower, threeG2, vob, rmvb}));
    EXPECT_EQ(errorInfo.shown, 0);
    EXPECT_EQ(probes.created, 1); // one probe for the whole call
    EXPECT_EQ(probes.probed, 5);  // repeated and skipped paths are never probed

    // A later call: the paths already in the list are skipped without a message.
    controller.DropFlow({lower, threeG2});
    EXPECT_EQ(list.Count(), 5u);
    EXPECT_EQ(errorInfo.shown, 0);
    EXPECT_EQ(probes.probed, 5);
}

TEST_F(SourceFlowsTest, UnplayableFilesBringUpErrorInfoOnceEachAndChangeNothingElse) {
    const std::string first = Clip("first.mp4", 2.0);
    controller.DropFlow({first});
    list.SetChecked(0, false);
    list.SetSelection({false}, std::nullopt);
    const TSourceFileRow before = list.Row(0);

    const std::string good = Clip("good.mp4", 2.0);
    const std::string whole = ReadWholeFile(good);
    std::string noise(30000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 2654435761u) >> 13);
    const std::vector<std::string> bad = {
        File("noise.avi", noise),
        File("truncated.mp4", whole.substr(0, whole.size() / 2)),
        File("empty.mp4", ""),
        File("letter.mov", "Dear user,\r\nthis is no movie.\r\n"),
    };

    for (const std::string& path : bad) {
        SCOPED_TRACE(path);
        const int shown = errorInfo.shown;
        controller.DropFlow({path});
        EXPECT_EQ(errorInfo.shown, shown + 1);
        ASSERT_EQ(list.Count(), 1u);
    }
    // A bad file given twice is tested, and refused, twice.
    controller.DropFlow({bad[0], bad[0]});
    EXPECT_EQ(errorInfo.shown, 6);

    const TSourceFileRow& after = list.Row(0);
    EXPECT_EQ(after.CheckStatus, before.CheckStatus);
    EXPECT_EQ(after.SourceFileName, before.SourceFileName);
    EXPECT_EQ(after.SourceFileDuration, before.SourceFileDuration);
    EXPECT_TRUE(errors.messages.empty());
    for (const std::string& path : bad)
        EXPECT_TRUE(fs::exists(path)); // nothing touched on disk
}

TEST_F(SourceFlowsTest, ADropOfThreeFilesWhoseSecondIsUnplayableGivesTwoRows) {
    const std::string a = Clip("a.mov");
    const std::string b = File("b.avi", "not a video");
    const std::string c = Clip("c.flv");

    controller.DropFlow({a, b, c});

    EXPECT_EQ(Names(), (std::vector<std::string>{a, c}));
    EXPECT_EQ(errorInfo.shown, 1);
    EXPECT_TRUE(list.IsSelected(0));
    EXPECT_FALSE(list.IsSelected(1));
}

TEST_F(SourceFlowsTest, AFileThatVanishesAfterProbingStopsTheCallWithAnErrorNamingIt) {
    const std::string a = Clip("a.mp4");
    const std::string gone = Clip("gone.mp4");
    const std::string c = Clip("c.mp4");
    probes.afterProbe = [&](const std::string& path) {
        if (path == gone)
            fs::remove(path);
    };

    controller.DropFlow({a, gone, c});

    EXPECT_EQ(Names(), (std::vector<std::string>{a})); // rows before it stay; c is not reached
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_NE(errors.messages[0].find(gone), std::string::npos) << errors.messages[0];
    EXPECT_FALSE(list.AnySelected()); // the selection step did not run
    EXPECT_EQ(trim.synced, 0);
    EXPECT_EQ(errorInfo.shown, 0);
}

TEST_F(SourceFlowsTest, ALongDroppedPathIsTakenWhole) {
    std::string folder = Clips();
    while (folder.size() < 300)
        folder += "a-rather-long-folder-name-for-testing/";
    fs::create_directories(folder);
    const std::string path = folder + "clip.mp4";
    MakeClip(path, 1.0);
    ASSERT_GT(path.size(), 254u);

    controller.DropFlow({path});

    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Row(0).SourceFileName, path);
    EXPECT_EQ(errorInfo.shown, 0);
}

TEST_F(SourceFlowsTest, OpeningFilesAddsThemThroughTheBusyWindowAndStoresTheirFolder) {
    const std::string a = Clip("a.mp4");
    const std::string b = Clip("b.avi");
    dialog.choice = {a, b, a};

    controller.OpenFlow();

    ASSERT_EQ(dialog.initialDirs.size(), 1u);
    EXPECT_EQ(dialog.initialDirs[0], Home() + "/"); // nothing stored yet
    EXPECT_EQ(busy.shown, 1);
    EXPECT_EQ(busy.fileList, (std::vector<std::string>{a, b})); // repeated names removed first
    EXPECT_EQ(Names(), (std::vector<std::string>{a, b}));
    EXPECT_EQ(settings.ReadInitDir(), Clips());

    // The next dialog starts where the files came from.
    dialog.choice = {};
    controller.OpenFlow();
    EXPECT_EQ(dialog.initialDirs.back(), Clips());
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(SourceFlowsTest, CancellingTheOpenDialogAddsNothingButSelectsTheFirstRow) {
    // A first run that cancels stores no folder.
    controller.OpenFlow();
    EXPECT_EQ(busy.shown, 1);
    EXPECT_TRUE(busy.fileList.empty());
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(trim.synced, 0);
    EXPECT_FALSE(fs::exists(settings.FileName()));

    const std::string a = Clip("a.mp4");
    const std::string b = Clip("b.mp4");
    controller.DropFlow({a, b});
    list.SetSelection({false, true}, 1);
    const int synced = trim.synced;

    controller.OpenFlow();

    EXPECT_EQ(busy.shown, 2);
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_TRUE(list.IsSelected(0)); // in addition to the rows already selected
    EXPECT_TRUE(list.IsSelected(1));
    EXPECT_EQ(trim.synced, synced + 1);
    EXPECT_FALSE(fs::exists(settings.FileName()));
    EXPECT_TRUE(errors.messages.empty());
}
