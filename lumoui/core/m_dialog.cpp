#include "lumoui/core/m_dialog.h"

#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

CPoint PointOf(LPARAM lparam) {
    return CPoint(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
}

// No caption and no sizing frame; children and siblings clipped.
constexpr DWORD kKeptStyles = 0xFF3BFFFF;
constexpr DWORD kAddedStyles = 0x06000008;

}  // namespace

MDialog::MDialog() = default;

MDialog::~MDialog() {
    // While this object is still a whole dialog, so the paint manager sees the window go.
    if (GetSafeHwnd() != nullptr && ::IsWindow(GetSafeHwnd())) {
        DestroyWindow();
    }
    paintManager_.Release();
}

const wchar_t* MDialog::GetClassNameW() const {
    return L"MDialog";
}

LRESULT MDialog::OnBaseMessage(UINT id, UINT code, UINT wparam, LPARAM lparam) {
    return OnMessage(id, code, wparam, lparam);
}

LRESULT MDialog::OnControlUpdate(CRect rect, int code, MControl* control) {
    return paintManager_.OnControlUpdate(rect, code, control);
}

LRESULT MDialog::OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_ERASEBKGND) {
        return 1;
    }
    if (msg == WM_USERCLOSEWINDOW) {
        return OnUserCloseWindow(static_cast<UINT>(wparam), lparam);
    }
    CallHandler(msg, wparam, lparam);
    if (std::optional<LRESULT> result = paintManager_.OnWindowMessage(msg, wparam, lparam)) {
        return *result;
    }
    return MWindow::OnWindowMessage(msg, wparam, lparam);
}

void MDialog::CallHandler(UINT msg, WPARAM wparam, LPARAM lparam) {
    const auto flags = static_cast<UINT>(wparam);
    switch (msg) {
        case WM_CREATE:
            OnCreate(reinterpret_cast<CREATESTRUCTW*>(lparam));
            break;
        case WM_DESTROY:
            OnDestroy();
            break;
        case WM_SIZE:
            OnSize(flags, LOWORD(lparam), HIWORD(lparam));
            break;
        case WM_PAINT:
            OnPaint();
            break;
        case WM_CLOSE:
            OnClose();
            break;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lparam));
            break;
        case WM_WINDOWPOSCHANGED:
            OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lparam));
            break;
        case WM_NCACTIVATE:
            OnNcActivate(static_cast<BOOL>(wparam));
            break;
        case WM_TIMER:
            OnTimer(flags);
            break;
        case WM_MOUSEMOVE:
            OnMouseMove(flags, PointOf(lparam));
            break;
        case WM_LBUTTONDOWN:
            OnLButtonDown(flags, PointOf(lparam));
            break;
        case WM_LBUTTONUP:
            OnLButtonUp(flags, PointOf(lparam));
            break;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(flags, PointOf(lparam));
            break;
        case WM_RBUTTONDOWN:
            OnRButtonDown(flags, PointOf(lparam));
            break;
        case WM_RBUTTONUP:
            OnRButtonUp(flags, PointOf(lparam));
            break;
        case WM_RBUTTONDBLCLK:
            OnRButtonDblClk(flags, PointOf(lparam));
            break;
        case WM_MOUSEHOVER:
            OnMouseHover(flags, lparam);
            break;
        case WM_MOUSELEAVE:
            OnMouseLeave(flags, lparam);
            break;
        default:
            break;
    }
}

int MDialog::PreTranslateMessage(MSG* msg) {
    const HWND hwnd = GetSafeHwnd();
    if (msg == nullptr || hwnd == nullptr || (msg->hwnd != hwnd && !::IsChild(hwnd, msg->hwnd))) {
        return 0;  // Tab and the tooltip concern this dialog's own messages only
    }
    return paintManager_.PreTranslateMessage(msg);
}

int MDialog::OnInitDialog() {
    paintManager_.Init(GetSafeHwnd(), this, this);
    RECT client;
    GetClientRect(&client);
    client_ = client;
    InitUI(client_);
    // The size the window was created with reaches UISize once the controls exist.
    if (client_.Width() > 1 && client_.Height() > 1) {
        UISize(client_);
    }
    return 1;
}

void MDialog::OnDestroyMessage(HWND) {
    PostNcDestroy();
}

void MDialog::OnMinimize() {
    ShowWindow(SW_MINIMIZE);
}

void MDialog::OnMaximize() {
    ShowWindow(::IsZoomed(GetSafeHwnd()) ? SW_RESTORE : SW_MAXIMIZE);
}

void MDialog::InitUI(CRect) {}

