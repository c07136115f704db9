#include "foundation/Log.h"
#include "temp_folder.h"
#include "test_locale.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <sys/stat.h>

using namespace clavenor;
using clavenor_test::ReadWholeFile;
using clavenor_test::TempFolder;
using clavenor_test::WriteWholeFile;

namespace {

class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The POSIX formats, whatever the machine's locale: date %x = mm/dd/yy, time %X.
        setenv("LC_ALL", "C", 1);
    }
    TempFolder folder;
    TAppFunc appFunc{folder.Path()};
    std::string LogFile() const { return folder.Path() + "log.txt"; }
};

const std::string stamp = R"(Brontel \d\d/\d\d/\d\d \d\d:\d\d:\d\d\|)";

} // namespace

TEST_F(LogTest, EachCallAppendsOneStampedLineAsGiven) {
    struct Case {
        std::string message;
        std::string written; // regex for what the call adds
    };
    const Case cases[] = {
        {"Get Process id error.", stamp + R"(Get Process id error\.\r\n)"},
        {"", stamp + R"(\r\n)"},
        {"a | b|c", stamp + R"(a \| b\|c\r\n)"},
        {"first\nsecond", stamp + "first\nsecond\r\n"},
    };
    std::string expected;
    for (const Case& c : cases) {
        appFunc.WriteLog(c.message);
        expected += c.written;
        EXPECT_TRUE(std::regex_match(ReadWholeFile(LogFile()), std::regex(expected)))
            << "after message: " << c.message << "\nfile:\n"
            << ReadWholeFile(LogFile());
    }
}

TEST_F(LogTest, CallsKeepTheirOrderAndTheFileOnlyGrows) {
    WriteWholeFile(LogFile(), "older entry\r\n");
    for (int i = 0; i < 5; ++i)
        appFunc.WriteLog("entry " + std::to_string(i));
    std::string expected = "older entry\\r\\n";
    for (int i = 0; i < 5; ++i)
        expected += stamp + "entry " + std::to_string(i) + "\\r\\n";
    EXPECT_TRUE(std::regex_match(ReadWholeFile(LogFile()), std::regex(expected)))
        << ReadWholeFile(LogFile());
}

TEST_F(LogTest, ADeletedLogIsCreatedAgainWithJustTheNewLine) {
    appFunc.WriteLog("before");
    ASSERT_TRUE(std::filesystem::remove(LogFile()));
    appFunc.WriteLog("after");
    EXPECT_TRUE(std::regex_match(ReadWholeFile(LogFile()), std::regex(stamp + "after\\r\\n")))
        << ReadWholeFile(LogFile());
}

TEST_F(LogTest, AFileThatCannotBeWrittenRaisesAnErrorNamingIt) {
    // Tests run as root, so permission bits deny nothing: use places no one can write to.
    struct Case {
        std::string programFolder;
        std::string why;
    };
    std::filesystem::create_directory(LogFile()); // log.txt is a folder here
    const Case cases[] = {
        {folder.Path() + "missing/", "missing program folder"},
        {folder.Path(), "log.txt is a folder"},
    };
    for (const Case& c : cases) {
        TAppFunc broken(c.programFolder);
        try {
            broken.WriteLog("lost");
            ADD_FAILURE() << "no error: " << c.why;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.programFolder + "log.txt"), std::string::npos)
                << c.why << ": " << e.what();
        }
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "missing"));
}

TEST_F(LogTest, DateAndTimeFollowTheUsersTimeLocale) {
    TempFolder locales;
    if (!clavenor_test::UseGermanLocaleFrom(locales.Path()))
        GTEST_SKIP() << "cannot build the de_DE locale here";
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    appFunc.WriteLog("x");
    EXPECT_TRUE(std::regex_match(ReadWholeFile(LogFile()),
                                 std::regex(R"(Brontel \d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d\|x\r\n)")))
        << ReadWholeFile(LogFile());
}

TEST_F(LogTest, AnUnknownLocaleFallsBackToThePosixFormats) {
    setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    appFunc.WriteLog("x");
    EXPECT_TRUE(std::regex_match(ReadWholeFile(LogFile()), std::regex(stamp + "x\\r\\n")))
        << ReadWholeFile(LogFile());
}
