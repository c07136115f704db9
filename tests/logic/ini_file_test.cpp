#include "foundation/IniFiles32.h"
#include "temp_folder.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace clavenor;
using clavenor_test::ReadWholeFile;
using clavenor_test::TempFolder;
using clavenor_test::WriteWholeFile;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    const std::string file = folder.Path() + "test.ini";

    // The names of the entries in the folder (to see leftover temporary files).
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::string Joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

bool Mentions(const std::exception& e, const std::string& text) {
    return std::string(e.what()).find(text) != std::string::npos;
}

} // namespace

TEST_F(IniFileTest, ReadsEveryKindOfLineEndAndWritesCrLf) {
    struct Case {
        std::string content;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"\r\n", {""}},
        {"\n\r", {"", ""}},
        {"a\r\r\nb\n\n", {"a", "", "b", ""}},
        {std::string("nul\0byte\n", 9), {std::string("nul\0byte", 8)}},
    };
    for (const Case& c : cases) {
        WriteWholeFile(file, c.content);
        TIniFile32 ini(file);
        EXPECT_EQ(ini.Lines(), c.lines) << "content: " << c.content;
        ini.WriteString("", "", ""); // adds an empty line and "[]"
        Lines written = c.lines;
        written.insert(written.end(), {"", "[]"});
        EXPECT_EQ(ReadWholeFile(file), Joined(written));
    }
}

TEST_F(IniFileTest, AMissingFileReadsAsEmptyAndIsNotCreated) {
    TIniFile32 ini(file);
    Lines sections = {"stale"};
    ini.ReadSections(sections);
    EXPECT_TRUE(sections.empty());
    EXPECT_EQ(ini.ReadString("USRInfo", "OutDir", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("USRInfo", "OutDir", 9), 9);
    ini.EraseSection("USRInfo");
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(IniFileTest, LooksUpSectionsByWholeLineAndKeysExactly) {
    WriteWholeFile(file, "top=before any section\r\n"
                         "[USRInfo]\r\n"
                         "OutDir=\r\n"
                         "Path = D:\\Video \r\n"
                         "outdir2=x\r\n"
                         "dup=first\r\n"
                         "dup=second\r\n"
                         "   \t\r\n"
                         "after blank=still in section\r\n"
                         ";comment=semi\r\n"
                         "#hash=h\r\n"
                         "noequals\r\n"
                         "eq=a=b\r\n"
                         "[ Spaced ]\r\n"
                         "k=spaced\r\n"
                         " [Indented]\r\n"
                         "k=indented\r\n"
                         "[Other]\r\n"
                         "k=other\r\n"
                         "[usrinfo]\r\n"
                         "later=only in the second\r\n");
    TIniFile32 ini(file);
    struct Case {
        std::string section, key, expected;
    };
    const Case cases[] = {
        {"USRInfo", "OutDir", "def"}, // an empty value reads as the default
        {"USRInfo", "Path", "D:\\Video"},
        {"usrinfo", "Path", "D:\\Video"}, // sections ignore case
        {"USRINFO", "Path", "D:\\Video"},
        {"USRInfo", "path", "def"},  // keys do not
        {"USRInfo", "Path ", "def"}, // the given key is not trimmed
        {"USRInfo", "outdir", "def"},
        {"USRInfo", "dup", "first"},
        {"USRInfo", "after blank", "still in section"},
        {"USRInfo", ";comment", "semi"},
        {"USRInfo", "#hash", "h"},
        {"USRInfo", "noequals", "def"},
        {"USRInfo", "eq", "a=b"},
        {"USRInfo", "", "def"},
        {"USRInfo", "later", "def"}, // only the first section of a name is searched
        {"USRInfo", "k", "def"},
        {"Spaced", "k", "def"},
        {" Spaced ", "k", "spaced"},
        {"Indented", "k", "def"},
        {"Other", "k", "other"},
        {"", "top", "def"}, // lines before the first section are never read
        {"Missing", "k", "def"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "def"), c.expected)
            << "[" << c.section << "] " << c.key;

    Lines sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections, (Lines{"USRInfo", "Spaced", "Indented", "Other", "usrinfo"}));
}

TEST_F(IniFileTest, ReadIntegerTakesDecimalAndHexadecimalWithin32Bits) {
    struct Case {
        std::string value;
        int expected;
    };
    const Case cases[] = {
        {"0x1F", 31},
        {"0X1f", 31},
        {"$1F", 31},
        {"-7", -7},
        {"+7", 7},
        {" 42 ", 42},
        {"007", 7},
        {"12abc", -99},
        {"1.5", -99},
        {"", -99},
        {"0x", -99},
        {"$", -99},
        {"-", -99},
        {"-$1", -99},
        {"0x-1", -99},
        {"abc", -99},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", -99},
        {"-2147483649", -99},
        {"$7FFFFFFF", INT_MAX},
        {"$80000000", -99},
        {"99999999999999999999", -99},
    };
    std::string content = "[N]\r\n";
    for (std::size_t i = 0; i < std::size(cases); ++i)
        content += "k" + std::to_string(i) + "=" + cases[i].value + "\r\n";
    WriteWholeFile(file, content);
    TIniFile32 ini(file);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ini.ReadInteger("N", "k" + std::to_string(i), -99), cases[i].expected)
            << "value: " << cases[i].value;
    EXPECT_EQ(ini.ReadInteger("N", "missing", -99), -99);
}

