// The text caret that the toolkit draws for its windowless edit controls: a rectangle in the
// owner's text colour, blinking with the system's caret blink time on window timer 6553, shown
// while its owner has the focus and the window has the keyboard focus.
#pragma once

#include "lumoui/base/geometry.h"
#include "lumoui/gfx/device_context.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

class MControl;
class PaintManager;

class ToolkitCaret {
public:
    static constexpr UINT kBlinkTimer = 6553;

    explicit ToolkitCaret(PaintManager& manager) : manager_(manager) {}

    // Sizes the caret.
    void Create(int width, int height);
    // Moves the caret to (x, y) for `owner`; its old and new places are repainted.
    void SetPos(MControl* owner, int x, int y);
    // 1 starts the blinking (the caret shows at once), 0 stops it and removes the caret.
    void Show(int show);
    // The blink timer fired: the caret flips between shown and hidden.
    void OnTimer();
    // The owner is going away.
    void Forget(MControl* control);

    // Draws the caret when it is in its visible phase and its owner and window have the
    // focus; otherwise the blinking stops and the caret stays away.
    void Draw(HDC& dc);

    MControl* GetOwner() const { return owner_; }
    CRect GetRect() const { return rect_; }
    bool IsShown() const { return shown_; }
    bool IsInVisiblePhase() const { return visiblePhase_; }

private:
    void Invalidate(CRect rect);

    PaintManager& manager_;
    MControl* owner_ = nullptr;
    CRect rect_;
    bool shown_ = false;
    bool visiblePhase_ = false;
};

}  // namespace LumoUI
