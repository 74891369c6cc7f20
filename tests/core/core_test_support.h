// Controls that record the hooks they get, a dialog that builds its tree from the test, an
// owner object that records repaint requests and notifications, and a fixture with a fresh
// headless display on virtual time.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "lumoui/core/m_dialog.h"
#include "lumoui/core/m_panel.h"
#include "lumoui/core/toolkit_folders.h"
#include "lumoui/gfx/bitmap.h"
#include "lumoui/win/headless/headless_backend.h"
#include "lumoui/win/win_api.h"
#include "support/temp_folder.h"

namespace coretest {

using LumoUI::HDC;
using LumoUI::MControl;
using LumoUI::MObject;

struct Call {
    std::string what;
    CPoint pt;
    UINT a = 0;
    UINT b = 0;
};

// A control that logs its hooks. It wants the mouse inside its rectangle, handles presses,
// and handles the wheel and keys when told to; its cache is drawn in one colour.
class Probe : public MControl {
public:
    Probe(MObject* parent, UINT id, CRect rect) : MControl(parent, id, rect, 1, 1, 1) {}

    std::vector<Call> calls;
    int renders = 0;
    bool handlesScroll = true;
    bool handlesKeys = true;
    UINT consumes = 0;  // a window message this control consumes
    ARGB color = 0xFF808080;

    void SetDoubleClicks(int on) { dblClk_ = on; }

    int Count(const std::string& what) const {
        int n = 0;
        for (const Call& c : calls) {
            n += c.what == what ? 1 : 0;
        }
        return n;
    }
    // The last call of that kind; an empty one when there is none.
    Call Last(const std::string& what) const {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
            if (it->what == what) {
                return *it;
            }
        }
        return {};
    }

    void DrawControl(HDC& dc, CRect) override {
        if (!GetUpdate()) {
            UpdateMemDC(dc, rect_.Width(), rect_.Height());
            MemDC().GetBitmap()->Clear(color);
            ++renders;
        }
        dc.BitBlt(rect_.left, rect_.top, rect_.Width(), rect_.Height(), MemDC(), 0, 0);
    }
    int SetControlFocus(int focus) override {
        focused_ = focus;
        calls.push_back({"focus", {}, static_cast<UINT>(focus)});
        return MControl::SetControlFocus(focus);
    }
    LRESULT OnWindowMessage(UINT msg, WPARAM, LPARAM) override {
        return consumes != 0 && msg == consumes ? 1 : 0;
    }
    int OnControlMouseMove(UINT, CPoint pt) override {
        calls.push_back({"move", pt});
        return rect_.PtInRect(pt) ? 1 : 0;
    }
    int OnControlLButtonDown(UINT, CPoint pt) override { return Log("down", pt); }
    int OnControlLButtonUp(UINT, CPoint pt) override { return Log("up", pt); }
    int OnControlLButtonDblClk(UINT, CPoint pt) override { return Log("dblclk", pt); }
    int OnControlRButtonDown(UINT, CPoint pt) override { return Log("rdown", pt); }
    int OnControlRButtonUp(UINT, CPoint pt) override { return Log("rup", pt); }
    int OnControlScroll(int kind, UINT direction, CPoint pt) override {
        calls.push_back({"scroll", pt, static_cast<UINT>(kind), direction});
        return handlesScroll ? 1 : 0;
    }
    int OnControlKeyDown(UINT vk, UINT, UINT modifier) override {
        calls.push_back({"key", {}, vk, modifier});
        return handlesKeys ? 1 : 0;
    }

private:
    int Log(const char* what, CPoint pt) {
        calls.push_back({what, pt});
        return 1;
    }
};

// An owner that is not a window: it records what its controls send up.
class RecordingOwner : public MObject {
public:
    struct Update {
        CRect rect;
        int code = 0;
        MControl* control = nullptr;
    };
    struct Note {
        UINT id = 0;
        UINT code = 0;
        UINT wparam = 0;
        LPARAM lparam = 0;
    };

    explicit RecordingOwner(const wchar_t* tag = nullptr) : tag_(tag) {}
    const wchar_t* GetClassNameW() const override { return tag_; }
    LRESULT OnControlUpdate(CRect rect, int code, MControl* control) override {
        updates.push_back({rect, code, control});
        return 0;
    }
    LRESULT OnBaseMessage(UINT id, UINT code, UINT wparam, LPARAM lparam) override {
        notes.push_back({id, code, wparam, lparam});
        return 0;
    }

