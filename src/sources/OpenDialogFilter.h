#pragma once
// The filter of the open dialog for source files: ten entries, the first selected when the
// dialog opens. The dialog offers fewer extensions than adding accepts (".3g2" and ".vob" only
// come in by dropping).

#include <string>
#include <string_view>
#include <vector>

namespace clavenor {

// The filter as one text: "entry|patterns|entry|patterns|...", patterns separated by ";".
extern const char* const cstOpenDialogFilter;

struct TFilterEntry {
    std::string Entry;                 // the text the dialog shows, e.g. "AVI Files (*.avi)"
    std::vector<std::string> Patterns; // e.g. "*.avi"; empty pieces between ";" are dropped
};

// Splits a filter text into its entries, in order. A trailing entry without patterns is kept
// with none.
std::vector<TFilterEntry> ParseDialogFilter(std::string_view filter);

// A file-name pattern that ignores ASCII case ("*.avi" -> "*.[aA][vV][iI]"): the open dialog
// must show Clip.AVI, since adding compares extensions in lower case.
std::string CaseInsensitivePattern(std::string_view pattern);

} // namespace clavenor
