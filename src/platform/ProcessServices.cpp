#include "platform/ProcessServices.h"

namespace clavenor {

namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

std::string_view BaseName(std::string_view path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

bool ProcessNameMatches(const TProcessEntry& entry, std::string_view name) {
    return EqualsIgnoringAsciiCase(entry.CommandName, name) ||
           EqualsIgnoringAsciiCase(BaseName(entry.Argv0), name);
}

bool ProcessFullNameMatches(const TProcessEntry& entry, std::string_view name) {
    return EqualsIgnoringAsciiCase(entry.Argv0, name);
}

} // namespace clavenor
