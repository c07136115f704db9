#include <QWidget>
#include <gtest/gtest.h>

TEST(Shell, WindowCanBeCreatedOffscreen) {
    QWidget w;
    w.setWindowTitle("Clavenor");
    w.show();
    EXPECT_TRUE(w.isVisible());
}