TEST_F(IniFileTest, WritesPlaceKeysAndSectionsWhereTheyBelong) {
    const Lines twoSections = {"", "[A]", "k=v", "", "[B]", "x=y"};
    struct Case {
        const char* what;
        Lines before;
        std::function<void(TIniFile32&)> write;
        Lines after;
    };
    const Case cases[] = {
        {"new section in an empty file",
         {},
         [](TIniFile32& ini) { ini.WriteString("S", "k", "v"); },
         {"", "[S]", "k=v"}},
        {"two keys of the user settings",
         {},
         [](TIniFile32& ini) {
             ini.WriteString("USRInfo", "OutDir", "C:\\");
             ini.WriteString("USRInfo", "SHUTDOWN", "0");
         },
         {"", "[USRInfo]", "OutDir=C:\\", "SHUTDOWN=0"}},
        {"new key in the first of two sections goes before the second",
         twoSections,
         [](TIniFile32& ini) { ini.WriteString("A", "n", "1"); },
         {"", "[A]", "k=v", "", "n=1", "[B]", "x=y"}},
        {"new key in the last section goes to the end",
         twoSections,
         [](TIniFile32& ini) { ini.WriteString("b", "n", "1"); },
         {"", "[A]", "k=v", "", "[B]", "x=y", "n=1"}},
        {"existing key is replaced in place, case of the section ignored",
         twoSections,
         [](TIniFile32& ini) { ini.WriteString("a", "k", "  w  "); },
         {"", "[A]", "k=  w  ", "", "[B]", "x=y"}},
        {"a duplicate key: the first is replaced",
         {"[S]", "d=1", "d=2"},
         [](TIniFile32& ini) { ini.WriteString("S", "d", "3"); },
         {"[S]", "d=3", "d=2"}},
        {"a duplicate section: the first is written",
         {"[S]", "a=1", "[S]", "b=2"},
         [](TIniFile32& ini) { ini.WriteString("S", "b", "3"); },
         {"[S]", "a=1", "b=3", "[S]", "b=2"}},
        {"a key with blanks around it is found and rewritten bare",
         {"[S]", " k = old "},
         [](TIniFile32& ini) { ini.WriteString("S", "k", "new"); },
         {"[S]", "k=new"}},
        {"empty key in a new section writes just the section",
         {"[S]"},
         [](TIniFile32& ini) { ini.WriteString("T", "", "ignored"); },
         {"[S]", "", "[T]"}},
        {"empty key in an existing section changes nothing",
         {"[S]", "", "k=v"},
         [](TIniFile32& ini) { ini.WriteString("S", "", "ignored"); },
         {"[S]", "", "k=v"}},
        {"integers are written in decimal",
         {},
         [](TIniFile32& ini) { ini.WriteInteger("count", "count", -5); },
         {"", "[count]", "count=-5"}},
    };
    for (const Case& c : cases) {
        // LF line ends show whether the file was rewritten.
        std::string content;
        for (const std::string& line : c.before)
            content += line + "\n";
        WriteWholeFile(file, content);
        TIniFile32 ini(file);
        c.write(ini);
        EXPECT_EQ(ini.Lines(), c.after) << c.what;
        EXPECT_EQ(ReadWholeFile(file), Joined(c.after)) << c.what;
    }
}

