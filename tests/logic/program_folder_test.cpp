#include "foundation/ProgramFolder.h"

#include <gtest/gtest.h>

using namespace clavenor;

TEST(ProgramFolder, ExecutableFolderEndsInSlashAndHoldsThisTest) {
    std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(folder.front(), '/');
}

TEST(ProgramFolder, TrailingSlashIsAddedOnce) {
    EXPECT_EQ(WithTrailingSlash("/out"), "/out/");
    EXPECT_EQ(WithTrailingSlash("/out/"), "/out/");
    EXPECT_EQ(WithTrailingSlash(""), "");
}
