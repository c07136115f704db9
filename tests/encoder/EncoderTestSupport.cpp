#include "EncoderTestSupport.h"

#include "encoder/FfmpegLocator.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace clavenor::test {

TempFolder::TempFolder() {
    char pattern[] = "/tmp/clavenor-encoder-XXXXXX";
    if (!::mkdtemp(pattern))
        throw std::runtime_error("mkdtemp failed");
    path_ = std::string(pattern) + "/";
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string EvcPath() {
    return std::string(CLAVENOR_PROGRAM_DIR) + "evc";
}
std::string RevcPath() {
    return std::string(CLAVENOR_PROGRAM_DIR) + "revc";
}

std::string FfmpegPath() {
    auto found = FindFfmpeg("", std::getenv("PATH"));
    if (!found)
        throw std::runtime_error("the tests need ffmpeg on PATH");
    return *found;
}

std::string FfprobePath() {
    std::string ffmpeg = FfmpegPath();
    return ffmpeg.substr(0, ffmpeg.rfind('/') + 1) + "ffprobe";
}

pid_t StartProgram(const std::vector<std::string>& argv, const std::string& outFile,
                   const std::string& errFile, const std::optional<std::vector<std::string>>& env) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.empty() ? "/dev/null" : outFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.empty() ? "/dev/null" : errFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> args = argv;
    std::vector<char*> cargs;
    for (std::string& a : args)
        cargs.push_back(a.data());
    cargs.push_back(nullptr);
    std::vector<std::string> envCopy = env.value_or(std::vector<std::string>{});
    std::vector<char*> cenv;
    for (std::string& e : envCopy)
        cenv.push_back(e.data());
    cenv.push_back(nullptr);
    pid_t pid = -1;
    int rc = ::posix_spawn(&pid, args[0].c_str(), &actions, nullptr, cargs.data(),
                           env ? cenv.data() : environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(rc));
    return pid;
}

