#include "foundation/TextHelpers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace clavenor {

std::vector<std::string> GetDelimitedField(std::string_view text, char delimiter) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t pos = text.find(delimiter); pos != std::string_view::npos;
         pos = text.find(delimiter, start)) {
        fields.emplace_back(text.substr(start, pos - start));
        start = pos + 1;
    }
    if (start < text.size())
        fields.emplace_back(text.substr(start));
    return fields;
}

namespace {

[[noreturn]] void ThrowNotANumber(std::string_view text) {
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

} // namespace

double TextToNumber(std::string_view text) {
    std::string kept;
    bool havePoint = false, havePlus = false, haveMinus = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            kept += c;
        } else if (c == '.' && !havePoint) {
            havePoint = true;
            kept += c;
        } else if (c == '+' && !havePlus) {
            havePlus = true;
            kept += c;
        } else if (c == '-' && !haveMinus) {
            haveMinus = true;
            kept += c;
        }
    }
    // Only the first kept character may be a sign.
    std::string number;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i > 0 && (kept[i] == '+' || kept[i] == '-'))
            continue;
        number += kept[i];
    }
    bool negative = false;
    std::string_view digits = number;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty())
        return 0.0; // "", "+", "-": nothing to read
    if (digits == ".")
        ThrowNotANumber(text);
    double value = 0.0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                     std::chars_format::fixed);
    if (ec != std::errc() || end != digits.data() + digits.size())
        ThrowNotANumber(text);
    return negative ? -value : value;
}

std::string SizeToText(std::int64_t bytes) {
    if (bytes < 0)
        bytes = 0;
    constexpr std::int64_t gigabyte = std::int64_t(1) << 30;
    double x = static_cast<double>(bytes);
    const char* unit = " B";
    if (bytes < gigabyte) {
        if (x >= 1024) {
            x /= 1024;
            unit = " KB";
        }
        if (x >= 1024) {
            x /= 1024;
            unit = " MB";
        }
    } else {
        x = x / 1024 / 1024 / 1024;
        unit = " GB";
    }
    x = std::trunc(x * 100) / 100;
    // to_chars is locale-independent, so the separator is "." whatever the process locale.
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
    (void)ec; // 64 characters hold any double in this form
    return std::string(buf, end) + unit;
}

std::string PadNumber(std::int64_t value, std::int64_t divisor, int width) {
    if (divisor == 0)
        throw std::invalid_argument("PadNumber: divisor must not be 0");
    // The one quotient that does not fit in 64 bits.
    std::string text = (value == std::numeric_limits<std::int64_t>::min() && divisor == -1)
                           ? "9223372036854775808"
                           : std::to_string(value / divisor);
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

std::string TimeToText(std::int64_t seconds) {
    std::string text;
    std::int64_t left = seconds;
    if (left < 3600) {
        text += "00:";
    } else {
        text += PadNumber(left / 3600, 1, 2) + ":";
        left %= 3600;
    }
    if (left < 60) {
        text += "00:";
    } else {
        text += PadNumber(left / 60, 1, 2) + ":";
        left %= 60;
    }
    text += left < 1 ? "00" : PadNumber(left, 1, 2);
    return text;
}

void SplitText(std::string_view text, char delimiter, std::vector<std::string>& list) {
    list.clear();
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t pos = text.find(delimiter, start);
        if (pos == std::string_view::npos)
            pos = text.size();
        if (pos > start)
            list.emplace_back(text.substr(start, pos - start));
        start = pos + 1;
    }
}

std::string TextAfterLast(std::string_view text, char delimiter) {
    std::size_t pos = text.rfind(delimiter);
    return std::string(pos == std::string_view::npos ? text : text.substr(pos + 1));
}

} // namespace clavenor
