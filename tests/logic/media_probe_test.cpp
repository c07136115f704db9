#include "sources/MediaProbe.h"
#include "sources/SourceListOps.h"

#include "temp_folder.h"
#include "test_media.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace clavenor;
using clavenor_test::MakeClip;
using clavenor_test::TempFolder;
using clavenor_test::WriteWholeFile;

TEST(MediaProbe, ReadsTheDurationOfEveryKindOfSourceContainer) {
    TempFolder folder;
    // MPEG program streams report their length from the timestamps, a little short of the
    // clip's, so those clips are longer.
    const struct {
        const char* name;
        double seconds;
        std::int32_t minimum;
        std::int32_t maximum;
    } cases[] = {
        {"clip.mp4", 1.0, 1, 1}, {"clip.mov", 3.0, 3, 3},  {"clip.avi", 2.0, 2, 2},
        {"clip.3g2", 1.0, 1, 1}, {"clip.3gp", 1.0, 1, 1},  {"clip.flv", 1.0, 1, 1},
        {"clip.wmv", 1.0, 1, 1}, {"clip.rmvb", 1.0, 1, 1}, {"clip.m4v", 1.0, 1, 1},
        {"clip.vob", 3.0, 2, 3}, {"clip.mpg", 3.0, 2, 3},
    };
    TAvMediaProbe probe; // one probe for all of them, as one adding call uses it
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Path() + c.name;
        MakeClip(path, c.seconds);
        const TProbeResult result = probe.Probe(path);
        EXPECT_TRUE(result.Opened);
        EXPECT_EQ(result.Coverage, TDecoderCoverage::All);
        const std::int32_t seconds = GetMediaDuration(path, probe);
        EXPECT_GE(seconds, c.minimum);
        EXPECT_LE(seconds, c.maximum);
    }
}

TEST(MediaProbe, UnreadableFilesGiveNoDuration) {
    TempFolder folder;
    const std::string good = folder.Path() + "good.mp4";
    MakeClip(good, 2.0);
    const std::string whole = clavenor_test::ReadWholeFile(good);

    std::string noise(20000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 7919u + 13u) % 251u);
    WriteWholeFile(folder.Path() + "noise.avi", noise);
    // ffmpeg writes the index at the end: the first half has frames but no index.
    WriteWholeFile(folder.Path() + "truncated.mp4", whole.substr(0, whole.size() / 2));
    WriteWholeFile(folder.Path() + "empty.mp4", "");
    WriteWholeFile(folder.Path() + "text.mov", "This is not a movie.\r\nJust text.\r\n");
    std::filesystem::create_directory(folder.Path() + "folder.avi");
    ASSERT_EQ(mkfifo((folder.Path() + "pipe.avi").c_str(), 0600), 0); // must not block

    TAvMediaProbe probe;
    for (const char* name : {"noise.avi", "truncated.mp4", "empty.mp4", "text.mov", "folder.avi",
                             "pipe.avi", "missing.mp4"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(GetMediaDuration(folder.Path() + name, probe), 0);
    }
    // The probe is still good for the next file of the same call.
    EXPECT_EQ(GetMediaDuration(good, probe), 2);
}

TEST(MediaProbe, DurationIsTruncatedToWholeSecondsAndNeedsADecodableStream) {
    // The conversion from what the probe reports, with the probe scripted.
    struct Scripted : IMediaProbe {
        TProbeResult next;
        TProbeResult Probe(const std::string&) override { return next; }
    } probe;
    const struct {
        TProbeResult reported;
        std::int32_t seconds;
    } cases[] = {
        {{true, 999, TDecoderCoverage::All}, 0},
        {{true, 1000, TDecoderCoverage::All}, 1},
        {{true, 2999, TDecoderCoverage::All}, 2},
        {{true, 3725999, TDecoderCoverage::All}, 3725},
        {{true, 5000, TDecoderCoverage::Some}, 5},
        {{true, 5000, TDecoderCoverage::None}, 0},
        {{false, 5000, TDecoderCoverage::All}, 0},
        {{true, -5000, TDecoderCoverage::All}, 0},
        {{true, 100000000000000, TDecoderCoverage::All}, 2147483647},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reported.DurationMs);
        probe.next = c.reported;
        EXPECT_EQ(GetMediaDuration("any.avi", probe), c.seconds);
    }
}
