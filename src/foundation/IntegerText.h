#pragma once
// Reading a whole number written in decimal, as time fields and stored option indexes are.

#include <string_view>

namespace clavenor {

// Reads text as a 32-bit decimal integer: an optional "+" or "-" and at least one digit,
// nothing else (no blanks). Throws EConvertError ("'<text>' is not a valid integer value")
// for anything else, including values outside the 32-bit range.
int TextToInteger(std::string_view text);

} // namespace clavenor
