#pragma once
// The one-line source script through which Clavenor hands RealMedia files to revc:
//   DirectShowSource("PATH", fps=F, convertfps=true)
// ended by CR LF or LF. revc converts PATH brought to a constant F frames per second.

#include <optional>
#include <string>
#include <string_view>

namespace clavenor {

struct SourceScript {
    std::string sourcePath;      // as written between the quotes (UTF-8, may hold quotes)
    std::string framesPerSecond; // a positive decimal, e.g. "29.9700898503294"
};

struct ParsedScript {
    std::optional<SourceScript> script;
    std::string error; // what is wrong, without the program name; empty when script is set
};

// Reads the script's text; anything but the one line above is an error.
ParsedScript ParseSourceScript(std::string_view text);

// Reads and parses the script file at scriptPath (a script is a few hundred bytes; a file
// larger than 64 KiB is refused rather than read).
ParsedScript ReadSourceScript(const std::string& scriptPath);

} // namespace clavenor
