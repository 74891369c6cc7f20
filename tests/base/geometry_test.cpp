#include <gtest/gtest.h>

#include "lumoui/base/colors.h"
#include "lumoui/base/geometry.h"

namespace {

TEST(GeometryTest, RectangleEdgesAndOverlap) {
    const CRect r(10, 20, 110, 60);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_TRUE(r.PtInRect({10, 20}));
    EXPECT_FALSE(r.PtInRect({110, 30}));  // right and bottom lie outside
    EXPECT_FALSE(r.PtInRect({50, 60}));

    CRect overlap;
    EXPECT_TRUE(overlap.IntersectRect(r, CRect(100, 0, 200, 30)));
    EXPECT_EQ(overlap, CRect(100, 20, 110, 30));
    EXPECT_FALSE(overlap.IntersectRect(r, CRect(110, 20, 120, 60)));  // only touching
    EXPECT_TRUE(overlap.IsRectNull());

    CRect both;
    EXPECT_TRUE(both.UnionRect(r, CRect()));
    EXPECT_EQ(both, r);
    both.UnionRect(r, CRect(0, 0, 5, 5));
    EXPECT_EQ(both, CRect(0, 0, 110, 60));
}

TEST(GeometryTest, ColourForms) {
    constexpr COLORREF accent = RGB(16, 168, 253);
    static_assert(accent == 0x00FDA810);
    static_assert(ArgbFromColorref(accent) == 0xFF10A8FD);
    static_assert(ColorrefFromArgb(0x8010A8FD) == accent);
    static_assert(GetBValue(accent) == 253 && GetGValue(accent) == 168 && GetRValue(accent) == 16);
}

}  // namespace
