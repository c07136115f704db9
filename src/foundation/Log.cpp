#include "foundation/Log.h"

#include <cerrno>
#include <clocale>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <locale.h>
#include <stdexcept>
#include <unistd.h>
#include <utility>

namespace clavenor {

namespace {

// Formats the date ("%x") and the time ("%X") of one clock reading in the user's time
// locale, taken from the environment without touching the process locale (the numeric
// locale above all). An unknown locale name falls back to the POSIX formats.
std::string DateAndTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);

    locale_t timeLocale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (timeLocale == static_cast<locale_t>(nullptr))
        timeLocale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    char date[128] = "";
    char time[128] = "";
    if (timeLocale != static_cast<locale_t>(nullptr)) {
        strftime_l(date, sizeof date, "%x", &local, timeLocale);
        strftime_l(time, sizeof time, "%X", &local, timeLocale);
        freelocale(timeLocale);
    } else {
        std::strftime(date, sizeof date, "%x", &local);
        std::strftime(time, sizeof time, "%X", &local);
    }
    return std::string(date) + " " + time;
}

[[noreturn]] void ThrowLogError(const std::string& what, const std::string& fileName, int err) {
    throw std::runtime_error(what + " \"" + fileName + "\": " + std::strerror(err));
}

} // namespace

TAppFunc::TAppFunc(std::string programFolder) : programFolder_(std::move(programFolder)) {}

void TAppFunc::WriteLog(std::string_view message) const {
    const std::string fileName = LogFileName();
    std::string line = "Brontel " + DateAndTime() + "|";
    line.append(message);
    line += "\r\n";

    int fd = ::open(fileName.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        ThrowLogError("Cannot open the log file", fileName, errno);
    std::size_t done = 0;
    while (done < line.size()) {
        ssize_t n = ::write(fd, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            ThrowLogError("Cannot write the log file", fileName, err);
        }
        done += static_cast<std::size_t>(n);
    }
    // Linux releases the descriptor even when close() is interrupted; only a real error counts.
    if (::close(fd) != 0 && errno != EINTR)
        ThrowLogError("Cannot write the log file", fileName, errno);
}

} // namespace clavenor
