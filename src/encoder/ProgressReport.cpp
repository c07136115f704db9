#include "encoder/ProgressReport.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace clavenor {

namespace {

constexpr double kUnknownTime = 10000000000.0;

std::optional<std::int64_t> ToInteger(std::string_view text) {
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> ToDouble(std::string_view text) {
    std::string copy(text);
    char* end = nullptr;
    double value = std::strtod(copy.c_str(), &end);
    if (copy.empty() || end != copy.c_str() + copy.size())
        return std::nullopt;
    return value;
}

// "00:01:02.500000" -> 62500000; "N/A" or another shape -> unset.
std::optional<std::int64_t> ClockToMicroseconds(std::string_view text) {
    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    std::size_t first = text.find(':');
    std::size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    auto h = ToInteger(text.substr(0, first));
    auto m = ToInteger(text.substr(first + 1, second - first - 1));
    auto s = ToDouble(text.substr(second + 1));
    if (!h || !m || !s)
        return std::nullopt;
    auto us = static_cast<std::int64_t>((static_cast<double>(*h * 3600 + *m * 60) + *s) * 1e6);
    return negative ? -us : us;
}

} // namespace

std::vector<ProgressFigures> ProgressBlockReader::Feed(std::string_view bytes) {
    std::vector<ProgressFigures> done;
    for (;;) {
        std::size_t newline = bytes.find('\n');
        if (newline == std::string_view::npos)
            break;
        pendingLine_.append(bytes.substr(0, newline));
        TakeLine(pendingLine_, done);
        pendingLine_.clear();
        bytes.remove_prefix(newline + 1);
    }
    pendingLine_.append(bytes);
    return done;
}

void ProgressBlockReader::TakeLine(std::string_view line, std::vector<ProgressFigures>& done) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return;
    std::string_view key = line.substr(0, eq);
    std::string_view value = line.substr(eq + 1);
    // Fields not known yet read "N/A" and fail to convert, which leaves them at their default.
    if (key == "frame") {
        current_.frame = ToInteger(value).value_or(0);
    } else if (key.starts_with("stream_") && key.ends_with("_q")) {
        if (!qualitySeen_)
            current_.quality = ToDouble(value).value_or(0.0);
        qualitySeen_ = true;
    } else if (key == "total_size") {
        current_.totalBytes = ToInteger(value).value_or(0);
    } else if (key == "out_time_us" || key == "out_time_ms") {
        // Both are in microseconds ("ms" is a historical misnomer of ffmpeg's).
        if (auto us = ToInteger(value))
            current_.outTimeMicroseconds = *us;
    } else if (key == "out_time") {
        if (!current_.outTimeMicroseconds)
            current_.outTimeMicroseconds = ClockToMicroseconds(value);
    } else if (key == "progress") {
        current_.last = value == "end";
        done.push_back(current_);
        current_ = ProgressFigures{};
        qualitySeen_ = false;
    }
}

std::string FormatProgressLine(const ProgressFigures& figures, std::optional<double> timeSeconds,
                               bool hasVideo) {
    double time = timeSeconds.value_or(kUnknownTime);
    double kilobytes = static_cast<double>(figures.totalBytes) / 1024.0;
    double kbits = 0.0;
    if (timeSeconds && *timeSeconds > 0.0)
        kbits = static_cast<double>(figures.totalBytes) * 8.0 / 1000.0 / *timeSeconds;
    char line[256];
    if (hasVideo)
        std::snprintf(
            line, sizeof line, "frame=%5lld q=%.1f size=%8.0fkB time=%.2f bitrate=%6.1fkbits/s\r",
            static_cast<long long>(figures.frame), figures.quality, kilobytes, time, kbits);
    else
        std::snprintf(line, sizeof line, "size=%8.0fkB time=%.2f bitrate=%6.1fkbits/s\r", kilobytes,
                      time, kbits);
    return line;
}

std::string ProgressPrinter::Take(const ProgressFigures& figures, Clock::time_point now) {
    // A negative time (before the first sample) and ffmpeg's "no time yet" are both unknown.
    std::optional<double> time;
    if (figures.outTimeMicroseconds && *figures.outTimeMicroseconds >= 0)
        time = static_cast<double>(*figures.outTimeMicroseconds) / 1e6;
    if (shownTime_ && (!time || *time < *shownTime_))
        time = shownTime_;
    shownTime_ = time;
    if (lastPrint_ && now - *lastPrint_ < kInterval)
        return {};
    lastPrint_ = now;
    return FormatProgressLine(figures, time, hasVideo_);
}

} // namespace clavenor
