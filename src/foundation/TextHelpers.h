#pragma once
// Small stateless text helpers: taking delimited texts apart, reading a number out of a
// text, and the program's two display formats, the size text ("1.5 KB") and the time
// text ("00:03:25"). None of them depends on the process locale.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace clavenor {

// Raised by TextToNumber when a text cannot be read as a number; the message names the text.
class EConvertError : public std::runtime_error {
public:
    using runtime_error::runtime_error;
};

// The fields of text between delimiters, in order. Empty fields at the start and between two
// delimiters are listed; a text ending in the delimiter yields no empty last field
// ("a::b" -> a, "", b; ":a" -> "", a; "a:" -> a; ":" -> ""; "" -> nothing).
std::vector<std::string> GetDelimitedField(std::string_view text, char delimiter);

// Reads a number out of text: keeps the digits, the first ".", the first "+" and the first
// "-", drops everything else, then drops any sign that is not the first kept character
// (" 12.5 MB" -> 12.5, "5-3" -> 53, "00:01:30" -> 130, "abc" -> 0).
// Throws EConvertError naming the text when a "." is kept but no digit ("." , "-.").
double TextToNumber(std::string_view text);

// A byte count as a size text: "1023 B", "1.5 KB", "1023.99 MB", "4.65 GB". Truncated (never
// rounded up) to two decimals, "." as the decimal separator; a negative count reads "0 B".
std::string SizeToText(std::int64_t bytes);

// Whole seconds as hh:mm:ss; hours take as many digits as they need ("100:00:00"),
// a negative count reads "00:00:00".
std::string TimeToText(std::int64_t seconds);

// value / divisor (truncated toward zero) in decimal, padded in front with "0" up to width;
// never cut. Throws std::invalid_argument for a divisor of 0 (callers pass 1 or more).
std::string PadNumber(std::int64_t value, std::int64_t divisor, int width);

// Refills list with the non-empty items of text between delimiters ("1..2." -> 1, 2).
void SplitText(std::string_view text, char delimiter, std::vector<std::string>& list);

// The text after the last delimiter ("clip.part1.avi", '.' -> "avi"); the whole text when it
// holds no delimiter, an empty text when it ends with one.
std::string TextAfterLast(std::string_view text, char delimiter);

} // namespace clavenor
