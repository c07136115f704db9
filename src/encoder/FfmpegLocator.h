#pragma once
// Where the ffmpeg that does the media work is: beside the program first (a program folder
// may carry its own), then along PATH.

#include <optional>
#include <string>

namespace clavenor {

// programFolder ends in "/" (or is empty: no folder to look in). pathVariable is the value
// of PATH, or nullptr when it is unset (then the system's default /usr/local/bin:/usr/bin:/bin).
// Empty and relative PATH entries are skipped, so the current folder never decides.
std::optional<std::string> FindFfmpeg(const std::string& programFolder, const char* pathVariable);

// True for a regular file that this process may execute.
bool IsExecutableFile(const std::string& path);

} // namespace clavenor
