#include "os/xdg_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

CString WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder.push_back('/');
    }
    return Utf8ToWide(folder);
}

// The value of an environment variable when it names an absolute path.
const char* AbsoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    return (value != nullptr && value[0] == '/') ? value : nullptr;
}

}  // namespace

CString HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        return WithSlash(home);
    }
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return WithSlash(entry->pw_dir);
    }
    return L"/";
}

CString UserDataHome() {
    if (const char* value = AbsoluteEnv("XDG_DATA_HOME")) {
        return WithSlash(value);
    }
    return HomeFolder() + L".local/share/";
}

CString UserConfigHome() {
    if (const char* value = AbsoluteEnv("XDG_CONFIG_HOME")) {
        return WithSlash(value);
    }
    return HomeFolder() + L".config/";
}

CString UserRuntimeFolder() {
    if (const char* value = AbsoluteEnv("XDG_RUNTIME_DIR")) {
        return WithSlash(value);
    }
    return {};
}
