// A list of images from skin-relative paths, each a strip of `count` icons of equal width,
// with an identifier; drawn one icon at a time, optionally scaled to a set size. The images
// are owned by the list.
#pragma once

#include <memory>
#include <vector>

#include "lumoui/base/cstring.h"
#include "lumoui/base/geometry.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/graphics.h"
#include "lumoui/gfx/image.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

class LUMOUI_API MImageList {
public:
    struct Entry {
        std::unique_ptr<Image> image;
        int frameWidth = 0;
        int height = 0;
        int count = 1;
        UINT id = 0;
        CString path;
    };

    // Appends the image at `path` (relative to the skin folder); its index, -1 when it cannot
    // be loaded.
    int AddImage(const CString& path, int count, UINT id);
    // Inserts it before `index` (-1 or past the end appends); its index, -1 on failure.
    int InsertImage(int index, const CString& path, int count, UINT id);
    // Draws icon `frame` of image `index` with its top-left at (x, y), at the drawing size
    // when one is set; nothing for an index out of range.
    void DrawItemIcon(Graphics& graphics, int index, int x, int y, int frame = 0) const;
    // The size icons are drawn at (0 x 0: their own size).
    void SetDrawImgSize(CSize size) { drawSize_ = size; }
    // The size of one icon of image `index`; 0 x 0 out of range.
    CSize GetIconSize(int index) const;
    int GetImageCount() const { return static_cast<int>(entries_.size()); }
    void DelAllImages() { entries_.clear(); }
    const Entry* GetImage(int index) const;
    // The first image with that identifier; none when absent.
    const Entry* FindImage(UINT id) const;
    int FindIndex(UINT id) const;

private:
    std::vector<Entry> entries_;
    CSize drawSize_;
};

}  // namespace LumoUI
