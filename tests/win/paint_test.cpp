#include <fstream>
#include <thread>

#include "lumoui/gfx/pixel_format.h"
#include "support/temp_folder.h"
#include "window_test_support.h"

namespace wintest {
namespace {

using PaintTest = WindowSystemTest;
using LumoUI::HeadlessFrame;
using LumoUI::HeadlessImage;
using LumoUI::gfx::Premultiply;

void Invalidate(HWND hwnd, const CRect& rect, BOOL erase = FALSE) {
    const RECT r = rect;
    InvalidateRect(hwnd, &r, erase);
}

// A window that paints by the rules and remembers each rectangle it was asked to paint.
struct PaintingWindow {
    explicit PaintingWindow(const WindowSpec& spec = {})
        : window(spec, [this](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
              if (message == WM_PAINT) {
                  PAINTSTRUCT paint;
                  BeginPaint(hwnd, &paint);
                  painted.push_back(paint.rcPaint);
                  EndPaint(hwnd, &paint);
                  return 0;
              }
              return std::nullopt;
          }) {}
    std::vector<CRect> painted;
    TestWindow window;
};

TEST_F(PaintTest, InvalidationCollectsABoundingRectangleAndPaintsOnce) {
    PaintingWindow p({.rect = {0, 0, 200, 100}});
    Pump();
    EXPECT_EQ(p.painted, (std::vector<CRect>{CRect(0, 0, 200, 100)})) << "shown: all of it";

    p.painted.clear();
    Invalidate(p.window, CRect(10, 10, 20, 20));
    Invalidate(p.window, CRect(50, 40, 60, 45));
    Invalidate(p.window, CRect(-10, -10, 5, 5));
    Pump();
    Pump();
    EXPECT_EQ(p.painted, (std::vector<CRect>{CRect(0, 0, 60, 45)}));

    p.painted.clear();
    ShowWindow(p.window, SW_HIDE);
    InvalidateRect(p.window, nullptr, FALSE);
    Pump();
    EXPECT_TRUE(p.painted.empty()) << "a hidden window is not painted";
    ShowWindow(p.window, SW_SHOWNA);
    Pump();
    EXPECT_EQ(p.painted, (std::vector<CRect>{CRect(0, 0, 200, 100)}));
}

TEST_F(PaintTest, WindowThatDoesNotPaintIsNotAskedAgainAndAgain) {
    TestWindow w({}, [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        return message == WM_PAINT ? std::optional<LRESULT>(0) : std::nullopt;
    });
    Pump();
    EXPECT_EQ(w.Count(WM_PAINT), 1);
    RECT rect;
    EXPECT_FALSE(GetUpdateRect(w, &rect, FALSE));
}

TEST_F(PaintTest, InvalidationFromAnotherThreadPaintsOnTheOwnerThread) {
    PaintingWindow p;
    Pump();
    p.window.Clear();
    std::thread([&] { Invalidate(p.window, CRect(1, 2, 3, 4), TRUE); }).join();
    Pump();
    ASSERT_EQ(p.window.Count(WM_PAINT), 1);
    EXPECT_EQ(p.window.Of(WM_PAINT)[0].thread, std::this_thread::get_id());
    EXPECT_EQ(p.window.Count(WM_ERASEBKGND), 1);
    EXPECT_EQ(p.painted.back(), CRect(1, 2, 3, 4));
}

TEST_F(PaintTest, OpaqueWindowPresentsItsUpdateRectangleWithoutAlpha) {
    TestWindow w({.rect = {0, 0, 40, 30}});
    const HeadlessImage buffer(40, 30, Premultiply(0x80FF0000));
    ASSERT_TRUE(PresentWindow(w, buffer.View(), CRect(10, 5, 20, 15)));

    HeadlessFrame frame;
    ASSERT_TRUE(display->GetFrame(w, 0, &frame));
    EXPECT_EQ(display->FrameCount(w), 1);
    EXPECT_EQ(frame.update, CRect(10, 5, 20, 15));
    EXPECT_FALSE(frame.perPixelAlpha);
    EXPECT_EQ(frame.image.Pixel(12, 7), 0xFF800000u) << "colour bits kept, alpha ignored";
    EXPECT_EQ(frame.image.Pixel(0, 0), 0xFF000000u) << "not presented yet: black";
    EXPECT_EQ(display->CaptureScreen().Pixel(12, 7), 0xFF800000u);

    EXPECT_FALSE(PresentWindow(w, LumoUI::PixelView{}, CRect(0, 0, 1, 1)));
    std::thread([&] { EXPECT_FALSE(PresentWindow(w, buffer.View(), CRect(0, 0, 1, 1))); }).join();
    EXPECT_FALSE(UpdateLayeredWindow(w, buffer.View())) << "not a layered window";
    EXPECT_EQ(display->FrameCount(w), 1);
}

TEST_F(PaintTest, LayeredWindowKeepsItsPerPixelAlpha) {
    TestWindow below({.rect = {0, 0, 100, 100}});
    const HeadlessImage blue(100, 100, 0xFF0000FF);
    PresentWindow(below, blue.View(), CRect(0, 0, 100, 100));
    TestWindow layered({.rect = {0, 0, 100, 100}, .exStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW});
    HeadlessImage pixels(100, 100, 0);
    pixels.SetPixel(10, 10, 0xFFFF0000);
    pixels.SetPixel(20, 20, Premultiply(0x8000FF00));
    ASSERT_TRUE(UpdateLayeredWindow(layered, pixels.View()));

    HeadlessFrame frame;
    ASSERT_TRUE(display->GetFrame(layered, 0, &frame));
    EXPECT_TRUE(frame.perPixelAlpha);
    EXPECT_EQ(frame.image, pixels);
    EXPECT_EQ(frame.image.Color(20, 20), 0x8000FF00u);

    const HeadlessImage screen = display->CaptureScreen();
    EXPECT_EQ(screen.Pixel(10, 10), 0xFFFF0000u);
    EXPECT_EQ(screen.Pixel(50, 50), 0xFF0000FFu) << "transparent: the window beneath shows";
    EXPECT_EQ(screen.Pixel(20, 20), 0xFF00807Fu) << "half green over blue";

    // The pointer goes through fully transparent pixels, as on a real display.
    EXPECT_EQ(display->WindowAt(CPoint(10, 10)), layered.hwnd());
    EXPECT_EQ(display->WindowAt(CPoint(50, 50)), below.hwnd());

    ASSERT_TRUE(SetLayeredWindowAttributes(layered, 0, 0, LWA_ALPHA));
    EXPECT_EQ(display->CaptureScreen().Pixel(10, 10), 0xFF0000FFu) << "constant alpha 0";
}

TEST_F(PaintTest, FramesSavedAsPngReadBackTheSamePixels) {
    TempFolder folder;
    TestWindow w({.rect = {0, 0, 64, 32}, .exStyle = WS_EX_LAYERED});
    HeadlessImage pixels(64, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 64; ++x) {
            pixels.SetPixel(x, y, Premultiply(MakeARGB(x * 4, 255, y * 8, 40)));
        }
    }
    ASSERT_TRUE(UpdateLayeredWindow(w, pixels.View()));
    const CString windowPng = Utf8ToWide(folder / "window.png");
    ASSERT_TRUE(display->SaveWindowPng(w, windowPng));
    HeadlessImage loaded;
    ASSERT_TRUE(HeadlessImage::LoadPng(windowPng, &loaded));
    EXPECT_EQ(loaded, pixels);

    const CString screenPng = Utf8ToWide(folder / "screen.png");
    ASSERT_TRUE(display->SaveScreenPng(screenPng));
    ASSERT_TRUE(HeadlessImage::LoadPng(screenPng, &loaded));
    EXPECT_EQ(loaded, display->CaptureScreen());

    folder.WriteFile("not.png", "plain text");
    EXPECT_FALSE(HeadlessImage::LoadPng(Utf8ToWide(folder / "not.png"), &loaded));
    EXPECT_FALSE(HeadlessImage::LoadPng(Utf8ToWide(folder / "missing.png"), &loaded));
    EXPECT_FALSE(HeadlessImage().SavePng(Utf8ToWide(folder / "empty.png")));
}

}  // namespace
}  // namespace wintest
