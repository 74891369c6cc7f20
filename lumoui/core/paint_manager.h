// The part of a toolkit window that owns its control tree: the area layer (drawn first) and
// the control layer of top-level controls, and the routing of paint, mouse, key, timer and
// tooltip traffic between the window system and the controls. One per window (embedded in
// MDialog and the pop-up windows); created before the window, attached by Init, released when
// the window is destroyed. It also holds the window's background, message overlay and caret,
// its image cache and fonts, its animation timer and the window timers of its controls.
//
// Timers for controls:
// - Animation: the window starts one periodic timer (SetMTimer, 10 ms in the program); every
//   control registered with AddMTimer whose run-timer flag is set and that is visible with all
//   its parents gets OnTimer() on each tick, on the timer's thread. Such a control locks what
//   its OnControlTimer shares with its drawing and asks for repaints with UpdateControl.
// - Control timers: SetTimer(control, key, ms) starts a window timer for (control, key);
//   each WM_TIMER of it runs control->OnTimer() on the window thread. The window-timer
//   identifiers come from a counter (17, 18, ...; 66, 88, 99 and 6553 are the window's own).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "lumoui/base/colors.h"
#include "lumoui/base/cstring.h"
#include "lumoui/core/font_registry.h"
#include "lumoui/core/image_cache.h"
#include "lumoui/core/m_control.h"
#include "lumoui/core/message_overlay.h"
#include "lumoui/core/rk_timer.h"
#include "lumoui/core/toolkit_caret.h"
#include "lumoui/gfx/bitmap.h"
#include "lumoui/gfx/font_family.h"
#include "lumoui/gfx/image.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

class MWindow;
class TooltipWindow;

// How the background image is drawn: at its natural size at the client origin, or as a
// nine-grid frame stretched over the whole client area.
enum enumBackMode { BackModeNormal = 0, BackModeFrame = 1 };

class LUMOUI_API PaintManager : public RKTimer {
public:
    // The tooltip has no owner.
    static constexpr UINT kNoTooltipOwner = 0xFFFFFFFF;
    // The toolkit's own scroll bar images (resources of the toolkit).
    static constexpr UINT kScrollVerticalResource = 102;
    static constexpr UINT kScrollHorizontalResource = 101;
    // The toolkit's own font resource, made usable by face name at Init.
    static constexpr UINT kFontResource = 106;
    // The window timer that ends the pause between two paint passes.
    static constexpr UINT kRepaintTimer = 6560;
    // The pause after each paint pass, which caps the repaint rate of the window.
    static constexpr UINT kRepaintPauseMs = 15;

    PaintManager();
    ~PaintManager();
    PaintManager(const PaintManager&) = delete;
    PaintManager& operator=(const PaintManager&) = delete;

    // Attaches to the window `hwnd`, wrapped by `window`; `owner` is the object whose
    // controls these are (the dialog). Registers the private fonts of the font folder and the
    // toolkit's font, and selects the toolkit's scroll bar images. Called on the window's
    // thread.
    void Init(HWND hwnd, MWindow* window, MObject* owner);
    bool IsInitialized() const { return initialized_; }
    // Stops every timer, deletes both layers with all their controls, the tooltip window and
    // pending requests, and empties the image cache and the fonts (at WM_NCDESTROY, and by the
    // destructor).
    void Release();

    HWND GetPaintWnd() const { return hwnd_; }
    MWindow* GetMDialog() const { return window_; }
    MObject* GetOwner() const { return owner_; }
    // True on the thread that owns the window, and before Init.
    bool IsWindowThread() const;

