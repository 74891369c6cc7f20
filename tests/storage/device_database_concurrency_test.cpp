// Several threads on one keyboard database, as the user-interface thread and the worker use it.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "storage/database_files.h"
#include "storage/device_database.h"

namespace {

constexpr int kIterations = 1000;
constexpr int kKeys = 40;

KeyAssignment Assignment(int profile, int key_code, int value) {
    return {.profile = profile, .key_code = key_code, .macro_type = 2, .macro_value = value};
}

// One writer's share: key assignments of its own profile, profile switches, macros with
// events, and colours; every operation must succeed.
void Write(DeviceDatabase& db, int profile, std::atomic<int>& failures) {
    for (int i = 0; i < kIterations; ++i) {
        failures += db.SaveKeyAssignment(Assignment(profile, 4 + i % kKeys, i + 1)) == 0;
        failures += !db.SetActiveProfile(1 + i % 3);
        if (i % 16 == 0) {
            const int macro = db.InsertMacro(L"m");
            std::vector<MacroEvent> events;
            for (int e = 0; e < 6; ++e) {
                events.push_back({.macro_id = macro, .type = 2 + e % 2, .record_index = e});
            }
            db.InsertMacroEvents(events);
            failures += macro == 0 || db.CountMacroActions(macro) != 6;
            failures += !db.DeleteMacro(macro);
        }
        if (i % 32 == 0) {
            const std::vector<KeyColour> colours(8,
                                                 {.light_id = kFirstKeyColourSlot, .key_rgb = i});
            failures += db.InsertKeyColours(colours) != 8;
            failures += !db.DeleteKeyColours();
        }
    }
}

TEST_F(DeviceDatabaseTest, WritersAndAReaderNeverInterleave) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_GT(db_.InsertProfile({.name = L"p"}), 0);
    }
    std::atomic<int> failures{0};
    std::atomic<int> writersLeft{2};
    std::atomic<int> inconsistentReads{0};
    std::atomic<int> reads{0};

    std::vector<std::thread> threads;
    for (const int profile : {1, 2}) {
        threads.emplace_back([&, profile] {
            Write(db_, profile, failures);
            --writersLeft;
        });
    }
    threads.emplace_back([&] {
        // Whatever the moment, a profile switch is whole and a key has at most one row.
        std::vector<ProfileRecord> profiles;
        std::vector<KeyAssignment> keys;
        while (writersLeft > 0) {
            int active = 0;
            db_.ListProfiles(profiles);
            for (const ProfileRecord& profile : profiles) {
                active += profile.status == 1;
            }
            db_.ListKeyAssignments(1 + reads % 2, 0, keys);
            std::set<int> codes;
            for (const KeyAssignment& key : keys) {
                codes.insert(key.key_code);
            }
            inconsistentReads += profiles.size() != 3 || active > 1 || codes.size() != keys.size();
            ++reads;
        }
    });
    for (std::thread& thread : threads) {
        thread.join();
    }

    EXPECT_EQ(failures, 0);
    EXPECT_EQ(inconsistentReads, 0);
    EXPECT_GT(reads, 0);
    // Each key holds the value its writer saved last.
    for (const int profile : {1, 2}) {
        std::vector<KeyAssignment> keys;
        ASSERT_EQ(db_.ListKeyAssignments(profile, 0, keys), kKeys);
        for (const KeyAssignment& key : keys) {
            const int lastRound =
                kIterations - kKeys + (key.key_code - 4 - kIterations % kKeys + kKeys) % kKeys;
            EXPECT_EQ(key.macro_value, lastRound + 1) << key.key_code;
        }
    }
    ASSERT_TRUE(db_.Close());
    EXPECT_EQ(IntegrityCheck(File()), "ok");
    EXPECT_EQ(CountRows(File(), "t_macrorecord"), 0);
}

TEST_F(DeviceDatabaseTest, ReopeningWhileAnotherThreadWritesLosesNoSavedValue) {
    // The writer saves once per permit, so that it races the reopening without crowding it out.
    std::atomic<bool> reopening{true};
    std::atomic<int> permits{0};
    std::map<int, int> lastSaved;  // key code -> value of the last save that succeeded
    std::thread writer([&] {
        for (int i = 0; reopening || permits > 0;) {
            if (permits == 0) {
                std::this_thread::yield();
                continue;
            }
            const int key = 4 + i % kKeys;
            ++i;
            if (db_.SaveKeyAssignment(Assignment(1, key, i)) != 0) {
                lastSaved[key] = i;
            }
            --permits;
        }
    });
    const auto waitForWriter = [&] {
        while (permits > 0) {
            std::this_thread::yield();
        }
    };
    for (int cycle = 0; cycle < 100; ++cycle) {
        permits += 4;
        EXPECT_TRUE(db_.Close());
        EXPECT_TRUE(db_.OpenForDevice(GetUserDataFolder(), kLayout));
        waitForWriter();
    }
    permits += kKeys;
    waitForWriter();
    reopening = false;
    writer.join();

    std::vector<KeyAssignment> keys;
    EXPECT_EQ(db_.ListKeyAssignments(1, 0, keys), kKeys);
    std::map<int, int> stored;
    for (const KeyAssignment& key : keys) {
        stored[key.key_code] = key.macro_value;
    }
    EXPECT_EQ(stored, lastSaved);
    ASSERT_TRUE(db_.Close());
    EXPECT_EQ(IntegrityCheck(File()), "ok");
}

}  // namespace
