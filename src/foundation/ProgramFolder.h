#pragma once
// The program folder: the folder of the running executable, with a trailing "/".
// Everything the program keeps beside itself (encoders, Config/, log.txt, the script)
// is found from here, so the folder can be moved anywhere the user can write.

#include <string>

namespace clavenor {

// Folder of the running executable (resolved through /proc/self/exe), ending in "/".
// Throws std::runtime_error when the link cannot be read.
std::string ExecutableFolder();

// Returns folder with a trailing "/" added when it has none (an empty text stays empty).
std::string WithTrailingSlash(std::string folder);

} // namespace clavenor
