#pragma once
// The encoder command line of one file, in its two shapes: the text that is logged and shown,
// and the argument list the encoder is started from. The text is never split again, so a
// path with quotes, blanks, a leading "-" or a line break stays one argument.

#include "core/CommonLib.h"

#include <string>
#include <string_view>
#include <vector>

namespace clavenor {

struct TBuiltCommandLine {
    std::string Text;                   // exactly as logged: encoder path unquoted, paths quoted
    std::vector<std::string> Arguments; // encoder path first; empty when Text is empty
};

// The shapes a codec fragment can take, read from its first characters.
enum class TCommandForm {
    Video,   // "-vcodec": video with audio
    Target,  // "-target": the target names everything
    Audio,   // "-acodec": audio only (a phone form for .3gp, .3g2 and .amr outputs)
    None,    // "-none": no command line, and the failure is logged
    Unknown, // anything else: no command line
};

// Classifies a codec fragment after trimming blanks and control characters at both ends.
TCommandForm ClassifyCodecFragment(std::string_view codecFragment);

// The time range the record's time range fragment was made from; both empty for no range.
struct TTimeRange {
    std::string StartTime; // hh:mm:ss as the source row shows it
    std::string Duration;  // whole seconds, decimal
};

// Joins the parts of form from the record and the output path. Fragment words are split at
// blanks; the input path, the output path and the start time each stay one argument.
// Gives an empty result for TCommandForm::None and TCommandForm::Unknown.
TBuiltCommandLine JoinCommandLine(TCommandForm form, const TConvertParameterStruct& parameter,
                                  const TTimeRange& timeRange, const std::string& outputPath);

// The one line of the script that feeds a RealMedia source to revc, without its line end.
std::string ScriptLine(std::string_view sourcePath);

// Writes fileName anew holding ScriptLine(sourcePath) and CR LF. Throws std::runtime_error
// naming the file and the reason when it cannot be written.
void WriteScriptFile(const std::string& fileName, std::string_view sourcePath);

} // namespace clavenor
