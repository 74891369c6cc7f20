// The tooltip of a toolkit window, drawn by the toolkit itself: a top-level tip window owned
// by the dialog that shows one text at a time below the mouse, lets the mouse through and
// never takes activation. A click or the wheel hides it, as with any tooltip.
#pragma once

#include "lumoui/base/cstring.h"
#include "lumoui/core/m_window.h"

namespace LumoUI {

class TooltipWindow final : public MWindow {
public:
    // Creates the (hidden) tip window owned by `owner`.
    explicit TooltipWindow(HWND owner);

    const wchar_t* GetWindowClassName() const override { return L"tooltips_class32"; }
    LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;

    // Shows `text` (wrapped at 256 pixels) below the screen point `cursor`.
    void Show(const CString& text, CPoint cursor);
    void Hide();
    bool IsShown() const { return shown_; }
    // A mouse message of the owner: presses and the wheel hide the tip.
    void RelayEvent(const MSG& msg);

private:
    void Paint();

    CString text_;
    bool shown_ = false;
};

}  // namespace LumoUI
