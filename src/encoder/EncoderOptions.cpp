#include "encoder/EncoderOptions.h"

#include <algorithm>
#include <cctype>

namespace clavenor {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text, std::size_t maxLength) {
    return !text.empty() && text.size() <= maxLength &&
           std::all_of(text.begin(), text.end(), IsDigit);
}

bool IsPositiveInteger(std::string_view text, std::size_t maxDigits) {
    return AllDigits(text, maxDigits) && text.find_first_not_of('0') != std::string_view::npos;
}

// Digits, optionally "." and digits. The lengths are bounded so that every accepted value
// converts to a double without overflow and means something to ffmpeg.
bool IsDecimal(std::string_view text) {
    std::size_t dot = text.find('.');
    if (dot == std::string_view::npos)
        return AllDigits(text, 9);
    return AllDigits(text.substr(0, dot), 9) && AllDigits(text.substr(dot + 1), 15);
}

bool IsCount(std::string_view text) {
    return IsPositiveInteger(text, 3);
}
bool IsRate(std::string_view text) {
    return IsPositiveInteger(text, 6);
}

bool IsFrameSize(std::string_view text) {
    std::size_t x = text.find('x');
    return x != std::string_view::npos && IsPositiveInteger(text.substr(0, x), 5) &&
           IsPositiveInteger(text.substr(x + 1), 5);
}

bool IsAspectRatio(std::string_view text) {
    std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return IsPositiveDecimal(text);
    return IsPositiveInteger(text.substr(0, colon), 5) &&
           IsPositiveInteger(text.substr(colon + 1), 5);
}

// Codec, container and target names: what ffmpeg's own names are made of.
bool IsName(std::string_view text) {
    if (text.empty() || text.size() > 64 || text.front() == '-')
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
    });
}

bool IsBelowSixty(std::string_view twoDigits) {
    return AllDigits(twoDigits, 2) && std::stoi(std::string(twoDigits)) < 60;
}

// hh:mm:ss as the time texts of the source list hold it; a fraction of a second is allowed.
bool IsStartTime(std::string_view text) {
    std::size_t first = text.find(':');
    if (first == std::string_view::npos)
        return false;
    std::size_t second = text.find(':', first + 1);
    if (second == std::string_view::npos)
        return false;
    std::string_view hours = text.substr(0, first);
    std::string_view minutes = text.substr(first + 1, second - first - 1);
    std::string_view seconds = text.substr(second + 1);
    std::size_t dot = seconds.find('.');
    if (dot != std::string_view::npos) {
        if (!AllDigits(seconds.substr(dot + 1), 9))
            return false;
        seconds = seconds.substr(0, dot);
    }
    return AllDigits(hours, 6) && IsBelowSixty(minutes) && IsBelowSixty(seconds);
}

bool IsInputPath(std::string_view text) {
    return !text.empty();
}

struct ValueOption {
    std::string_view name;
    std::optional<std::string> EncoderOptions::*member;
    bool (*check)(std::string_view);
    std::string_view expected; // completes "-x needs ..."
};

const ValueOption kValueOptions[] = {
    {"-vcodec", &EncoderOptions::videoCodec, IsName, "a codec name"},
    {"-acodec", &EncoderOptions::audioCodec, IsName, "a codec name"},
    {"-b", &EncoderOptions::videoBitrateKbps, IsPositiveDecimal,
     "a video bitrate in kbit/s (a positive number)"},
    {"-s", &EncoderOptions::frameSize, IsFrameSize, "a frame size as WIDTHxHEIGHT"},
    {"-r", &EncoderOptions::frameRate, IsPositiveDecimal,
     "a frame rate in frames per second (a positive number)"},
    {"-aspect", &EncoderOptions::aspectRatio, IsAspectRatio,
     "an aspect ratio such as 4:3 or 1.333"},
    {"-ab", &EncoderOptions::audioBitrateKbps, IsPositiveDecimal,
     "an audio bitrate in kbit/s (a positive number)"},
    {"-vol", &EncoderOptions::volumePercent, IsNonNegativeDecimal,
     "a volume in per cent (a number, 100 keeps the loudness)"},
    {"-ac", &EncoderOptions::audioChannels, IsCount, "a number of audio channels"},
    {"-ar", &EncoderOptions::sampleRateHz, IsRate, "a sample rate in Hz"},
    {"-f", &EncoderOptions::format, IsName, "a container format name"},
    {"-target", &EncoderOptions::target, IsName, "a target name"},
    {"-ss", &EncoderOptions::startTime, IsStartTime, "a start time as hh:mm:ss"},
    {"-t", &EncoderOptions::durationSeconds, IsNonNegativeDecimal,
     "a duration in seconds (a number that is not negative)"},
};

const ValueOption* FindValueOption(std::string_view name) {
    for (const ValueOption& option : kValueOptions)
        if (option.name == name)
            return &option;
    return nullptr;
}

ParsedArguments Failure(std::string error) {
    return ParsedArguments{std::nullopt, std::move(error)};
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

} // namespace

bool IsPositiveDecimal(std::string_view text) {
    return IsDecimal(text) && text.find_first_not_of("0.") != std::string_view::npos;
}

bool IsNonNegativeDecimal(std::string_view text) {
    return IsDecimal(text);
}

EncoderRole RoleFromProgramName(std::string_view argv0) {
    std::size_t slash = argv0.rfind('/');
    std::string_view base = slash == std::string_view::npos ? argv0 : argv0.substr(slash + 1);
    return base == "revc" ? EncoderRole::Revc : EncoderRole::Evc;
}

std::string RoleName(EncoderRole role) {
    return role == EncoderRole::Revc ? "revc" : "evc";
}

ParsedArguments ParseEncoderArguments(const std::vector<std::string>& args) {
    EncoderOptions options;
    bool inputSeen = false;
    bool outputSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool last = i + 1 == args.size();
        if (arg.size() < 2 || arg.front() != '-') {
            // Not an option: only the last argument may be a plain word, the output path.
            if (!last)
                return Failure("unexpected argument " + Quoted(arg) +
                               " (the output file comes last)");
            if (arg.empty())
                return Failure("the output file name is empty");
            options.outputPath = arg;
            outputSeen = true;
            continue;
        }
        if (arg == "-y" || arg == "-vn") {
            bool& flag = arg == "-y" ? options.overwrite : options.noVideo;
            if (flag)
                return Failure("option " + arg + " is given twice");
            flag = true;
            continue;
        }
        if (arg == "-i") {
            if (last)
                return Failure("option -i needs a value");
            if (inputSeen)
                return Failure("option -i is given twice");
            const std::string& value = args[++i];
            if (!IsInputPath(value))
                return Failure("option -i needs an input file name");
            options.inputPath = value;
            inputSeen = true;
            continue;
        }
        const ValueOption* option = FindValueOption(arg);
        if (!option)
            return Failure("unknown option " + Quoted(arg));
        if (last)
            return Failure("option " + arg + " needs a value");
        if ((options.*(option->member)).has_value())
            return Failure("option " + arg + " is given twice");
        const std::string& value = args[++i];
        if (!option->check(value))
            return Failure("option " + arg + " needs " + std::string(option->expected) + ", not " +
                           Quoted(value));
        options.*(option->member) = value;
    }
    if (!inputSeen)
        return Failure("no input file given (-i)");
    if (!outputSeen)
        return Failure("no output file given (it comes last)");
    return ParsedArguments{std::move(options), {}};
}

} // namespace clavenor
