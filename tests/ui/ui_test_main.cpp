#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// CTest's test discovery runs this binary without the tests' environment, so the
// offscreen platform is chosen here rather than in CTest properties.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
