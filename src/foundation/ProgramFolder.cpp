#include "foundation/ProgramFolder.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace clavenor {

std::string ExecutableFolder() {
    std::vector<char> buf(4096);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0)
            throw std::runtime_error(std::string("Cannot read /proc/self/exe: ") +
                                     std::strerror(errno));
        if (static_cast<size_t>(n) < buf.size()) {
            std::string path(buf.data(), static_cast<size_t>(n));
            return path.substr(0, path.rfind('/') + 1);
        }
        buf.resize(buf.size() * 2);
    }
}

std::string WithTrailingSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace clavenor
