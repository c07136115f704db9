#include "core/FileFunc.h"

#include "foundation/IntegerText.h"
#include "foundation/TextHelpers.h"

#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unordered_set>

namespace clavenor {

namespace {

std::string_view FileNameOf(std::string_view path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool IsPlainFolder(const std::string& folder, const dirent& entry) {
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type == DT_DIR;
    // Some file systems do not report the type in the listing.
    struct stat st {};
    std::string path = folder + entry.d_name;
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string TFileFunc::GetBaseName(std::string_view path) {
    std::string_view name = FileNameOf(path);
    std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string TFileFunc::GetExtension(std::string_view path) {
    std::string_view name = FileNameOf(path);
    std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string TFileFunc::GetFolder(std::string_view path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::vector<std::string> TFileFunc::ListFolderFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir)
        return files;
    while (const dirent* entry = readdir(dir.get())) {
        if (!IsPlainFolder(folder, *entry))
            files.push_back(folder + entry->d_name);
    }
    return files;
}

std::string TFileFunc::MakeUniqueFileName(const std::string& path) {
    numberingOrigin_ = GetBaseName(path);
    const std::string folder = GetFolder(path);
    const std::string extension = GetExtension(path);

    std::unordered_set<std::string> taken;
    for (const std::string& file : ListFolderFiles(folder))
        taken.insert(AsciiLower(GetBaseName(file)));

    std::string base = numberingOrigin_;
    while (taken.count(AsciiLower(base)) != 0) {
        if (base == numberingOrigin_) {
            base += "_1";
        } else {
            // base is origin + "_" + n here: count the suffix up.
            std::string number = TextAfterLast(base, '_');
            base.resize(base.size() - number.size());
            base += std::to_string(static_cast<long long>(TextToInteger(number)) + 1);
        }
    }
    return folder + base + extension;
}

} // namespace clavenor
