#include "lumoui/core/control_factory.h"

#include <cwchar>

#include "lumoui/core/c_area.h"

namespace LumoUI {

std::unique_ptr<MControl> ConstructControl(ControlFactory, const ControlRequest& r) {
    if (r.className == nullptr || r.className[0] == 0) {
        return nullptr;
    }
    // Both factories know the area; the controls of the toolkit join as they are built.
    if (std::wcscmp(r.className, L"CArea") == 0) {
        return std::make_unique<CArea>(r.parent, r.id, r.rect, r.visible, 1);
    }
    return nullptr;
}

}  // namespace LumoUI
