#include "foundation/IniFiles32.h"
#include "settings/UserSettings.h"
#include "temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>

using namespace clavenor;
using clavenor_test::ReadWholeFile;
using clavenor_test::TempFolder;
using clavenor_test::WriteWholeFile;
namespace fs = std::filesystem;

namespace {

class UserSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directory(program.Path() + "Config"); }

    TempFolder program;
    const std::string home = "/home/tester";
    TUserSettingsFile file{program.Path(), home};

    void WriteSettingsFile(const std::string& content) const {
        WriteWholeFile(file.FileName(), content);
    }
    TUserSettings Loaded() const {
        TUserSettings settings = DefaultUserSettings(home);
        file.LoadUserSettings(settings);
        return settings;
    }
};

} // namespace

TEST_F(UserSettingsTest, AFirstRunStartsFromTheDefaultsAndWritesNothing) {
    EXPECT_EQ(file.FileName(), program.Path() + "Config/UserSettings.ini");
    TUserSettings settings = DefaultUserSettings(home);
    settings.ShowOutputDirectory = true; // the window's design ticks it; the load clears it
    file.LoadUserSettings(settings);
    EXPECT_EQ(settings.OutputFolder, "/home/tester/Clavenor");
    EXPECT_FALSE(settings.ShowOutputDirectory);
    EXPECT_FALSE(settings.Shutdown);
    EXPECT_EQ(file.ReadInitDir(), "/home/tester/");
    file.SaveInitDir(""); // the dialog was cancelled before any file was chosen
    EXPECT_FALSE(fs::exists(file.FileName()));
}

TEST_F(UserSettingsTest, OnlyOneTicksABox) {
    struct Case {
        std::string value;
        bool ticked;
    };
    const Case cases[] = {
        {"1", true},     {" 1 ", true}, {"0", false}, {"2", false},   {"yes", false},
        {"True", false}, {"01", false}, {"", false},  {"1.0", false},
    };
    for (const Case& c : cases) {
        WriteSettingsFile("[USRInfo]\r\nSHWDDir=" + c.value + "\r\nSHUTDOWN=" + c.value + "\r\n");
        TUserSettings settings = Loaded();
        EXPECT_EQ(settings.ShowOutputDirectory, c.ticked) << "value: '" << c.value << "'";
        EXPECT_EQ(settings.Shutdown, c.ticked) << "value: '" << c.value << "'";
    }
}

TEST_F(UserSettingsTest, TheOutputFolderIsKeptWhenTheFileHasNone) {
    struct Case {
        std::string content;
        std::string folder;
    };
    const Case cases[] = {
        {"[USRInfo]\r\nOutDir=/media/player/Video\r\n", "/media/player/Video"},
        {"[usrinfo]\r\nOutDir = /with blanks/ \r\n", "/with blanks/"},
        {"[USRInfo]\r\nOutDir=\r\n", "/home/tester/Clavenor"},
        {"[USRInfo]\r\n", "/home/tester/Clavenor"},
        {"[Other]\r\nOutDir=/elsewhere\r\n", "/home/tester/Clavenor"},
    };
    for (const Case& c : cases) {
        WriteSettingsFile(c.content);
        EXPECT_EQ(Loaded().OutputFolder, c.folder) << c.content;
    }
}

TEST_F(UserSettingsTest, TheDialogFolderIsTheFolderOfTheLastChosenFile) {
    struct Case {
        std::string chosen;
        std::string stored;
        std::string nextDialog;
    };
    const Case cases[] = {
        {"/clips/a.avi", "/clips/", "/clips/"},
        {"/clips/sub dir/b.avi", "/clips/sub dir/", "/clips/sub dir/"},
        {"/top.avi", "/", "/"},
        {"no-folder.avi", "", "/home/tester/"}, // an empty value reads as unset
    };
    for (const Case& c : cases) {
        file.SaveInitDir(c.chosen);
        EXPECT_EQ(TIniFile32(file.FileName()).ReadString("USRInfo", "InitDir", "?"),
                  c.stored.empty() ? "?" : c.stored)
            << c.chosen;
        EXPECT_EQ(file.ReadInitDir(), c.nextDialog) << c.chosen;
    }
}

TEST_F(UserSettingsTest, AFirstRunThatAddedFilesWritesTheKeysInTheirOrder) {
    file.SaveInitDir("/clips/a.avi");
    file.SaveInitDir("/clips/a.avi");
    TUserSettings settings = Loaded();
    settings.OutputFolder = "/out";
    settings.ShowOutputDirectory = true;
    file.SaveUserSettings(settings);
    EXPECT_EQ(ReadWholeFile(file.FileName()), "\r\n[USRInfo]\r\n"
                                              "InitDir=/clips/\r\n"
                                              "SHWDDir=1\r\n"
                                              "SHUTDOWN=0\r\n"
                                              "OutDir=/out\r\n");
}

TEST_F(UserSettingsTest, SavedSettingsLoadBackAndKeepTheRestOfTheFile) {
    WriteSettingsFile("[USRInfo]\r\nInitDir=/clips/\r\n[Extra]\r\nkept=yes\r\n");
    const TUserSettings cases[] = {
        {"/a", false, false},
        {"/b/", true, false},
        {"/c d", false, true},
        {"/e", true, true},
    };
    for (const TUserSettings& saved : cases) {
        file.SaveUserSettings(saved);
        TUserSettings loaded = Loaded();
        EXPECT_EQ(loaded.OutputFolder, saved.OutputFolder);
        EXPECT_EQ(loaded.ShowOutputDirectory, saved.ShowOutputDirectory) << saved.OutputFolder;
        EXPECT_EQ(loaded.Shutdown, saved.Shutdown) << saved.OutputFolder;
    }
    EXPECT_EQ(file.ReadInitDir(), "/clips/");
    EXPECT_EQ(TIniFile32(file.FileName()).ReadString("Extra", "kept", ""), "yes");
}

TEST_F(UserSettingsTest, WithoutTheConfigFolderSavingFailsNamingTheFile) {
    fs::remove(program.Path() + "Config");
    EXPECT_EQ(Loaded().OutputFolder, "/home/tester/Clavenor");
    const std::function<void()> saves[] = {
        [&] { file.SaveInitDir("/clips/a.avi"); },
        [&] { file.SaveUserSettings(DefaultUserSettings(home)); },
    };
    for (const auto& save : saves) {
        try {
            save();
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(file.FileName()), std::string::npos) << e.what();
        }
    }
    EXPECT_FALSE(fs::exists(program.Path() + "Config"));
}

TEST(UserSettingsDefaults, FollowTheHomeFolder) {
    EXPECT_EQ(DefaultOutputFolder("/home/u"), "/home/u/Clavenor");
    EXPECT_EQ(DefaultOutputFolder("/home/u/"), "/home/u/Clavenor");
    TempFolder program;
    fs::create_directory(program.Path() + "Config");
    EXPECT_EQ(TUserSettingsFile(program.Path(), "/home/u/").ReadInitDir(), "/home/u/");

    setenv("HOME", "/home/from-env", 1);
    EXPECT_EQ(UserHomeFolder(), "/home/from-env");
    unsetenv("HOME");
    EXPECT_FALSE(UserHomeFolder().empty()); // from the password database
}