TEST_F(IniFileTest, EraseSectionRemovesItsLinesAndLeavesOneEmptyLine) {
    const Lines twoSections = {"", "[A]", "k=v", "", "[B]", "x=y"};
    struct Case {
        const char* what;
        Lines before;
        std::string section;
        Lines after;
        bool rewritten;
    };
    const Case cases[] = {
        {"the first of two engine-written sections",
         twoSections,
         "A",
         {"", "", "[B]", "x=y"},
         true},
        {"the last section", twoSections, "b", {"", "[A]", "k=v", "", ""}, true},
        {"a section on the first line", {"[A]", "k=v", "[B]", "x=y"}, "A", {"[B]", "x=y"}, true},
        {"only the first of two equal names",
         {"[S]", "a=1", "[S]", "b=2"},
         "S",
         {"[S]", "b=2"},
         true},
        {"a missing section", twoSections, "C", twoSections, false},
        {"a section that is only found with its blanks",
         {" [A]", "k=v"},
         "A",
         {" [A]", "k=v"},
         false},
    };
    for (const Case& c : cases) {
        std::string content;
        for (const std::string& line : c.before)
            content += line + "\n";
        WriteWholeFile(file, content);
        TIniFile32 ini(file);
        ini.EraseSection(c.section);
        EXPECT_EQ(ini.Lines(), c.after) << c.what;
        EXPECT_EQ(ReadWholeFile(file), c.rewritten ? Joined(c.after) : content) << c.what;
    }
}

TEST_F(IniFileTest, TextsThatWouldBreakTheFileAreRefusedAndChangeNothing) {
    struct Case {
        std::string section, key, value;
    };
    const Case cases[] = {
        {"S", "k", "two\nlines"}, {"S", "k", "cr\r"}, {"S", "k\n[X]", "v"},
        {"S\r\n[X]", "k", "v"},   {"S", "[k", "v]"},  {"S", "[k", "v] \t"},
        {"New", "[k", "v]"},
    };
    const std::string content = "[S]\r\nk=old\r\n";
    for (const Case& c : cases) {
        WriteWholeFile(file, content);
        TIniFile32 ini(file);
        const Lines before = ini.Lines();
        EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), std::invalid_argument)
            << c.section << " / " << c.key << " / " << c.value;
        EXPECT_EQ(ini.Lines(), before);
        EXPECT_EQ(ReadWholeFile(file), content);
    }
    // Brackets that do not make a section line are ordinary text.
    TIniFile32 ini(file);
    ini.WriteString("S", "[k", "v");
    ini.WriteString("S", "k", "[v]");
    EXPECT_EQ(TIniFile32(file).ReadString("S", "[k", ""), "v");
    EXPECT_EQ(TIniFile32(file).ReadString("S", "k", ""), "[v]");
}

TEST_F(IniFileTest, AFileThatCannotBeReadFailsTheConstructorNamingIt) {
    fs::create_directory(file); // exists, but is no readable file
    try {
        TIniFile32 ini(file);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(Mentions(e, file)) << e.what();
        EXPECT_TRUE(Mentions(e, "Is a directory")) << e.what();
    }
}

TEST_F(IniFileTest, AMissingFolderFailsTheWriteAndIsNotCreated) {
    const std::string inMissing = folder.Path() + "Config/UserSettings.ini";
    TIniFile32 ini(inMissing);
    try {
        ini.WriteString("USRInfo", "OutDir", "/x");
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(Mentions(e, inMissing)) << e.what();
        EXPECT_TRUE(Mentions(e, "No such file or directory")) << e.what();
    }
    EXPECT_FALSE(fs::exists(folder.Path() + "Config"));
    // The change stays in memory.
    EXPECT_EQ(ini.ReadString("USRInfo", "OutDir", ""), "/x");
}

