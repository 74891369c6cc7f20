#include "lumoui/gfx/bitmap.h"

#include <gtest/gtest.h>

#include "lumoui/gfx/image.h"
#include "pixel_probe.h"
#include "support/temp_folder.h"

namespace LumoUI {
namespace {

using gfx_test::AllPixels;

TEST(BitmapTest, ViewHoldsPremultipliedArgbRowsTopDown) {
    Bitmap bitmap(3, 2);
    ASSERT_FALSE(bitmap.IsEmpty());
    bitmap.SetPixel(2, 1, MakeARGB(128, 255, 0, 64));
    const PixelView view = bitmap.View();
    EXPECT_EQ(view.width, 3);
    EXPECT_EQ(view.height, 2);
    EXPECT_GE(view.stride, 3 * 4);
    EXPECT_EQ(view.Row(0)[0], 0u);  // new bitmaps are transparent
    EXPECT_EQ(view.Row(1)[2], 0x80800020u);
    // Straight colour back, within the rounding of premultiplication.
    EXPECT_EQ(bitmap.GetPixel(2, 1), MakeARGB(128, 255, 0, 64));

    // Writes through the view are what the bitmap holds.
    view.Row(0)[1] = 0xFF00FF00;
    bitmap.MarkDirty();
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0xFF00FF00u);
}

TEST(BitmapTest, RefusesSizesItCannotHold) {
    for (const CSize size : {CSize(0, 5), CSize(5, -1), CSize(40000, 2)}) {
        Bitmap bitmap(size.cx, size.cy);
        EXPECT_TRUE(bitmap.IsEmpty()) << size.cx << "x" << size.cy;
        EXPECT_EQ(bitmap.GetPixel(0, 0), 0u);
        bitmap.SetPixel(0, 0, 0xFFFFFFFF);  // harmless
        EXPECT_TRUE(bitmap.View().IsEmpty());
    }
}

TEST(BitmapTest, ResizeKeepsWhatStillFits) {
    Bitmap bitmap(4, 4);
    bitmap.Clear(0xFF102030);
    ASSERT_TRUE(bitmap.Resize(6, 2));
    EXPECT_EQ(bitmap.Size(), CSize(6, 2));
    EXPECT_TRUE(AllPixels(bitmap, CRect(0, 0, 4, 2), 0xFF102030));
    EXPECT_TRUE(AllPixels(bitmap, CRect(4, 0, 6, 2), 0));
    EXPECT_FALSE(bitmap.Resize(0, 2));
    EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(BitmapTest, FillAndOpaqueFillReplacePixelsInsideTheBitmapOnly) {
    Bitmap bitmap(10, 10);
    bitmap.Clear(0xFFFFFFFF);
    bitmap.Fill(CRect(-5, -5, 3, 3), 0x40FF0000);  // replaces, does not blend
    EXPECT_TRUE(AllPixels(bitmap, CRect(0, 0, 3, 3), 0x40FF0000));
    EXPECT_EQ(bitmap.GetPixel(3, 3), 0xFFFFFFFFu);
    bitmap.FillOpaque(CRect(5, 5, 20, 20), RGB(1, 2, 3));
    EXPECT_TRUE(AllPixels(bitmap, CRect(5, 5, 10, 10), 0xFF010203));
}

TEST(BitmapTest, CopyReplacesPixelsAndStaysInsideBothBitmapsAndTheClip) {
    Bitmap source(4, 4);
    source.Clear(0x80FF0000);
    Bitmap target(8, 8);
    target.Clear(0xFF0000FF);

    target.CopyFrom(source, CRect(2, 2, 6, 6), CPoint(6, 6));  // only 2x2 of source exist
    EXPECT_TRUE(AllPixels(target, CRect(6, 6, 8, 8), 0x80FF0000));
    EXPECT_EQ(target.GetPixel(5, 5), 0xFF0000FFu);

    const CRect clip(0, 0, 2, 8);
    target.CopyFrom(source, source.Bounds(), CPoint(0, 0), &clip);
    EXPECT_TRUE(AllPixels(target, CRect(0, 0, 2, 4), 0x80FF0000));
    EXPECT_EQ(target.GetPixel(2, 0), 0xFF0000FFu);
}

TEST(BitmapTest, CopyWithinOneBitmapHandlesOverlap) {
    Bitmap bitmap(5, 1);
    for (int x = 0; x < 5; ++x) {
        bitmap.SetPixel(x, 0, MakeARGB(255, x, 0, 0));
    }
    bitmap.CopyFrom(bitmap, CRect(0, 0, 4, 1), CPoint(1, 0));  // scroll right by one
    for (int x = 1; x < 5; ++x) {
        EXPECT_EQ(RedOf(bitmap.GetPixel(x, 0)), x - 1);
    }
}

TEST(BitmapTest, ConstantAlphaBlendOfEightyPercentTransparencyGivesAlpha51) {
    // 80 % transparency is an opacity of 255 * 20 / 100 = 51.
    Bitmap source(4, 4);
    source.Clear(0xFFFFFFFF);
    for (const bool sourceAlpha : {false, true}) {
        Bitmap target(4, 4);
        target.BlendFrom(source, source.Bounds(), target.Bounds(), 51, sourceAlpha);
        EXPECT_TRUE(AllPixels(target, target.Bounds(), 0x33FFFFFF)) << sourceAlpha;
    }
}

TEST(BitmapTest, BlendModesDifferForTranslucentSources) {
    Bitmap source(1, 1);
    source.Clear(0x00000000);  // fully transparent
    Bitmap target(1, 1);
    target.Clear(0xFFFFFFFF);
    // With the source's alpha, a transparent source leaves the target alone; without it,
    // the channels are mixed linearly and the target loses half its alpha.
    target.BlendFrom(source, source.Bounds(), target.Bounds(), 255, true);
    EXPECT_EQ(target.GetPixel(0, 0), 0xFFFFFFFFu);
    target.BlendFrom(source, source.Bounds(), target.Bounds(), 128, false);
    EXPECT_EQ(AlphaOf(target.GetPixel(0, 0)), 127);
}

TEST(BitmapTest, StretchScalesBySourceAndDestinationRectangles) {
    Bitmap source(2, 1);
    source.SetPixel(0, 0, 0xFFFF0000);
    source.SetPixel(1, 0, 0xFF00FF00);
    Bitmap target(8, 4);
    target.StretchFrom(source, source.Bounds(), CRect(0, 0, 8, 4));
    EXPECT_TRUE(AllPixels(target, CRect(0, 0, 4, 4), 0xFFFF0000));
    EXPECT_TRUE(AllPixels(target, CRect(4, 0, 8, 4), 0xFF00FF00));
}

TEST(BitmapTest, SavesPngThatDecodesToTheSamePixels) {
    TempFolder folder;
    Bitmap bitmap(3, 3);
    bitmap.Clear(0xFF204060);
    bitmap.SetPixel(1, 1, 0x00000000);
    const CString path = Utf8ToWide(folder / "saved.png");
    ASSERT_TRUE(bitmap.SavePng(path));
    const auto image = Image::FromFile(path);
    ASSERT_TRUE(image);
    EXPECT_TRUE(gfx_test::SamePixels(image->GetFrame(0), bitmap));
    EXPECT_FALSE(bitmap.SavePng(Utf8ToWide(folder / "missing/folder/saved.png")));
}

TEST(BitmapTest, CloneIsIndependent) {
    Bitmap bitmap(2, 2);
    bitmap.Clear(0xFF112233);
    Bitmap copy = bitmap.Clone();
    bitmap.Clear(0);
    EXPECT_TRUE(AllPixels(copy, copy.Bounds(), 0xFF112233));
}

}  // namespace
}  // namespace LumoUI
