#pragma once
// The text of the general error display: what the user reads when an error escapes a
// command, a timer tick or a window event.

#include <string>
#include <string_view>

namespace clavenor {

// The error's message with a "." appended when the message is not empty and its last
// character has a higher code than "." (letters, digits, "/", "?"; not "!", ")", "-" or "."
// itself). Codes are compared as unsigned bytes, so a message ending in a multi-byte UTF-8
// character also gets its full stop.
std::string ErrorDisplayText(std::string_view message);

} // namespace clavenor
