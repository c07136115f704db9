#include "shell/ErrorText.h"

namespace clavenor {

std::string ErrorDisplayText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}

} // namespace clavenor