    // --- messages ---
    // The toolkit's handling of a window message. None: not handled, the window's default
    // procedure gets it. A top-level control whose OnWindowMessage consumes the message
    // makes it 0 without the default procedure.
    std::optional<LRESULT> OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam);
    // Tab and Shift+Tab move the focus among the tab stops (1 when it moved: the message is
    // consumed); mouse messages are shown to the tooltip.
    int PreTranslateMessage(MSG* msg);

    // --- layers ---
    // Takes ownership, gives the control this manager (InitControl) and appends it. The
    // control, or none when none was given.
    MControl* AddControl(std::unique_ptr<MControl> control);
    MControl* AddArea(std::unique_ptr<MControl> control);
    // Makes a control by class name with `parent` as its owner; kind 1 appends it to the
    // control layer, 0 to the area layer. None for a class name the factory does not know.
    MControl* CreateControl(UINT kind, MObject* parent, const wchar_t* className, UINT id,
                            CRect rect, const wchar_t* text, int visible, int enabled);
    MControl* CreateControl(MObject* parent, const wchar_t* className, UINT id, CRect rect,
                            const wchar_t* text, int visible, int enabled);
    MControl* CreateArea(MObject* parent, const wchar_t* className, UINT id, CRect rect,
                         const wchar_t* text, int visible, int enabled);
    // Deletes a top-level control (control layer); 1 when it was there.
    int RemoveControl(MControl* control);
    // Controls taken out of a list are about to be deleted: they and their descendants stop
    // getting animation ticks first, so that no tick reaches a control being destroyed.
    void ForgetSubtrees(const MControl::ControlList& doomed);
    void ClearControls();
    void ClearAreaControls();
    void ClearAllControls();
    // The control layer, then the area layer, each depth first.
    MControl* GetControl(UINT id);
    // Hold the lock while reading a layer; the animation timer walks them from its thread.
    const MControl::ControlList& GetControls() const { return controls_; }
    const MControl::ControlList& GetAreaControls() const { return areas_; }
    MControl::ListLock LockControls() const { return MControl::ListLock(controlsLock_); }
    MControl::ListLock LockAreaControls() const { return MControl::ListLock(areasLock_); }

    // --- repaint requests ---
    // A control's request: its cache (code != 0) and those of the later top-level controls
    // that overlap `rect` are marked stale, and the window is invalidated over all of them.
    // Dropped while there is no window.
    LRESULT OnControlUpdate(CRect rect, int code, MControl* control);
    // A request made off the window's thread: the window is invalidated at once and the
    // request is carried out on the window's thread before the next paint.
    void QueueUpdate(CRect rect, int code, MControl* control);
    // The whole client area, without erasing.
    void Invalidate();
    // The rectangle; the whole client area, erased, for a layered window.
    void InvalidateRect(CRect rect, int erase);
    // Background and frame colours of the window (the frame is the 1-pixel edge), drawn when
    // there is no background image.
    void SetBackColor(COLORREF back, COLORREF frame);
    COLORREF GetBackColor() const { return backColor_; }
    COLORREF GetFrameColor() const { return frameColor_; }

    // --- painting ---
    // The background image: a skin file (relative to the skin folder) or an image resource of
    // the program (Manager::GetInstance()). It replaces the previous one; 0 when it cannot be
    // loaded, and the window has no background image then.
    int LoadBKImage(const CString& relativePath);
    int LoadBKImage(UINT resourceId, const CString& resourceType);
    const Image* GetBKImage() const { return backImage_.get(); }
    // How the background image is drawn, and the corner size of the nine-grid mode.
    void SetBackMode(enumBackMode mode, int corner);
    enumBackMode GetBackMode() const { return backMode_; }
    int GetBackCorner() const { return backCorner_; }
    // The scroll bar images of the window's containers: toolkit resources (102 and 101 after
    // Init), or the skin files when 0.
    void SetScrollResID(UINT vertical, UINT horizontal);
    UINT GetScrollVID() const { return scrollVertical_; }
    UINT GetScrollHID() const { return scrollHorizontal_; }
    // The text colour of disabled controls (GDI colour).
    COLORREF GetDefaultEnabledColor() const { return disabledTextColor_; }
    void SetDefaultEnabledColor(COLORREF color) { disabledTextColor_ = color; }
    // The shortest time between the end of one paint pass and the start of the next; a paint
    // that comes sooner is held back until then. kRepaintPauseMs on real time; 0 on virtual
    // time, where time only moves when a test moves it.
    void SetRepaintPause(UINT ms) { repaintPauseMs_ = ms; }
    UINT GetRepaintPause() const { return repaintPauseMs_; }

    // --- message overlay ---
    // A message over the controls, held for 3 s and then faded out.
    void SetMessage(const CString& text, CRect rect, MsgLevel level);
    // A progress bar with its text climbing to `percent`; an empty rectangle spans the client
    // width above the bottom edge. It fades out once it reaches 100.
    void SetProgress(int percent, const CString& text, CRect rect);
    const MessageOverlay& GetMessageOverlay() const { return overlay_; }

    // --- caret ---
    // The caret of the toolkit's edit controls (see ToolkitCaret).
    void CreateCaret(int width, int height);
    void SetCaretPos(MControl* owner, int x, int y);
    void ShowCaret(int show);
    MControl* GetCurrentCaretObject() const { return caret_.GetOwner(); }
    const ToolkitCaret& GetCaret() const { return caret_; }

    // --- focus and hover ---
    MControl* GetFocusControl() const { return focus_; }
    // The old focus control gets SetControlFocus(0), the new one SetControlFocus(1).
    void SetFocusControl(MControl* control);
    MControl* GetHoverControl() const { return hover_; }
    // A control is being deleted: the manager drops every reference to it.
    void ForgetControl(MControl* control);

    // --- tooltip ---
    // Shows `text` at once below the mouse (an empty text clears the tooltip).
    void SetTooltip(const CString& text, CRect rect);
    // Hides the tooltip, empties its text and clears its owner.
    void ClearTooltip();
    UINT GetTooltipCtrlID() const { return tooltipOwner_; }
    void SetTooltipCtrlID(UINT id) { tooltipOwner_ = id; }
    const CString& GetTooltipText() const { return tooltipText_; }
    HWND GetTooltipWnd() const;

    // --- window settings ---
    void SetCaptionRect(CRect rect) { captionRect_ = rect; }
    CRect GetCaptionRect() const { return captionRect_; }
    // Limits of the window size; 0 leaves a direction unlimited.
    void SetWindowMaxSize(int width, int height) { maxSize_ = CSize(width, height); }
    void SetWindowMixSize(int width, int height) { minSize_ = CSize(width, height); }
    CSize GetWindowMinSize() const { return minSize_; }
    CSize GetWindowMaxSize() const { return maxSize_; }
    // Per-pixel alpha: the window is presented with UpdateLayeredWindow.
    void SetLayeredWindow(int on) { layered_ = on != 0; }
    bool IsLayered() const { return layered_; }
    // A press on no control drags the whole window (on by default).
    void EnableWndDrag(int on) { wndDrag_ = on != 0; }
    bool IsWndDragEnabled() const { return wndDrag_; }
    bool IsCaptured() const { return captured_; }
    // A press on a drag-enabled control arms a drag of it until the button is released.
    bool IsDragArmed() const { return dragArmed_; }

    // --- images and fonts ---
    // A skin image (path relative to the skin folder) split into `count` frames side by
    // side, decoded once per window; none when it cannot be loaded. The first request's count
    // sets the frame width; a failed load is tried again on the next request.
    const ImgResInfo* AddImgResInfo(const wchar_t* relativePath, int count);
    // The same for an image resource of the program (`fromProgram` non-zero) or the toolkit.
    const ImgResInfo* AddImgResInfo(UINT resourceId, const CString& resourceType, int count,
                                    int fromProgram);
    void ClearImgResInfo();
    // Registers a private font file (or a font resource of the toolkit) under `name`; its
    // family, none when it holds no font.
    std::optional<FontFamily> AddTempFont(const wchar_t* name, const wchar_t* fontFilePath);
    std::optional<FontFamily> AddTempFont(const wchar_t* name, UINT resourceId);
    // Makes a font resource of the toolkit usable by its face name.
    int AddGDITempFont(UINT resourceId);
    // The family for toolkit text: always that of the toolkit-wide face
    // (Manager::GetFontName()), whatever `face` says: the registered private font of that
    // name, else the installed one; none when neither exists (no text is drawn then).
    std::optional<FontFamily> FindTempFont(const wchar_t* face);
    void ClearTempFont();

    // --- animation timer ---
    // Starts the window's animation timer (killing an earlier one); its identifier.
    UINT SetMTimer(UINT intervalMs);
    // Stops all of this window's periodic timers.
    void KillMTimer();
    // Stops one of them; 1 when the window had it.
    int KillMTimer(UINT id);
    UINT GetMTimerID() const { return animationTimer_; }
    // Registers a control for animation ticks (once; it stays registered until removed or
    // deleted). DeleteTalTimer: 1 when it was registered.
    void AddMTimer(MControl* control);
    int DeleteTalTimer(MControl* control);
    // A tick: the registered controls that are visible, with all their parents, and have
    // their run-timer flag set get OnTimer(). On the timer's thread.
    void OnMTimer(UINT id) override;
    using RKTimer::OnMTimer;

    // --- control timers (window thread only) ---
    // Starts window timer `key` of `control` every `elapseMs`: 1 when started; 0 when it runs
    // already or the window refuses it. A killed one restarts with its old identifier.
    int SetTimer(MControl* control, UINT key, UINT elapseMs);
    // Stops it (1), 0 when it does not run.
    int KillTimer(MControl* control, UINT key);
    // Stops and forgets every timer of the control.
    void KillTimer(MControl* control);
    // Stops and forgets every control timer.
    void ClearTimers();
    // The window-timer identifier of (control, key); 0 when there is none.
    UINT GetTimerID(MControl* control, UINT key) const;
    using RKTimer::KillTimer;
    using RKTimer::SetTimer;

