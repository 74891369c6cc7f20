// A window's message overlay: a short text shown in a light box over the controls, held for 3
// seconds and then faded out, or a progress bar with its text that climbs to its target and
// fades out once it reaches 100. Its timers are window timers of the paint manager's window.
#pragma once

#include <optional>

#include "lumoui/base/cstring.h"
#include "lumoui/base/geometry.h"
#include "lumoui/gfx/device_context.h"
#include "lumoui/gfx/font_family.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

class PaintManager;

// How serious a message is; stored with it, not shown.
enum MsgLevel { MsgLevelInfo = 0, MsgLevelWarning = 1, MsgLevelError = 2 };

class MessageOverlay {
public:
    static constexpr UINT kHoldTimer = 66;
    static constexpr UINT kFadeTimer = 88;
    static constexpr UINT kProgressTimer = 99;
    static constexpr UINT kHoldMs = 3000;
    static constexpr UINT kFadeMs = 50;
    static constexpr UINT kProgressMs = 10;

    explicit MessageOverlay(PaintManager& manager);

    // Shows `text` in `rect` at full opacity, held for 3 s before it fades.
    void SetMessage(const CString& text, CRect rect, MsgLevel level);
    // Shows the progress bar climbing to `percent` (nothing when that is the target already);
    // an empty rectangle spans `client`'s width above its bottom edge.
    void SetProgress(int percent, const CString& text, CRect rect, CRect client);
    // One of the overlay's timers fired; false for any other identifier.
    bool OnTimer(UINT id);
    // Stops the timers (the window goes away).
    void Stop();

    // Drawn while its opacity is above 10 and it has a text.
    bool IsShown() const { return opacity_ > 10 && !text_.empty(); }
    void Draw(HDC& dc, const std::optional<FontFamily>& family) const;

    int GetOpacity() const { return opacity_; }
    int GetProgress() const { return progress_; }
    int GetTargetProgress() const { return target_; }
    MsgLevel GetLevel() const { return level_; }
    CRect GetRect() const { return rect_; }
    const CString& GetText() const { return text_; }
    const CString& GetFaceName() const { return faceName_; }

private:
    void StartTimer(UINT id, UINT ms);
    void StopTimer(UINT id);
    void StartFade();
    void Invalidate();

    PaintManager& manager_;
    CString text_;
    MsgLevel level_ = MsgLevelInfo;
    int opacity_ = 0;
    int progress_ = 0;
    int target_ = 0;
    bool withProgress_ = false;
    CRect rect_;
    CString faceName_;
};

}  // namespace LumoUI