ProcessResult RunProgram(const std::vector<std::string>& argv,
                         const std::optional<std::vector<std::string>>& env) {
    TempFolder capture;
    pid_t pid = StartProgram(argv, capture / "out", capture / "err", env);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    ProcessResult result;
    if (WIFEXITED(status))
        result.exitStatus = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    result.out = ReadFile(capture / "out");
    result.err = ReadFile(capture / "err");
    return result;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

void MakeClip(const std::string& path, double seconds, const std::string& size,
              const std::vector<std::string>& codecOptions) {
    std::string length = std::to_string(seconds);
    std::vector<std::string> argv = {
        FfmpegPath(), "-hide_banner",
        "-nostdin",   "-loglevel",
        "error",      "-y",
        "-f",         "lavfi",
        "-i",         "testsrc=size=" + size + ":rate=25:duration=" + length,
        "-f",         "lavfi",
        "-i",         "sine=frequency=440:sample_rate=44100:duration=" + length};
    argv.insert(argv.end(), codecOptions.begin(), codecOptions.end());
    argv.push_back(path);
    ProcessResult made = RunProgram(argv);
    if (made.exitStatus != 0)
        throw std::runtime_error("cannot make " + path + ": " + made.err);
}

const StreamFacts* MediaFacts::First(const std::string& type) const {
    for (const StreamFacts& s : streams)
        if (s.type == type)
            return &s;
    return nullptr;
}

int MediaFacts::Count(const std::string& type) const {
    int n = 0;
    for (const StreamFacts& s : streams)
        n += s.type == type ? 1 : 0;
    return n;
}

namespace {

std::string Unquote(std::string value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

double Ratio(const std::string& text) {
    std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        return std::atof(text.c_str());
    double den = std::atof(text.c_str() + slash + 1);
    return den == 0.0 ? 0.0 : std::atof(text.substr(0, slash).c_str()) / den;
}

} // namespace

MediaFacts Probe(const std::string& path) {
    ProcessResult probed = RunProgram(
        {FfprobePath(), "-v", "error", "-show_entries",
         "stream=codec_type,codec_name,width,height,avg_frame_rate,channels,sample_rate,bit_rate:"
         "format=format_name:format_tags=major_brand",
         "-of", "flat", path});
    if (probed.exitStatus != 0)
        throw std::runtime_error("ffprobe " + path + ": " + probed.err);
    MediaFacts facts;
    std::istringstream lines(probed.out);
    std::string line;
    while (std::getline(lines, line)) {
        std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = line.substr(0, eq);
        std::string value = Unquote(line.substr(eq + 1));
        if (key == "format.format_name") {
            facts.formatName = value;
        } else if (key == "format.tags.major_brand") {
            facts.majorBrand = value;
        } else if (key.starts_with("streams.stream.")) {
            std::size_t index = std::stoul(key.substr(15));
            std::string field = key.substr(key.find('.', 15) + 1);
            if (facts.streams.size() <= index)
                facts.streams.resize(index + 1);
            StreamFacts& s = facts.streams[index];
            if (field == "codec_type")
                s.type = value;
            else if (field == "codec_name")
                s.codec = value;
            else if (field == "width")
                s.width = std::atoi(value.c_str());
            else if (field == "height")
                s.height = std::atoi(value.c_str());
            else if (field == "avg_frame_rate")
                s.frameRate = Ratio(value);
            else if (field == "channels")
                s.channels = std::atoi(value.c_str());
            else if (field == "sample_rate")
                s.sampleRate = std::atoi(value.c_str());
            else if (field == "bit_rate")
                s.bitRate = std::atoll(value.c_str());
        }
    }
    // The length as a player sees it: where the last packet ends. (Raw AAC carries no
    // duration of its own; ffprobe would estimate one from the bitrate.)
    ProcessResult packets = RunProgram({FfprobePath(), "-v", "error", "-show_entries",
                                        "packet=pts_time,duration_time", "-of", "csv=p=0", path});
    std::istringstream rows(packets.out);
    while (std::getline(rows, line)) {
        std::size_t comma = line.find(',');
        if (comma == std::string::npos)
            continue;
        double end = std::atof(line.c_str()) + std::atof(line.c_str() + comma + 1);
        facts.length = std::max(facts.length, end);
    }
    return facts;
}

double MeanVolumeDb(const std::string& path) {
    ProcessResult measured = RunProgram({FfmpegPath(), "-hide_banner", "-nostdin", "-nostats", "-i",
                                         path, "-vn", "-af", "volumedetect", "-f", "null", "-"});
    std::size_t at = measured.err.find("mean_volume: ");
    if (at == std::string::npos)
        throw std::runtime_error("no loudness for " + path + ": " + measured.err);
    return std::atof(measured.err.c_str() + at + 13);
}

std::vector<long long> ProgressSeconds(const std::string& output, bool video) {
    std::vector<long long> seconds;
    std::size_t fieldIndex = video ? 4 : 2;
    std::istringstream pieces(output);
    std::string piece;
    while (std::getline(pieces, piece, '\r')) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (;;) {
            std::size_t eq = piece.find('=', start);
            fields.push_back(piece.substr(start, eq - start));
            if (eq == std::string::npos)
                break;
            start = eq + 1;
        }
        if (fields.size() <= fieldIndex || fields.size() < (video ? 5u : 4u))
            continue;
        std::string whole = fields[fieldIndex].substr(0, fields[fieldIndex].find('.'));
        if (whole.empty() || whole == "10000000000")
            continue;
        seconds.push_back(std::stoll(whole));
    }
    return seconds;
}

std::vector<pid_t> ChildrenOf(pid_t pid) {
    std::vector<pid_t> children;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return children;
    while (dirent* entry = ::readdir(proc)) {
        char* end = nullptr;
        long candidate = std::strtol(entry->d_name, &end, 10);
        if (*end != '\0' || candidate <= 0)
            continue;
        std::string stat = ReadFile("/proc/" + std::string(entry->d_name) + "/stat");
        // "pid (comm) state ppid ...": comm may hold blanks and parentheses.
        std::size_t close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(stat.substr(close + 1));
        std::string state;
        long ppid = 0;
        if (rest >> state >> ppid && ppid == pid)
            children.push_back(static_cast<pid_t>(candidate));
    }
    ::closedir(proc);
    return children;
}

} // namespace clavenor::test
