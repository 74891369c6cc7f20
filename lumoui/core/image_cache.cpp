#include "lumoui/core/image_cache.h"

#include <algorithm>

#include "lumoui/core/m_render.h"
#include "lumoui/core/module_resources.h"

namespace LumoUI {

template <typename Key>
const ImgResInfo* ImageCache::FindIn(std::map<Key, std::unique_ptr<ImgResInfo>>& map,
                                     const Key& key, const CString& name, int count,
                                     const std::function<std::unique_ptr<Image>()>& load) {
    std::lock_guard guard(lock_);
    if (auto it = map.find(key); it != map.end()) {
        return it->second.get();
    }
    std::unique_ptr<Image> image = load();
    if (image == nullptr) {
        return nullptr;
    }
    auto info = std::make_unique<ImgResInfo>();
    info->count = std::max(1, count);  // a count below 1 would divide by zero
    info->frameWidth = image->GetWidth() / info->count;
    info->height = image->GetHeight();
    info->key = name;
    info->image = std::move(image);
    return map.emplace(key, std::move(info)).first->second.get();
}

const ImgResInfo* ImageCache::Find(const CString& folder, const CString& path, int count) {
    return FindIn(byPath_, path, path, count,
                  [&] { return MRender::LoadImageFromFile(folder + path); });
}

const ImgResInfo* ImageCache::FindResource(UINT id, const CString& type, int count,
                                           bool fromProgram, HINSTANCE module) {
    return FindIn(fromProgram ? byProgramId_ : byToolkitId_, id, std::to_wstring(id), count,
                  [&] { return MRender::LoadImageFromIDResource(id, type, module); });
}

void ImageCache::Clear() {
    std::lock_guard guard(lock_);
    byPath_.clear();
    byProgramId_.clear();
    byToolkitId_.clear();
}

}  // namespace LumoUI
