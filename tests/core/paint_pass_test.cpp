// The paint pass of a shown dialog: the background (colours or an image by its mode),
// per-pixel alpha output, the message overlay and progress with their timers, the caret, and
// the pause between passes.
#include <cstdlib>

#include "core_test_support.h"
#include "lumoui/core/manager.h"
#include "lumoui/gfx/graphics.h"

namespace coretest {
namespace {

using LumoUI::Bitmap;
using LumoUI::HeadlessFrame;
using LumoUI::HeadlessImage;
using PaintPassTest = CoreTest;

bool Near(ARGB a, ARGB b) {
    return NearColor(a, b, true);
}

HeadlessImage LatestFrame(LumoUI::HeadlessBackend* display, HWND hwnd) {
    HeadlessFrame frame;
    EXPECT_TRUE(display->GetFrame(hwnd, 0, &frame));
    return frame.image;
}

// A control whose cached image holds raw pixels as a drawing that leaves alpha alone would:
// transparent black at x 0, a colour with alpha 0 at x 1, half-transparent red at x 2.
class RawPixels : public MControl {
public:
    RawPixels(MObject* parent, UINT id, CRect rect) : MControl(parent, id, rect, 1, 1, 1) {}
    void DrawControl(HDC& dc, CRect) override {
        if (!GetUpdate()) {
            UpdateMemDC(dc, rect_.Width(), rect_.Height());
            Bitmap* cache = MemDC().GetBitmap();
            const LumoUI::PixelView view = cache->View();
            for (int y = 0; y < rect_.Height(); ++y) {
                view.Row(y)[0] = 0x00000000;
                view.Row(y)[1] = 0x00204060;
                view.Row(y)[2] = 0x80800000;
            }
            cache->MarkDirty();
        }
        dc.BitBlt(rect_.left, rect_.top, rect_.Width(), rect_.Height(), MemDC(), 0, 0);
    }
};

TEST_F(PaintPassTest, WithoutABackgroundImageAFramedColourFillCoversTheWindow) {
    TestDialog dlg;
    dlg.GetPaintManager().SetBackColor(RGB(10, 20, 30), RGB(200, 100, 50));
    const HWND hwnd = dlg.Open();
    const HeadlessImage image = LatestFrame(display, hwnd);
    ASSERT_EQ(image.Size(), CSize(300, 200));
    const ARGB frame = 0xFEC86432;
    const ARGB back = 0xFE0A141E;
    for (const CPoint edge :
         {CPoint(0, 0), CPoint(150, 0), CPoint(299, 0), CPoint(0, 100), CPoint(299, 100),
          CPoint(0, 199), CPoint(150, 199), CPoint(299, 199)}) {
        EXPECT_TRUE(Near(image.Color(edge.x, edge.y), frame)) << edge.x << "," << edge.y;
    }
    for (const CPoint inner : {CPoint(1, 1), CPoint(150, 100), CPoint(298, 198)}) {
        EXPECT_TRUE(Near(image.Color(inner.x, inner.y), back)) << inner.x << "," << inner.y;
    }
}

TEST_F(PaintPassTest, ALayeredWindowKeepsItsAlphaFromPassToPass) {
    TestDialog dlg;
    dlg.build = [](TestDialog& d) { d.Add<RawPixels>(1, CRect(10, 10, 20, 20)); };
    dlg.SetLayeredWindow(1);
    const HWND hwnd = dlg.Open();
    const HeadlessImage first = LatestFrame(display, hwnd);
    dlg.GetPaintManager().Invalidate();
    Pump();
    ASSERT_EQ(display->FrameCount(hwnd), 2);
    const HeadlessImage second = LatestFrame(display, hwnd);
    for (int y = 0; y < first.Height(); ++y) {
        for (int x = 0; x < first.Width(); ++x) {
            ASSERT_EQ(first.Pixel(x, y) >> 24, second.Pixel(x, y) >> 24) << x << "," << y;
        }
    }
    EXPECT_EQ(second.Pixel(10, 15), 0u) << "black drawn without alpha stays transparent";
    EXPECT_EQ(second.Pixel(11, 15), 0xFF204060u) << "a colour drawn without alpha is opaque";
    EXPECT_EQ(second.Pixel(12, 15), 0x80800000u) << "real alpha is kept";
    EXPECT_EQ(second.Pixel(5, 5) >> 24, 0xFEu) << "the background's alpha";
}

// A background image whose four 30 x 30 corners each hold a gradient of their own and whose
// edges and centre are plain.
Bitmap CornerImage() {
    Bitmap bitmap(100, 80);
    bitmap.Clear(0xFF808080);
    for (int corner = 0; corner < 4; ++corner) {
        const int x0 = corner % 2 == 0 ? 0 : 70;
        const int y0 = corner < 2 ? 0 : 50;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) {
                bitmap.SetPixel(x0 + x, y0 + y, MakeARGB(255, x * 8, y * 8, 40 + corner * 60));
            }
        }
    }
    return bitmap;
}

