// Helpers for the lists of controls kept by controls and paint managers.
#pragma once

#include <mutex>
#include <optional>

#include "lumoui/core/m_control.h"

namespace LumoUI {

inline bool RectsOverlap(const CRect& a, const CRect& b) {
    CRect overlap;
    return overlap.IntersectRect(a, b);
}

// Moves every entry out of a list under its lock, so that they are deleted after the lock is
// released (their destructors take other locks).
inline MControl::ControlList TakeAll(std::recursive_mutex& lock, MControl::ControlList& list) {
    std::lock_guard guard(lock);
    MControl::ControlList taken;
    taken.swap(list);
    return taken;
}

// Takes ownership of `control`, gives it `manager` (when there is one and it has another) and
// appends it under the list's lock. The control, or none when none was given.
inline MControl* AppendControl(MControl::ControlList& list, std::recursive_mutex& lock,
                               std::unique_ptr<MControl> control, PaintManager* manager) {
    if (control == nullptr) {
        return nullptr;
    }
    MControl* added = control.get();
    if (manager != nullptr && added->GetManager() != manager) {
        added->SetManager(manager);
    }
    std::lock_guard guard(lock);
    list.push_back(std::move(control));
    return added;
}

inline std::optional<size_t> IndexOf(const MControl::ControlList& list, const MControl* control) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].get() == control) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace LumoUI
