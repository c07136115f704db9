#include "sources/OpenDialogFilter.h"

namespace clavenor {

const char* const cstOpenDialogFilter =
    "Supported "
    "Files|*.3gp;*.mp4;*.m4v;*.mpeg;*.mpg;*.avi;*.asf;*.mov;*.wmv;*.flv;*.swf;*.rm;*.rmvb;|3GP "
    "Files (*.3gp)|*.3gp|AVI Files (*.avi)|*.avi|ASF Files (*.asf)|*.asf|Flash Files "
    "(*.flv,swf)|*.flv;*.swf|MOV Files (*.mov)|*.mov|WMV Files (*.wmv)|*.wmv|MP4 File "
    "(*.mp4,*.m4v)|*.mp4;*.m4v|MPEG Files (*.mpeg,*.mpg)|*.mpeg;*.mpg;|RM Files "
    "(*.rm,*.rmvb)|*.rm;*.rmvb;";

namespace {

std::vector<std::string> Split(std::string_view text, char delimiter) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find(delimiter, start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        pieces.emplace_back(text.substr(start, stop - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return pieces;
}

} // namespace

std::vector<TFilterEntry> ParseDialogFilter(std::string_view filter) {
    std::vector<TFilterEntry> entries;
    if (filter.empty())
        return entries;
    const std::vector<std::string> pieces = Split(filter, '|');
    for (std::size_t i = 0; i < pieces.size(); i += 2) {
        TFilterEntry entry;
        entry.Entry = pieces[i];
        if (i + 1 < pieces.size())
            for (std::string& pattern : Split(pieces[i + 1], ';'))
                if (!pattern.empty())
                    entry.Patterns.push_back(std::move(pattern));
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string CaseInsensitivePattern(std::string_view pattern) {
    std::string result;
    for (const char c : pattern) {
        const bool lower = c >= 'a' && c <= 'z';
        const bool upper = c >= 'A' && c <= 'Z';
        if (lower || upper) {
            result += '[';
            result += lower ? c : static_cast<char>(c - 'A' + 'a');
            result += upper ? c : static_cast<char>(c - 'a' + 'A');
            result += ']';
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace clavenor
