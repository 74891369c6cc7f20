#include "lumoui/win/headless/headless_backend.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "lumoui/gfx/pixel_format.h"
#include "lumoui/win/window_system.h"

namespace LumoUI {

namespace {

bool IsShown(NativeShowState state) {
    return state == NativeShowState::kNormal || state == NativeShowState::kMaximized;
}

// Source-over of premultiplied pixels.
uint32_t Over(uint32_t source, uint32_t dest) {
    const uint32_t inverse = 255 - (source >> 24);
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t s = (source >> shift) & 0xFF;
        const uint32_t d = (dest >> shift) & 0xFF;
        result |= std::min<uint32_t>(255, s + (d * inverse + 127) / 255) << shift;
    }
    return result;
}

uint32_t ScaleAlpha(uint32_t pixel, uint32_t alpha) {
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t c = (pixel >> shift) & 0xFF;
        result |= ((c * alpha + 127) / 255) << shift;
    }
    return result;
}

}  // namespace

HeadlessBackend::HeadlessBackend(const HeadlessOptions& options)
    : options_(options), clock_(options.virtualTime ? std::make_unique<VirtualClock>() : nullptr) {}

HeadlessBackend::~HeadlessBackend() = default;

CRect HeadlessBackend::ScreenRect() const {
    return CRect(0, 0, options_.screenWidth, options_.screenHeight);
}

CRect HeadlessBackend::WorkArea() const {
    if (!options_.workArea.IsRectEmpty()) {
        return options_.workArea;
    }
    return CRect(0, 0, options_.screenWidth, std::max(0, options_.screenHeight - 40));
}

const HeadlessBackend::NativeWindow* HeadlessBackend::FindLocked(HWND hwnd) const {
    auto it = windows_.find(hwnd);
    return it == windows_.end() || it->second.destroyed ? nullptr : &it->second;
}

void HeadlessBackend::CreateNativeWindow(const NativeWindowInfo& info) {
    std::lock_guard guard(lock_);
    NativeWindow& w = windows_[info.hwnd];
    w = NativeWindow{};
    w.parent = info.parent;
    w.style = info.style;
    w.exStyle = info.exStyle;
    w.rect = info.rect;
    w.title = info.title;
    if (info.parent != nullptr) {
        auto parent = windows_.find(info.parent);
        if (parent != windows_.end()) {
            parent->second.children.insert(parent->second.children.begin(), info.hwnd);
        }
    } else {
        stack_.insert(stack_.begin(), info.hwnd);
    }
}

void HeadlessBackend::DestroyNativeWindow(HWND hwnd) {
    std::lock_guard guard(lock_);
    auto it = windows_.find(hwnd);
    if (it == windows_.end()) {
        return;
    }
    NativeWindow& w = it->second;
    auto parent = windows_.find(w.parent);
    std::vector<HWND>& level = parent != windows_.end() ? parent->second.children : stack_;
    level.erase(std::remove(level.begin(), level.end(), hwnd), level.end());
    for (HWND* h : {&active_, &capture_}) {
        if (*h == hwnd) {
            *h = nullptr;
        }
    }
    if (options_.framesKept == 0) {
        windows_.erase(it);  // nobody looks at past frames: free the pixels
        return;
    }
    w.destroyed = true;
    w.state = NativeShowState::kHidden;
}

void HeadlessBackend::ShowNativeWindow(HWND hwnd, NativeShowState state, bool activate) {
    std::lock_guard guard(lock_);
    auto it = windows_.find(hwnd);
    if (it == windows_.end() || it->second.destroyed) {
        return;
    }
    it->second.state = state;
    if (activate) {
        active_ = hwnd;
    }
}

void HeadlessBackend::MoveNativeWindow(HWND hwnd, const CRect& rect) {
    std::lock_guard guard(lock_);
    auto it = windows_.find(hwnd);
    if (it != windows_.end() && !it->second.destroyed) {
        it->second.rect = rect;
    }
}

