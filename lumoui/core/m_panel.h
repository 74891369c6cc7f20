// A container with a virtual content size and two built-in scroll bars (its first two
// children, identifiers 1 and 2): the base of lists, pickers, tab pages and rich edits.
//
// While the content is larger than the panel and scrolling is enabled, the panel draws no
// children itself (a derived control draws its scrolled content) and moves mouse points into
// content coordinates. Notifications of its children go on unchanged to its own parent, so a
// control nested in pages reaches the dialog with its own identifier; a derived panel may
// take them first by overriding OnMessage.
#pragma once

#include "lumoui/controls/c_scroll_horizontal.h"
#include "lumoui/controls/c_scroll_vertical.h"
#include "lumoui/core/m_control_font.h"

namespace LumoUI {

class LUMOUI_API MPanel : public MControlFont {
public:
    static constexpr int kScrollThickness = 7;

    MPanel(MObject* parent, UINT id, CRect rect, int visible);

    // A child's repaint request: its cache and those of later children overlapping it go
    // stale, then the panel asks to be repainted.
    LRESULT OnControlUpdate(CRect rect, int code, MControl* control) override;
    // Hands the manager to both scroll bars.
    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC& dc, CRect clip) override;  // the panel itself draws nothing
    int DrawSubControls(HDC& dc, CRect clip) override;
    int OnMousePointChange(CPoint& pt) override;
    // Offered to the children in list order until one handles it.
    LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
    // Passes the notification to the parent.
    LRESULT OnMessage(UINT id, UINT code, UINT wparam, LPARAM lparam) override;
    // Stores the rectangle, drops the virtual size and lays the scroll bars along the right
    // and bottom edges (hidden until a larger virtual size is set).
    void SetControlRect(CRect rect) override;
    // Every child whose state differs follows.
    void SetControlEnabled(int enabled) override;
    // The wheel moves the vertical bar by its step, when scrolling is enabled and the content
    // is not shorter than the panel; 1 when the position changed.
    int OnControlScroll(int kind, UINT direction, CPoint pt) override;

    // The container factory: a control by class name with `parent` as owner, appended to the
    // children (kind 1) or the area children (kind 0); none for an unknown class name.
    virtual MControl* CreateControl(UINT kind, MObject* parent, const wchar_t* className, UINT id,
                                    CRect rect, const wchar_t* text, int visible, int enabled);
    MControl* CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* text,
                            int visible, int enabled);
    MControl* CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* text,
                         int visible, int enabled);
    virtual int OnControlKeyUp(UINT vk, UINT repeat, UINT modifier);

    // The content size; each shows its bar when it exceeds the panel.
    void SetVirtualHeight(int height);
    void SetVirtualWidth(int width);
    int GetVirtualHeight() const { return virtualHeight_; }
    int GetVirtualWidth() const { return virtualWidth_; }
    void SetEnableScroll(int on) { enableScroll_ = on; }
    int GetEnableScroll() const { return enableScroll_; }
    CScrollVertical* GetScrollVertical() const { return vscroll_; }
    CScrollHorizontal* GetScrollHorizontal() const { return hscroll_; }
    // How far the content is scrolled: (virtual - visible) * position / maximum, 0 while
    // the content fits or the maximum is below 1.
    int GetScrollOffsetY() const;
    int GetScrollOffsetX() const;

protected:
    // Whether the children are drawn and hit in place (scrolling off, or content that fits).
    bool ContentFits() const;

    int initialized_ = 0;
    int virtualHeight_ = 0;
    int virtualWidth_ = 0;
    int enableScroll_ = 1;

private:
    void UpdateScrollBars();

    CScrollVertical* vscroll_ = nullptr;
    CScrollHorizontal* hscroll_ = nullptr;
};

}  // namespace LumoUI
