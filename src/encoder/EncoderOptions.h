#pragma once
// The legacy encoder command line that Clavenor writes for evc and revc, parsed and checked.
// Values keep the text they were given; FfmpegCommand translates them into today's ffmpeg
// options, whose meaning differs for the same letters (kbit/s, volume per cent, codec names).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clavenor {

// evc converts a media file; revc converts the file named in a one-line source script.
enum class EncoderRole { Evc, Revc };

// The role follows the name the program was started under (the base name of argv[0]).
EncoderRole RoleFromProgramName(std::string_view argv0);
// "evc" or "revc": the prefix of every message the program writes itself.
std::string RoleName(EncoderRole role);

struct EncoderOptions {
    bool overwrite = false;                      // -y
    std::string inputPath;                       // -i (revc: the script)
    std::optional<std::string> videoCodec;       // -vcodec NAME
    std::optional<std::string> audioCodec;       // -acodec NAME
    bool noVideo = false;                        // -vn
    std::optional<std::string> videoBitrateKbps; // -b, kbit/s
    std::optional<std::string> frameSize;        // -s WxH
    std::optional<std::string> frameRate;        // -r, frames per second
    std::optional<std::string> aspectRatio;      // -aspect, "4:3" or a decimal
    std::optional<std::string> audioBitrateKbps; // -ab, kbit/s
    std::optional<std::string> volumePercent;    // -vol, 100 = the source's loudness
    std::optional<std::string> audioChannels;    // -ac
    std::optional<std::string> sampleRateHz;     // -ar
    std::optional<std::string> format;           // -f, container name
    std::optional<std::string> target;           // -target NAME
    std::optional<std::string> startTime;        // -ss hh:mm:ss, seeks the input
    std::optional<std::string> durationSeconds;  // -t, bounds the output's length
    std::string outputPath;                      // the last argument
};

struct ParsedArguments {
    std::optional<EncoderOptions> options;
    std::string error; // what is wrong, without the program name; empty when options is set
};

// args: the arguments after the program name. Every option at most once, each value checked
// for its form, the output path last.
ParsedArguments ParseEncoderArguments(const std::vector<std::string>& args);

// Forms shared with the script reader.
bool IsPositiveDecimal(std::string_view text);    // "15", "14.985"; not "0", "-1", "1e3"
bool IsNonNegativeDecimal(std::string_view text); // "0", "200", "2.5"

} // namespace clavenor
