#include "lumoui/gfx/graphics.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "lumoui/gfx/device_context.h"
#include "lumoui/gfx/nine_grid.h"
#include "pixel_probe.h"

namespace LumoUI {
namespace {

using gfx_test::AllPixels;

// Within `tolerance` in every channel.
bool Near(ARGB a, ARGB b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

// Red, green / blue, white.
Bitmap FourColours() {
    Bitmap b(2, 2);
    b.SetPixel(0, 0, 0xFFFF0000);
    b.SetPixel(1, 0, 0xFF00FF00);
    b.SetPixel(0, 1, 0xFF0000FF);
    b.SetPixel(1, 1, 0xFFFFFFFF);
    return b;
}

TEST(GraphicsTest, StretchedImageKeepsPureCornersAndMixesTheCentre) {
    const auto image = Image::FromBitmap(FourColours());
    Bitmap target(100, 100);
    Graphics g(target);
    g.DrawImage(image.get(), CRect(0, 0, 100, 100));
    EXPECT_EQ(target.GetPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(target.GetPixel(99, 0), 0xFF00FF00u);
    EXPECT_EQ(target.GetPixel(0, 99), 0xFF0000FFu);
    EXPECT_EQ(target.GetPixel(99, 99), 0xFFFFFFFFu);
    // The centre lies between all four: the average of each channel.
    EXPECT_TRUE(Near(target.GetPixel(50, 50), MakeARGB(255, 128, 128, 128), 8))
        << std::hex << target.GetPixel(50, 50);
}

TEST(GraphicsTest, NearestNeighbourStretchGivesSharpQuadrants) {
    Bitmap target(100, 100);
    Graphics g(target);
    g.SetInterpolationMode(InterpolationModeNearestNeighbor);
    g.DrawImage(FourColours(), CRect(0, 0, 100, 100));
    EXPECT_TRUE(AllPixels(target, CRect(0, 0, 50, 50), 0xFFFF0000));
    EXPECT_TRUE(AllPixels(target, CRect(50, 50, 100, 100), 0xFFFFFFFF));
}

TEST(GraphicsTest, ImageSourceRectangleDrawsOnlyThatPartAndNoNeighbourBleeds) {
    // A strip of two 10x10 frames; the second frame, scaled up, shows none of the first.
    Bitmap strip(20, 10);
    strip.Fill(CRect(0, 0, 10, 10), 0xFFFF0000);
    strip.Fill(CRect(10, 0, 20, 10), 0xFF00FF00);
    Bitmap target(40, 40);
    Graphics g(target);
    g.DrawImage(strip, CRect(0, 0, 40, 40), CRect(10, 0, 20, 10));
    EXPECT_TRUE(AllPixels(target, target.Bounds(), 0xFF00FF00));

    // A source reaching beyond the image draws its existing part at the same scale.
    Bitmap second(40, 10);
    Graphics g2(second);
    g2.DrawImage(strip, CRect(0, 0, 40, 10), CRect(0, 0, 40, 10));
    EXPECT_TRUE(AllPixels(second, CRect(0, 0, 10, 10), 0xFFFF0000));
    EXPECT_TRUE(AllPixels(second, CRect(20, 0, 40, 10), 0));
}

TEST(GraphicsTest, AbsentImageDrawsNothing) {
    Bitmap target(4, 4);
    Graphics g(target);
    g.DrawImage(static_cast<const Image*>(nullptr), 0, 0);
    g.DrawImage(static_cast<const Image*>(nullptr), CRect(0, 0, 4, 4));
    DrawNineGrid(g, static_cast<const Image*>(nullptr), CRect(0, 0, 4, 4), CRect(0, 0, 4, 4),
                 NineGridMargins::Uniform(1));
    EXPECT_TRUE(AllPixels(target, target.Bounds(), 0));
}

TEST(GraphicsTest, ImageOpacityBlendsWithConstantAlpha) {
    Bitmap source(4, 4);
    source.Clear(0xFFFFFFFF);
    Bitmap target(4, 4);
    Graphics g(target);
    g.DrawImage(source, target.Bounds(), source.Bounds(), 51);
    EXPECT_TRUE(AllPixels(target, target.Bounds(), 0x33FFFFFF));
}

// A 30x30 source of nine 10x10 cells, each in its own colour.
ARGB CellColour(int column, int row) {
    return MakeARGB(255, 40 + column * 90, 40 + row * 90, 7);
}

Bitmap NineCells() {
    Bitmap b(30, 30);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            b.Fill(CRect(column * 10, row * 10, column * 10 + 10, row * 10 + 10),
                   CellColour(column, row));
        }
    }
    return b;
}

TEST(GraphicsTest, NineGridKeepsCornersUnscaledAndStretchesTheRest) {
    const Bitmap source = NineCells();
    for (const CSize size : {CSize(100, 80), CSize(25, 300), CSize(300, 21)}) {
        Bitmap target(size.cx + 10, size.cy + 10);
        Graphics g(target);
        const CRect dest(5, 5, 5 + size.cx, 5 + size.cy);
        DrawNineGrid(g, source, dest, source.Bounds(), NineGridMargins::Uniform(10));
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        EXPECT_TRUE(AllPixels(target, CRect(5, 5, 15, 15), CellColour(0, 0)));
        EXPECT_TRUE(AllPixels(target, CRect(dest.right - 10, 5, dest.right, 15), CellColour(2, 0)));
        EXPECT_TRUE(
            AllPixels(target, CRect(5, dest.bottom - 10, 15, dest.bottom), CellColour(0, 2)));
        EXPECT_TRUE(AllPixels(target,
                              CRect(dest.right - 10, dest.bottom - 10, dest.right, dest.bottom),
                              CellColour(2, 2)));
        // Edges and centre keep their cell's colour all along.
        EXPECT_TRUE(AllPixels(target, CRect(15, 5, dest.right - 10, 15), CellColour(1, 0)));
        EXPECT_TRUE(AllPixels(target, CRect(5, 15, 15, dest.bottom - 10), CellColour(0, 1)));
        EXPECT_TRUE(
            AllPixels(target, CRect(15, 15, dest.right - 10, dest.bottom - 10), CellColour(1, 1)));
        // Nothing outside the destination.
        EXPECT_EQ(target.GetPixel(4, 4), 0u);
        EXPECT_EQ(target.GetPixel(dest.right, dest.bottom), 0u);
    }
}

TEST(GraphicsTest, NineGridWithSeparateMargins) {
    const Bitmap source = NineCells();
    Bitmap target(60, 40);
    Graphics g(target);
    // Margins 10 left and top, 5 right and bottom: the right column shows only the outer half
    // of the third cell column.
    DrawNineGrid(g, source, target.Bounds(), source.Bounds(), NineGridMargins{10, 10, 5, 5});
    EXPECT_TRUE(AllPixels(target, CRect(0, 0, 10, 10), CellColour(0, 0)));
    EXPECT_TRUE(AllPixels(target, CRect(55, 35, 60, 40), CellColour(2, 2)));
    EXPECT_EQ(target.GetPixel(30, 20), CellColour(1, 1));
}

TEST(GraphicsTest, RoundedRectangleLeavesItsCornersTransparent) {
    Bitmap target(40, 30);
    Graphics g(target);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    Path path;
    path.AddRoundedRectangle(RectF(0, 0, 40, 30), 8, 8);
    g.FillPath(0xFF3080FF, path);
    for (const CPoint corner : {CPoint(0, 0), CPoint(39, 0), CPoint(0, 29), CPoint(39, 29),
                                CPoint(1, 1), CPoint(38, 28)}) {
        EXPECT_EQ(target.GetPixel(corner.x, corner.y), 0u) << corner.x << "," << corner.y;
    }
    for (const CPoint inside : {CPoint(20, 0), CPoint(0, 15), CPoint(39, 15), CPoint(20, 29),
                                CPoint(20, 15), CPoint(8, 8)}) {
        EXPECT_EQ(target.GetPixel(inside.x, inside.y), 0xFF3080FFu) << inside.x << "," << inside.y;
    }
    const RectF bounds = path.GetBounds();
    EXPECT_EQ(bounds, RectF(0, 0, 40, 30));
}

TEST(GraphicsTest, ClipRectanglesHold) {
    Bitmap target(40, 40);
    Graphics g(target);
    g.SetClip(CRect(10, 10, 30, 30));
    const GraphicsState state = g.Save();
    g.IntersectClip(CRect(0, 0, 20, 20));
    g.FillRectangle(0xFFFF0000, target.Bounds());
    g.Restore(state);
    g.FillRectangle(0x8000FF00, CRect(0, 25, 40, 40));  // clipped to the outer clip again
    g.ResetClip();
    g.FillRectangle(0xFF0000FF, CRect(0, 0, 2, 2));

    EXPECT_TRUE(AllPixels(target, CRect(10, 10, 20, 20), 0xFFFF0000));
    EXPECT_TRUE(AllPixels(target, CRect(20, 10, 30, 25), 0));
    EXPECT_TRUE(AllPixels(target, CRect(10, 25, 30, 30), 0x8000FF00));
    EXPECT_TRUE(AllPixels(target, CRect(0, 25, 10, 40), 0));
    EXPECT_TRUE(AllPixels(target, CRect(10, 30, 30, 40), 0));
    EXPECT_TRUE(AllPixels(target, CRect(0, 0, 2, 2), 0xFF0000FF));
}

TEST(GraphicsTest, ContextClipBoundsEveryClipOfItsGraphics) {
    Bitmap target(20, 20);
    DeviceContext dc(target);
    dc.IntersectClipRect(CRect(5, 5, 15, 15));
    Graphics g(dc);
    g.SetClip(CRect(0, 0, 20, 20));  // cannot widen the context's clip
    g.Clear(0xFFFFFFFF);
    g.ResetClip();
    g.FillRectangle(0xFFFFFFFF, CRect(0, 0, 20, 20));
    EXPECT_EQ(gfx_test::InkBounds(target), CRect(5, 5, 15, 15));
}

TEST(GraphicsTest, TranslationMovesDrawingAndClips) {
    Bitmap target(30, 30);
    Graphics g(target);
    g.TranslateTransform(10, 5);
    g.SetClip(CRect(0, 0, 8, 8));
    g.FillRectangle(0xFFFFFFFF, CRect(-10, -10, 50, 50));
    EXPECT_EQ(gfx_test::InkBounds(target), CRect(10, 5, 18, 13));
    g.ResetTransform();
    g.ResetClip();
    g.FillRectangle(0xFF000000, CRect(0, 0, 1, 1));
    EXPECT_EQ(target.GetPixel(0, 0), 0xFF000000u);
}

TEST(GraphicsTest, SmoothingDecidesWhetherEdgesArePartlyCovered) {
    const struct {
        SmoothingMode mode;
        bool partial;
    } cases[] = {
        {SmoothingModeDefault, false},    {SmoothingModeNone, false},
        {SmoothingModeHighSpeed, false},  {SmoothingModeAntiAlias, true},
        {SmoothingModeHighQuality, true},
    };
    for (const auto& c : cases) {
        Bitmap target(30, 30);
        Graphics g(target);
        g.SetSmoothingMode(c.mode);
        g.FillEllipse(0xFFFFFFFF, RectF(2, 2, 25, 25));
        EXPECT_EQ(gfx_test::HasPartialAlpha(target), c.partial) << c.mode;
    }
}

TEST(GraphicsTest, SourceCopyReplacesInsteadOfBlending) {
    Bitmap target(4, 4);
    target.Clear(0xFFFFFFFF);
    Graphics g(target);
    g.FillRectangle(0x40000000, CRect(0, 0, 2, 4));
    g.SetCompositingMode(CompositingModeSourceCopy);
    g.FillRectangle(0x40000000, CRect(2, 0, 4, 4));
    EXPECT_EQ(AlphaOf(target.GetPixel(0, 0)), 255);
    EXPECT_EQ(target.GetPixel(3, 0), 0x40000000u);
}

TEST(GraphicsTest, PensStrokeWithTheirWidthAndDashes) {
    Bitmap target(40, 10);
    Graphics g(target);
    g.DrawLine(Pen(0xFFFFFFFF, 2), 0, 3, 40, 3);
    Pen dotted(0xFFFFFFFF, 2);
    dotted.SetDashStyle(DashStyleDot);
    g.DrawLine(dotted, 0, 8, 40, 8);
    // The solid pen covers two rows along the whole length.
    EXPECT_TRUE(AllPixels(target, CRect(0, 2, 40, 4), 0xFFFFFFFF));
    EXPECT_TRUE(AllPixels(target, CRect(0, 4, 40, 5), 0));
    // The dotted one alternates two pixels on, two off.
    EXPECT_TRUE(AllPixels(target, CRect(0, 7, 2, 9), 0xFFFFFFFF));
    EXPECT_TRUE(AllPixels(target, CRect(2, 7, 4, 9), 0));
    EXPECT_TRUE(AllPixels(target, CRect(4, 7, 6, 9), 0xFFFFFFFF));
}

TEST(GraphicsTest, OutlinedRectangleAndEllipse) {
    Bitmap target(20, 20);
    Graphics g(target);
    g.DrawRectangle(Pen(0xFFFF0000, 2), RectF(2, 2, 16, 16));
    EXPECT_TRUE(AllPixels(target, CRect(1, 1, 19, 3), 0xFFFF0000));
    EXPECT_TRUE(AllPixels(target, CRect(3, 3, 17, 17), 0));
    Bitmap circle(20, 20);
    Graphics c(circle);
    c.DrawEllipse(Pen(0xFFFFFFFF, 1), RectF(2, 2, 16, 16));
    EXPECT_EQ(circle.GetPixel(10, 10), 0u);
    EXPECT_EQ(gfx_test::InkBounds(circle), CRect(2, 2, 18, 18));
}

TEST(GraphicsTest, NothingHappensWithoutATarget) {
    Bitmap empty;
    Graphics g(empty);
    EXPECT_FALSE(g.IsValid());
    g.Clear(0xFFFFFFFF);
    g.FillRectangle(0xFFFFFFFF, CRect(0, 0, 5, 5));
    g.DrawString(L"x", Font(L"Sans", 12), PointF(0, 0), 0xFFFFFFFF);
    g.Restore(g.Save());
    EXPECT_TRUE(empty.IsEmpty());
}

}  // namespace
}  // namespace LumoUI
