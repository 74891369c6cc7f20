#include "lumoui/core/manager.h"

#include <mutex>
#include <set>

#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

// The settings are written once at start-up but read from several threads, so they sit behind
// one lock rather than relying on the order of start-up.
struct Settings {
    std::mutex lock;
    CString deviceName = L"Brimlow";
    CString fontName = L"SourceHanSansCN-Regular";
    int fontSize = 14;
    HINSTANCE instance = nullptr;
    int drawingStarts = 0;
    std::set<MWindow*> windows;
};

Settings& TheSettings() {
    static Settings settings;
    return settings;
}

// Runs `use` on the settings under their lock and returns what it returns.
template <typename Use>
auto WithSettings(Use&& use) {
    Settings& s = TheSettings();
    std::lock_guard guard(s.lock);
    return use(s);
}

}  // namespace

void Manager::SetDeviceName(const CString& name) {
    WithSettings([&](Settings& s) { s.deviceName = name; });
}

CString Manager::GetDeviceName() {
    return WithSettings([](Settings& s) { return s.deviceName; });
}

void Manager::SetFont(const CString& face, int size) {
    WithSettings([&](Settings& s) {
        s.fontName = face;
        s.fontSize = size;
    });
}

void Manager::SetFontName(const CString& face) {
    WithSettings([&](Settings& s) { s.fontName = face; });
}

CString Manager::GetFontName() {
    return WithSettings([](Settings& s) { return s.fontName; });
}

int Manager::GetFontWidth() {
    return WithSettings([](Settings& s) { return s.fontSize; });
}

void Manager::SetInstance(HINSTANCE instance) {
    WithSettings([&](Settings& s) { s.instance = instance; });
}

HINSTANCE Manager::GetInstance() {
    return WithSettings([](Settings& s) { return s.instance; });
}

int Manager::PreTranslateMessage(MSG*) {
    return GetAsyncKeyState(VK_MENU) < 0 && GetAsyncKeyState(VK_F4) < 0 ? 1 : 0;
}

int Manager::MessageLoop() {
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(msg.wParam);
        }
        if (got == -1) {
            return 0;
        }
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

int Manager::InitGdiplus() {
    WithSettings([](Settings& s) { ++s.drawingStarts; });
    return 1;
}

void Manager::UnInitGdiplus() {
    WithSettings([](Settings& s) {
        if (s.drawingStarts > 0) {
            --s.drawingStarts;
        }
    });
}

void Manager::AddWnd(MWindow* window) {
    WithSettings([&](Settings& s) { s.windows.insert(window); });
}

void Manager::DeleteWnd(MWindow* window) {
    WithSettings([&](Settings& s) { s.windows.erase(window); });
}

bool Manager::HasWnd(MWindow* window) {
    return WithSettings([&](Settings& s) { return s.windows.count(window) != 0; });
}

ARGB Manager::GetSelectColor() {
    return 0xFF10A8FD;
}

CString Manager::GetTheme() {
    return L"theme1/";
}

}  // namespace LumoUI
