#include "encoder/SourceScript.h"

#include "encoder/EncoderOptions.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace clavenor {

namespace {

constexpr std::string_view kHead = "DirectShowSource(\"";
constexpr std::string_view kPathEnd = "\", fps=";
constexpr std::string_view kTail = ", convertfps=true)";
constexpr std::size_t kMaxScriptBytes = 64 * 1024;

ParsedScript Failure(std::string error) {
    return ParsedScript{std::nullopt, std::move(error)};
}

const char* kShape =
    "the script is not one line DirectShowSource(\"PATH\", fps=F, convertfps=true)";

} // namespace

ParsedScript ParseSourceScript(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    if (text.find_first_of("\r\n") != std::string_view::npos)
        return Failure("the script holds more than one line");
    if (text.size() < kHead.size() + kPathEnd.size() + kTail.size() || !text.starts_with(kHead) ||
        !text.ends_with(kTail))
        return Failure(kShape);
    std::string_view middle = text.substr(kHead.size(), text.size() - kHead.size() - kTail.size());
    // A Linux path may itself hold a quote; the last quote before ", fps=" closes it.
    std::size_t pathEnd = middle.rfind(kPathEnd);
    if (pathEnd == std::string_view::npos)
        return Failure(kShape);
    std::string_view path = middle.substr(0, pathEnd);
    std::string_view fps = middle.substr(pathEnd + kPathEnd.size());
    if (path.empty())
        return Failure("the script names no source file");
    if (path.find('\0') != std::string_view::npos)
        return Failure("the script's source file name holds a NUL character");
    if (!IsPositiveDecimal(fps))
        return Failure("the script's frame rate '" + std::string(fps) +
                       "' is not a positive number");
    return ParsedScript{SourceScript{std::string(path), std::string(fps)}, {}};
}

ParsedScript ReadSourceScript(const std::string& scriptPath) {
    int fd = ::open(scriptPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Failure("cannot read the script '" + scriptPath + "': " + std::strerror(errno));
    std::string text;
    char buffer[4096];
    int error = 0;
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = errno;
            break;
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > kMaxScriptBytes)
            break;
    }
    ::close(fd);
    if (error != 0)
        return Failure("cannot read the script '" + scriptPath + "': " + std::strerror(error));
    if (text.size() > kMaxScriptBytes)
        return Failure("the script '" + scriptPath + "' is too large to be a source script");
    ParsedScript parsed = ParseSourceScript(text);
    if (!parsed.script)
        parsed.error = scriptPath + ": " + parsed.error;
    return parsed;
}

} // namespace clavenor
