// MRender's drawing functions on plain bitmaps: transparency gradients, fills and rounded
// rectangles.
#include <gtest/gtest.h>

#include "lumoui/core/m_render.h"

namespace coretest {
namespace {

using LumoUI::Bitmap;
using LumoUI::HDC;
using LumoUI::MRender;

TEST(MRenderTest, TransitionsBlendEachRowOrColumnWithItsOwnConstantAlpha) {
    const struct {
        bool vertical;
        int start;
        int end;
        int firstAlpha;
        int lastAlpha;
    } cases[] = {
        {true, 80, 80, 51, 51},   // 255 * 20 / 100 on every row
        {false, 80, 80, 51, 51},  // and every column
        {true, 0, 100, 255, 12},  // 255 - 255 * 19 / 20
        {false, 100, 0, 0, 242},  // 255 * 19 / 20
    };
    for (const auto& c : cases) {
        Bitmap target(20, 20);
        Bitmap fill(20, 20);
        fill.Clear(0xFFFFFFFF);
        HDC dst(target);
        HDC src(fill);
        const CRect all(0, 0, 20, 20);
        if (c.vertical) {
            MRender::DrawVerticalTransition(dst, src, all, all, c.start, c.end);
        } else {
            MRender::DrawHorizontalTransition(dst, src, all, all, c.start, c.end);
        }
        for (int i = 0; i < 20; ++i) {
            const CPoint first = c.vertical ? CPoint(i, 0) : CPoint(0, i);
            const CPoint last = c.vertical ? CPoint(i, 19) : CPoint(19, i);
            ASSERT_NEAR(AlphaOf(target.GetPixel(first.x, first.y)), c.firstAlpha, 1)
                << c.vertical << c.start << c.end;
            ASSERT_NEAR(AlphaOf(target.GetPixel(last.x, last.y)), c.lastAlpha, 1)
                << c.vertical << c.start << c.end;
        }
    }
}

TEST(MRenderTest, FillsAndRoundedRectangles) {
    Bitmap bitmap(40, 40);
    HDC dc(bitmap);
    MRender::DrawColor(dc, CRect(0, 0, 40, 40), 0x00FF0000);
    EXPECT_EQ(bitmap.GetPixel(5, 5), 0u) << "alpha 0 draws nothing";
    MRender::FillSolidRect(dc, 0, 0, 10, 10, RGB(0, 0, 255));
    EXPECT_EQ(bitmap.GetPixel(5, 5), 0xFF0000FFu);

    for (const int radius : {0, 2}) {
        Bitmap shape(40, 40);
        LumoUI::Graphics graphics(shape);
        MRender::DrawRoundRectange(graphics, 0, 0, 39, 39, radius, LumoUI::Color(0xFF00FF00), 1,
                                   true, LumoUI::Color(0xFFFF0000));
        EXPECT_EQ(shape.GetPixel(20, 20), 0xFFFF0000u) << "filled";
        // Radius 2 rounds each corner by 39 / 4 pixels; 0 keeps them square.
        EXPECT_EQ(shape.GetPixel(1, 1) != 0, radius == 0) << radius;
    }
}

}  // namespace
}  // namespace coretest
