#include "lumoui/core/m_image_list.h"

#include <algorithm>

#include "lumoui/core/m_render.h"
#include "lumoui/core/toolkit_folders.h"

namespace LumoUI {

int MImageList::AddImage(const CString& path, int count, UINT id) {
    return InsertImage(-1, path, count, id);
}

int MImageList::InsertImage(int index, const CString& path, int count, UINT id) {
    std::unique_ptr<Image> image = MRender::LoadImageFromFile(GetSkinFolder() + path);
    if (image == nullptr) {
        return -1;
    }
    Entry entry;
    entry.count = std::max(1, count);
    entry.frameWidth = image->GetWidth() / entry.count;
    entry.height = image->GetHeight();
    entry.id = id;
    entry.path = path;
    entry.image = std::move(image);
    const int size = GetImageCount();
    const int at = index < 0 || index > size ? size : index;
    entries_.insert(entries_.begin() + at, std::move(entry));
    return at;
}

const MImageList::Entry* MImageList::GetImage(int index) const {
    return index >= 0 && index < GetImageCount() ? &entries_[static_cast<size_t>(index)] : nullptr;
}

int MImageList::FindIndex(UINT id) const {
    for (int i = 0; i < GetImageCount(); ++i) {
        if (entries_[static_cast<size_t>(i)].id == id) {
            return i;
        }
    }
    return -1;
}

const MImageList::Entry* MImageList::FindImage(UINT id) const {
    return GetImage(FindIndex(id));
}

CSize MImageList::GetIconSize(int index) const {
    const Entry* entry = GetImage(index);
    return entry != nullptr ? CSize(entry->frameWidth, entry->height) : CSize();
}

void MImageList::DrawItemIcon(Graphics& graphics, int index, int x, int y, int frame) const {
    const Entry* entry = GetImage(index);
    if (entry == nullptr || frame < 0 || frame >= entry->count) {
        return;
    }
    const CSize size =
        drawSize_.cx > 0 && drawSize_.cy > 0 ? drawSize_ : CSize(entry->frameWidth, entry->height);
    const CRect source(frame * entry->frameWidth, 0, (frame + 1) * entry->frameWidth,
                       entry->height);
    graphics.DrawImage(entry->image.get(), CRect(CPoint(x, y), size), source);
}

}  // namespace LumoUI
