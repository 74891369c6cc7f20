// Runs the built program as a user would, with its own home folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "os/single_instance.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int exitCode = -1;
    std::string output;
};

RunResult RunProgram() {
    RunResult result;
    FILE* pipe = popen(BRIMLOW_EXECUTABLE " 2>&1", "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
        result.output += buffer.data();
    }
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(StartupTest, PrintsOneStatusLineAndPreparesTheUserFolders) {
    IsolatedHome home;
    home.Environment().Set("LANG", "fr_FR.UTF-8");
    home.Environment().Set("LC_ALL", "");
    const RunResult run = RunProgram();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "Brimlow started: language 1036, user data in " + home.DataHome() +
                              "/Brimlow Files/\n");
    EXPECT_TRUE(fs::is_directory(home.DataHome() + "/Brimlow Files/db"));
    EXPECT_EQ(ReadFileBytes(home.ConfigHome() + "/Brimlow/settings.ini"), "LCID=1036\n");
}

TEST(StartupTest, SecondCopyLeavesWhileTheFirstRuns) {
    IsolatedHome home;
    SingleInstanceLock first;
    ASSERT_TRUE(first.Acquire(L"Brimlow"));
    const RunResult run = RunProgram();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "Brimlow is already running.\n");
    EXPECT_FALSE(fs::exists(home.DataHome() + "/Brimlow Files"));
}

}  // namespace
