// MWindow: class registration, creation, the window procedures and the modal loop.
#include "lumoui/core/m_window.h"

#include "lumoui/core/manager.h"
#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

// Superclassed windows keep their object in this property, so that the system class may
// use the user data itself.
constexpr const wchar_t* kObjectProperty = L"Control";

}  // namespace

MWindow::~MWindow() {
    // The procedure must not reach this object any more, whatever thread destroys it.
    if (hwnd_ != nullptr) {
        const HWND hwnd = hwnd_;
        Detach(hwnd);
        if (::IsWindow(hwnd)) {
            ::DestroyWindow(hwnd);
        }
    }
}

const wchar_t* MWindow::GetWindowClassName() const {
    return L"LumoClient";
}

const wchar_t* MWindow::GetSuperClassName() const {
    return nullptr;
}

int MWindow::ShowWindow(int cmdShow) {
    return hwnd_ != nullptr ? ::ShowWindow(hwnd_, cmdShow) : 0;
}

LRESULT MWindow::OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
    return CallPreviousProc(msg, wparam, lparam);
}

int MWindow::PreTranslateMessage(MSG*) {
    return 0;
}

int MWindow::OnInitDialog() {
    return 1;
}

void MWindow::OnDestroyMessage(HWND) {}

LRESULT MWindow::CallPreviousProc(UINT msg, WPARAM wparam, LPARAM lparam) {
    if (previousProc_ != nullptr) {
        return ::CallWindowProcW(previousProc_, hwnd_, msg, wparam, lparam);
    }
    return ::DefWindowProcW(hwnd_, msg, wparam, lparam);
}

bool MWindow::RegisterWindowClass() {
    WNDCLASSEXW wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = &MWindow::WndProc;
    wc.hInstance = Manager::GetInstance();
    wc.lpszClassName = GetWindowClassName();
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool MWindow::RegisterSuperClass() {
    WNDCLASSEXW wc;
    if (!::GetClassInfoExW(nullptr, GetSuperClassName(), &wc) &&
        !::GetClassInfoExW(Manager::GetInstance(), GetSuperClassName(), &wc)) {
        return false;
    }
    previousProc_ = wc.lpfnWndProc;
    wc.lpfnWndProc = &MWindow::ControlProc;
    wc.hInstance = Manager::GetInstance();
    wc.lpszClassName = GetWindowClassName();
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND MWindow::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, CRect rect,
                     HMENU menu) {
    if (hwnd_ != nullptr && ::IsWindow(hwnd_)) {
        return hwnd_;
    }
    hwnd_ = nullptr;
    parentHwnd_ = parent;
    const wchar_t* super = GetSuperClassName();
    superclassed_ = super != nullptr && super[0] != 0;
    if (!(superclassed_ ? RegisterSuperClass() : RegisterWindowClass())) {
        return nullptr;
    }
    const HWND hwnd =
        ::CreateWindowExW(exStyle, GetWindowClassName(), title, style, rect.left, rect.top,
                          rect.Width(), rect.Height(), parent, menu, Manager::GetInstance(), this);
    if (hwnd == nullptr) {
        return nullptr;
    }
    OnInitDialog();
    return hwnd_;
}

LRESULT MWindow::WndProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    return Route(hwnd, msg, wparam, lparam, false);
}

LRESULT MWindow::ControlProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    return Route(hwnd, msg, wparam, lparam, true);
}

LRESULT MWindow::Route(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, bool inProperty) {
    MWindow* self = nullptr;
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        self = cs != nullptr ? static_cast<MWindow*>(cs->lpCreateParams) : nullptr;
        if (self != nullptr) {
            if (inProperty) {
                ::SetPropW(hwnd, kObjectProperty, self);
            } else {
                ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            }
            self->hwnd_ = hwnd;
        }
    } else if (inProperty) {
        self = static_cast<MWindow*>(::GetPropW(hwnd, kObjectProperty));
    } else {
        self = reinterpret_cast<MWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return ::DefWindowProcW(hwnd, msg, wparam, lparam);
    }
    const LRESULT result = self->OnWindowMessage(msg, wparam, lparam);
    if (msg == WM_NCDESTROY) {
        self->Detach(hwnd);
        self->OnDestroyMessage(hwnd);  // may delete the object
    }
    return result;
}

void MWindow::Detach(HWND hwnd) {
    if (superclassed_) {
        ::RemovePropW(hwnd, kObjectProperty);
    } else {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    hwnd_ = nullptr;
}

UINT MWindow::ShowModal(int cmdShow) {
    if (hwnd_ == nullptr || !::IsWindow(hwnd_)) {
        return 0xFFFFFFFF;
    }
    // Only locals from here on: the object may delete itself when its window goes.
    const HWND self = hwnd_;
    const HWND owner = ::GetParent(self);
    ShowWindow(cmdShow);
    if (owner != nullptr) {
        ::EnableWindow(owner, FALSE);
    }
    UINT result = 0;
    bool quit = false;
    int exitCode = 0;
    MSG msg;
    while (::IsWindow(self)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            exitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) {
            break;
        }
        if (msg.message == WM_CLOSE && msg.hwnd == self) {
            result = static_cast<UINT>(msg.wParam);
            // Before the window goes, so that activation passes to the owner.
            if (owner != nullptr) {
                ::EnableWindow(owner, TRUE);
                ::SetFocus(owner);
            }
        }
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (owner != nullptr && ::IsWindow(owner)) {
        ::EnableWindow(owner, TRUE);
        ::SetFocus(owner);
    }
    if (quit) {
        ::PostQuitMessage(exitCode);
    }
    return result;
}

}  // namespace LumoUI