TEST_F(PaintPassTest, TheFrameModeKeepsTheImageCornersUnscaledAtAnySize) {
    ScopedAppFolder app;
    const Bitmap source = CornerImage();
    app.WriteSkin("bk.png", source);
    for (const CSize size : {CSize(300, 200), CSize(157, 61), CSize(640, 480)}) {
        TestDialog dlg;
        ASSERT_EQ(dlg.LoadBKImage(L"bk.png"), 1);
        dlg.SetBackMode(LumoUI::BackModeFrame, 30);
        const HWND hwnd =
            dlg.Create(nullptr, L"bk", WS_POPUP | WS_VISIBLE, 0, CRect(CPoint(100, 100), size));
        Pump();
        const HeadlessImage image = LatestFrame(display, hwnd);
        ASSERT_EQ(image.Size(), size);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) {
                ASSERT_EQ(image.Color(x, y), source.GetPixel(x, y));
                ASSERT_EQ(image.Color(size.cx - 30 + x, y), source.GetPixel(70 + x, y));
                ASSERT_EQ(image.Color(x, size.cy - 30 + y), source.GetPixel(x, 50 + y));
                ASSERT_EQ(image.Color(size.cx - 30 + x, size.cy - 30 + y),
                          source.GetPixel(70 + x, 50 + y));
            }
        }
        EXPECT_EQ(image.Color(size.cx / 2, size.cy / 2), 0xFF808080u) << "stretched centre";
    }
}

TEST_F(PaintPassTest, TheNormalModeDrawsTheImageAtItsSizeAndAFailedLoadFallsBackToColours) {
    ScopedAppFolder app;
    app.WriteSkin("small.png", 50, 40, 0xFF112233);
    TestDialog dlg;
    ASSERT_EQ(dlg.LoadBKImage(L"small.png"), 1);
    HWND hwnd = dlg.Open();
    HeadlessImage image = LatestFrame(display, hwnd);
    EXPECT_EQ(image.Color(0, 0), 0xFF112233u);
    EXPECT_EQ(image.Color(49, 39), 0xFF112233u);
    EXPECT_EQ(image.Color(50, 39) & 0xFFFFFF, 0u) << "nothing beyond the image";

    EXPECT_EQ(dlg.LoadBKImage(L"missing.png"), 0);
    EXPECT_EQ(dlg.GetPaintManager().GetBKImage(), nullptr);
    Pump();
    image = LatestFrame(display, hwnd);
    EXPECT_TRUE(Near(image.Color(0, 0), 0xFE10A8FD)) << "the default frame colour";
}

// A control that tints what lies beneath it.
class Tint : public MControl {
public:
    Tint(MObject* parent, UINT id, CRect rect, ARGB tint)
        : MControl(parent, id, rect, 1, 1, 1), tint_(tint) {}
    void DrawControl(HDC& dc, CRect) override {
        if (!GetUpdate() && BeginMemDC(dc)) {
            LumoUI::Graphics(MemDC()).FillRectangle(tint_,
                                                    CRect(0, 0, rect_.Width(), rect_.Height()));
        }
        CopyMemDC(dc);
    }

private:
    ARGB tint_;
};

TEST_F(PaintPassTest, ASmallRepaintLeavesWhatAWholeRepaintWould) {
    ScopedAppFolder app;
    app.WriteSkin("bk.png", CornerImage());
    TestDialog dlg;
    MControl* lower = nullptr;
    MControl* upper = nullptr;
    dlg.build = [&](TestDialog& d) {
        lower = d.Add<Tint>(1, CRect(10, 10, 90, 90), 0x80FF0000);
        upper = d.Add<Tint>(2, CRect(60, 40, 160, 120), 0x8000FF00);
        d.Add<Tint>(3, CRect(200, 100, 280, 180), 0x800000FF);
    };
    dlg.LoadBKImage(L"bk.png");
    dlg.SetBackMode(LumoUI::BackModeFrame, 30);
    const HWND hwnd = dlg.Open();
    LumoUI::PaintManager& pm = dlg.GetPaintManager();
    // Caches rebuilt in small passes take what lies beneath their whole rectangle.
    upper->UpdateControl(1, 0);
    Pump();
    lower->SetUpdate(0, 0);
    pm.InvalidateRect(CRect(20, 20, 30, 30), FALSE);
    Pump();
    pm.Invalidate();
    Pump();
    const HeadlessImage partial = display->WindowImage(hwnd);
    for (const auto& control : dlg.GetControls()) {
        control->SetUpdate(0, 0);
    }
    pm.Invalidate();
    Pump();
    EXPECT_TRUE(partial == display->WindowImage(hwnd));
}

