// The windowless control: a rectangle in its window's client pixels that paints itself into the
// window's back buffer through a cached image, owns child controls (drawn on top of it, in
// list order) and area children (drawn beneath it), and gets mouse, key and timer input
// routed down to it by its window.
//
// How a control is made: a window's paint manager or a container creates it (by class name
// through the factory, or AddControl / AddArea with an object made by a derived control),
// gives it the paint manager (SetManager, which calls InitControl) and appends it to a list.
// The owner deletes its children.
//
// Points: a control's rectangle and the points its router receives are in its parent's
// coordinates (the window's client pixels, or a scrolled container's content pixels). The
// router passes the point through OnMousePointChange before it calls the control's own
// OnControl... hooks and its children, so a scrolled container sees content coordinates;
// children with identifier 1 or 2 (a container's scroll bars) get the point as received.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "lumoui/base/cstring.h"
#include "lumoui/core/m_object.h"
#include "lumoui/gfx/bitmap.h"
#include "lumoui/gfx/device_context.h"

namespace LumoUI {

class PaintManager;

class LUMOUI_API MControl : public MObject {
public:
    using ControlList = std::vector<std::unique_ptr<MControl>>;
    using ListLock = std::unique_lock<std::recursive_mutex>;

    MControl(MObject* parent, UINT id, CRect rect, int visible, int enabled, int response);
    ~MControl() override;

    const wchar_t* GetClassNameW() const override;  // "TalControl"
    // Notifications from children go to OnMessage.
    LRESULT OnBaseMessage(UINT id, UINT code, UINT wparam, LPARAM lparam) override;
    // A child's repaint request goes on to this control's parent unchanged (a container that
    // scrolls or caches its children overrides it).
    LRESULT OnControlUpdate(CRect rect, int code, MControl* control) override;

    // --- hooks ---
    // Once, when the control gets its paint manager.
    virtual void InitControl(PaintManager* manager);
    // Visible and `pt` inside the rectangle.
    virtual int PtInRect(CPoint pt);
    // Paints the control into `dc` (the window's back buffer) at its rectangle: when the
    // cached image is stale, UpdateMemDC, copy the back-buffer pixels under the control into
    // MemDC(), render on top; then copy MemDC() (or the slice of the current state) to `dc`.
    //     if (!GetUpdate() && BeginMemDC(dc)) { Graphics g(MemDC()); ... }
    //     CopyMemDC(dc);
    virtual void DrawControl(HDC& dc, CRect clip) = 0;
    // Draws the visible children in list order; 1.
    virtual int DrawSubControls(HDC& dc, CRect clip);
    virtual int IsDraw(CPoint pt);
    // Sets the cached-image flag and passes the call to every child that overlaps this one.
    virtual void SetUpdate(int valid, DWORD backColor);
    // With 0, takes the focus from every child. Controls that show focus set focused_ here.
    virtual int SetControlFocus(int focus);
    virtual void InitUI(CRect rect);
    // A scrolled container moves `pt` into its content coordinates here.
    virtual int OnMousePointChange(CPoint& pt);
    // Whether the control wants the mouse at `pt` (1).
    virtual int OnCheckMouseResponse(UINT flags, CPoint pt);
    // Raw window messages offered to top-level controls before the toolkit's routing; a
    // non-zero result consumes the message.
    virtual LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam);
    virtual LRESULT OnMessage(UINT id, UINT code, UINT wparam, LPARAM lparam);
    virtual void SetControlRect(CRect rect);
    virtual void SetControlVisible(int visible);
    virtual void SetControlWndVisible(int visible);  // controls that host a real window
    virtual void SetControlEnabled(int enabled);
    // One animation tick; non-zero when the control changed.
    virtual int OnControlTimer();
    // The picture shown while the control is dragged; none.
    virtual const Bitmap* GetControlDropBitmap();
    virtual int OnControlMouseMove(UINT flags, CPoint pt);
    // Sets the control's cursor when it has one and `pt` is inside (1).
    virtual int OnControlSetCursor(UINT flags, CPoint pt);
    virtual int OnControlLButtonDown(UINT flags, CPoint pt);
    virtual int OnControlLButtonUp(UINT flags, CPoint pt);
    virtual int OnControlLButtonDblClk(UINT flags, CPoint pt);
    // kind 1: the wheel; direction 1 down, 0 up.
    virtual int OnControlScroll(int kind, UINT direction, CPoint pt);
    virtual int OnControlRButtonDown(UINT flags, CPoint pt);
    virtual int OnControlRButtonUp(UINT flags, CPoint pt);
    virtual int OnControlRButtonDblClk(UINT flags, CPoint pt);
    // `modifier`: 16 Shift, 17 Ctrl, 18 Alt, OR-ed. Non-zero when handled.
    virtual int OnControlKeyDown(UINT vk, UINT repeat, UINT modifier);
    virtual void OnPositionChange();
    // Invalidates the control's whole rectangle in its window (the whole client area, erased,
    // for a layered window); the argument is not used.
    virtual void InvalidateRect(const RECT* rect, int erase);

