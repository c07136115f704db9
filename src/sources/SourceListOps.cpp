#include "sources/SourceListOps.h"

#include "engine/JobPorts.h"
#include "foundation/TextHelpers.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace clavenor {

namespace {

constexpr const char* kNoTime = "00:00:00";

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Closes the descriptor on every way out.
class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : fd_(fd) {}
    ~TFileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

// Keeps the grid's redrawing suspended while rows are deleted, also when a deletion throws.
class TUpdateGuard {
public:
    explicit TUpdateGuard(TSourceFileList& list) : list_(list) { list_.BeginUpdate(); }
    ~TUpdateGuard() { list_.EndUpdate(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
    TSourceFileList& list_;
};

} // namespace

const std::vector<std::string>& cstSourceExtensions() {
    static const std::vector<std::string> extensions = {".3gp",  ".3g2", ".avi", ".m4v", ".mp4",
                                                        ".mpeg", ".mpg", ".asf", ".mov", ".wmv",
                                                        ".vob",  ".flv", ".swf", ".rm",  ".rmvb"};
    return extensions;
}

std::string SourceExtensionOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    std::string extension(name.substr(dot));
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return extension;
}

bool IsAcceptedSourceExtension(std::string_view path) {
    const std::string extension = SourceExtensionOf(path);
    for (const std::string& accepted : cstSourceExtensions())
        if (extension == accepted)
            return true;
    return false;
}

std::vector<std::string> RemoveDuplicateNames(const std::vector<std::string>& paths) {
    std::vector<std::string> unique;
    for (const std::string& path : paths) {
        bool seen = false;
        for (const std::string& kept : unique)
            if (kept == path) {
                seen = true;
                break;
            }
        if (!seen)
            unique.push_back(path);
    }
    return unique;
}

std::int64_t GetSourceFileSize(const std::string& path) {
    // Non-blocking, so that a path that has become a FIFO cannot hang the caller.
    TFileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0)
        throw std::runtime_error("Cannot read the size of the file \"" + path +
                                 "\": " + std::strerror(errno));
    return static_cast<std::int64_t>(info.st_size);
}

std::int32_t GetMediaDuration(const std::string& path, IMediaProbe& probe) {
    try {
        const TProbeResult result = probe.Probe(path);
        if (!result.Opened || result.Coverage == TDecoderCoverage::None || result.DurationMs <= 0)
            return 0;
        const std::int64_t seconds = result.DurationMs / 1000;
        return seconds > std::numeric_limits<std::int32_t>::max()
                   ? std::numeric_limits<std::int32_t>::max()
                   : static_cast<std::int32_t>(seconds);
    } catch (...) {
        return 0;
    }
}

std::vector<std::string> SelectSourceFiles(IOpenDialog& dialog, bool removeDuplicates,
                                           const std::string& initialDir) {
    dialog.SetInitialDir(initialDir);
    std::vector<std::string> chosen;
    if (!dialog.Execute(chosen))
        return {};
    if (removeDuplicates)
        return RemoveDuplicateNames(chosen);
    return chosen;
}

void TSourceListOps::AddSourceFiles(TSourceFileList& list, const std::vector<std::string>& paths) {
    const std::unique_ptr<IMediaProbe> probe = probes_.CreateProbe();
    for (const std::string& path : paths) {
        if (list.ContainsName(path))
            continue;
        if (!IsAcceptedSourceExtension(path) || IsFolder(path))
            continue;
        const std::int32_t seconds = GetMediaDuration(path, *probe);
        const std::string duration = TimeToText(seconds);
        if (duration == kNoTime) {
            errorInfo_.ShowErrorInfo();
            continue;
        }
        TSourceFileRow row;
        row.CheckStatus = "True";
        row.SourceFileName = path;
        row.SourceFileSize = SizeToText(GetSourceFileSize(path));
        row.SourceFileDuration = duration;
        row.SourceFileStartTime = kNoTime;
        row.SourceFileEndTime = duration;
        row.ConvertDuration = duration;
        list.Append(std::move(row));
    }
    if (!list.Empty()) {
        list.SetSelected(0, true);
        trim_.SyncSelectedRow();
    }
}

void TSourceListOps::RemoveSelectedRows(TSourceFileList& list) {
    if (!list.AnySelected())
        return;
    // The row above the focused one takes over the focus afterwards, unless it goes too.
    // Rows are known by their paths, which are unique, because indexes shift as rows go.
    std::optional<std::string> keep;
    if (const auto focused = list.Focused(); focused && *focused > 0)
        keep = list.Row(*focused - 1).SourceFileName;

    TUpdateGuard update(list);
    events_.ProcessPendingEvents();
    while (list.AnySelected()) {
        events_.ProcessPendingEvents();
        // Events let through above may have changed the list; look again.
        const auto index = list.FirstSelected();
        if (!index)
            break;
        if (keep && list.Row(*index).SourceFileName == *keep)
            keep.reset();
        list.Delete(*index);
    }
    if (keep)
        if (const auto index = list.IndexOf(*keep)) {
            list.SetFocused(*index);
            list.SetSelected(*index, true);
        }
}

bool TSourceListOps::ClearSourceList(TSourceFileList& list) {
    try {
        list.Clear();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace clavenor