    std::vector<Update> updates;
    std::vector<Note> notes;

private:
    const wchar_t* tag_;
};

// A dialog whose controls the test adds in `build`; it records its layout calls and the
// notifications it gets.
class TestDialog : public LumoUI::MDialog {
public:
    std::function<void(TestDialog&)> build;
    std::vector<CRect> sized;
    std::vector<RecordingOwner::Note> notes;
    int built = 0;
    int closes = 0;

    void InitUI(CRect) override {
        ++built;
        if (build) {
            build(*this);
        }
    }
    void UISize(CRect client) override { sized.push_back(client); }
    LRESULT OnMessage(UINT id, UINT code, UINT wparam, LPARAM lparam) override {
        notes.push_back({id, code, wparam, lparam});
        return 0;
    }
    LRESULT OnClose() override {
        ++closes;
        return MDialog::OnClose();
    }

    template <typename T = Probe, typename... Args>
    T* Add(UINT id, CRect rect, Args&&... args) {
        return static_cast<T*>(GetPaintManager().AddControl(
            std::make_unique<T>(this, id, rect, std::forward<Args>(args)...)));
    }

    // Creates the window at (100, 100) on the screen, 300 x 200, and lets it settle.
    HWND Open(DWORD style = WS_POPUP | WS_VISIBLE, HWND owner = nullptr) {
        const HWND hwnd = Create(owner, L"Test dialog", style, 0, CRect(100, 100, 400, 300));
        LumoUI::HeadlessBackend::Pump();
        return hwnd;
    }
};

// A child of `parent` made by a test, owned by it.
template <typename T = Probe, typename... Args>
T* AddChild(MControl& parent, UINT id, CRect rect, Args&&... args) {
    return static_cast<T*>(
        parent.AddControl(std::make_unique<T>(&parent, id, rect, std::forward<Args>(args)...)));
}

// Equal but for rounding of one step in each colour channel (premultiplied storage), and in
// alpha too when `withAlpha` is set.
inline bool NearColor(ARGB a, ARGB b, bool withAlpha) {
    for (int shift = 0; shift < (withAlpha ? 32 : 24); shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > 1) {
            return false;
        }
    }
    return true;
}

// An application folder of the test's own (skins/theme1/ and font/ below it) for the life
// of the object.
class ScopedAppFolder {
public:
    ScopedAppFolder() { LumoUI::SetApplicationFolder(Utf8ToWide(folder.Path())); }
    ~ScopedAppFolder() { LumoUI::SetApplicationFolder(L""); }
    ScopedAppFolder(const ScopedAppFolder&) = delete;
    ScopedAppFolder& operator=(const ScopedAppFolder&) = delete;

    std::string SkinPath(const std::string& relative) const {
        return folder / ("skins/theme1/" + relative);
    }
    // Writes `bitmap` as a PNG skin image at `relative` (below skins/theme1/).
    void WriteSkin(const std::string& relative, const LumoUI::Bitmap& bitmap) const {
        folder.WriteFile("skins/theme1/" + relative, "");
        ASSERT_TRUE(bitmap.SavePng(Utf8ToWide(SkinPath(relative))));
    }
    // A width x height skin image of one colour.
    void WriteSkin(const std::string& relative, int width, int height,
                   ARGB color = 0xFF336699) const {
        LumoUI::Bitmap bitmap(width, height);
        bitmap.Clear(color);
        WriteSkin(relative, bitmap);
    }

    TempFolder folder;
};

class CoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        display = LumoUI::UseHeadlessBackend();
        ASSERT_NE(display, nullptr) << "a window of an earlier test survived";
    }
    void TearDown() override { Pump(); }

    static int Pump() { return LumoUI::HeadlessBackend::Pump(); }
    // A point of the test dialog's client area, on the screen.
    static CPoint Screen(int x, int y) { return CPoint(100 + x, 100 + y); }

    // Runs the queued messages the way a modal loop does, through the window's
    // PreTranslateMessage.
    static void PumpThrough(LumoUI::MWindow& window) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            if (!window.PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }

    LumoUI::HeadlessBackend* display = nullptr;
};

}  // namespace coretest
