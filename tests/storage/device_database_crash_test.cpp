// A writer process killed at random moments: the file stays sound and keeps every write that
// had returned.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include "storage/database_files.h"
#include "storage/device_database.h"

namespace {

constexpr const wchar_t* kLayout = L"CrashBoard";
constexpr int kEventsPerMacro = 20;
constexpr int kKilledKey = 4;

// What one finished round of the writer stored.
struct Round {
    int profile;
    int macro;
};

// The child's loop: a profile, a macro with its events in one transaction, and a key that
// plays the macro; each round is reported through the pipe once all its writes returned.
[[noreturn]] void WriteUntilKilled(const CString& folder, int reportFd) {
    DeviceDatabase db;
    if (!db.OpenForDevice(folder, kLayout)) {
        _exit(2);
    }
    for (;;) {
        const Round round{db.InsertProfile({.name = L"round"}), db.InsertMacro(L"macro")};
        std::vector<MacroEvent> events;
        for (int i = 0; i < kEventsPerMacro; ++i) {
            events.push_back({.macro_id = round.macro, .type = 2 + i % 2, .record_index = i});
        }
        db.InsertMacroEvents(events);
        const int key = db.SaveKeyAssignment({.profile = round.profile,
                                              .key_code = kKilledKey,
                                              .macro_type = kMacroFunctionType,
                                              .macro_value = round.macro});
        if (round.profile == 0 || round.macro == 0 || key == 0) {
            _exit(3);
        }
        if (write(reportFd, &round, sizeof round) != sizeof round) {
            _exit(4);
        }
    }
}

TEST(DeviceDatabaseCrashTest, KilledWriterLeavesASoundFileWithEveryReportedRound) {
    IsolatedHome home;
    const CString folder = GetUserDataFolder();
    const std::string path = WideToUtf8(DeviceDatabase::FilePath(folder, kLayout));
    std::random_device seed;
    const unsigned seedValue = seed();
    std::mt19937 random(seedValue);
    SCOPED_TRACE("seed " + std::to_string(seedValue));

    std::vector<Round> reported;
    for (int strike = 0; strike < 6; ++strike) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            WriteUntilKilled(folder, fds[1]);
        }
        close(fds[1]);

        // Wait for a few rounds, then strike somewhere inside a later one.
        const int rounds = std::uniform_int_distribution(3, 30)(random);
        Round round{};
        for (int i = 0; i < rounds && read(fds[0], &round, sizeof round) == sizeof round; ++i) {
            reported.push_back(round);
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution(0, 3000)(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "writer stopped with " << WEXITSTATUS(status);
        // Rounds reported before the kill are still in the pipe.
        while (read(fds[0], &round, sizeof round) == sizeof round) {
            reported.push_back(round);
        }
        close(fds[0]);

        // Opening plays back the journal of a write that the kill interrupted.
        DeviceDatabase db;
        ASSERT_TRUE(db.OpenForDevice(folder, kLayout));
        ASSERT_EQ(IntegrityCheck(path), "ok") << "after kill " << strike;
        for (const Round& done : reported) {
            CString name;
            EXPECT_TRUE(db.GetProfileName(done.profile, name)) << done.profile;
            std::vector<MacroEvent> events;
            EXPECT_EQ(db.ListMacroEvents(done.macro, events), kEventsPerMacro) << done.macro;
            KeyAssignment key;
            ASSERT_TRUE(db.GetKeyAssignment(done.profile, 0, kKilledKey, key)) << done.profile;
            EXPECT_EQ(key.macro_value, done.macro);
        }
        // A macro's events were stored all together or not at all.
        std::vector<MacroRecord> macros;
        db.ListMacros(macros);
        for (const MacroRecord& macro : macros) {
            std::vector<MacroEvent> events;
            const int count = db.ListMacroEvents(macro.macro_id, events);
            EXPECT_TRUE(count == 0 || count == kEventsPerMacro) << count;
        }
    }
    EXPECT_GE(reported.size(), 18u);
}

}  // namespace
