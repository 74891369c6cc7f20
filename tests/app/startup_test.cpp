// Runs the built program as a user would, with its own home folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "os/single_instance.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int exitCode = -1;
    std::string output;
};

RunResult RunProgram(const std::string& executable = BRIMLOW_EXECUTABLE) {
    RunResult result;
    FILE* pipe = popen(("'" + executable + "' 2>&1").c_str(), "r");
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

// A program folder of its own: the built executable and toolkit beside the given catalogue.
std::string ProgramFolderWith(const TempFolder& folder, const std::optional<std::string>& config) {
    for (const char* file : {"brimlow", "liblumoui.so"}) {
        fs::copy_file(fs::path(BRIMLOW_OUT_DIR) / file, fs::path(folder.Path()) / file);
    }
    if (config) {
        folder.WriteFile("config.xml", *config);
    }
    return folder / "brimlow";
}

TEST(StartupTest, TakesTheProgramNameFromTheCatalogue) {
    IsolatedHome home;
    struct Case {
        std::optional<std::string> config;
        std::string name;
    };
    const Case cases[] = {
        {"<?xml version=\"1.0\"?>\n<config><software name=\"Keywerk\"/></config>\n", "Keywerk"},
        // Start-up searches from the top, so device.info may come after software.
        {"<config><software name=\"Keywerk\"/><device.info/></config>", "Keywerk"},
        {std::nullopt, "Brimlow"},
        {"<config><software name=\"Keywerk\"></config>", "Brimlow"},
        {"<config><other name=\"Keywerk\"/></config>", "Brimlow"},
    };
    for (const Case& c : cases) {
        TempFolder programFolder;
        const RunResult run = RunProgram(ProgramFolderWith(programFolder, c.config));
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.output.starts_with(c.name + " started:")) << run.output;
        EXPECT_TRUE(fs::is_directory(home.DataHome() + "/" + c.name + " Files/db"));
    }
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
