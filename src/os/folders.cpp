#include "os/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "lumoui/base/format.h"
#include "lumoui/core/manager.h"
#include "os/safe_file_name.h"
#include "os/xdg_folders.h"

namespace {

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

CString GetProgramFolder() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) {
        return L"./";
    }
    std::string path(buffer.data(), static_cast<size_t>(length));
    path.erase(path.rfind('/') + 1);
    return Utf8ToWide(path);
}

CString GetUserDataFolder() {
    const CString name = SafeFileNameComponent(LumoUI::Manager::GetDeviceName());
    return UserDataHome() + Format(L"%s Files/", name.c_str());
}

bool CreateFolderPath(const CString& path) {
    const std::string target = WideToUtf8(path);
    if (target.empty()) {
        return false;
    }
    if (IsFolder(target)) {
        return true;
    }
    // Create each level in turn; a level that already exists is fine. The root itself is
    // never created.
    for (size_t slash = target.find('/', 1); slash != std::string::npos;
         slash = target.find('/', slash + 1)) {
        mkdir(target.substr(0, slash).c_str(), 0755);
    }
    if (mkdir(target.c_str(), 0755) != 0 && errno != EEXIST) {
        return false;
    }
    // "Already exists" may also mean a file of that name: only a folder counts as success.
    return IsFolder(target);
}
