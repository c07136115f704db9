#pragma once
// One row of the source list: seven texts in column order. The path identifies the row;
// the list never holds two rows with equal paths.

#include <string>

namespace clavenor {

struct TSourceFileRow {
    std::string CheckStatus;         // "True" or "False"
    std::string SourceFileName;      // full path
    std::string SourceFileSize;      // size text, e.g. "1.5 MB"
    std::string SourceFileDuration;  // time text hh:mm:ss
    std::string SourceFileStartTime; // time text
    std::string SourceFileEndTime;   // time text
    std::string ConvertDuration;     // time text

    bool IsChecked() const { return CheckStatus == "True"; }
};

} // namespace clavenor