TEST_F(IniFileTest, AWriteThatFailsHalfwayKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const std::string old = "[S]\r\nk=old\r\n";
    WriteWholeFile(file, old);
    TIniFile32 ini(file);
    // Let writing fail once the new text passes 64 bytes (the disk-full case).
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGXFSZ, &ignore, &previous), 0);
    rlimit limit{}, small{64, 64};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    try {
        ini.WriteString("S", "k", std::string(200, 'n'));
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(Mentions(e, file)) << e.what();
        EXPECT_TRUE(Mentions(e, "File too large")) << e.what();
    }
    setrlimit(RLIMIT_FSIZE, &limit);
    sigaction(SIGXFSZ, &previous, nullptr);
    EXPECT_EQ(ReadWholeFile(file), old);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"test.ini"}));
}

TEST_F(IniFileTest, ARenameThatFailsLeavesTheTargetAndNoTemporaryFile) {
    WriteWholeFile(file, "[S]\r\nk=old\r\n");
    TIniFile32 ini(file);
    // Something else took the name in the meantime: a folder with a file in it.
    fs::remove(file);
    fs::create_directory(file);
    WriteWholeFile(file + "/inside", "kept");
    try {
        ini.WriteString("S", "k", "new");
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(Mentions(e, file)) << e.what();
    }
    EXPECT_EQ(ReadWholeFile(file + "/inside"), "kept");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"test.ini"}));
}

namespace {

// Runs check as an unprivileged user in a child process (permission bits deny nothing to
// root) and returns its verdict; a failing check explains itself on stderr.
bool AsUnprivilegedUser(const std::function<bool()>& check) {
    if (geteuid() != 0)
        return check();
    pid_t pid = fork();
    if (pid == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// True when action throws std::runtime_error naming file and the permission error.
bool FailsWithPermissionError(const std::string& file, const std::function<void()>& action) {
    try {
        action();
    } catch (const std::runtime_error& e) {
        if (Mentions(e, file) && Mentions(e, "Permission denied"))
            return true;
        fprintf(stderr, "unexpected error: %s\n", e.what());
        return false;
    }
    fprintf(stderr, "no error\n");
    return false;
}

} // namespace

TEST_F(IniFileTest, PermissionsAreHonouredForOrdinaryUsers) {
    const std::string old = "[S]\r\nk=old\r\n";
    struct Case {
        const char* what;
        mode_t fileMode, folderMode;
        bool failsToRead;
    };
    const Case cases[] = {
        {"read-only file", 0444, 0777, false},
        {"read-only folder", 0666, 0555, false},
        {"unreadable file", 0000, 0777, true},
    };
    for (const Case& c : cases) {
        fs::permissions(folder.Path(), fs::perms::all);
        fs::remove(file);
        WriteWholeFile(file, old);
        ASSERT_EQ(chmod(file.c_str(), c.fileMode), 0);
        ASSERT_EQ(chmod(folder.Path().c_str(), c.folderMode), 0);
        const std::string name = file;
        EXPECT_TRUE(AsUnprivilegedUser([&] {
            if (c.failsToRead)
                return FailsWithPermissionError(name, [&] { TIniFile32 ini(name); });
            TIniFile32 ini(name);
            return FailsWithPermissionError(name, [&] { ini.WriteString("S", "k", "new"); });
        })) << c.what;
        fs::permissions(folder.Path(), fs::perms::all);
        EXPECT_EQ(ReadWholeFile(file), old) << c.what;
        EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"test.ini"})) << c.what;
    }
}

