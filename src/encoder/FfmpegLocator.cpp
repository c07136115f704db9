#include "encoder/FfmpegLocator.h"

#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace clavenor {

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> FindFfmpeg(const std::string& programFolder, const char* pathVariable) {
    if (!programFolder.empty() && IsExecutableFile(programFolder + "ffmpeg"))
        return programFolder + "ffmpeg";
    std::string_view path = pathVariable ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
    while (!path.empty()) {
        std::size_t colon = path.find(':');
        std::string_view entry = path.substr(0, colon);
        path = colon == std::string_view::npos ? std::string_view{} : path.substr(colon + 1);
        if (entry.empty() || entry.front() != '/')
            continue;
        std::string candidate(entry);
        if (candidate.back() != '/')
            candidate += '/';
        candidate += "ffmpeg";
        if (IsExecutableFile(candidate))
            return candidate;
    }
    return std::nullopt;
}

} // namespace clavenor
