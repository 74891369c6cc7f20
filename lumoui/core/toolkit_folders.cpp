#include "lumoui/core/toolkit_folders.h"

#include <unistd.h>

#include <mutex>
#include <string>

#include "lumoui/core/manager.h"

namespace LumoUI {

namespace {

struct FolderOverride {
    std::mutex lock;
    CString folder;
};

FolderOverride& TheOverride() {
    static FolderOverride o;
    return o;
}

CString ExecutableFolder() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<size_t>(length) >= path.size()) {
        return L"./";
    }
    path.resize(static_cast<size_t>(length));
    path.erase(path.rfind('/') + 1);
    return Utf8ToWide(path);
}

}  // namespace

CString GetApplicationFolder() {
    {
        FolderOverride& o = TheOverride();
        std::lock_guard guard(o.lock);
        if (!o.folder.empty()) {
            return o.folder;
        }
    }
    return ExecutableFolder();
}

void SetApplicationFolder(const CString& folder) {
    FolderOverride& o = TheOverride();
    std::lock_guard guard(o.lock);
    o.folder = folder.empty() || folder.back() == L'/' ? folder : folder + L"/";
}

CString GetSkinFolder() {
    return GetApplicationFolder() + L"skins/" + Manager::GetTheme();
}

CString GetFontFolder() {
    return GetApplicationFolder() + L"font/";
}

}  // namespace LumoUI
