#include "lumoui/gfx/device_context.h"

#include <gtest/gtest.h>

#include "lumoui/gfx/graphics.h"
#include "pixel_probe.h"

namespace LumoUI {
namespace {

using gfx_test::AllPixels;
using gfx_test::InkBounds;

TEST(DeviceContextTest, BitBltCopiesPixelsAsTheyAreWithinTheClip) {
    Bitmap cache(10, 10);
    cache.Clear(0x80FF0000);  // translucent pixels are copied, not blended
    Bitmap back(30, 30);
    back.Clear(0xFF00FF00);
    HDC cacheDc(cache);
    HDC backDc(back);
    EXPECT_TRUE(backDc.BitBlt(5, 5, 10, 10, cacheDc, 0, 0));
    EXPECT_TRUE(AllPixels(back, CRect(5, 5, 15, 15), 0x80FF0000));
    EXPECT_EQ(back.GetPixel(15, 15), 0xFF00FF00u);

    backDc.IntersectClipRect(CRect(20, 20, 30, 30));
    backDc.BitBlt(15, 15, 10, 10, cacheDc, 0, 0);
    EXPECT_TRUE(AllPixels(back, CRect(20, 20, 25, 25), 0x80FF0000));
    EXPECT_EQ(back.GetPixel(17, 17), 0xFF00FF00u);

    EXPECT_FALSE(backDc.BitBlt(0, 0, 5, 5, HDC(), 0, 0));
    EXPECT_FALSE(HDC().BitBlt(0, 0, 5, 5, cacheDc, 0, 0));
}

TEST(DeviceContextTest, CopyOutOfTheBackBufferIntoACache) {
    Bitmap back(20, 20);
    back.Fill(CRect(8, 8, 12, 12), 0xFF123456);
    Bitmap cache(4, 4);
    HDC cacheDc(cache);
    cacheDc.BitBlt(0, 0, 4, 4, HDC(back), 8, 8);
    EXPECT_TRUE(AllPixels(cache, cache.Bounds(), 0xFF123456));
}

TEST(DeviceContextTest, AlphaBlendWithEightyPercentTransparencyGivesAlpha51) {
    Bitmap fill(8, 8);
    fill.Clear(0xFFFFFFFF);
    Bitmap target(8, 8);
    HDC dc(target);
    BLENDFUNCTION blend;
    blend.SourceConstantAlpha = 255 * (100 - 80) / 100;
    // Row by row, as a transparency transition draws.
    for (int y = 0; y < 8; ++y) {
        EXPECT_TRUE(dc.AlphaBlend(0, y, 8, 1, HDC(fill), 0, y, 8, 1, blend));
    }
    EXPECT_TRUE(AllPixels(target, target.Bounds(), 0x33FFFFFF));
}

TEST(DeviceContextTest, StretchBltAndOpaqueFills) {
    Bitmap source(1, 2);
    source.SetPixel(0, 0, 0xFFFF0000);
    source.SetPixel(0, 1, 0xFF0000FF);
    Bitmap target(4, 4);
    HDC dc(target);
    EXPECT_TRUE(dc.StretchBlt(0, 0, 4, 4, HDC(source), 0, 0, 1, 2));
    EXPECT_TRUE(AllPixels(target, CRect(0, 0, 4, 2), 0xFFFF0000));
    EXPECT_TRUE(AllPixels(target, CRect(0, 2, 4, 4), 0xFF0000FF));

    dc.FillSolidRect(1, 1, 2, 2, RGB(10, 20, 30));
    EXPECT_TRUE(AllPixels(target, CRect(1, 1, 3, 3), 0xFF0A141E));
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(10, 20, 30));
    EXPECT_EQ(dc.GetPixel(4, 0), CLR_INVALID);
    dc.SelectClipRect(CRect(0, 0, 1, 1));
    EXPECT_EQ(dc.GetPixel(2, 2), CLR_INVALID);
}

TEST(DeviceContextTest, SaveAndRestoreBringBackClipAndTextSettings) {
    Bitmap target(10, 10);
    HDC dc(target);
    const int level = dc.SaveDC();
    dc.IntersectClipRect(CRect(0, 0, 2, 2));
    dc.SetTextColor(RGB(1, 2, 3));
    dc.SelectFont(Font(L"Sans", 9));
    EXPECT_TRUE(dc.RestoreDC(level));
    EXPECT_FALSE(dc.GetClipRect());
    EXPECT_FALSE(dc.GetFont());
    EXPECT_EQ(dc.SetTextColor(0), RGB(0, 0, 0));
    EXPECT_FALSE(dc.RestoreDC(level));
}

TEST(DeviceContextTest, DrawTextCentresASingleLineAndMeasuresWithCalcRect) {
    Bitmap target(200, 40);
    HDC dc(target);
    dc.SelectFont(Font(gfx_test::DejaVuSans(), 14));
    dc.SetTextColor(RGB(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
    CRect rect(10, 0, 190, 40);
    EXPECT_GT(dc.DrawText(L"HIH", rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 0);
    const CRect ink = InkBounds(target);
    EXPECT_NEAR(ink.left - rect.left, rect.right - ink.right, 1);
    // In the text colour where the glyphs cover whole pixels.
    int covered = 0;
    for (int y = ink.top; y < ink.bottom; ++y) {
        for (int x = ink.left; x < ink.right; ++x) {
            const ARGB pixel = target.GetPixel(x, y);
            if (AlphaOf(pixel) == 255) {
                EXPECT_EQ(pixel, 0xFFFFFFFFu);
                ++covered;
            }
        }
    }
    EXPECT_GT(covered, 20);

    CRect measured(0, 0, 0, 0);
    const int height = dc.DrawText(L"HIH", measured, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(measured.Height(), height);
    EXPECT_NEAR(measured.Width(), ink.Width(), 4);
}

TEST(DeviceContextTest, DrawTextOpaqueModeFillsTheTextBackground) {
    Bitmap target(100, 30);
    HDC dc(target);
    dc.SelectFont(Font(gfx_test::DejaVuSans(), 14));
    dc.SetBkColor(RGB(0, 0, 255));
    dc.DrawText(L"Edit", CRect(0, 0, 100, 30), DT_SINGLELINE);
    EXPECT_EQ(target.GetPixel(1, 1), 0xFF0000FFu);
    EXPECT_EQ(target.GetPixel(99, 29), 0u);
}

TEST(DeviceContextTest, DrawTextShowsAmpersandsAndEllipsizes) {
    const Font font(gfx_test::DejaVuSans(), 14);
    auto render = [&](const CString& text, const CRect& rect, unsigned format) {
        Bitmap target(200, 30);
        HDC dc(target);
        dc.SelectFont(font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(255, 255, 255));
        dc.DrawText(text, rect, format);
        return target;
    };
    const CRect wide(0, 0, 200, 30);
    EXPECT_GT(InkBounds(render(L"R&D", wide, DT_SINGLELINE)).Width(),
              InkBounds(render(L"RD", wide, DT_SINGLELINE)).Width());

    const CString longText = L"a long edit text that does not fit";
    const CRect narrow(0, 0, 80, 30);
    const Bitmap cut = render(longText, narrow, DT_SINGLELINE);
    const Bitmap ellipsis = render(longText, narrow, DT_SINGLELINE | DT_WORD_ELLIPSIS);
    EXPECT_LE(InkBounds(ellipsis).right, 80);
    EXPECT_FALSE(gfx_test::SamePixels(cut, ellipsis));
}

}  // namespace
}  // namespace LumoUI
