// kelvo-cli's version is the build's: the project version CMake was given.

#include "support/TestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace kelvo {
namespace {

TEST(CliVersion, IsTheProjectVersionOfTheBuild) {
    test::TempDir dir;
    const std::string out = dir.File("out");
    const std::string command = std::string("'") + KELVO_CLI_PATH + "' --version >'" + out + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(test::ReadWholeFile(out), std::string("kelvo-cli ") + KELVO_PROJECT_VERSION + "\n");
}

} // namespace
} // namespace kelvo
