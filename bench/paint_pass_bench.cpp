// Paint passes of a 1280 x 720 dialog with a skin background and 60 buttons that cache their
// four states side by side: a full pass with every cache valid (a window uncovered), a full
// pass with every cache stale (the first paint), and a hover change on one button (a state
// change repainted from the cache).
#include <benchmark/benchmark.h>

#include <memory>

#include "lumoui/core/m_control_font.h"
#include "lumoui/core/m_dialog.h"
#include "lumoui/core/m_render.h"
#include "lumoui/core/paint_manager.h"
#include "lumoui/core/toolkit_folders.h"
#include "lumoui/win/headless/headless_backend.h"

namespace {

using LumoUI::HDC;

// A button as the drawing contract has it: all four states rendered once into a cache four
// times its width, each over its own copy of what lies beneath, then only the slice of the
// current state is copied.
class StateButton : public LumoUI::MControlFont {
public:
    StateButton(LumoUI::MObject* parent, UINT id, CRect rect, const wchar_t* title)
        : MControlFont(parent, id, rect, title, 1, 1, 1) {}

    void DrawControl(HDC& dc, CRect) override {
        const int w = rect_.Width();
        const int h = rect_.Height();
        if (!GetUpdate()) {
            UpdateMemDC(dc, 4 * w, h);
            for (int state = 0; state < 4; ++state) {
                MemDC().BitBlt(state * w, 0, w, h, dc, rect_.left, rect_.top);
            }
            LumoUI::Graphics graphics(MemDC());
            const LumoUI::FontFamily* family = GetFontFamily(fontFace_.c_str());
            const LumoUI::Font font =
                family != nullptr ? LumoUI::Font(*family, 14) : LumoUI::Font();
            LumoUI::StringFormat format;
            format.SetAlignment(LumoUI::StringAlignmentCenter);
            format.SetLineAlignment(LumoUI::StringAlignmentCenter);
            for (int state = 0; state < 4; ++state) {
                const CRect slice(state * w, 0, (state + 1) * w, h);
                const CRect frame = GetFrameRect(state);
                LumoUI::MRender::DrawImageFrame(graphics, image_, slice, frame.left, frame.top,
                                                frame.Width(), frame.Height(), 10);
                graphics.DrawString(title_, font, LumoUI::RectF(slice), format, textColor_);
            }
        }
        CopyMemDC(dc, state_ * w);
    }

    int OnControlMouseMove(UINT, CPoint pt) override {
        const int state = rect_.PtInRect(pt) ? 1 : 0;
        if (state != state_) {
            state_ = state;
            UpdateControl(0, 0);  // every state is in the cache already
        }
        return state;
    }

private:
    int state_ = 0;
};

class ButtonGrid : public LumoUI::MDialog {
public:
    void InitUI(CRect) override {
        LoadBKImage(L"main_bkg.png");
        UINT id = 1;
        for (int row = 0; row < 6; ++row) {
            for (int column = 0; column < 10; ++column) {
                const CRect r(20 + column * 125, 40 + row * 110, 20 + column * 125 + 110,
                              40 + row * 110 + 38);
                auto* button = static_cast<StateButton*>(GetPaintManager().AddControl(
                    std::make_unique<StateButton>(this, id++, r, L"Apply")));
                button->SetImage(L"btn_apply.png", 4);
            }
        }
    }
};

// The program folder holds the skins and the staged font.
struct Window {
    Window() {
        LumoUI::SetApplicationFolder(Utf8ToWide(BRIMLOW_OUT_DIR));
        // No frame history: the display's own copies are not the toolkit's cost.
        LumoUI::HeadlessOptions options;
        options.framesKept = 0;
        LumoUI::UseHeadlessBackend(options);
        hwnd = dlg.Create(nullptr, L"bench", WS_POPUP | WS_VISIBLE, 0, CRect(0, 0, 1280, 720));
        LumoUI::HeadlessBackend::Pump();
    }
    ~Window() {
        dlg.DestroyWindow();
        LumoUI::SetApplicationFolder(L"");
    }
    void Paint() {
        dlg.GetPaintManager().Invalidate();
        ::UpdateWindow(hwnd);
    }
    ButtonGrid dlg;
    HWND hwnd = nullptr;
};

void BM_FullPaintCachedControls(benchmark::State& state) {
    Window w;
    for (auto _ : state) {
        w.Paint();
    }
}
BENCHMARK(BM_FullPaintCachedControls)->Unit(benchmark::kMillisecond);

void BM_FullPaintStaleControls(benchmark::State& state) {
    Window w;
    for (auto _ : state) {
        for (const auto& control : w.dlg.GetControls()) {
            control->SetUpdate(0, 0);
        }
        w.Paint();
    }
}
BENCHMARK(BM_FullPaintStaleControls)->Unit(benchmark::kMillisecond);

void BM_HoverChangeOnOneButton(benchmark::State& state) {
    Window w;
    // Inside the button of row 2, column 4, and just outside it.
    const LPARAM points[] = {MAKELPARAM(20 + 4 * 125 + 55, 40 + 2 * 110 + 19),
                             MAKELPARAM(20 + 4 * 125 + 55, 40 + 2 * 110 + 60)};
    int i = 0;
    for (auto _ : state) {
        SendMessageW(w.hwnd, WM_MOUSEMOVE, 0, points[i]);
        ::UpdateWindow(w.hwnd);
        i ^= 1;
    }
}
BENCHMARK(BM_HoverChangeOnOneButton)->Unit(benchmark::kMicrosecond);

}  // namespace
