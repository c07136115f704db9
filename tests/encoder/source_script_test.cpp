#include "encoder/SourceScript.h"

#include "EncoderTestSupport.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace clavenor;

TEST(SourceScript, TheOneLineGivesPathAndFrameRate) {
    struct Case {
        std::string text;
        std::string path;
        std::string fps;
    };
    const Case cases[] = {
        {"DirectShowSource(\"/in/show.rm\", fps=29.9700898503294, convertfps=true)\r\n",
         "/in/show.rm", "29.9700898503294"},
        {"DirectShowSource(\"/in/show.rm\", fps=25, convertfps=true)\n", "/in/show.rm", "25"},
        {"DirectShowSource(\"/in/show.rm\", fps=10, convertfps=true)", "/in/show.rm", "10"},
        // Linux names may hold quotes, commas and the script's own words
        {"DirectShowSource(\"/in/a \"b\", fps=1, c.rm\", fps=15, convertfps=true)\r\n",
         "/in/a \"b\", fps=1, c.rm", "15"},
        {"DirectShowSource(\"/in/Ünïcödé 名前.rmvb\", fps=15, convertfps=true)\r\n",
         "/in/Ünïcödé 名前.rmvb", "15"},
    };
    for (const Case& c : cases) {
        ParsedScript parsed = ParseSourceScript(c.text);
        ASSERT_TRUE(parsed.script) << c.text << " -> " << parsed.error;
        EXPECT_EQ(parsed.script->sourcePath, c.path);
        EXPECT_EQ(parsed.script->framesPerSecond, c.fps);
    }
}

TEST(SourceScript, OtherShapesAreRefused) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "is not one line DirectShowSource"},
        {"AviSource(\"/in/show.avi\")\r\n", "is not one line DirectShowSource"},
        {"DirectShowSource(\"/in/show.rm\", fps=25, convertfps=false)\r\n", "is not one line"},
        {"DirectShowSource(\"/in/show.rm\", convertfps=true)\r\n", "is not one line"},
        {"DirectShowSource(\"/in/show.rm\")\r\n", "is not one line"},
        {"directshowsource(\"/in/show.rm\", fps=25, convertfps=true)\r\n", "is not one line"},
        {"DirectShowSource(\"\", fps=25, convertfps=true)\r\n", "names no source file"},
        {"DirectShowSource(\"/in/show.rm\", fps=0, convertfps=true)\r\n",
         "frame rate '0' is not a positive number"},
        {"DirectShowSource(\"/in/show.rm\", fps=-25, convertfps=true)\r\n", "frame rate '-25'"},
        {"DirectShowSource(\"/in/show.rm\", fps=ntsc, convertfps=true)\r\n", "frame rate 'ntsc'"},
        {"DirectShowSource(\"/in/a.rm\", fps=25, convertfps=true)\r\n"
         "DirectShowSource(\"/in/b.rm\", fps=25, convertfps=true)\r\n",
         "more than one line"},
        {std::string("DirectShowSource(\"/in/a\0b.rm\", fps=25, convertfps=true)\r\n", 55),
         "NUL character"},
    };
    for (const auto& [text, error] : cases) {
        ParsedScript parsed = ParseSourceScript(text);
        EXPECT_FALSE(parsed.script) << text;
        EXPECT_NE(parsed.error.find(error), std::string::npos) << text << " -> " << parsed.error;
    }
}

TEST(SourceScript, FileIsReadOrTheReasonNamed) {
    test::TempFolder folder;
    std::string script = folder / "VideoFile.avs";
    std::ofstream(script, std::ios::binary)
        << "DirectShowSource(\"/in/show.rm\", fps=29.9700898503294, convertfps=true)\r\n";
    ParsedScript read = ReadSourceScript(script);
    ASSERT_TRUE(read.script) << read.error;
    EXPECT_EQ(read.script->sourcePath, "/in/show.rm");

    EXPECT_EQ(ReadSourceScript(folder / "missing.avs").error, "cannot read the script '" +
                                                                  (folder / "missing.avs") +
                                                                  "': No such file or directory");
    EXPECT_EQ(ReadSourceScript(folder.Path()).error,
              "cannot read the script '" + folder.Path() + "': Is a directory");

    std::ofstream(folder / "bad.avs") << "Version()\n";
    EXPECT_EQ(ReadSourceScript(folder / "bad.avs").error,
              folder / "bad.avs: the script is not one line "
                       "DirectShowSource(\"PATH\", fps=F, convertfps=true)");

    std::ofstream(folder / "huge.avs") << std::string(70 * 1024, 'x');
    EXPECT_NE(ReadSourceScript(folder / "huge.avs").error.find("too large"), std::string::npos);
}
