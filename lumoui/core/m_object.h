// The root of everything that can own controls: it receives their repaint requests and their
// notifications.
#pragma once

#include "lumoui/base/geometry.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

class MControl;

class LUMOUI_API MObject {
public:
    MObject() = default;
    virtual ~MObject() = default;
    MObject(const MObject&) = delete;
    MObject& operator=(const MObject&) = delete;

    // True when `name` equals GetClassNameW() exactly (case-sensitive); false for none.
    virtual bool IsClass(const wchar_t* name) const;
    // The class's tag string ("TalControl", "MDialog", ...); none here.
    virtual const wchar_t* GetClassNameW() const { return nullptr; }
    virtual const wchar_t* GetObjectClass() const { return nullptr; }
    virtual const wchar_t* BaseObjectClassName() const { return nullptr; }

    // A notification (MN_* code) from the child control whose identifier is `id`.
    virtual LRESULT OnBaseMessage(UINT id, UINT code, UINT wparam, LPARAM lparam);
    // A repaint request from `control` for `rect`. A code other than 0 means the control's
    // cached image is stale; 0 means only its pixels have to be copied again.
    virtual LRESULT OnControlUpdate(CRect rect, int code, MControl* control);
};

}  // namespace LumoUI
