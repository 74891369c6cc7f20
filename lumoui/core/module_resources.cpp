#include "lumoui/core/module_resources.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cwctype>
#include <fstream>
#include <map>
#include <mutex>
#include <string>

#include "lumoui/core/toolkit_folders.h"

namespace LumoUI {

namespace {

// Resource files larger than this are refused rather than read into memory.
constexpr std::streamoff kMaxResourceBytes = 64 * 1024 * 1024;

// The handles name these two objects; nothing is stored in them.
char toolkitTag;
char programTag;

struct Folders {
    std::mutex lock;
    std::map<HINSTANCE, CString> overrides;
};

Folders& TheFolders() {
    static Folders folders;
    return folders;
}

// The folder of liblumoui.so, found from the address of a function inside it.
CString LibraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&GetToolkitModule), &info) == 0 ||
        info.dli_fname == nullptr) {
        return GetApplicationFolder();
    }
    std::string path = info.dli_fname;
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return GetApplicationFolder();
    }
    path.erase(slash + 1);
    return Utf8ToWide(path);
}

CString LowerCase(CString text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    return text;
}

bool IsRegularFile(const CString& path) {
    struct stat st {};
    return stat(WideToUtf8(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

HINSTANCE GetToolkitModule() {
    return reinterpret_cast<HINSTANCE>(&toolkitTag);
}

HINSTANCE GetProgramModule() {
    return reinterpret_cast<HINSTANCE>(&programTag);
}

CString GetModuleResourceFolder(HINSTANCE module) {
    {
        Folders& f = TheFolders();
        std::lock_guard guard(f.lock);
        if (auto it = f.overrides.find(module); it != f.overrides.end()) {
            return it->second;
        }
    }
    if (module == GetToolkitModule()) {
        return LibraryFolder() + L"lumoui-resources/";
    }
    if (module == GetProgramModule()) {
        return GetApplicationFolder() + L"resources/";
    }
    return CString();
}

void SetModuleResourceFolder(HINSTANCE module, const CString& folder) {
    Folders& f = TheFolders();
    std::lock_guard guard(f.lock);
    if (folder.empty()) {
        f.overrides.erase(module);
    } else {
        f.overrides[module] = folder.back() == L'/' ? folder : folder + L"/";
    }
}

CString FindModuleResource(HINSTANCE module, UINT id, const CString& type) {
    const CString folder = GetModuleResourceFolder(module);
    if (folder.empty() || type.empty() || type.find(L'/') != CString::npos) {
        return CString();
    }
    const CString path = folder + std::to_wstring(id) + L"." + LowerCase(type);
    return IsRegularFile(path) ? path : CString();
}

std::optional<std::vector<uint8_t>> LoadModuleResource(HINSTANCE module, UINT id,
                                                       const CString& type) {
    const CString path = FindModuleResource(module, id, type);
    if (path.empty()) {
        return std::nullopt;
    }
    std::ifstream file(WideToUtf8(path), std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size < 0 || size > kMaxResourceBytes) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (size > 0 && !file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace LumoUI
