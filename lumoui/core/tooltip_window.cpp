#include "lumoui/core/tooltip_window.h"

#include <algorithm>
#include <cmath>

#include "lumoui/core/manager.h"
#include "lumoui/gfx/graphics.h"
#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

constexpr DWORD kTipStyle = WS_POPUP | 0x3;  // pop-up; the tip's own no-prefix and always-tip
constexpr DWORD kTipExStyle =
    WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
constexpr int kMaxWidth = 256;
constexpr int kPadX = 6;
constexpr int kPadY = 4;
constexpr int kBelowCursor = 20;
constexpr float kTextSize = 12;
constexpr ARGB kBackground = 0xFF1E232B;
constexpr ARGB kFrame = 0xFF3C4450;
constexpr ARGB kText = 0xFFFFFFFF;

Font TipFont() {
    return Font(Manager::GetFontName(), kTextSize);
}

CSize TipSize(const CString& text) {
    Bitmap scratch(1, 1);
    Graphics g(scratch);
    const RectF box =
        g.MeasureString(text, TipFont(), RectF(0, 0, kMaxWidth - 2 * kPadX, 0), StringFormat());
    return CSize(static_cast<int>(std::ceil(box.Width)) + 2 * kPadX,
                 static_cast<int>(std::ceil(box.Height)) + 2 * kPadY);
}

}  // namespace

TooltipWindow::TooltipWindow(HWND owner) {
    Create(owner, L"tooltips_class32", kTipStyle, kTipExStyle, CRect());
}

void TooltipWindow::Show(const CString& text, CPoint cursor) {
    const HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr) {
        return;
    }
    text_ = text;
    const CSize size = TipSize(text);
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CPoint at(cursor.x, cursor.y + kBelowCursor);
    if (at.x + size.cx > work.right) {
        at.x = std::max<int>(work.left, work.right - size.cx);
    }
    if (at.y + size.cy > work.bottom) {
        at.y = cursor.y - size.cy - 4;  // above the pointer near the bottom edge
    }
    ::SetWindowPos(hwnd, HWND_TOPMOST, at.x, at.y, size.cx, size.cy,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(hwnd, nullptr, FALSE);
    shown_ = true;
}

void TooltipWindow::Hide() {
    if (shown_ && GetSafeHwnd() != nullptr) {
        ::ShowWindow(GetSafeHwnd(), SW_HIDE);
    }
    shown_ = false;
}

void TooltipWindow::RelayEvent(const MSG& msg) {
    switch (msg.message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_MOUSEWHEEL:
            Hide();
            break;
        default:
            break;
    }
}

LRESULT TooltipWindow::OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCDESTROY:
            shown_ = false;
            break;
        default:
            break;
    }
    return MWindow::OnWindowMessage(msg, wparam, lparam);
}

void TooltipWindow::Paint() {
    const HWND hwnd = GetSafeHwnd();
    PAINTSTRUCT paint;
    if (!::BeginPaint(hwnd, &paint)) {
        return;
    }
    RECT client;
    ::GetClientRect(hwnd, &client);
    Bitmap pixels(client.Width(), client.Height());
    if (!pixels.IsEmpty()) {
        pixels.Clear(kFrame);
        CRect inside = client;
        inside.DeflateRect(1, 1);
        pixels.Fill(inside, kBackground);
        Graphics g(pixels);
        g.SetTextRenderingHint(TextRenderingHintAntiAliasGridFit);
        const RectF text(kPadX, kPadY, static_cast<float>(client.Width() - 2 * kPadX),
                         static_cast<float>(client.Height() - 2 * kPadY));
        g.DrawString(text_, TipFont(), text, StringFormat(), Color(kText));
        ::PresentWindow(hwnd, pixels.View(), client);
    }
    ::EndPaint(hwnd, &paint);
}

}  // namespace LumoUI
