#pragma once
// Progress: ffmpeg's "-progress" key=value blocks in, the legacy console line out.
//
// Clavenor finds the output time by splitting a line at "=": field 4 of
//   frame=%5d q=%.1f size=%8.0fkB time=%.2f bitrate=%6.1fkbits/s
// for outputs with video, field 2 of
//   size=%8.0fkB time=%.2f bitrate=%6.1fkbits/s
// for audio-only ones. Each line ends in "\r"; a time of 10000000000.00 means "not known yet".

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clavenor {

// The figures of one progress block that the legacy line shows.
struct ProgressFigures {
    std::int64_t frame = 0;
    double quality = 0.0;        // q of the first video stream, 0 when there is none
    std::int64_t totalBytes = 0; // output size so far
    std::optional<std::int64_t> outTimeMicroseconds; // unset while ffmpeg does not know it
    bool last = false;                               // the block ffmpeg writes when it is done
};

// Splits the bytes of the progress pipe into blocks. Pieces may end anywhere.
class ProgressBlockReader {
public:
    // Returns the blocks that the new bytes complete, in order.
    std::vector<ProgressFigures> Feed(std::string_view bytes);

private:
    void TakeLine(std::string_view line, std::vector<ProgressFigures>& done);

    std::string pendingLine_;
    ProgressFigures current_;
    bool qualitySeen_ = false;
};

// The legacy line, "\r" included. timeSeconds unset: the time is not known.
std::string FormatProgressLine(const ProgressFigures& figures, std::optional<double> timeSeconds,
                               bool hasVideo);

// Turns blocks into lines: at most one line per half second, and a time that never goes
// backwards (once known, an unknown or smaller time repeats the largest one shown).
class ProgressPrinter {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kInterval{500};

    explicit ProgressPrinter(bool hasVideo) : hasVideo_(hasVideo) {}

    // The line to print for this block received at now, or "" when it is too soon.
    std::string Take(const ProgressFigures& figures, Clock::time_point now);
    bool PrintedAny() const { return lastPrint_.has_value(); }

private:
    bool hasVideo_;
    std::optional<Clock::time_point> lastPrint_;
    std::optional<double> shownTime_;
};

} // namespace clavenor
