#include "shell/ui/ClavenorApplication.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

// CTest's test discovery runs this binary without the tests' environment, so the
// offscreen platform is chosen here rather than in CTest properties.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The program's own application object, so that errors escaping a handler reach the
    // general error display as they do in the program; here it prints instead of showing a
    // message box that nobody would close.
    clavenor::TClavenorApplication app(argc, argv);
    app.SetErrorDisplay([](const std::string& text) {
        std::fprintf(stderr, "general error display: %s\n", text.c_str());
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
