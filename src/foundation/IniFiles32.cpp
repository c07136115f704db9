#include "foundation/IniFiles32.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace clavenor {

namespace {

// Blanks and control characters, as the files' trimming understands them.
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

[[noreturn]] void ThrowFileError(const char* what, const std::string& fileName, int err) {
    throw std::runtime_error(std::string(what) + " \"" + fileName + "\": " + std::strerror(err));
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == text.npos) {
            lines.emplace_back(text.substr(start)); // last line without a line end
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

// Reads a whole file. Returns false when it does not exist; throws when it exists but
// cannot be read (no permission, a folder, an I/O error).
bool ReadWholeFile(const std::string& fileName, std::string& text) {
    int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        ThrowFileError("Cannot read", fileName, errno);
    }
    char buf[16384];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            ThrowFileError("Cannot read", fileName, err);
        }
        if (n == 0)
            break;
        text.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

// The permission bits a newly created file gets from this process: 0666 less the umask.
// The umask is read from /proc, since umask() can only be read by changing it.
mode_t NewFileMode() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return 0666 & ~static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    }
    return 0644;
}

// Closes a descriptor and removes a temporary file unless released: the cleanup of every
// failed step of a crash-safe write.
class TempFile {
public:
    TempFile(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    ~TempFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!name_.empty())
            ::unlink(name_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int Fd() const { return fd_; }
    const std::string& Name() const { return name_; }
    // Closes the descriptor; returns 0 or the error number.
    int Close() {
        int result = ::close(fd_);
        fd_ = -1;
        return result == 0 || errno == EINTR ? 0 : errno;
    }
    void Keep() { name_.clear(); }

private:
    int fd_;
    std::string name_;
};

// Replaces the file with text so that a crash leaves either the old or the new file: the
// text goes to a temporary file in the same folder, is synced, and is renamed over the file.
// A symbolic link is written through, so it stays a link. On failure the file is unchanged,
// no temporary file is left, and the error names the file and the reason.
void ReplaceFile(const std::string& fileName, std::string_view text) {
    std::string target = fileName;
    struct stat st {};
    bool exists = ::lstat(fileName.c_str(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode)) {
        if (char* resolved = ::realpath(fileName.c_str(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
        exists = ::stat(target.c_str(), &st) == 0;
    }
    // A read-only file stays as it is, as it would if it were rewritten in place.
    if (exists && S_ISREG(st.st_mode) && ::access(target.c_str(), W_OK) != 0)
        ThrowFileError("Cannot write", fileName, errno);

    std::size_t slash = target.rfind('/');
    std::string folder = slash == target.npos ? std::string() : target.substr(0, slash + 1);
    std::string base = slash == target.npos ? target : target.substr(slash + 1);
    std::string pattern = folder + "." + base + ".XXXXXX";
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        ThrowFileError("Cannot write", fileName, errno);
    TempFile temp(fd, pattern);

    mode_t mode = exists && S_ISREG(st.st_mode) ? (st.st_mode & 07777) : NewFileMode();
    if (::fchmod(temp.Fd(), mode) != 0)
        ThrowFileError("Cannot write", fileName, errno);
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(temp.Fd(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ThrowFileError("Cannot write", fileName, errno);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(temp.Fd()) != 0)
        ThrowFileError("Cannot write", fileName, errno);
    if (int err = temp.Close())
        ThrowFileError("Cannot write", fileName, err);
    if (::rename(temp.Name().c_str(), target.c_str()) != 0)
        ThrowFileError("Cannot write", fileName, errno);
    temp.Keep();

    // Make the rename itself durable. The new file is in place already, so a failure here
    // is no reason to report the write as failed.
    int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

// Reads a whole 32-bit number: an optional sign and decimal digits, or "$" and hexadecimal
// digits. Returns false for anything else and for numbers outside the 32-bit signed range.
bool ParseInteger(std::string_view text, int& value) {
    bool negative = false;
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return false;
    }
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

} // namespace

TIniFile32::TIniFile32(std::string fileName) : fileName_(std::move(fileName)) {
    std::string text;
    if (ReadWholeFile(fileName_, text))
        lines_ = SplitLines(text);
}

bool TIniFile32::IsSectionLine(std::string_view line) {
    std::string_view trimmed = Trim(line);
    return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

std::string_view TIniFile32::KeyOfLine(std::string_view line) {
    std::size_t eq = line.find('=');
    return eq == line.npos ? std::string_view() : Trim(line.substr(0, eq));
}

std::string_view TIniFile32::ValueOfLine(std::string_view line, std::string_view key) {
    if (line.empty() || key.empty())
        return {};
    std::size_t eq = line.find('=');
    std::size_t at = line.find(key);
    if (eq == line.npos || at == line.npos || at >= eq)
        return {};
    return Trim(line.substr(eq + 1));
}

int TIniFile32::FindSection(std::string_view section) const {
    const std::size_t length = section.size() + 2;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        if (line.size() == length && line.front() == '[' && line.back() == ']' &&
            SameTextIgnoringCase(std::string_view(line).substr(1, section.size()), section))
            return static_cast<int>(i);
    }
    return -1;
}

void TIniFile32::ReadSections(std::vector<std::string>& sections) const {
    sections.clear();
    for (const std::string& line : lines_) {
        if (IsSectionLine(line)) {
            std::string_view trimmed = Trim(line);
            sections.emplace_back(Trim(trimmed.substr(1, trimmed.size() - 2)));
        }
    }
}

std::string TIniFile32::ReadString(std::string_view section, std::string_view key,
                                   std::string_view def) const {
    int at = FindSection(section);
    if (at < 0)
        return std::string(def);
    for (std::size_t i = static_cast<std::size_t>(at) + 1; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        if (IsSectionLine(line))
            break;
        if (KeyOfLine(line) == key) {
            std::string_view value = ValueOfLine(line, key);
            return std::string(value.empty() ? def : value);
        }
    }
    return std::string(def);
}

int TIniFile32::ReadInteger(std::string_view section, std::string_view key, int def) const {
    std::string text = ReadString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.replace(0, 2, "$");
    int value = 0;
    return ParseInteger(text, value) ? value : def;
}

void TIniFile32::WriteString(std::string_view section, std::string_view key,
                             std::string_view value) {
    // A line break would split the written line into lines of their own, and a key line that
    // reads as a section line would split the section: both would corrupt the file.
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        throw std::invalid_argument("Cannot write to \"" + fileName_ +
                                    "\": a section, key or value holds a line break");
    std::string keyLine = std::string(key) + "=" + std::string(value);
    if (!key.empty() && IsSectionLine(keyLine))
        throw std::invalid_argument("Cannot write to \"" + fileName_ + "\": the line \"" + keyLine +
                                    "\" would read as a section");

    int at = FindSection(section);
    if (at < 0) {
        lines_.emplace_back();
        lines_.push_back("[" + std::string(section) + "]");
        if (!key.empty())
            lines_.push_back(std::move(keyLine));
    } else {
        std::size_t i = static_cast<std::size_t>(at) + 1;
        while (i < lines_.size() && !IsSectionLine(lines_[i]) && KeyOfLine(lines_[i]) != key)
            ++i;
        if (!key.empty()) {
            if (i < lines_.size() && !IsSectionLine(lines_[i]))
                lines_[i] = std::move(keyLine);
            else
                lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(i), std::move(keyLine));
        }
    }
    UpdateFile();
}

void TIniFile32::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile32::EraseSection(std::string_view section) {
    int at = FindSection(section);
    if (at < 0)
        return;
    auto first = lines_.begin() + at;
    auto last = first + 1;
    while (last != lines_.end() && !IsSectionLine(*last))
        ++last;
    first = lines_.erase(first, last);
    if (at > 0)
        lines_.emplace(first);
    UpdateFile();
}

void TIniFile32::UpdateFile() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    ReplaceFile(fileName_, text);
}

} // namespace clavenor