TEST_F(IniFileTest, ReplacingKeepsPermissionBitsAndSymbolicLinks) {
    WriteWholeFile(file, "[S]\r\n");
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    TIniFile32(file).WriteString("S", "k", "v");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));

    const mode_t oldMask = umask(027);
    const std::string fresh = folder.Path() + "fresh.ini";
    TIniFile32(fresh).WriteString("S", "k", "v");
    umask(oldMask);
    EXPECT_EQ(fs::status(fresh).permissions(), fs::perms(0640));

    const std::string link = folder.Path() + "link.ini";
    fs::create_symlink(file, link);
    TIniFile32(link).WriteString("S", "k", "through the link");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TIniFile32(file).ReadString("S", "k", ""), "through the link");
}

namespace {

// A random INI-like text: brackets, "=", blanks, control bytes, any byte, mixed line ends.
std::string RandomIniText(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {
        "[",   "]",     "=",  " ",  "\t",     "a",     "A", "b", "k",    "K", "[a]", "[A]",
        "[b]", " [a] ", "k=", "=v", "K = v ", "[ b ]", ";", "#", "0x1F", "$", "-7",  "\xC3\xA9"};
    static const std::vector<std::string> ends = {"\r\n", "\n", "\r", "\n\r", ""};
    std::string text;
    const int lineCount = static_cast<int>(rng() % 16);
    for (int i = 0; i < lineCount; ++i) {
        const int pieceCount = static_cast<int>(rng() % 5);
        for (int j = 0; j < pieceCount; ++j) {
            if (rng() % 8 == 0)
                text += static_cast<char>(rng() % 256);
            else
                text += pieces[rng() % pieces.size()];
        }
        text += ends[rng() % ends.size()];
    }
    return text;
}

std::string RandomPick(std::mt19937& rng, const std::vector<std::string>& pool) {
    return pool[rng() % pool.size()];
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

TEST_F(IniFileTest, RandomFilesSurviveAWriteAndReadBackTheSame) {
    std::mt19937 rng(20240611);
    const std::string none = "\x01none";
    for (int round = 0; round < 2000; ++round) {
        const std::string content = RandomIniText(rng);
        WriteWholeFile(file, content);
        TIniFile32 ini(file);

        // Every section name and key the file mentions, plus a few that it may not.
        std::vector<std::string> sections = {"a", "B", "new"};
        std::vector<std::string> keys = {"k", "K", "new"};
        Lines found;
        ini.ReadSections(found);
        sections.insert(sections.end(), found.begin(), found.end());
        for (const std::string& line : ini.Lines()) {
            std::size_t eq = line.find('=');
            if (eq != std::string::npos && !TrimBlanks(line.substr(0, eq)).empty())
                keys.emplace_back(TrimBlanks(line.substr(0, eq)));
        }
        std::map<std::pair<std::string, std::string>, std::string> before;
        for (const std::string& s : sections)
            for (const std::string& k : keys)
                before[{s, k}] = ini.ReadString(s, k, none);

        const std::string section = RandomPick(rng, sections);
        const std::string key = RandomPick(rng, keys);
        std::string value = RandomIniText(rng);
        std::erase_if(value, [](char c) { return c == '\r' || c == '\n'; });

        const Lines linesBefore = ini.Lines();
        try {
            ini.WriteString(section, key, value);
        } catch (const std::invalid_argument&) {
            // Refused only when the key line would read as a section line.
            const std::string keyLine = key + "=" + value;
            const std::string_view line = TrimBlanks(keyLine);
            ASSERT_TRUE(line.front() == '[' && line.back() == ']') << key << "=" << value;
            ASSERT_EQ(ini.Lines(), linesBefore);
            ASSERT_EQ(ReadWholeFile(file), content);
            continue;
        }
        const TIniFile32 reread(file);
        ASSERT_EQ(reread.Lines(), ini.Lines()) << "round " << round;
        for (const auto& [where, old] : before) {
            std::string expected = old;
            if (SameIgnoringCase(where.first, section) && where.second == key) {
                std::string_view written = TrimBlanks(value);
                expected = written.empty() ? none : std::string(written);
            }
            ASSERT_EQ(reread.ReadString(where.first, where.second, none), expected)
                << "round " << round << ": [" << where.first << "] " << where.second
                << " after writing [" << section << "] " << key << "=" << value;
        }
    }
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"test.ini"}));
}