void HeadlessBackend::RestackNativeWindows(HWND parent, const std::vector<HWND>& topFirst) {
    std::lock_guard guard(lock_);
    if (parent == nullptr) {
        stack_ = topFirst;
        return;
    }
    auto it = windows_.find(parent);
    if (it != windows_.end()) {
        it->second.children = topFirst;
    }
}

void HeadlessBackend::SetNativeTitle(HWND hwnd, const CString& title) {
    std::lock_guard guard(lock_);
    auto it = windows_.find(hwnd);
    if (it != windows_.end()) {
        it->second.title = title;
    }
}

void HeadlessBackend::SetNativeStyle(HWND hwnd, DWORD style, DWORD exStyle) {
    std::lock_guard guard(lock_);
    auto it = windows_.find(hwnd);
    if (it != windows_.end()) {
        it->second.style = style;
        it->second.exStyle = exStyle;
    }
}

void HeadlessBackend::SetNativeLayeredAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
    std::lock_guard guard(lock_);
    auto it = windows_.find(hwnd);
    if (it != windows_.end()) {
        it->second.key = key;
        it->second.alpha = alpha;
        it->second.layerFlags = flags;
    }
}

void HeadlessBackend::ActivateNativeWindow(HWND hwnd) {
    std::lock_guard guard(lock_);
    active_ = hwnd;
}

void HeadlessBackend::Present(HWND hwnd, const PixelView& pixels, const CRect& update,
                              bool perPixelAlpha) {
    std::lock_guard guard(lock_);
    auto it = windows_.find(hwnd);
    if (it == windows_.end() || it->second.destroyed || !IsPresentable(pixels)) {
        return;
    }
    NativeWindow& w = it->second;
    const CSize size = w.rect.Size();
    if (perPixelAlpha) {
        // The buffer replaces everything; what it does not cover is transparent.
        w.surface = HeadlessImage(size.cx, size.cy, 0);
    } else if (w.surface.Size() != size || w.perPixelAlpha) {
        w.surface = HeadlessImage(size.cx, size.cy, 0xFF000000);
    }
    w.perPixelAlpha = perPixelAlpha;
    CRect area;
    area.IntersectRect(
        update, CRect(0, 0, std::min(size.cx, pixels.width), std::min(size.cy, pixels.height)));
    for (int y = area.top; y < area.bottom; ++y) {
        const uint32_t* source = pixels.Row(y);
        uint32_t* dest = w.surface.Row(y);
        for (int x = area.left; x < area.right; ++x) {
            // An opaque window shows the colour bits; its alpha channel means nothing.
            dest[x] = perPixelAlpha ? source[x] : (source[x] | 0xFF000000);
        }
    }
    ++w.presents;
    if (options_.framesKept > 0) {
        w.frames.push_back(HeadlessFrame{perPixelAlpha ? CRect(0, 0, size.cx, size.cy) : area,
                                         perPixelAlpha, w.surface, clock_ ? clock_->NowMs() : 0});
        while (w.frames.size() > options_.framesKept) {
            w.frames.pop_front();
        }
    }
}

void HeadlessBackend::SetPointerCapture(HWND hwnd) {
    std::lock_guard guard(lock_);
    capture_ = hwnd;
}

void HeadlessBackend::SetCursorShape(HCURSOR cursor) {
    std::lock_guard guard(lock_);
    cursor_ = cursor;
}

void HeadlessBackend::WarpPointer(CPoint screen) {
    MoveMouse(screen);
}

// --- hit testing ---

CPoint HeadlessBackend::OriginLocked(const NativeWindow& w) const {
    CPoint origin = w.rect.TopLeft();
    for (const NativeWindow* p = FindLocked(w.parent); p != nullptr; p = FindLocked(p->parent)) {
        origin.Offset(p->rect.left, p->rect.top);
    }
    return origin;
}

