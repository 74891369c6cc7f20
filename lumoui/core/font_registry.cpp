#include "lumoui/core/font_registry.h"

#include "lumoui/core/module_resources.h"

namespace LumoUI {

namespace {

constexpr const wchar_t* kFontResourceType = L"ttf";

}  // namespace

std::optional<FontFamily> FontRegistry::AddFile(const CString& name, const CString& path) {
    std::optional<FontFamily> family = FontFamily::FromFile(path);
    if (family) {
        std::lock_guard guard(lock_);
        families_.insert_or_assign(name, *family);
    }
    return family;
}

std::optional<FontFamily> FontRegistry::AddResource(const CString& name, UINT resourceId) {
    const CString path = FindModuleResource(GetToolkitModule(), resourceId, kFontResourceType);
    if (path.empty()) {
        return std::nullopt;
    }
    return AddFile(name, path);
}

bool FontRegistry::AddFaceResource(UINT resourceId) {
    const CString path = FindModuleResource(GetToolkitModule(), resourceId, kFontResourceType);
    if (path.empty() || !FontFamily::FromFile(path)) {
        return false;
    }
    std::lock_guard guard(lock_);
    faceResources_.push_back(path);
    return true;
}

std::optional<FontFamily> FontRegistry::Find(const CString& name) {
    std::lock_guard guard(lock_);
    if (auto it = families_.find(name); it != families_.end()) {
        return it->second;
    }
    std::optional<FontFamily> installed = FontFamily::Installed(name);
    if (installed) {
        families_.emplace(name, *installed);
    }
    return installed;
}

void FontRegistry::Clear() {
    std::lock_guard guard(lock_);
    families_.clear();
    faceResources_.clear();
}

size_t FontRegistry::FaceResourceCount() const {
    std::lock_guard guard(lock_);
    return faceResources_.size();
}

}  // namespace LumoUI
