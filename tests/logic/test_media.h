#pragma once
// Tiny media files made with the system's ffmpeg at test time, in the test's own folder.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace clavenor_test {

// Runs a program with the given arguments, quietly; true when it exited with 0.
inline bool RunQuietly(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Writes a test-pattern video clip of the given length to path; the container follows the
// extension. Throws when ffmpeg fails.
inline void MakeClip(const std::string& path, double seconds) {
    const std::string extension = std::filesystem::path(path).extension().string();
    std::string size = "64x48";
    std::string rate = "10";
    std::vector<std::string> codec = {"-c:v", "mpeg4"};
    if (extension == ".3g2" || extension == ".3gp") {
        size = "128x96";
        codec = {"-c:v", "h263"};
    } else if (extension == ".vob") {
        rate = "25";
        codec = {"-c:v", "mpeg2video", "-f", "vob"};
    } else if (extension == ".mpg" || extension == ".mpeg") {
        rate = "25";
        codec = {"-c:v", "mpeg1video", "-f", "mpeg"};
    } else if (extension == ".rm" || extension == ".rmvb") {
        codec = {"-c:v", "rv10", "-f", "rm"};
    } else if (extension == ".wmv" || extension == ".asf") {
        codec = {"-c:v", "wmv2", "-f", "asf"};
    } else if (extension == ".flv") {
        codec = {"-c:v", "flv"};
    } else if (extension == ".mkv") {
        codec = {"-c:v", "mpeg4", "-f", "matroska"};
    } else if (extension == ".mov" || extension == ".mp4" || extension == ".m4v" ||
               extension == ".avi") {
        // mpeg4 as set
    } else {
        codec = {"-c:v", "mpeg4", "-f", "mp4"};
    }
    std::vector<std::string> arguments = {"ffmpeg",
                                          "-nostdin",
                                          "-v",
                                          "error",
                                          "-y",
                                          "-f",
                                          "lavfi",
                                          "-i",
                                          "testsrc=size=" + size + ":rate=" + rate +
                                              ":duration=" + std::to_string(seconds)};
    arguments.insert(arguments.end(), codec.begin(), codec.end());
    arguments.push_back(path);
    if (!RunQuietly(arguments))
        throw std::runtime_error("ffmpeg could not write " + path);
}

} // namespace clavenor_test