    // --- routers: the window calls these, they call the hooks above ---
    int OnMouseMove(UINT flags, CPoint pt);
    int OnLButtonDown(UINT flags, CPoint pt);
    int OnLButtonUp(UINT flags, CPoint pt);
    int OnLButtonDblClk(UINT flags, CPoint pt);
    int OnRButtonDown(UINT flags, CPoint pt);
    int OnRButtonUp(UINT flags, CPoint pt);
    int OnRButtonDblClk(UINT flags, CPoint pt);
    int OnScroll(int kind, UINT direction, CPoint pt);
    // Descends to the focused child, then: its hot child, its own hook, its children.
    int OnKeyDown(UINT vk, UINT repeat, UINT modifier);
    int OnKeyUp(UINT vk, UINT repeat, UINT modifier);
    // OnControlTimer, then the ticks of the visible children whose run-timer flag is set.
    int OnTimer();
    // Area children, the control, then its children; nothing when invisible or outside `clip`.
    void Draw(HDC& dc, CRect clip);

    // --- geometry, identity, owner ---
    // Moves the control; a visible one asks for the old and the new place to be repainted.
    void SetRect(CRect rect);
    void SetRect(int x, int y, int width, int height);
    CRect GetRect() const { return rect_; }
    UINT GetControlID() const { return id_; }
    MObject* GetParantObject() const { return parent_; }
    void SetParent(MObject* parent) { parent_ = parent; }
    PaintManager* GetManager() const { return manager_; }
    // Stores the manager, then calls InitControl.
    void SetManager(PaintManager* manager);

    // --- flags ---
    // Changes (and asks for a repaint) only when the value differs; with notify 0 the
    // repaint request is left out.
    void SetVisible(int visible);
    void SetVisible(int visible, int notify);
    void SetEnabled(int enabled);
    int IsVisible() const { return visible_; }
    int IsEnabled() const { return enabled_; }
    int IsFocused() const { return focused_; }
    int IsTabStop() const { return tabStop_; }
    void SetTabStop(int on) { tabStop_ = on; }
    int GetDblClk() const { return dblClk_; }
    int GetRresponse() const { return response_; }
    void SetRresponse(int on) { response_ = on; }
    int IsDragDrop() const { return dragDrop_; }
    void SetDragDrop(int on) { dragDrop_ = on; }
    int IsRunTimer() const { return runTimer_; }
    void SetRunTimer(int on) { runTimer_ = on; }
    int IsKeyDown() const { return keyDown_; }
    int GetUpdate() const { return update_; }
    // 0 when a parent on the way up to the window is hidden, or when there is no parent.
    int IsParentVisible() const;
    void SetControlCursor(HCURSOR cursor) { cursor_ = cursor; }

    // --- repaint requests and notifications ---
    // Asks the parent to repaint the control (code: see MObject::OnControlUpdate) when it is
    // visible or `force` is set. This is what to call after changing a control's content.
    void UpdateControl(int code, int force);
    void UpdateControl(CRect rect, int force, int code);
    // A repaint with the cached image kept; the animation image is dropped unless
    // `keepAnimation` is set.
    void UpdateAControl(int keepAnimation, int force);
    // Sends the parent OnBaseMessage(this control's id, code, wparam, lparam).
    LRESULT SendMessageW(UINT code, UINT wparam, LPARAM lparam);

