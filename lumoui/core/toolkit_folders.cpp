#include "lumoui/core/toolkit_folders.h"

#include <unistd.h>

#include <string>

#include "lumoui/core/manager.h"

namespace LumoUI {

CString GetApplicationFolder() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<size_t>(length) >= path.size()) {
        return L"./";
    }
    path.resize(static_cast<size_t>(length));
    path.erase(path.rfind('/') + 1);
    return Utf8ToWide(path);
}

CString GetSkinFolder() {
    return GetApplicationFolder() + L"skins/" + Manager::GetTheme();
}

CString GetFontFolder() {
    return GetApplicationFolder() + L"font/";
}

}  // namespace LumoUI
