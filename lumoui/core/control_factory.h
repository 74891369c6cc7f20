// Making controls by class name, for the two factories: a window's (its paint manager) and a
// container's (MPanel). Each knows its own fixed set of names, matched exactly; a class joins
// by registering its maker once, in its own source file:
//
//     // m_button.cpp, inside namespace LumoUI
//     LUMOUI_REGISTER_CONTROL(MButton)
//
// The macro builds the object with the constructor arguments of the class's family (see
// kControlClasses) and fails to compile when the class has no such constructor or its name is
// not in the table. A name whose class is not registered (not built yet) gives none.
#pragma once

#include <iterator>
#include <memory>
#include <string_view>

#include "lumoui/core/m_control.h"

namespace LumoUI {

enum class ControlFactory { kWindow, kContainer };

struct ControlRequest {
    UINT kind = 1;  // 1: a control, 0: an area
    MObject* parent = nullptr;
    const wchar_t* className = nullptr;
    UINT id = 0;
    CRect rect;
    const wchar_t* text = nullptr;
    int visible = 1;  // the first of the two integers of the request
    int enabled = 1;  // the second
};

// What a class's constructor takes after (parent, id, rect).
enum class ControlFamily {
    kText,          // text, visible, enabled
    kTextEnabled,   // text, visible, always enabled
    kLabel,         // text, visible
    kPlain,         // visible, enabled
    kPlainEnabled,  // visible, always enabled
    kContainer,     // visible
};

struct ControlClass {
    std::wstring_view name;
    ControlFamily family;
    bool window;     // known to the window's factory
    bool container;  // known to a container's factory
};

// Every class name a factory knows.
inline constexpr ControlClass kControlClasses[] = {
    {L"CArea", ControlFamily::kPlainEnabled, true, true},
    {L"MText", ControlFamily::kLabel, true, true},
    {L"MPicture", ControlFamily::kPlain, true, true},
    {L"CPhotoFrame", ControlFamily::kPlain, true, true},
    {L"CSliderPicture", ControlFamily::kPlain, true, true},
    {L"CGifPicture", ControlFamily::kPlain, true, true},
    {L"MProgress", ControlFamily::kPlain, true, true},
    {L"MSlider", ControlFamily::kPlain, true, true},
    {L"MLevelCtrl", ControlFamily::kPlain, true, true},
    {L"MButton", ControlFamily::kText, true, true},
    {L"CImageButton", ControlFamily::kText, true, true},
    {L"CTextButton", ControlFamily::kText, true, true},
    {L"CCheckButton", ControlFamily::kText, true, true},
    {L"CRadioButton", ControlFamily::kText, true, true},
    {L"CColorButton", ControlFamily::kPlain, true, true},
    {L"MSpinButton", ControlFamily::kPlain, true, true},
    {L"CSpinButton", ControlFamily::kPlain, true, true},
    {L"CSwitchButton", ControlFamily::kPlain, true, true},
    {L"CIconButton", ControlFamily::kText, true, true},
    {L"CTimerButton", ControlFamily::kText, true, true},
    {L"CHelpButton", ControlFamily::kText, true, true},
    {L"MEdit", ControlFamily::kText, true, true},
    {L"MRichEdit", ControlFamily::kText, true, true},
    {L"MEditEx", ControlFamily::kText, true, true},
    {L"MComboBox", ControlFamily::kPlain, true, true},
    {L"MTabCtrl", ControlFamily::kPlain, true, true},
    {L"MTabLayout", ControlFamily::kContainer, true, true},
    {L"MListBox", ControlFamily::kContainer, true, true},
    {L"MPalette", ControlFamily::kContainer, true, true},
    {L"CColorPalette", ControlFamily::kContainer, true, true},
    {L"CColorSelect", ControlFamily::kContainer, true, true},
    {L"CirclePalette", ControlFamily::kPlainEnabled, true, true},
    {L"CComboBoxList", ControlFamily::kPlainEnabled, true, false},
    {L"MenuItem", ControlFamily::kTextEnabled, true, true},
    {L"KeyboardCtrl", ControlFamily::kContainer, true, true},
    {L"KeyFuncControl", ControlFamily::kContainer, false, true},
    {L"DListBox", ControlFamily::kContainer, false, true},
    {L"CRecordList", ControlFamily::kContainer, false, true},
    {L"CDeviceCtrl", ControlFamily::kPlainEnabled, true, true},
    {L"BatteryCtrl", ControlFamily::kPlainEnabled, true, false},
    {L"UpgradeButton", ControlFamily::kText, false, true},
    {L"DownloadButton", ControlFamily::kText, false, true},
};

// The index of a class name in the table; -1 for a name no factory knows. (Indexes rather
// than pointers keep it a constant expression in every build.)
constexpr int FindControlClass(std::wstring_view name) {
    for (size_t i = 0; i < std::size(kControlClasses); ++i) {
        if (kControlClasses[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

constexpr ControlFamily ControlFamilyOf(std::wstring_view name) {
    const int index = FindControlClass(name);
    // A name outside the table stops the compilation of its registration here.
    return index >= 0 ? kControlClasses[index].family
                      : throw "not a control class name of the factories";
}

using ControlMaker = std::unique_ptr<MControl> (*)(const ControlRequest&);

// Builds a T from a request with the arguments of `family`.
template <typename T, ControlFamily family>
std::unique_ptr<MControl> MakeControl(const ControlRequest& r) {
    const wchar_t* text = r.text != nullptr ? r.text : L"";
    if constexpr (family == ControlFamily::kText) {
        return std::make_unique<T>(r.parent, r.id, r.rect, text, r.visible, r.enabled);
    } else if constexpr (family == ControlFamily::kTextEnabled) {
        return std::make_unique<T>(r.parent, r.id, r.rect, text, r.visible, 1);
    } else if constexpr (family == ControlFamily::kLabel) {
        return std::make_unique<T>(r.parent, r.id, r.rect, text, r.visible);
    } else if constexpr (family == ControlFamily::kPlain) {
        return std::make_unique<T>(r.parent, r.id, r.rect, r.visible, r.enabled);
    } else if constexpr (family == ControlFamily::kPlainEnabled) {
        return std::make_unique<T>(r.parent, r.id, r.rect, r.visible, 1);
    } else {
        return std::make_unique<T>(r.parent, r.id, r.rect, r.visible);
    }
}

// Makes `make` the maker of the class `name`; false for a name outside the table or one
// that has a maker already (the first stays).
LUMOUI_API bool RegisterControlClass(const wchar_t* name, ControlMaker make);

// The new control, not yet attached to a manager or a list; none for an empty class name,
// one that `factory` does not know, or one whose class is not registered.
LUMOUI_API std::unique_ptr<MControl> ConstructControl(ControlFactory factory,
                                                      const ControlRequest& request);

}  // namespace LumoUI

// Registers class `Class` (named as it is spelt) with the factories, at library load.
#define LUMOUI_REGISTER_CONTROL(Class)                                                     \
    namespace {                                                                            \
    [[maybe_unused]] const bool kRegistered##Class = ::LumoUI::RegisterControlClass(       \
        L## #Class, &::LumoUI::MakeControl<Class, ::LumoUI::ControlFamilyOf(L## #Class)>); \
    }
