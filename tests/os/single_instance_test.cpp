#include <gtest/gtest.h>

#include "os/single_instance.h"
#include "support/temp_folder.h"

namespace {

TEST(SingleInstanceTest, SecondLockOfTheSameNameIsRefusedUntilTheFirstEnds) {
    IsolatedHome home;
    {
        SingleInstanceLock first;
        ASSERT_TRUE(first.Acquire(L"Brimlow"));
        SingleInstanceLock second;
        EXPECT_FALSE(second.Acquire(L"Brimlow"));
        SingleInstanceLock other;
        EXPECT_TRUE(other.Acquire(L"Other keyboard"));
    }
    SingleInstanceLock afterwards;
    EXPECT_TRUE(afterwards.Acquire(L"Brimlow"));
}

TEST(SingleInstanceTest, LockThatCannotBeMadeCountsAsFirstCopy) {
    IsolatedHome home;
    home.Environment().Set("XDG_RUNTIME_DIR", home.Folder() / "missing/runtime");
    SingleInstanceLock lock;
    EXPECT_TRUE(lock.Acquire(L"Brimlow"));
}

}  // namespace
