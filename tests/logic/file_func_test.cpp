#include "core/FileFunc.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>

using namespace clavenor;
using clavenor_test::TempFolder;

namespace {

// Creates name (with its folders) inside dir.
void Touch(const TempFolder& dir, const std::string& name) {
    std::filesystem::path full = dir.Path() + name;
    std::filesystem::create_directories(full.parent_path());
    clavenor_test::WriteWholeFile(full, "");
}

} // namespace

TEST(FileFunc, BaseNameExtensionAndFolder) {
    struct Case {
        const char* path;
        const char* base;
        const char* extension;
        const char* folder;
    };
    const Case cases[] = {
        {"/in/clip.avi", "clip", ".avi", "/in/"},
        {"/in/clip.part1.avi", "clip.part1", ".avi", "/in/"},
        {"/in/noext", "noext", "", "/in/"},
        {"/in.d/noext", "noext", "", "/in.d/"},
        {"/in/a:b.avi", "a:b", ".avi", "/in/"}, // ":" is an ordinary character here
        {"/in/show.RM", "show", ".RM", "/in/"},
        {"/in/clip.", "clip", ".", "/in/"},
        {"clip.avi", "clip", ".avi", ""},
        {"/in/Ünï 映画.mkv", "Ünï 映画", ".mkv", "/in/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(TFileFunc::GetBaseName(c.path), c.base);
        EXPECT_EQ(TFileFunc::GetExtension(c.path), c.extension);
        EXPECT_EQ(TFileFunc::GetFolder(c.path), c.folder);
    }
}

TEST(FileFunc, ListingLeavesOutPlainSubfoldersOnly) {
    TempFolder dir;
    Touch(dir, "clip.mp4");
    Touch(dir, ".hidden");
    Touch(dir, "sub/inner.txt");
    ASSERT_EQ(symlink((dir.Path() + "sub").c_str(), (dir.Path() + "link").c_str()), 0);
    std::vector<std::string> files = TFileFunc::ListFolderFiles(dir.Path());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{dir.Path() + ".hidden", dir.Path() + "clip.mp4",
                                               dir.Path() + "link"}));
    EXPECT_TRUE(TFileFunc::ListFolderFiles(dir.Path() + "missing/").empty());
}

// Each row: what the output folder holds, then the names asked for in turn (each answer is
// created before the next question, as an encoder run would), and the answers.
TEST(FileFunc, UniqueNamesCountUpWithoutRegardToCase) {
    struct Case {
        const char* what;
        std::vector<std::string> present;
        std::vector<std::string> asked;
        std::vector<std::string> answers;
    };
    const Case cases[] = {
        {"free name", {"other.mp4"}, {"clip.mp4"}, {"clip.mp4"}},
        {"taken", {"clip.mp4"}, {"clip.mp4", "clip.mp4"}, {"clip_1.mp4", "clip_2.mp4"}},
        {"any extension counts", {"clip.mp4", "clip_1.txt"}, {"clip.mp4"}, {"clip_2.mp4"}},
        {"the source itself counts", {"clip.avi"}, {"clip.mp4"}, {"clip_1.mp4"}},
        {"upper case", {"CLIP.mp4"}, {"clip.mp4"}, {"clip_1.mp4"}},
        {"mixed case numbers", {"Clip.MP4", "CLIP_1.mp4"}, {"clip.mp4"}, {"clip_2.mp4"}},
        {"numbered source",
         {"take_3.avi"},
         {"take_3.mp4", "take_3.mp4"},
         {"take_3_1.mp4", "take_3_2.mp4"}},
        {"subfolder does not count", {"clip/x"}, {"clip.mp4"}, {"clip.mp4"}},
        {"no extension", {"clip"}, {"clip"}, {"clip_1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        for (const std::string& name : c.present)
            Touch(dir, name);
        TFileFunc fileFunc;
        for (std::size_t i = 0; i < c.asked.size(); ++i) {
            std::string answer = fileFunc.MakeUniqueFileName(dir.Path() + c.asked[i]);
            EXPECT_EQ(answer, dir.Path() + c.answers[i]);
            EXPECT_EQ(fileFunc.NumberingOrigin(), TFileFunc::GetBaseName(c.asked[i]));
            Touch(dir, answer.substr(dir.Path().size()));
        }
    }
}
