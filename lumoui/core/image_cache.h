// A window's decoded skin images, shared by its controls: each file is decoded once and split
// into the frame count of its first request.
#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/image.h"

namespace LumoUI {

struct ImgResInfo {
    std::unique_ptr<Image> image;
    int frameWidth = 0;  // image width / count
    int height = 0;
    int count = 1;
    CString key;
};

class LUMOUI_API ImageCache {
public:
    // The record for `path` (exact, case-sensitive): a later request with another count gets
    // the frame width of the first. Loaded from `folder` + `path` when not cached yet; none
    // when that fails, and nothing is kept, so the next request tries again.
    const ImgResInfo* Find(const CString& folder, const CString& path, int count);
    void Clear();

private:
    std::mutex lock_;
    std::map<CString, std::unique_ptr<ImgResInfo>> byPath_;
};

}  // namespace LumoUI
