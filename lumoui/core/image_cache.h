// A window's decoded images, shared by its controls: skin files by path, and resources of the
// program and of the toolkit by identifier. Each is decoded once and split into the frame
// count of its first request.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/image.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

struct ImgResInfo {
    std::unique_ptr<Image> image;
    int frameWidth = 0;  // image width / count
    int height = 0;
    int count = 1;
    CString key;  // the path, or the identifier in decimal
};

class LUMOUI_API ImageCache {
public:
    // The record for `path` (exact, case-sensitive): a later request with another count gets
    // the frame width of the first. Loaded from `folder` + `path` when not cached yet; none
    // when that fails, and nothing is kept, so the next request tries again.
    const ImgResInfo* Find(const CString& folder, const CString& path, int count);
    // The same for a resource of the program (`fromProgram`, read from `module`) or of the
    // toolkit, keyed by identifier in a map of each.
    const ImgResInfo* FindResource(UINT id, const CString& type, int count, bool fromProgram,
                                   HINSTANCE module);
    void Clear();

private:
    template <typename Key>
    const ImgResInfo* FindIn(std::map<Key, std::unique_ptr<ImgResInfo>>& map, const Key& key,
                             const CString& name, int count,
                             const std::function<std::unique_ptr<Image>()>& load);

    std::mutex lock_;
    std::map<CString, std::unique_ptr<ImgResInfo>> byPath_;
    std::map<UINT, std::unique_ptr<ImgResInfo>> byProgramId_;
    std::map<UINT, std::unique_ptr<ImgResInfo>> byToolkitId_;
};

}  // namespace LumoUI