private:
    struct PendingUpdate {
        CRect rect;
        int code = 0;
        MControl* control = nullptr;
    };

    struct ControlTimer {
        HWND hwnd = nullptr;
        UINT key = 0;
        UINT id = 0;  // the window-timer identifier
        bool killed = false;
        MControl* control = nullptr;
    };

    // Paint pass: background, area layer, control layer, caret, overlay, presented through
    // the window system.
    LRESULT OnPaint();
    // Holds a paint back while the pause after the last pass lasts; true when it did.
    bool DeferPaint();
    void OnRepaintTimer();
    // The background over `bounds` (the client area, or less: see PaintBounds).
    void DrawBackground(HDC& dc, CRect client, CRect bounds);
    // What a pass limited to `clip` reads or shows of the back buffer: the clip and the
    // rectangles of every control drawn in it. Elsewhere the buffer may keep the last pass's
    // pixels, since nothing of this pass looks at them.
    CRect PaintBounds(CRect clip) const;
    void DrawControls(HDC& dc, CRect clip);
    void RunPendingUpdates();
    // Timers: the window's own, then those of its controls.
    void OnWindowTimer(UINT id);
    UINT NextControlTimerID() const;
    void ReleaseTimers();

    // Input.
    void OnMouseMove(UINT flags, CPoint pt);
    void OnButtonDown(UINT flags, CPoint pt, bool left);
    void OnButtonUp(UINT flags, CPoint pt, bool left);
    void OnButtonDblClk(UINT flags, CPoint pt, bool left);
    // A release or double click for the hover control, which stops being the hover control
    // when the point lies outside it.
    void RouteToHover(UINT flags, CPoint pt, int (MControl::*router)(UINT, CPoint));
    void OnMouseLeave();
    void OnDeactivate();
    LRESULT OnMouseWheel(WPARAM wparam, LPARAM lparam);
    LRESULT OnKeyDown(UINT vk);
    bool MoveFocus(bool forward);
    void LimitSize(WINDOWPOS* pos) const;
    void FillMinMaxInfo(MINMAXINFO* info) const;
    void ReleaseMouse();

    // The top-level control that holds `control` (itself when it is one).
    static MControl* TopLevelOf(MControl* control);

    HWND hwnd_ = nullptr;
    MWindow* window_ = nullptr;
    MObject* owner_ = nullptr;
    DWORD ownerThread_ = 0;
    bool initialized_ = false;
    CRect captionRect_;
    CSize maxSize_;
    CSize minSize_;
    bool layered_ = false;
    bool tracking_ = false;
    bool dragArmed_ = false;
    bool buttonHeld_ = false;
    bool captured_ = false;
    bool wndDrag_ = true;
    MControl* hover_ = nullptr;
    MControl* focus_ = nullptr;
    std::unique_ptr<TooltipWindow> tooltip_;
    CString tooltipText_;
    UINT tooltipOwner_ = kNoTooltipOwner;
    COLORREF backColor_;
    COLORREF frameColor_;

    mutable std::recursive_mutex areasLock_;
    MControl::ControlList areas_;
    mutable std::recursive_mutex controlsLock_;
    MControl::ControlList controls_;

    std::mutex pendingLock_;
    std::vector<PendingUpdate> pending_;

    // Painting.
    Bitmap backBuffer_;
    std::unique_ptr<Image> backImage_;
    enumBackMode backMode_ = BackModeNormal;
    int backCorner_ = 4;
    UINT scrollVertical_ = 0;
    UINT scrollHorizontal_ = 0;
    COLORREF disabledTextColor_ = 0x808080;
    UINT repaintPauseMs_ = 0;
    uint64_t lastPaintEnd_ = 0;
    bool repaintHeld_ = false;
    CRect heldRect_;
    MessageOverlay overlay_{*this};
    ToolkitCaret caret_{*this};

    ImageCache images_;
    FontRegistry fonts_;

    // Animation.
    std::atomic<UINT> animationTimer_{0};
    mutable std::recursive_mutex animationLock_;
    std::vector<MControl*> animated_;

    // Control timers.
    mutable std::recursive_mutex timersLock_;
    std::vector<ControlTimer> timers_;
    UINT timerCounter_ = 4096;
};

}  // namespace LumoUI
