#include "lumoui/core/image_cache.h"

#include <algorithm>

namespace LumoUI {

const ImgResInfo* ImageCache::Find(const CString& folder, const CString& path, int count) {
    std::lock_guard guard(lock_);
    if (auto it = byPath_.find(path); it != byPath_.end()) {
        return it->second.get();
    }
    std::unique_ptr<Image> image = Image::FromFile(folder + path);
    if (image == nullptr) {
        return nullptr;
    }
    auto info = std::make_unique<ImgResInfo>();
    info->count = std::max(1, count);  // a count below 1 would divide by zero
    info->frameWidth = image->GetWidth() / info->count;
    info->height = image->GetHeight();
    info->key = path;
    info->image = std::move(image);
    return byPath_.emplace(path, std::move(info)).first->second.get();
}

void ImageCache::Clear() {
    std::lock_guard guard(lock_);
    byPath_.clear();
}

}  // namespace LumoUI
