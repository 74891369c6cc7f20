// Test windows that record what they receive, and a fixture that gives each test a fresh
// headless display on virtual time.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "lumoui/win/headless/headless_backend.h"
#include "lumoui/win/win_api.h"

namespace wintest {

// A class with double clicks and one without.
inline const wchar_t* const kTestClass = L"TestWindow";
inline const wchar_t* const kPlainClass = L"PlainWindow";

struct Received {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::thread::id thread;
};

// Messages of several windows in the order they arrived.
class MessageLog {
public:
    void Add(const Received& r) {
        std::lock_guard guard(lock_);
        entries_.push_back(r);
    }
    std::vector<Received> Entries() const {
        std::lock_guard guard(lock_);
        return entries_;
    }

private:
    mutable std::mutex lock_;
    std::vector<Received> entries_;
};

struct WindowSpec {
    CRect rect{100, 100, 300, 250};
    DWORD style = WS_POPUP | WS_VISIBLE;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    const wchar_t* className = kTestClass;
    const wchar_t* title = L"Test";
    void* param = nullptr;
};

class TestWindow {
public:
    using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

    explicit TestWindow(const WindowSpec& spec = {}, Handler handler = {},
                        MessageLog* log = nullptr)
        : handler_(std::move(handler)), log_(log) {
        Creating() = this;
        hwnd_ = CreateWindowExW(spec.exStyle, spec.className, spec.title, spec.style,
                                spec.rect.left, spec.rect.top, spec.rect.Width(),
                                spec.rect.Height(), spec.parent, nullptr, nullptr, spec.param);
        Creating() = nullptr;
    }
    ~TestWindow() {
        if (IsWindow(hwnd_)) {
            DestroyWindow(hwnd_);
        }
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    operator HWND() const { return hwnd_; }
    void SetHandler(Handler handler) {
        std::lock_guard guard(lock_);
        handler_ = std::move(handler);
    }

    std::vector<Received> All() const {
        std::lock_guard guard(lock_);
        return received_;
    }
    std::vector<Received> Of(UINT message) const {
        std::vector<Received> found;
        for (const Received& r : All()) {
            if (r.message == message) {
                found.push_back(r);
            }
        }
        return found;
    }
    // The message numbers, in order, of those inside [first, last].
    std::vector<UINT> Messages(UINT first = 0, UINT last = 0xFFFFFFFF) const {
        std::vector<UINT> numbers;
        for (const Received& r : All()) {
            if (r.message >= first && r.message <= last) {
                numbers.push_back(r.message);
            }
        }
        return numbers;
    }
    int Count(UINT message) const { return static_cast<int>(Of(message).size()); }
    int CountInput() const {
        return static_cast<int>(Messages(WM_MOUSEFIRST, WM_MOUSELAST).size() +
                                Messages(WM_KEYFIRST, WM_KEYLAST).size());
    }
    void Clear() {
        std::lock_guard guard(lock_);
        received_.clear();
    }

    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self == nullptr && Creating() != nullptr) {
            self = Creating();
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        if (self == nullptr) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        const Received r{hwnd, message, wParam, lParam, std::this_thread::get_id()};
        Handler handler;
        {
            std::lock_guard guard(self->lock_);
            self->received_.push_back(r);
            handler = self->handler_;
        }
        if (self->log_ != nullptr) {
            self->log_->Add(r);
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        }
        if (handler) {
            if (std::optional<LRESULT> result = handler(hwnd, message, wParam, lParam)) {
                return *result;
            }
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    static void RegisterClasses() {
        for (const auto& [name, style] :
             {std::pair{kTestClass, CS_DBLCLKS | CS_HREDRAW}, std::pair{kPlainClass, UINT{0}}}) {
            WNDCLASSEXW wc;
            wc.style = style;
            wc.lpfnWndProc = &TestWindow::Proc;
            wc.lpszClassName = name;
            RegisterClassExW(&wc);  // the second test finds it registered
        }
    }

private:
    static TestWindow*& Creating() {
        thread_local TestWindow* creating = nullptr;
        return creating;
    }

    HWND hwnd_ = nullptr;
    Handler handler_;
    MessageLog* log_ = nullptr;
    mutable std::mutex lock_;
    std::vector<Received> received_;
};

class WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        display = LumoUI::UseHeadlessBackend();
        ASSERT_NE(display, nullptr) << "a window or periodic timer of an earlier test survived";
        TestWindow::RegisterClasses();
    }

    void TearDown() override {
        std::vector<HWND> left;
        EnumWindows(
            [](HWND hwnd, LPARAM list) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&left));
        for (HWND hwnd : left) {
            DestroyWindow(hwnd);
        }
        ReleaseCapture();
        Pump();
    }

    static int Pump() { return LumoUI::HeadlessBackend::Pump(); }
    void Advance(UINT ms) { display->AdvanceTime(ms); }

    LumoUI::HeadlessBackend* display = nullptr;
};

// A point 20 pixels inside a window from its top-left corner (plus an offset), screen pixels.
inline CPoint Inside(HWND hwnd, int dx = 0, int dy = 0) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return CPoint(r.left + 20 + dx, r.top + 20 + dy);
}

inline CPoint ClientPoint(LPARAM lParam) {
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

}  // namespace wintest
