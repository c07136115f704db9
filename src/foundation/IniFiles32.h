#pragma once
// TIniFile32: the reader and writer of the program's INI files (everything under Config/).
//
// The whole file is held in memory as its lines and every change rewrites the file at once,
// crash-safely: the new text goes to a temporary file in the same folder, is synced, and is
// renamed over the old file, so the file on disk is always either the old or the new one.
// Callers make one short-lived object per access; two objects on one file do not see each
// other's later changes. Not for use from more than one thread.
//
// Format: a line ends at CR LF, LF or CR when read; every line is written with CR LF. A
// section line, trimmed, begins with "[" and ends with "]". Other lines are key=value lines
// of the section above them (key and value trimmed); there are no comments, and lines
// before the first section are never read. Sections are found case-insensitively by the
// whole untrimmed line "[name]", keys case-sensitively by their trimmed text; the first match
// wins in both cases.

#include <string>
#include <string_view>
#include <vector>

namespace clavenor {

class TIniFile32 {
public:
    // Loads the file's lines when it exists; a missing file is empty and is created by the
    // first write. Throws std::runtime_error naming the file and the reason when the file
    // exists but cannot be read. Never creates a folder.
    explicit TIniFile32(std::string fileName);

    const std::string& FileName() const { return fileName_; }

    // Refills sections with every section name in file order, duplicates included.
    void ReadSections(std::vector<std::string>& sections) const;

    // The key's value, or def when the section or key is missing or the value is empty.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;

    // The key's value as a 32-bit integer: decimal with an optional sign, or hexadecimal after
    // "$" or "0x"; def when missing, empty, not a whole number or out of range.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;

    // Sets key=value in the section (replacing the key's first line, or adding the key at the
    // section's end, or adding the section at the end of the file), then rewrites the file,
    // also when nothing changed. An empty key changes no key line.
    // Throws std::invalid_argument, changing nothing, when a text holds a line break or the
    // key line would read back as a section line. Throws std::runtime_error naming the file
    // and the reason when the file cannot be written; the lines in memory keep the change and
    // the file on disk keeps its old content.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // WriteString with the decimal text of value.
    void WriteInteger(std::string_view section, std::string_view key, int value);

    // Removes the section's line and its lines up to the next section, leaving one empty line
    // in its place unless it stood first, then rewrites the file. A missing section changes
    // nothing and writes nothing. Errors as for WriteString.
    void EraseSection(std::string_view section);

    // The file's lines in memory, without line ends.
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    int FindSection(std::string_view section) const;
    static bool IsSectionLine(std::string_view line);
    static std::string_view KeyOfLine(std::string_view line);
    static std::string_view ValueOfLine(std::string_view line, std::string_view key);
    void UpdateFile() const;

    std::string fileName_;
    std::vector<std::string> lines_;
};

} // namespace clavenor
