#include "encoder/ProgressReport.h"

#include "EncoderTestSupport.h"

#include <gtest/gtest.h>

using namespace clavenor;
using namespace std::chrono_literals;

namespace {

// Two blocks as ffmpeg 5.1 writes them for an MP4 output.
const std::string kVideoBlocks = "frame=1\nfps=0.00\nstream_0_0_q=4.6\nbitrate=5415.4kbits/s\n"
                                 "total_size=44\nout_time_us=65\nout_time_ms=65\n"
                                 "out_time=00:00:00.000065\ndup_frames=0\ndrop_frames=0\n"
                                 "speed=0.0117x\nprogress=continue\n"
                                 "frame=30\nfps=0.00\nstream_0_0_q=2.0\nstream_0_1_q=-1.0\n"
                                 "bitrate= 398.7kbits/s\ntotal_size=100665\n"
                                 "out_time_us=2020023\nout_time_ms=2020023\n"
                                 "out_time=00:00:02.020023\ndup_frames=0\ndrop_frames=17\n"
                                 "speed=  21x\nprogress=end\n";

} // namespace

TEST(ProgressReport, BlocksAreReadWhereverThePiecesEnd) {
    for (std::size_t cut = 0; cut <= kVideoBlocks.size(); ++cut) {
        ProgressBlockReader reader;
        auto blocks = reader.Feed(std::string_view(kVideoBlocks).substr(0, cut));
        auto rest = reader.Feed(std::string_view(kVideoBlocks).substr(cut));
        blocks.insert(blocks.end(), rest.begin(), rest.end());
        ASSERT_EQ(blocks.size(), 2u) << "cut at " << cut;
        EXPECT_EQ(blocks[0].frame, 1);
        EXPECT_DOUBLE_EQ(blocks[0].quality, 4.6);
        EXPECT_EQ(blocks[0].outTimeMicroseconds, 65);
        EXPECT_FALSE(blocks[0].last);
        EXPECT_EQ(blocks[1].frame, 30);
        EXPECT_DOUBLE_EQ(blocks[1].quality, 2.0); // the first stream's q
        EXPECT_EQ(blocks[1].totalBytes, 100665);
        EXPECT_EQ(blocks[1].outTimeMicroseconds, 2020023);
        EXPECT_TRUE(blocks[1].last);
    }
}

TEST(ProgressReport, UnknownFiguresStayUnknown) {
    ProgressBlockReader reader;
    auto blocks = reader.Feed("bitrate=N/A\ntotal_size=N/A\nout_time_us=N/A\nout_time_ms=N/A\n"
                              "out_time=N/A\nprogress=continue\n"
                              // out_time_ms holds microseconds too
                              "out_time_ms=1500000\nprogress=continue\n"
                              // an ffmpeg that writes only the clock form
                              "out_time=-00:00:00.023220\nprogress=continue\n"
                              "out_time=01:02:03.500000\nprogress=end\n");
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_FALSE(blocks[0].outTimeMicroseconds);
    EXPECT_EQ(blocks[0].totalBytes, 0);
    EXPECT_EQ(blocks[1].outTimeMicroseconds, 1500000);
    EXPECT_EQ(blocks[2].outTimeMicroseconds, -23220);
    EXPECT_EQ(blocks[3].outTimeMicroseconds, 3723500000);
}

TEST(ProgressReport, LinesHaveTheLegacyShapeAndTimeField) {
    ProgressFigures f;
    f.frame = 30;
    f.quality = 2.0;
    f.totalBytes = 100665;
    EXPECT_EQ(FormatProgressLine(f, 2.020023, true),
              "frame=   30 q=2.0 size=      98kB time=2.02 bitrate= 398.7kbits/s\r");
    EXPECT_EQ(FormatProgressLine(f, 2.020023, false),
              "size=      98kB time=2.02 bitrate= 398.7kbits/s\r");
    EXPECT_EQ(FormatProgressLine(f, std::nullopt, true),
              "frame=   30 q=2.0 size=      98kB time=10000000000.00 bitrate=   0.0kbits/s\r");
    EXPECT_EQ(FormatProgressLine(ProgressFigures{}, std::nullopt, false),
              "size=       0kB time=10000000000.00 bitrate=   0.0kbits/s\r");

    // Clavenor's reading: whole seconds in field 4 (video) or field 2 (audio only).
    for (double t : {0.0, 0.5, 59.99, 3599.5, 123456.78}) {
        for (bool video : {true, false}) {
            auto seconds = test::ProgressSeconds(FormatProgressLine(f, t, video), video);
            ASSERT_EQ(seconds.size(), 1u) << t;
            EXPECT_EQ(seconds[0], static_cast<long long>(t + 0.005)) << t;
        }
    }
    EXPECT_TRUE(test::ProgressSeconds(FormatProgressLine(f, std::nullopt, true), true).empty());
}

TEST(ProgressReport, AtMostOneLineEveryHalfSecondWithATimeThatNeverGoesBack) {
    ProgressPrinter printer(false);
    ProgressPrinter::Clock::time_point t0{};
    auto at = [](std::optional<std::int64_t> us) {
        ProgressFigures f;
        f.outTimeMicroseconds = us;
        return f;
    };
    EXPECT_FALSE(printer.PrintedAny());
    EXPECT_EQ(printer.Take(at(std::nullopt), t0),
              "size=       0kB time=10000000000.00 bitrate=   0.0kbits/s\r");
    EXPECT_TRUE(printer.PrintedAny());
    EXPECT_EQ(printer.Take(at(1'000'000), t0 + 250ms), ""); // too soon
    EXPECT_EQ(printer.Take(at(-20'000), t0 + 499ms), "");   // too soon
    EXPECT_EQ(printer.Take(at(2'000'000), t0 + 500ms),
              "size=       0kB time=2.00 bitrate=   0.0kbits/s\r");
    // ffmpeg's time may dip (another stream lags) or be lost: the largest one stays shown
    EXPECT_EQ(printer.Take(at(1'500'000), t0 + 1000ms),
              "size=       0kB time=2.00 bitrate=   0.0kbits/s\r");
    EXPECT_EQ(printer.Take(at(std::nullopt), t0 + 1500ms),
              "size=       0kB time=2.00 bitrate=   0.0kbits/s\r");
    // a larger time seen while too soon is not lost
    EXPECT_EQ(printer.Take(at(3'000'000), t0 + 1600ms), "");
    EXPECT_EQ(printer.Take(at(2'900'000), t0 + 2000ms),
              "size=       0kB time=3.00 bitrate=   0.0kbits/s\r");
}
