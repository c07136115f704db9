#include "encoder/FfmpegLocator.h"

#include "EncoderTestSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace clavenor;
namespace fs = std::filesystem;

namespace {

void MakeFile(const std::string& path, bool executable) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << "#!/bin/sh\n";
    fs::permissions(path, executable ? fs::perms(0755) : fs::perms(0644));
}

} // namespace

TEST(FfmpegLocator, BesideTheProgramFirstThenAlongPath) {
    test::TempFolder t;
    std::string program = t / "app/";
    MakeFile(t / "bin1/ffmpeg", false);        // not executable: skipped
    fs::create_directories(t / "bin2/ffmpeg"); // a folder: skipped
    MakeFile(t / "bin3/ffmpeg", true);
    MakeFile(t / "bin4/ffmpeg", true);
    std::string path = t / "bin1:" + t / "bin2::relative:" + t / "bin3/:" + t / "bin4";

    EXPECT_EQ(FindFfmpeg(program, path.c_str()), t / "bin3/ffmpeg");
    MakeFile(program + "ffmpeg", true);
    EXPECT_EQ(FindFfmpeg(program, path.c_str()), program + "ffmpeg");
    EXPECT_EQ(FindFfmpeg("", path.c_str()), t / "bin3/ffmpeg");
}

TEST(FfmpegLocator, NothingFoundIsSaid) {
    test::TempFolder t;
    fs::create_directories(t / "empty");
    std::string path = t / "empty";
    EXPECT_FALSE(FindFfmpeg(t.Path(), path.c_str()));
    EXPECT_FALSE(FindFfmpeg(t.Path(), ""));
    // relative entries and the current folder are never searched
    fs::create_directories(t / "cwd");
    MakeFile(t / "cwd/ffmpeg", true);
    fs::path before = fs::current_path();
    fs::current_path(t / "cwd");
    EXPECT_FALSE(FindFfmpeg("", ":.:"));
    fs::current_path(before);
}
