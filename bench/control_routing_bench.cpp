// The toolkit's routing in a 1280 x 720 dialog with 60 top-level controls of two children
// each: a mouse move that changes the hover control, and a repaint request with its cache
// invalidation over the later overlapping controls.
#include <benchmark/benchmark.h>

#include <memory>

#include "lumoui/core/m_dialog.h"
#include "lumoui/win/headless/headless_backend.h"

namespace {

class Plain : public LumoUI::MControl {
public:
    Plain(LumoUI::MObject* parent, UINT id, CRect rect) : MControl(parent, id, rect, 1, 1, 1) {}
    void DrawControl(LumoUI::HDC&, CRect) override {}
    int OnControlMouseMove(UINT, CPoint pt) override { return rect_.PtInRect(pt) ? 1 : 0; }
};

// Ten columns of six controls, each 128 x 120, overlapping their right neighbour by 8
// pixels, with two children side by side.
class GridDialog : public LumoUI::MDialog {
public:
    void InitUI(CRect) override {
        UINT id = 1;
        for (int row = 0; row < 6; ++row) {
            for (int column = 0; column < 10; ++column) {
                const CRect r(column * 120, row * 120, column * 120 + 128, row * 120 + 120);
                LumoUI::MControl* c =
                    GetPaintManager().AddControl(std::make_unique<Plain>(this, id++, r));
                c->AddControl(std::make_unique<Plain>(
                    c, id++, CRect(r.left + 4, r.top + 4, r.left + 60, r.bottom - 4)));
                c->AddControl(std::make_unique<Plain>(
                    c, id++, CRect(r.left + 64, r.top + 4, r.right - 4, r.bottom - 4)));
            }
        }
    }
};

void BM_MouseMoveChangingHover(benchmark::State& state) {
    LumoUI::UseHeadlessBackend();
    GridDialog dlg;
    const HWND hwnd =
        dlg.Create(nullptr, L"bench", WS_POPUP | WS_VISIBLE, 0, CRect(0, 0, 1280, 720));
    LumoUI::HeadlessBackend::Pump();
    const LPARAM points[] = {MAKELPARAM(610, 370), MAKELPARAM(670, 370)};
    int i = 0;
    for (auto _ : state) {
        SendMessageW(hwnd, WM_MOUSEMOVE, 0, points[i]);
        i ^= 1;
    }
    dlg.DestroyWindow();
}
BENCHMARK(BM_MouseMoveChangingHover);

void BM_RepaintRequest(benchmark::State& state) {
    LumoUI::UseHeadlessBackend();
    GridDialog dlg;
    dlg.Create(nullptr, L"bench", WS_POPUP | WS_VISIBLE, 0, CRect(0, 0, 1280, 720));
    LumoUI::HeadlessBackend::Pump();
    LumoUI::MControl* middle = dlg.GetControl(3 * 27 + 1);  // row 2, column 7
    for (auto _ : state) {
        middle->UpdateControl(1, 0);
    }
    dlg.DestroyWindow();
}
BENCHMARK(BM_RepaintRequest);

}  // namespace
