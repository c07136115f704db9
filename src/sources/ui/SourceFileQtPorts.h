#pragma once
// Qt implementations of the source list's small ports: the event pump and a general error
// display (a message box captioned "Clavenor" with the stop icon).

#include "sources/SourceFilePorts.h"

#include <string>

class QWidget;

namespace clavenor {

// Lets pending paint and timer events through; input is held back, so a click cannot start
// another command in the middle of one.
class TQtEventPump final : public IEventPump {
public:
    void ProcessMessages() override;
};

// The message text as the general error display shows it: a "." is appended when the text is
// not empty and its last character sorts after "." (letters and digits do).
std::string ErrorDisplayText(std::string message);

class TQtGeneralErrorDisplay final : public IGeneralErrorDisplay {
public:
    explicit TQtGeneralErrorDisplay(QWidget* owner = nullptr) : owner_(owner) {}
    void ShowError(const std::string& message) override;

private:
    QWidget* owner_;
};

} // namespace clavenor
