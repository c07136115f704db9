#include "foundation/IntegerText.h"

#include "foundation/TextHelpers.h"

#include <charconv>
#include <string>

namespace clavenor {

int TextToInteger(std::string_view text) {
    std::string_view digits = text;
    // from_chars reads a leading "-" itself but not a "+".
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (!digits.empty() && digits.front() == '-')
            digits = {}; // "+-5" is no number
    }
    int value = 0;
    if (!digits.empty()) {
        const char* end = digits.data() + digits.size();
        auto [stop, ec] = std::from_chars(digits.data(), end, value);
        if (ec == std::errc() && stop == end)
            return value;
    }
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

} // namespace clavenor
