#pragma once
// The program's log: log.txt in the program folder, one line per event, for support only
// (nothing reads it back). It only grows; it is opened and closed on every call, so it may be
// read, moved or deleted while the program runs.

#include <string>
#include <string_view>

namespace clavenor {

class TAppFunc {
public:
    // programFolder ends in "/"; the log is programFolder + "log.txt".
    explicit TAppFunc(std::string programFolder);

    const std::string& ProgramFolder() const { return programFolder_; }
    std::string LogFileName() const { return programFolder_ + "log.txt"; }

    // Appends "Brontel <date> <time>|<message>" and CR LF, the date and time in the user's
    // short date and long time formats (LC_TIME from the environment). The message is written
    // as given, line breaks included. Creates the file when it is missing; throws
    // std::runtime_error naming the file and the reason when it cannot be opened or written.
    void WriteLog(std::string_view message) const;

private:
    std::string programFolder_;
};

} // namespace clavenor
