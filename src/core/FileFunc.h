#pragma once
// TFileFunc: file-name helpers of the output naming, and the numbering origin of the last
// output path made unique.

#include <string>
#include <string_view>
#include <vector>

namespace clavenor {

class TFileFunc {
public:
    // The file name (text after the last "/") without its last "." and what follows:
    // "/in/clip.part1.avi" -> "clip.part1"; a name without "." is taken whole.
    static std::string GetBaseName(std::string_view path);

    // The file name's text from its last "." on, dot included; "" when it has no ".".
    static std::string GetExtension(std::string_view path);

    // The text up to and including the last "/"; "" when there is none.
    static std::string GetFolder(std::string_view path);

    // folder + name for every entry of folder (ending in "/"), hidden entries, files, links
    // and special files included, plain subfolders and "." and ".." left out. An unreadable
    // or missing folder gives an empty list.
    static std::vector<std::string> ListFolderFiles(const std::string& folder);

    // A path for a new file: path itself when no entry of its folder has its base name,
    // otherwise base_1, base_2, ... with the same extension. Base names are compared without
    // regard to ASCII case, so nothing is overwritten on a file system that ignores case.
    std::string MakeUniqueFileName(const std::string& path);

    // The base name MakeUniqueFileName was last asked for.
    const std::string& NumberingOrigin() const { return numberingOrigin_; }

private:
    std::string numberingOrigin_;
};

} // namespace clavenor