    // --- children ---
    // Takes ownership of `child` and appends it to the children (drawn above this control) or
    // the area children (drawn beneath it); the child gets this control's manager when there
    // is one. The child, or none when none was given.
    MControl* AddControl(std::unique_ptr<MControl> child);
    MControl* AddArea(std::unique_ptr<MControl> child);
    // Depth first: each child and its subtree, then each area child and its subtree.
    MControl* GetControl(UINT id);
    // Deletes a child; the window's focus is cleared when it is the focus control. 0.
    int RemoveControl(MControl* child);
    void RemoveAllControl();
    // Hold the lock while reading the list; the animation timer walks it from its thread.
    const ControlList& GetControls() const { return children_; }
    const ControlList& GetAreaControls() const { return areas_; }
    ListLock LockControls() const { return ListLock(childrenLock_); }
    ListLock LockAreaControls() const { return ListLock(areasLock_); }

    // --- animation ---
    // Registers the control with its window's animation timer: while the run-timer flag is
    // set and the control and all its parents are visible, each tick calls OnTimer() on the
    // timer's thread. Needs the paint manager (call it in InitControl or later).
    void AddMTimer();

    // --- tooltip, focus ---
    // The text shown while the mouse rests on the control.
    void SetTooltip(const wchar_t* text);
    const CString& GetTooltip() const { return tooltip_; }
    // Shows `text` at once as the window's tooltip and makes this control its owner.
    void SetTooltip(const CString& text, CRect rect);
    void ClearTooltip();
    void OnFocus(int focus) { SetControlFocus(focus); }
    bool IsFocusControl() const;

    // --- cached images ---
    // Marks the cached image valid and gives it a w x h bitmap (replaced only when the size
    // differs); MemDC() draws on it.
    void UpdateMemDC(HDC& dc, int width, int height);
    // The same for the animation image, whose bitmap is always replaced.
    void UpdateAnimateDC(HDC& dc, int width, int height);
    // The first step of drawing a stale cache: UpdateMemDC at the control's size, then the
    // back-buffer pixels beneath the control copied into it, so that transparent parts of
    // what the control renders on top show them. False (nothing done) for an empty control.
    bool BeginMemDC(HDC& dc);
    // The last step, always: the cache (from x = `sourceX`, the slice of the current state
    // in a multi-state cache) copied to the back buffer at the control's rectangle.
    void CopyMemDC(HDC& dc, int sourceX = 0);

protected:
    HDC& MemDC() { return memDC_; }
    HDC& AnimateDC() { return animDC_; }
    CSize MemSize() const { return memBitmap_.Size(); }
    int GetAnimateUpdate() const { return animUpdate_; }
    // The point a child gets: as received for a container's scroll bars (1 and 2), else
    // the one moved by OnMousePointChange.
    static CPoint PointFor(const MControl& child, CPoint received, CPoint shifted);

    MObject* parent_ = nullptr;
    PaintManager* manager_ = nullptr;
    UINT id_ = 0;
    CRect rect_;
    std::atomic<int> visible_;
    std::atomic<int> enabled_;
    int dragDrop_ = 0;
    int response_ = 1;
    int tabStop_ = 0;
    int dblClk_ = 0;
    int mouseDownInside_ = 0;
    int keyDown_ = 0;
    int focused_ = 0;
    UINT accelVk_ = 0;
    UINT accelModifier_ = 0;
    std::atomic<int> update_{0};
    std::atomic<int> animUpdate_{0};
    std::atomic<int> runTimer_{0};
    MControl* hot_ = nullptr;
    CString tooltip_;
    HCURSOR cursor_ = nullptr;

private:
    friend class PaintManager;

    // Sends a repaint request to the parent, or, off the window's thread, marks the cache
    // and leaves the request with the paint manager for the window thread.
    void RequestUpdate(CRect rect, int code);
    // Detaches a child from a list without deleting it; none when it is not there.
    std::unique_ptr<MControl> TakeChild(MControl* child);
    // The left and right button routers share these steps.
    using Router = int (MControl::*)(UINT, CPoint);
    int RoutePress(UINT flags, CPoint pt, Router press, Router hook);
    int RouteRelease(UINT flags, CPoint pt, Router release, Router hook);
    int RouteDblClk(UINT flags, CPoint pt, Router dblClk, Router press, Router dblClkHook);

    mutable std::recursive_mutex areasLock_;
    ControlList areas_;
    mutable std::recursive_mutex childrenLock_;
    ControlList children_;

    Bitmap memBitmap_;
    HDC memDC_;
    Bitmap animBitmap_;
    HDC animDC_;
};

}  // namespace LumoUI
