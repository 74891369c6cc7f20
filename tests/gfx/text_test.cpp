// Text drawing and measurement with a face shipped with the build dependencies.
#include <gtest/gtest.h>

#include <cmath>

#include "lumoui/gfx/graphics.h"
#include "lumoui/gfx/text_bounds.h"
#include "pixel_probe.h"

namespace LumoUI {
namespace {

using gfx_test::InkBounds;

constexpr StringFormatFlags kSingleLine = static_cast<StringFormatFlags>(
    StringFormatFlagsNoWrap | StringFormatFlagsMeasureTrailingSpaces);

StringFormat Aligned(StringAlignment horizontal, StringAlignment vertical,
                     int flags = kSingleLine) {
    StringFormat format(flags);
    format.SetAlignment(horizontal);
    format.SetLineAlignment(vertical);
    return format;
}

struct Drawn {
    Bitmap bitmap;
    RectF box;  // MeasureString's box
};

Drawn Draw(const CString& text, const Font& font, const RectF& layout, const StringFormat& format,
           CSize size = CSize(240, 80)) {
    Drawn drawn{Bitmap(size.cx, size.cy), {}};
    Graphics g(drawn.bitmap);
    g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    g.DrawString(text, font, layout, format, 0xFFFFFFFF);
    drawn.box = g.MeasureString(text, font, layout, format);
    return drawn;
}

TEST(TextTest, CentredTextLiesInsideItsRectangleWithEqualMargins) {
    const Font font(gfx_test::DejaVuSans(), 20);
    const CRect rect(20, 10, 220, 60);
    // Symmetric letters, so the ink is as wide as the advance allows on both sides.
    const Drawn drawn =
        Draw(L"HIH", font, RectF(rect), Aligned(StringAlignmentCenter, StringAlignmentCenter));
    const CRect ink = InkBounds(drawn.bitmap);
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_NEAR(ink.left - rect.left, rect.right - ink.right, 1);
    // Vertically the line box is centred, and the ink lies inside it.
    EXPECT_NEAR(drawn.box.Y - rect.top, rect.bottom - drawn.box.GetBottom(), 1);
    EXPECT_NEAR(drawn.box.Height, font.GetHeight(), 1);
    EXPECT_GE(ink.top, std::floor(drawn.box.Y));
    EXPECT_LE(ink.bottom, std::ceil(drawn.box.GetBottom()));
}

TEST(TextTest, AlignmentPlacesTheTextAtTheNearCentreOrFarSide) {
    const Font font(gfx_test::DejaVuSans(), 16);
    const RectF rect(10, 10, 200, 50);
    const StringAlignment all[] = {StringAlignmentNear, StringAlignmentCenter, StringAlignmentFar};
    for (const StringAlignment h : all) {
        for (const StringAlignment v : all) {
            SCOPED_TRACE(testing::Message() << "h " << h << " v " << v);
            const Drawn drawn = Draw(L"HIH", font, rect, Aligned(h, v));
            const CRect ink = InkBounds(drawn.bitmap);
            const float leftGap = ink.left - rect.X;
            const float rightGap = rect.GetRight() - ink.right;
            const float topGap = drawn.box.Y - rect.Y;
            const float bottomGap = rect.GetBottom() - drawn.box.GetBottom();
            switch (h) {
                case StringAlignmentNear:
                    EXPECT_LE(leftGap, 3);
                    break;
                case StringAlignmentCenter:
                    EXPECT_NEAR(leftGap, rightGap, 1);
                    break;
                case StringAlignmentFar:
                    EXPECT_LE(rightGap, 3);
                    break;
            }
            switch (v) {
                case StringAlignmentNear:
                    EXPECT_NEAR(topGap, 0, 0.5);
                    break;
                case StringAlignmentCenter:
                    EXPECT_NEAR(topGap, bottomGap, 1);
                    break;
                case StringAlignmentFar:
                    EXPECT_NEAR(bottomGap, 0, 0.5);
                    break;
            }
            EXPECT_GE(ink.left, rect.X);
            EXPECT_LE(ink.right, rect.GetRight());
        }
    }
}

TEST(TextTest, WrappingLineLimitAndNoWrap) {
    const Font font(gfx_test::DejaVuSans(), 14);
    const float line = font.GetHeight();
    const CString text = L"several words that cannot fit on one narrow line";
    const RectF narrow(0, 0, 120, line * 1.5f);

    const Drawn wrapped = Draw(text, font, narrow, StringFormat(0x4800));  // no clip, wraps
    EXPECT_GT(wrapped.box.Height, 2.5f * line);
    EXPECT_LE(wrapped.box.Width, 120);
    EXPECT_GT(InkBounds(wrapped.bitmap).bottom, 2 * line);

    const Drawn clipped = Draw(text, font, narrow, StringFormat(0));
    EXPECT_LE(InkBounds(clipped.bitmap).bottom, std::ceil(narrow.Height));
    EXPECT_GT(InkBounds(clipped.bitmap).bottom, line + 1);  // part of line 2 shows

    const Drawn limited = Draw(text, font, narrow, StringFormat(StringFormatFlagsLineLimit));
    EXPECT_NEAR(limited.box.Height, line, 1);
    EXPECT_LE(InkBounds(limited.bitmap).bottom, std::ceil(line));

    const Drawn single = Draw(text, font, narrow, StringFormat(0x1800 | StringFormatFlagsNoClip));
    EXPECT_NEAR(single.box.Height, line, 1);
    EXPECT_GT(single.box.Width, 120);
}

TEST(TextTest, EllipsisShortensTextToTheRectangle) {
    const Font font(gfx_test::DejaVuSans(), 14);
    const CString text = L"a title far too long for its box";
    const RectF box(0, 0, 100, 30);
    StringFormat cut(0x1800);
    StringFormat ellipsis(0x1800);
    ellipsis.SetTrimming(StringTrimmingEllipsisCharacter);
    const Drawn full = Draw(text, font, box, cut);
    const Drawn shortened = Draw(text, font, box, ellipsis);
    EXPECT_GT(full.box.Width, 100);
    EXPECT_LE(shortened.box.Width, 100);
    EXPECT_FALSE(gfx_test::SamePixels(full.bitmap, shortened.bitmap));
}

TEST(TextTest, PointOriginDrawsFromThePointUnbounded) {
    const Font font(gfx_test::DejaVuSans(), 14);
    Bitmap bitmap(200, 40);
    Graphics g(bitmap);
    g.DrawString(L"Hello, world", font, PointF(30, 5), 0xFFFFFFFF);
    const CRect ink = InkBounds(bitmap);
    EXPECT_GE(ink.left, 30);
    EXPECT_LE(ink.left, 33);
    EXPECT_GE(ink.top, 5);
    EXPECT_GT(ink.Width(), 60);
}

TEST(TextTest, StyleBitsChangeTheInk) {
    const FontFamily family = gfx_test::DejaVuSans();
    const RectF layout(0, 0, 200, 40);
    const StringFormat format(kSingleLine);
    const Drawn regular = Draw(L"Styled", Font(family, 18), layout, format);
    const CRect base = InkBounds(regular.bitmap);
    const Drawn bold = Draw(L"Styled", Font(family, 18, FontStyleBold), layout, format);
    EXPECT_GT(InkBounds(bold.bitmap).Width(), base.Width());
    const Drawn underlined = Draw(L"Styled", Font(family, 18, FontStyleUnderline), layout, format);
    // "Styled" has a descender: the underline runs below the baseline across the whole word.
    EXPECT_GT(InkBounds(underlined.bitmap).Width(), base.Width() - 2);
    EXPECT_FALSE(gfx_test::SamePixels(underlined.bitmap, regular.bitmap));
    const Drawn struck = Draw(L"Styled", Font(family, 18, FontStyleStrikeout), layout, format);
    EXPECT_FALSE(gfx_test::SamePixels(struck.bitmap, regular.bitmap));
    const Drawn italic = Draw(L"Styled", Font(family, 18, FontStyleItalic), layout, format);
    EXPECT_FALSE(gfx_test::SamePixels(italic.bitmap, regular.bitmap));
}

TEST(TextTest, InvalidFontOrEmptyTextDrawsNothing) {
    const RectF layout(0, 0, 100, 30);
    EXPECT_TRUE(InkBounds(Draw(L"text", Font(), layout, StringFormat()).bitmap).IsRectEmpty());
    EXPECT_TRUE(
        InkBounds(Draw(L"", Font(gfx_test::DejaVuSans(), 14), layout, StringFormat()).bitmap)
            .IsRectEmpty());
    EXPECT_FALSE(Font(L"", 14).IsValid());
    EXPECT_FALSE(Font(L"Sans", 0).IsValid());
    EXPECT_FALSE(Font(L"Sans", NAN).IsValid());
}

TEST(TextTest, TextBoundsAreTheRoundedUpInkWidthAndTheLineHeightRule) {
    const FontFamily family = gfx_test::DejaVuSans();
    // DejaVu Sans has 2384 / 2048 em between baselines: 16.296875 pixels at 14 (not whole:
    // + 4) and 149 pixels at 128 (whole: + 1).
    const struct {
        float size;
        float lineHeight;
        int boundsHeight;
    } cases[] = {{14, 16.296875f, 20}, {128, 149, 150}};
    for (const auto& c : cases) {
        const Font font(family, c.size);
        EXPECT_FLOAT_EQ(font.GetHeight(), c.lineHeight);
        const CSize bounds = MeasureTextBounds(font, StringFormat(kSingleLine), L"Hello");
        EXPECT_EQ(bounds.cy, c.boundsHeight);

        // The width is that of the ink an unhinted drawing leaves.
        Bitmap bitmap(800, 200);
        Graphics g(bitmap);
        g.SetTextRenderingHint(TextRenderingHintAntiAlias);
        g.DrawString(L"Hello", font, PointF(10.0f, 10.0f), 0xFFFFFFFF);
        EXPECT_NEAR(bounds.cx, InkBounds(bitmap).Width(), 1) << c.size;
    }
    EXPECT_EQ(MeasureTextBounds(Font(family, 14), StringFormat(), L"").cx, 0);
    EXPECT_EQ(MeasureTextBounds(Font(), StringFormat(), L"Hello"), CSize(0, 0));
}

TEST(TextTest, RenderingHintsSelectAliasedOrSmoothGlyphs) {
    const Font font(gfx_test::DejaVuSans(), 16);
    const struct {
        TextRenderingHint hint;
        bool partial;
    } cases[] = {
        {TextRenderingHintSingleBitPerPixelGridFit, false},
        {TextRenderingHintSingleBitPerPixel, false},
        {TextRenderingHintAntiAliasGridFit, true},
        {TextRenderingHintAntiAlias, true},
        {TextRenderingHintClearTypeGridFit, true},
    };
    for (const auto& c : cases) {
        Bitmap bitmap(120, 30);
        Graphics g(bitmap);
        g.SetTextRenderingHint(c.hint);
        g.DrawString(L"Sample", font, PointF(2, 2), 0xFFFFFFFF);
        EXPECT_EQ(gfx_test::HasPartialAlpha(bitmap), c.partial) << c.hint;
        EXPECT_FALSE(InkBounds(bitmap).IsRectEmpty()) << c.hint;
    }
}

}  // namespace
}  // namespace LumoUI