HWND HeadlessBackend::ChildAtLocked(const NativeWindow& w, HWND self, CPoint local) const {
    for (HWND child : w.children) {
        const NativeWindow* c = FindLocked(child);
        if (c != nullptr && IsShown(c->state) && c->rect.PtInRect(local)) {
            return ChildAtLocked(*c, child, CPoint(local.x - c->rect.left, local.y - c->rect.top));
        }
    }
    return self;
}

HWND HeadlessBackend::WindowAtLocked(CPoint screen) const {
    for (HWND top : stack_) {
        const NativeWindow* w = FindLocked(top);
        if (w == nullptr || !IsShown(w->state) || !w->rect.PtInRect(screen)) {
            continue;
        }
        const DWORD clickThrough = WS_EX_LAYERED | WS_EX_TRANSPARENT;
        if ((w->exStyle & clickThrough) == clickThrough) {
            continue;
        }
        const CPoint local(screen.x - w->rect.left, screen.y - w->rect.top);
        if (w->perPixelAlpha && (w->surface.Pixel(local.x, local.y) >> 24) == 0) {
            continue;
        }
        return ChildAtLocked(*w, top, local);
    }
    return nullptr;
}

HWND HeadlessBackend::WindowAt(CPoint screen) const {
    std::lock_guard guard(lock_);
    return WindowAtLocked(screen);
}

CPoint HeadlessBackend::Pointer() const {
    std::lock_guard guard(lock_);
    return pointer_;
}

// --- injected input ---

void HeadlessBackend::MoveMouse(CPoint screen) {
    HWND target = nullptr;
    {
        std::lock_guard guard(lock_);
        pointer_ = screen;
        target = WindowAtLocked(screen);
    }
    InputMouseMove(target, screen);
}

void HeadlessBackend::PressButton(CPoint screen, MouseButton button) {
    if (Pointer() != screen) {
        MoveMouse(screen);  // a display reports the motion before the press
    }
    InputMouseButton(WindowAt(screen), button, true, screen);
}

void HeadlessBackend::ReleaseButton(CPoint screen, MouseButton button) {
    if (Pointer() != screen) {
        MoveMouse(screen);
    }
    InputMouseButton(WindowAt(screen), button, false, screen);
}

void HeadlessBackend::Click(CPoint screen, MouseButton button) {
    PressButton(screen, button);
    ReleaseButton(screen, button);
}

void HeadlessBackend::DoubleClick(CPoint screen, MouseButton button) {
    Click(screen, button);
    Click(screen, button);
}

void HeadlessBackend::Wheel(CPoint screen, int delta) {
    if (Pointer() != screen) {
        MoveMouse(screen);
    }
    InputMouseWheel(WindowAt(screen), delta, screen);
}

wchar_t HeadlessBackend::CharacterFor(UINT vk) const {
    const bool shift = GetAsyncKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetAsyncKeyState(VK_CONTROL) < 0;
    const bool alt = GetAsyncKeyState(VK_MENU) < 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl && !alt) {
            return static_cast<wchar_t>(vk - 'A' + 1);
        }
        return static_cast<wchar_t>(shift != capsLock_ ? vk : vk - 'A' + 'a');
    }
    if (ctrl && !alt) {
        return 0;
    }
    if (vk >= '0' && vk <= '9') {
        return shift ? L")!@#$%^&*("[vk - '0'] : static_cast<wchar_t>(vk);
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        return static_cast<wchar_t>('0' + (vk - VK_NUMPAD0));
    }
    struct Pair {
        UINT vk;
        wchar_t plain;
        wchar_t shifted;
    };
    static constexpr Pair kKeys[] = {
        {VK_SPACE, L' ', L' '},     {VK_RETURN, L'\r', L'\r'},  {VK_BACK, L'\b', L'\b'},
        {VK_TAB, L'\t', L'\t'},     {VK_ESCAPE, 0x1B, 0x1B},    {VK_MULTIPLY, L'*', L'*'},
        {VK_ADD, L'+', L'+'},       {VK_SUBTRACT, L'-', L'-'},  {VK_DECIMAL, L'.', L'.'},
        {VK_DIVIDE, L'/', L'/'},    {VK_OEM_1, L';', L':'},     {VK_OEM_PLUS, L'=', L'+'},
        {VK_OEM_COMMA, L',', L'<'}, {VK_OEM_MINUS, L'-', L'_'}, {VK_OEM_PERIOD, L'.', L'>'},
        {VK_OEM_2, L'/', L'?'},     {VK_OEM_3, L'`', L'~'},     {VK_OEM_4, L'[', L'{'},
        {VK_OEM_5, L'\\', L'|'},    {VK_OEM_6, L']', L'}'},     {VK_OEM_7, L'\'', L'"'},
    };
    for (const Pair& p : kKeys) {
        if (p.vk == vk) {
            return shift ? p.shifted : p.plain;
        }
    }
    return 0;
}

