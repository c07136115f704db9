#pragma once
// The source list's operations: the only way files become rows (AddSourceFiles, with its
// duplicate, extension, duration and size tests), choosing files, and removing rows.

#include "sources/MediaProbe.h"
#include "sources/SourceFileList.h"
#include "sources/SourceFilePorts.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace clavenor {

class IEventPump; // engine/JobPorts.h

// The extensions a source file may have, in lower case with the ".".
const std::vector<std::string>& cstSourceExtensions();

// The extension of path: from the last "." of its file name (the text after the last "/") to
// the end, "." included, in ASCII lower case; empty when the file name has no ".".
std::string SourceExtensionOf(std::string_view path);
bool IsAcceptedSourceExtension(std::string_view path);

// paths without repeated texts (exact comparison); first occurrences keep their order.
std::vector<std::string> RemoveDuplicateNames(const std::vector<std::string>& paths);

// The byte count of the file at path. Throws std::runtime_error naming the file when it
// cannot be opened for reading.
std::int64_t GetSourceFileSize(const std::string& path);

// Whole seconds of the media at path, truncated (2999 ms gives 2); 0 when the probe cannot
// open it, no audio or video stream of it can be decoded, or the probe reports no duration.
std::int32_t GetMediaDuration(const std::string& path, IMediaProbe& probe);

// Runs the dialog in initialDir; the chosen paths in the dialog's order, duplicates removed
// when removeDuplicates is set; empty when the user cancels.
std::vector<std::string> SelectSourceFiles(IOpenDialog& dialog, bool removeDuplicates,
                                           const std::string& initialDir);

class TSourceListOps {
public:
    TSourceListOps(IMediaProbeFactory& probes, IErrorInfo& errorInfo, ITrimSync& trim,
                   IEventPump& events)
        : probes_(probes), errorInfo_(errorInfo), trim_(trim), events_(events) {}

    // Appends a row for every path that is not yet in the list, has an accepted extension,
    // names a file (folders are skipped) and holds at least one second of readable media; a
    // file that fails the duration test brings up the "Error Info" dialog. Then selects the
    // first row, if any, and syncs the trim bar. One probe serves the whole call.
    // Throws (std::runtime_error naming the file) when a file's size cannot be read; rows
    // appended before that file stay.
    void AddSourceFiles(TSourceFileList& list, const std::vector<std::string>& paths);

    // Deletes the selected rows. When the focused row had a row directly above it that
    // survives, that row becomes focused and selected.
    void RemoveSelectedRows(TSourceFileList& list);

    // Deletes every row; false when deleting raised an error.
    bool ClearSourceList(TSourceFileList& list);

private:
    IMediaProbeFactory& probes_;
    IErrorInfo& errorInfo_;
    ITrimSync& trim_;
    IEventPump& events_;
};

} // namespace clavenor
