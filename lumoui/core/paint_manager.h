// The part of a toolkit window that owns its control tree: the area layer (drawn first) and
// the control layer of top-level controls, and the routing of paint, mouse, key and tooltip
// traffic between the window system and the controls. One per window (embedded in MDialog and
// the pop-up windows); created before the window, attached by Init, released when the window
// is destroyed.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "lumoui/base/colors.h"
#include "lumoui/base/cstring.h"
#include "lumoui/core/image_cache.h"
#include "lumoui/core/m_control.h"
#include "lumoui/gfx/font_family.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

class MWindow;
class TooltipWindow;

class LUMOUI_API PaintManager {
public:
    // The tooltip has no owner.
    static constexpr UINT kNoTooltipOwner = 0xFFFFFFFF;

    PaintManager();
    ~PaintManager();
    PaintManager(const PaintManager&) = delete;
    PaintManager& operator=(const PaintManager&) = delete;

    // Attaches to the window `hwnd`, wrapped by `window`; `owner` is the object whose
    // controls these are (the dialog). Called on the window's thread.
    void Init(HWND hwnd, MWindow* window, MObject* owner);
    bool IsInitialized() const { return initialized_; }
    // Deletes both layers with all their controls, the tooltip window and pending requests
    // (at WM_NCDESTROY, and by the destructor).
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
    // Background and frame colours of the window (the frame is the 1-pixel edge).
    void SetBackColor(COLORREF back, COLORREF frame);
    COLORREF GetBackColor() const { return backColor_; }
    COLORREF GetFrameColor() const { return frameColor_; }

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
    // side, decoded once per window; none when it cannot be loaded.
    const ImgResInfo* AddImgResInfo(const wchar_t* relativePath, int count);
    // The family for toolkit text: always that of the toolkit-wide face, whatever `face`.
    std::optional<FontFamily> FindTempFont(const wchar_t* face);

private:
    struct PendingUpdate {
        CRect rect;
        int code = 0;
        MControl* control = nullptr;
    };

    // Paint pass: background, area layer, control layer, presented through the window system.
    LRESULT OnPaint();
    void DrawBackground(HDC& dc, CRect client);
    void DrawControls(HDC& dc, CRect clip);
    void RunPendingUpdates();

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

    ImageCache images_;
    std::mutex fontLock_;
    std::optional<FontFamily> fontFamily_;
    CString fontFamilyName_;
};

}  // namespace LumoUI