void HeadlessBackend::KeyDown(UINT vk) {
    if (vk == VK_CAPITAL && GetAsyncKeyState(VK_CAPITAL) >= 0) {
        capsLock_ = !capsLock_;
    }
    InputKey(vk, true, 0, CharacterFor(vk));
}

void HeadlessBackend::KeyUp(UINT vk) {
    InputKey(vk, false);
}

void HeadlessBackend::PressKey(UINT vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void HeadlessBackend::TypeText(const CString& text) {
    for (wchar_t c : text) {
        InputKey(VK_PACKET, true, 0, c);
        InputKey(VK_PACKET, false);
    }
}

// --- time ---

int HeadlessBackend::Pump() {
    int dispatched = 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        ++dispatched;
    }
    return dispatched;
}

void HeadlessBackend::AdvanceTime(UINT ms) {
    if (!clock_) {
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        Pump();
        return;
    }
    const uint64_t target = clock_->NowMs() + ms;
    Pump();
    for (;;) {
        const uint64_t now = clock_->NowMs();
        uint64_t next =
            std::min({target, detail::NextDeadlineOfCurrentThread(), clock_->NextSleeperDue()});
        if (next <= now) {
            next = std::min(target, now + 1);  // what was due has been taken: move on
        }
        if (next > now) {
            detail::ThreadQueue* self = detail::ThreadQueue::CurrentIfAny();
            clock_->AdvanceTo(next, [self] {
                if (self != nullptr) {
                    self->ServeSentCalls();
                }
            });
            detail::WakeAllQueues();
        }
        Pump();
        if (clock_->NowMs() >= target) {
            break;
        }
    }
}

// --- what the display shows ---

int HeadlessBackend::FrameCount(HWND hwnd) const {
    std::lock_guard guard(lock_);
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? 0 : it->second.presents;
}

bool HeadlessBackend::GetFrame(HWND hwnd, int back, HeadlessFrame* frame) const {
    std::lock_guard guard(lock_);
    auto it = windows_.find(hwnd);
    if (it == windows_.end() || frame == nullptr || back < 0 ||
        static_cast<size_t>(back) >= it->second.frames.size()) {
        return false;
    }
    *frame = it->second.frames[it->second.frames.size() - 1 - back];
    return true;
}

HeadlessImage HeadlessBackend::WindowImage(HWND hwnd) const {
    std::lock_guard guard(lock_);
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? HeadlessImage() : it->second.surface;
}

bool HeadlessBackend::SaveWindowPng(HWND hwnd, const CString& path) const {
    return WindowImage(hwnd).SavePng(path);
}

