#pragma once
// Compiles the de_DE.UTF-8 locale ("," decimal separator, dd.mm.yyyy dates) into a test's
// temp folder and points LOCPATH there, so locale-sensitive code can be tested on machines
// that have only the C locales installed. Returns false when the system cannot build it.

#include <cstdlib>
#include <string>

namespace clavenor_test {

inline bool UseGermanLocaleFrom(const std::string& folder) {
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + folder + "de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return false;
    setenv("LOCPATH", folder.c_str(), 1);
    return true;
}

} // namespace clavenor_test