void MDialog::UISize(CRect) {}

LRESULT MDialog::OnMessage(UINT, UINT, UINT, LPARAM) {
    return 0;
}

LRESULT MDialog::OnUserCloseWindow(UINT code, LPARAM lparam) {
    PostMessageW(WM_CLOSE, code, lparam);
    return 1;
}

LRESULT MDialog::OnCreate(CREATESTRUCTW*) {
    const DWORD style = GetStyle();
    ::SetWindowLongW(GetSafeHwnd(), GWL_STYLE,
                     static_cast<LONG>((style & kKeptStyles) | kAddedStyles));
    return 0;
}

LRESULT MDialog::OnSize(UINT type, int, int) {
    if (type == SIZE_MINIMIZED) {
        return 0;
    }
    SetupBackTranslucent();
    RECT client;
    GetClientRect(&client);
    client_ = client;
    // Before the paint manager is attached there are no controls to lay out.
    if (client_.Width() > 1 && client_.Height() > 1 && paintManager_.IsInitialized()) {
        UISize(client_);
    }
    ::InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
    return 0;
}

LRESULT MDialog::OnMouseMove(UINT, CPoint) {
    return 0;
}

LRESULT MDialog::OnMouseLeave(UINT, LPARAM) {
    return 0;
}

LRESULT MDialog::OnMouseHover(UINT, LPARAM) {
    return 0;
}

LRESULT MDialog::OnLButtonDown(UINT, CPoint) {
    return 0;
}

LRESULT MDialog::OnLButtonUp(UINT, CPoint) {
    return 0;
}

LRESULT MDialog::OnLButtonDblClk(UINT, CPoint) {
    return 0;
}

LRESULT MDialog::OnRButtonDown(UINT, CPoint) {
    return 0;
}

LRESULT MDialog::OnRButtonUp(UINT, CPoint) {
    return 0;
}

LRESULT MDialog::OnRButtonDblClk(UINT, CPoint) {
    return 0;
}

LRESULT MDialog::OnNcActivate(BOOL) {
    return 0;
}

LRESULT MDialog::OnWindowPosChanging(WINDOWPOS*) {
    return 1;
}

LRESULT MDialog::OnWindowPosChanged(WINDOWPOS*) {
    return 1;
}

LRESULT MDialog::OnPaint() {
    return 0;
}

LRESULT MDialog::OnTimer(UINT) {
    return 0;
}

LRESULT MDialog::OnClose() {
    return 1;
}

LRESULT MDialog::OnDestroy() {
    return 0;
}

void MDialog::PostNcDestroy() {}

MControl* MDialog::CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* text,
                                 int visible, int enabled) {
    return paintManager_.CreateControl(this, className, id, rect, text, visible, enabled);
}

MControl* MDialog::CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* text,
                              int visible, int enabled) {
    return paintManager_.CreateArea(this, className, id, rect, text, visible, enabled);
}

MControl* MDialog::GetControl(UINT id) {
    return paintManager_.GetControl(id);
}

void MDialog::SetFocusControl(MControl* control) {
    paintManager_.SetFocusControl(control);
}

void MDialog::DoOK() {
    PostMessageW(WM_USERCLOSEWINDOW, IDOK, 0);
}

void MDialog::DoCancel() {
    PostMessageW(WM_USERCLOSEWINDOW, IDCANCEL, 0);
}

void MDialog::DoClose() {
    PostMessageW(WM_USERCLOSEWINDOW, IDCANCEL, 0);
}

void MDialog::DoYes() {
    PostMessageW(WM_USERCLOSEWINDOW, IDYES, 0);
}

void MDialog::DoNo() {
    PostMessageW(WM_USERCLOSEWINDOW, IDNO, 0);
}

void MDialog::SetLayeredWindow(int on) {
    paintManager_.SetLayeredWindow(on);
}

void MDialog::EnableWndDrag(int on) {
    paintManager_.EnableWndDrag(on);
}

void MDialog::SetTooltip(const CString& text, CRect rect) {
    paintManager_.SetTooltip(text, rect);
}

void MDialog::ClearTooltip() {
    paintManager_.ClearTooltip();
}

void MDialog::SetupBackTranslucent() {
    const HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr) {
        return;
    }
    if (opacity_ != 255) {
        ModifyExStyle(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(hwnd, 0, static_cast<BYTE>(opacity_), LWA_ALPHA);
    } else if (colorKey_ != 0xFFFFFF) {
        ModifyExStyle(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(hwnd, colorKey_, 0, LWA_COLORKEY);
    }
}

}  // namespace LumoUI