void HeadlessBackend::ComposeLocked(HeadlessImage* screen, const NativeWindow& w, CPoint origin,
                                    const CRect& clip) const {
    CRect area(origin, w.rect.Size());
    if (!area.IntersectRect(area, clip)) {
        return;
    }
    const bool keyed = (w.exStyle & WS_EX_LAYERED) && (w.layerFlags & LWA_COLORKEY);
    const uint32_t key = ArgbFromColorref(w.key) & 0xFFFFFF;
    const uint32_t alpha =
        (w.exStyle & WS_EX_LAYERED) && (w.layerFlags & LWA_ALPHA) ? w.alpha : 255;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            // A window that never presented shows black.
            uint32_t pixel =
                w.surface.IsEmpty() ? 0xFF000000 : w.surface.Pixel(x - origin.x, y - origin.y);
            if (!w.perPixelAlpha) {
                pixel |= 0xFF000000;
                if (keyed && (pixel & 0xFFFFFF) == key) {
                    continue;
                }
            }
            if (alpha != 255) {
                pixel = ScaleAlpha(pixel, alpha);
            }
            screen->Row(y)[x] = Over(pixel, screen->Row(y)[x]);
        }
    }
    for (auto it = w.children.rbegin(); it != w.children.rend(); ++it) {
        const NativeWindow* c = FindLocked(*it);
        if (c != nullptr && IsShown(c->state)) {
            ComposeLocked(screen, *c, CPoint(origin.x + c->rect.left, origin.y + c->rect.top),
                          area);
        }
    }
}

HeadlessImage HeadlessBackend::CaptureScreen() const {
    std::lock_guard guard(lock_);
    HeadlessImage screen(options_.screenWidth, options_.screenHeight,
                         gfx::Premultiply(options_.desktopColor));
    const CRect all = ScreenRect();
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
        const NativeWindow* w = FindLocked(*it);
        if (w != nullptr && IsShown(w->state)) {
            ComposeLocked(&screen, *w, w->rect.TopLeft(), all);
        }
    }
    return screen;
}

bool HeadlessBackend::SaveScreenPng(const CString& path) const {
    return CaptureScreen().SavePng(path);
}

NativeShowState HeadlessBackend::ShowState(HWND hwnd) const {
    std::lock_guard guard(lock_);
    const NativeWindow* w = FindLocked(hwnd);
    return w == nullptr ? NativeShowState::kHidden : w->state;
}

CRect HeadlessBackend::NativeRect(HWND hwnd) const {
    std::lock_guard guard(lock_);
    const NativeWindow* w = FindLocked(hwnd);
    return w == nullptr ? CRect() : CRect(OriginLocked(*w), w->rect.Size());
}

CString HeadlessBackend::NativeTitle(HWND hwnd) const {
    std::lock_guard guard(lock_);
    const NativeWindow* w = FindLocked(hwnd);
    return w == nullptr ? CString() : w->title;
}

DWORD HeadlessBackend::NativeExStyle(HWND hwnd) const {
    std::lock_guard guard(lock_);
    const NativeWindow* w = FindLocked(hwnd);
    return w == nullptr ? 0 : w->exStyle;
}

std::vector<HWND> HeadlessBackend::Stacking() const {
    std::lock_guard guard(lock_);
    return stack_;
}

HWND HeadlessBackend::NativeActiveWindow() const {
    std::lock_guard guard(lock_);
    return active_;
}

HWND HeadlessBackend::PointerCapture() const {
    std::lock_guard guard(lock_);
    return capture_;
}

HCURSOR HeadlessBackend::Cursor() const {
    std::lock_guard guard(lock_);
    return cursor_;
}

HeadlessBackend* GetHeadlessBackend() {
    return dynamic_cast<HeadlessBackend*>(&GetWindowBackend());
}

HeadlessBackend* UseHeadlessBackend(const HeadlessOptions& options) {
    auto backend = std::make_unique<HeadlessBackend>(options);
    HeadlessBackend* made = backend.get();
    return SetWindowBackend(std::move(backend)) ? made : nullptr;
}

}  // namespace LumoUI
