#include "lumoui/core/m_object.h"

#include <cwchar>

namespace LumoUI {

bool MObject::IsClass(const wchar_t* name) const {
    const wchar_t* own = GetClassNameW();
    return name != nullptr && own != nullptr && std::wcscmp(name, own) == 0;
}

LRESULT MObject::OnBaseMessage(UINT, UINT, UINT, LPARAM) {
    return 0;
}

LRESULT MObject::OnControlUpdate(CRect, int, MControl*) {
    return 0;
}

}  // namespace LumoUI
