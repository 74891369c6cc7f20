#include "lumoui/core/manager.h"

#include <mutex>

namespace LumoUI {

namespace {

// The settings are written once at start-up but read from several threads, so they sit behind
// one lock rather than relying on the order of start-up.
struct Settings {
    std::mutex lock;
    CString deviceName = L"Brimlow";
    CString fontName = L"SourceHanSansCN-Regular";
    int fontSize = 14;
};

Settings& TheSettings() {
    static Settings settings;
    return settings;
}

}  // namespace

void Manager::SetDeviceName(const CString& name) {
    Settings& s = TheSettings();
    std::lock_guard guard(s.lock);
    s.deviceName = name;
}

CString Manager::GetDeviceName() {
    Settings& s = TheSettings();
    std::lock_guard guard(s.lock);
    return s.deviceName;
}

void Manager::SetFont(const CString& face, int size) {
    Settings& s = TheSettings();
    std::lock_guard guard(s.lock);
    s.fontName = face;
    s.fontSize = size;
}

void Manager::SetFontName(const CString& face) {
    Settings& s = TheSettings();
    std::lock_guard guard(s.lock);
    s.fontName = face;
}

CString Manager::GetFontName() {
    Settings& s = TheSettings();
    std::lock_guard guard(s.lock);
    return s.fontName;
}

int Manager::GetFontWidth() {
    Settings& s = TheSettings();
    std::lock_guard guard(s.lock);
    return s.fontSize;
}

ARGB Manager::GetSelectColor() { return 0xFF10A8FD; }

CString Manager::GetTheme() { return L"theme1/"; }

}  // namespace LumoUI
