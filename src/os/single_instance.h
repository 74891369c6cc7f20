// One running copy per program name: an advisory lock on a file in the user's runtime folder,
// held until the process ends.
#pragma once

#include "lumoui/base/cstring.h"

class SingleInstanceLock {
public:
    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // False only when another process (or another lock object) holds the lock of this name.
    // When the lock file cannot be made at all, this counts as the first copy.
    bool Acquire(const CString& programName);

    // The lock file used for a program name.
    static CString PathOf(const CString& programName);

private:
    int fd_ = -1;
};
