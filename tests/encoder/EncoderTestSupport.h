#pragma once
// Helpers for the tests that run evc / revc and the system's ffmpeg on real files.

#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace clavenor::test {

// A fresh folder under /tmp, removed with its contents at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; } // ends in "/"
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

std::string EvcPath();
std::string RevcPath();
std::string FfmpegPath(); // the system's ffmpeg, from PATH
std::string FfprobePath();

struct ProcessResult {
    int exitStatus = -1; // -1 when ended by a signal
    int signal = 0;
    std::string out;
    std::string err;
};

// Starts argv[0] with the rest as arguments; env, when given, replaces the environment.
// Standard output and error go to the given files (or /dev/null when empty).
pid_t StartProgram(const std::vector<std::string>& argv, const std::string& outFile,
                   const std::string& errFile,
                   const std::optional<std::vector<std::string>>& env = std::nullopt);

// Runs a program to its end and collects what it printed.
ProcessResult RunProgram(const std::vector<std::string>& argv,
                         const std::optional<std::vector<std::string>>& env = std::nullopt);

std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

// Makes a clip of the given seconds: a test picture of the given size at 25 frames per
// second and a 440 Hz tone at 44100 Hz, encoded with the given ffmpeg output options.
void MakeClip(const std::string& path, double seconds, const std::string& size,
              const std::vector<std::string>& codecOptions);

struct StreamFacts {
    std::string type; // "video" or "audio"
    std::string codec;
    int width = 0;
    int height = 0;
    double frameRate = 0.0; // average frames per second
    int channels = 0;
    int sampleRate = 0;
    long long bitRate = 0; // bit/s, 0 when the file does not say
};

struct MediaFacts {
    std::string formatName;
    std::string majorBrand;
    std::vector<StreamFacts> streams;
    double length = 0.0; // end of the last packet, seconds

    const StreamFacts* First(const std::string& type) const;
    int Count(const std::string& type) const;
};

MediaFacts Probe(const std::string& path);

// Mean loudness of the file's audio, in dB below full scale (negative).
double MeanVolumeDb(const std::string& path);

// The whole seconds that Clavenor's progress window reads from evc's standard output:
// every piece between carriage returns split at "=", field 4 (video) or 2 (audio only),
// the text before its ".". Pieces that yield no number and "not known yet" are skipped.
std::vector<long long> ProgressSeconds(const std::string& output, bool video);

// Processes whose parent is pid (from /proc).
std::vector<pid_t> ChildrenOf(pid_t pid);

} // namespace clavenor::test
