#include "encoder/FfmpegCommand.h"

#include <cstdio>
#include <cstdlib>

namespace clavenor {

namespace {

// Codec names of the legacy command line that today's ffmpeg spells otherwise. "mp3" and
// "aac" still name a codec, for which ffmpeg picks its encoder (libmp3lame, its own AAC).
std::string VideoEncoderName(const std::string& name, bool hasXvidEncoder) {
    if (name == "xvid" && hasXvidEncoder)
        return "libxvid";
    if (name == "xvid")
        return "mpeg4";
    return name;
}

std::string Lowercase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Whether the output container is AVI, the one where a fourcc tag "XVID" is at home (the
// MP4 and QuickTime muxers refuse it).
bool WritesAvi(const EncoderOptions& options) {
    if (options.format)
        return Lowercase(*options.format) == "avi";
    const std::string& out = options.outputPath;
    return out.size() >= 4 && Lowercase(out.substr(out.size() - 4)) == ".avi";
}

// "200" per cent -> "2": the factor of ffmpeg's volume filter.
std::string VolumeFactor(const std::string& percent) {
    double factor = std::strtod(percent.c_str(), nullptr) / 100.0;
    char text[64];
    std::snprintf(text, sizeof text, "%.10g", factor);
    return text;
}

} // namespace

bool NeedsXvidEncoderCheck(const EncoderOptions& options) {
    return options.videoCodec && *options.videoCodec == "xvid";
}

std::string AsPlainFilePath(const std::string& path) {
    if (path.empty() || path.front() == '/')
        return path;
    return "./" + path;
}

std::vector<std::string> BuildFfmpegArguments(const EncoderOptions& options,
                                              const std::optional<SourceScript>& script,
                                              bool hasXvidEncoder, int progressFd) {
    // No banner, no console statistics, errors only: what ffmpeg prints on standard error
    // is then exactly its error messages. Progress comes as key=value blocks on its own pipe,
    // twice as often as evc prints a line, so that a line is ready every half second.
    std::vector<std::string> a = {
        "-hide_banner", "-nostdin",  "-nostats",
        "-loglevel",    "error",     "-stats_period",
        "0.25",         "-progress", "pipe:" + std::to_string(progressFd)};
    // Without -y an existing output file is left alone rather than asked about.
    a.push_back(options.overwrite ? "-y" : "-n");

    // Seeking before the input is opened is fast, and ffmpeg decodes from the key frame
    // before the start and drops what lies ahead of it, so the cut is frame-accurate.
    if (options.startTime) {
        a.push_back("-ss");
        a.push_back(*options.startTime);
    }
    a.push_back("-i");
    a.push_back(AsPlainFilePath(script ? script->sourcePath : options.inputPath));

    // A target sets codecs and rates of its own; explicit options after it win.
    if (options.target) {
        a.push_back("-target");
        a.push_back(*options.target);
    }
    if (options.videoCodec) {
        a.push_back("-c:v");
        a.push_back(VideoEncoderName(*options.videoCodec, hasXvidEncoder));
        if (*options.videoCodec == "xvid" && !hasXvidEncoder && WritesAvi(options)) {
            a.push_back("-tag:v");
            a.push_back("XVID");
        }
    }
    if (options.audioCodec) {
        a.push_back("-c:a");
        a.push_back(*options.audioCodec);
    }
    if (options.noVideo)
        a.push_back("-vn");
    if (options.videoBitrateKbps) {
        a.push_back("-b:v");
        a.push_back(*options.videoBitrateKbps + "k");
    }
    if (script && !options.noVideo) {
        // The script asks for a constant frame rate before anything else is applied.
        a.push_back("-vf");
        a.push_back("fps=" + script->framesPerSecond);
    }
    if (options.frameSize) {
        a.push_back("-s");
        a.push_back(*options.frameSize);
    }
    if (options.frameRate) {
        a.push_back("-r");
        a.push_back(*options.frameRate);
    }
    if (options.aspectRatio) {
        a.push_back("-aspect");
        a.push_back(*options.aspectRatio);
    }
    if (options.audioBitrateKbps) {
        a.push_back("-b:a");
        a.push_back(*options.audioBitrateKbps + "k");
    }
    if (options.volumePercent) {
        a.push_back("-af");
        a.push_back("volume=" + VolumeFactor(*options.volumePercent));
    }
    if (options.audioChannels) {
        a.push_back("-ac");
        a.push_back(*options.audioChannels);
    }
    if (options.sampleRateHz) {
        a.push_back("-ar");
        a.push_back(*options.sampleRateHz);
    }
    if (options.durationSeconds) {
        a.push_back("-t");
        a.push_back(*options.durationSeconds);
    }
    if (options.format) {
        a.push_back("-f");
        a.push_back(*options.format);
    }
    a.push_back(AsPlainFilePath(options.outputPath));
    return a;
}

} // namespace clavenor
