#include "os/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "lumoui/base/format.h"
#include "os/safe_file_name.h"
#include "os/xdg_folders.h"

SingleInstanceLock::~SingleInstanceLock() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

CString SingleInstanceLock::PathOf(const CString& programName) {
    const CString name = SafeFileNameComponent(programName);
    const CString runtime = UserRuntimeFolder();
    if (!runtime.empty()) {
        return runtime + name + L".lock";
    }
    // No runtime folder: a per-user name in /tmp, opened without following links.
    return Format(L"/tmp/%s-%u.lock", name.c_str(), static_cast<unsigned>(getuid()));
}

bool SingleInstanceLock::Acquire(const CString& programName) {
    if (fd_ >= 0) {
        return true;
    }
    const int fd = open(WideToUtf8(PathOf(programName)).c_str(),
                        O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return true;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        close(fd);
        return !heldElsewhere;
    }
    fd_ = fd;
    return true;
}