TEST_F(PaintPassTest, AMessageIsHeldForThreeSecondsAndThenFadesOut) {
    TestDialog dlg;
    const HWND hwnd = dlg.Open();
    dlg.SetMessage(L"Saved", CRect(), LumoUI::MsgLevelInfo);
    const LumoUI::MessageOverlay& overlay = dlg.GetPaintManager().GetMessageOverlay();
    EXPECT_EQ(overlay.GetRect(), CRect(50, 140, 250, 198)) << "the default box";
    EXPECT_EQ(overlay.GetOpacity(), 255);
    Pump();
    EXPECT_TRUE(Near(LatestFrame(display, hwnd).Color(50, 140), 0xFFE6E6E6));
    EXPECT_TRUE(Near(LatestFrame(display, hwnd).Color(52, 142), 0xFFFEFEFE));

    display->AdvanceTime(2990);
    EXPECT_EQ(overlay.GetOpacity(), 255) << "held";
    display->AdvanceTime(10 + 50 * 3);
    EXPECT_EQ(overlay.GetOpacity(), 225) << "three fade steps of 10";
    display->AdvanceTime(50 * 21);
    EXPECT_EQ(overlay.GetOpacity(), 0) << "below 20 it is gone";
    Pump();
    EXPECT_TRUE(Near(LatestFrame(display, hwnd).Color(52, 142), 0xFE090D13));
}

TEST_F(PaintPassTest, ProgressClimbsByTwoEveryTenMillisecondsJumpsSmallStepsAndFadesAtTheEnd) {
    TestDialog dlg;
    dlg.Open();
    const LumoUI::MessageOverlay& overlay = dlg.GetPaintManager().GetMessageOverlay();
    dlg.SetProgress(40, L"Downloading", CRect());
    EXPECT_EQ(overlay.GetRect(), CRect(0, 140, 300, 198)) << "the full width by default";
    EXPECT_EQ(overlay.GetProgress(), 0);
    display->AdvanceTime(100);
    EXPECT_EQ(overlay.GetProgress(), 20);
    display->AdvanceTime(200);
    EXPECT_EQ(overlay.GetProgress(), 40) << "stops at the target";
    dlg.SetProgress(45, L"Downloading", CRect());
    EXPECT_EQ(overlay.GetProgress(), 45) << "less than 6 above: at once";
    dlg.SetProgress(100, L"Done", CRect());
    display->AdvanceTime(280);
    EXPECT_EQ(overlay.GetProgress(), 100);
    EXPECT_EQ(overlay.GetOpacity(), 255);
    display->AdvanceTime(50 * 25);
    EXPECT_EQ(overlay.GetOpacity(), 0) << "faded after reaching 100";
    dlg.SetProgress(100, L"Again", CRect());
    EXPECT_EQ(overlay.GetOpacity(), 255) << "a faded run starts anew";
}

TEST_F(PaintPassTest, TheCaretBlinksWhileItsOwnerHasTheFocus) {
    TestDialog dlg;
    Probe* edit = nullptr;
    dlg.build = [&](TestDialog& d) { edit = d.Add(1, CRect(10, 10, 200, 60)); };
    const HWND hwnd = dlg.Open();
    LumoUI::PaintManager& pm = dlg.GetPaintManager();
    ::SetFocus(hwnd);
    dlg.SetFocusControl(edit);
    pm.CreateCaret(2, 16);
    pm.SetCaretPos(edit, 20, 20);
    pm.ShowCaret(1);
    EXPECT_EQ(pm.GetCurrentCaretObject(), edit);
    Pump();
    EXPECT_TRUE(Near(LatestFrame(display, hwnd).Color(21, 30), 0xFEFFFFFF)) << "shown at once";
    display->AdvanceTime(::GetCaretBlinkTime());
    EXPECT_EQ(LatestFrame(display, hwnd).Color(21, 30), edit->color) << "blinked off";
    display->AdvanceTime(::GetCaretBlinkTime());
    EXPECT_TRUE(Near(LatestFrame(display, hwnd).Color(21, 30), 0xFEFFFFFF)) << "and on";

    dlg.SetFocusControl(nullptr);
    pm.Invalidate();
    Pump();
    EXPECT_FALSE(pm.GetCaret().IsShown()) << "no focus: the blinking stops";
    EXPECT_EQ(LatestFrame(display, hwnd).Color(21, 30), edit->color);
}

TEST_F(PaintPassTest, APaintSoonerThanThePauseAfterTheLastOneWaitsForIt) {
    TestDialog dlg;
    const HWND hwnd = dlg.Open();
    LumoUI::PaintManager& pm = dlg.GetPaintManager();
    EXPECT_EQ(pm.GetRepaintPause(), 0u) << "none on virtual time";
    pm.SetRepaintPause(LumoUI::PaintManager::kRepaintPauseMs);
    const int before = display->FrameCount(hwnd);
    pm.Invalidate();
    Pump();
    EXPECT_EQ(display->FrameCount(hwnd), before) << "held back";
    pm.InvalidateRect(CRect(5, 5, 10, 10), FALSE);
    display->AdvanceTime(10);
    EXPECT_EQ(display->FrameCount(hwnd), before);
    display->AdvanceTime(10);
    EXPECT_EQ(display->FrameCount(hwnd), before + 1) << "one pass for both requests";
    HeadlessFrame frame;
    ASSERT_TRUE(display->GetFrame(hwnd, 0, &frame));
    EXPECT_EQ(frame.update, CRect(0, 0, 300, 200));
}

}  // namespace
}  // namespace coretest
