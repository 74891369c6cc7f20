// Composing a window frame the way the paint pass does: a fresh 1280x720 back buffer, the
// background fill, 60 cached 120x40 control images copied in and 20 text labels drawn.
#include <benchmark/benchmark.h>

#include <vector>

#include "lumoui/base/format.h"
#include "lumoui/gfx/device_context.h"
#include "lumoui/gfx/graphics.h"

namespace {

using namespace LumoUI;

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kImages = 60;
constexpr int kLabels = 20;
constexpr int kImageWidth = 120;
constexpr int kImageHeight = 40;

const Font& LabelFont() {
    static const Font font(L"Open Sans", 14);
    return font;
}

StringFormat CentredSingleLine() {
    StringFormat format(0x1800);
    format.SetAlignment(StringAlignmentCenter);
    format.SetLineAlignment(StringAlignmentCenter);
    return format;
}

// Control caches as buttons leave them: a rounded face with a centred title.
std::vector<Bitmap> MakeCachedImages() {
    std::vector<Bitmap> images;
    for (int i = 0; i < kImages; ++i) {
        Bitmap image(kImageWidth, kImageHeight);
        Graphics g(image);
        g.SetSmoothingMode(SmoothingModeAntiAlias);
        g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
        Path face;
        face.AddRoundedRectangle(RectF(0, 0, kImageWidth, kImageHeight), 6, 6);
        g.FillPath(MakeARGB(255, 16, 168 - i, 253), face);
        g.DrawString(Format(L"Button %d", i), LabelFont(), RectF(0, 0, kImageWidth, kImageHeight),
                     CentredSingleLine(), 0xFFFFFFFF);
        images.push_back(std::move(image));
    }
    return images;
}

CPoint ImagePosition(int i) {
    return {10 + (i % 10) * 126, 10 + (i / 10) * 60};
}

// One frame; `blend` draws the images with source-over instead of copying them.
void ComposeFrame(std::vector<Bitmap>& images, const std::vector<CString>& labels, bool blend) {
    Bitmap back(kWidth, kHeight);
    HDC dc(back);
    {
        Graphics g(dc);
        g.FillRectangle(ArgbFromColorref(RGB(16, 168, 253), 0xFE), CRect(0, 0, kWidth, kHeight));
        g.FillRectangle(ArgbFromColorref(RGB(9, 13, 19), 0xFE),
                        CRect(1, 1, kWidth - 1, kHeight - 1));
        if (blend) {
            for (int i = 0; i < kImages; ++i) {
                const CPoint p = ImagePosition(i);
                g.DrawImage(images[i], p.x, p.y);
            }
        }
    }
    if (!blend) {
        for (int i = 0; i < kImages; ++i) {
            const CPoint p = ImagePosition(i);
            dc.BitBlt(p.x, p.y, kImageWidth, kImageHeight, HDC(images[i]), 0, 0);
        }
    }
    Graphics g(dc);
    g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    const StringFormat format = CentredSingleLine();
    for (int i = 0; i < kLabels; ++i) {
        g.DrawString(labels[i], LabelFont(), RectF(20 + (i % 4) * 300, 400 + (i / 4) * 60, 280, 30),
                     format, 0xFFFFFFFF);
    }
    benchmark::DoNotOptimize(back.View().pixels);
}

std::vector<CString> MakeLabels() {
    std::vector<CString> labels;
    for (int i = 0; i < kLabels; ++i) {
        labels.push_back(Format(L"Profile %d: lighting and keys", i + 1));
    }
    return labels;
}

void BM_ComposeFrameCopyingCaches(benchmark::State& state) {
    std::vector<Bitmap> images = MakeCachedImages();
    const std::vector<CString> labels = MakeLabels();
    for (auto _ : state) {
        ComposeFrame(images, labels, false);
    }
}
BENCHMARK(BM_ComposeFrameCopyingCaches)->Unit(benchmark::kMillisecond);

void BM_ComposeFrameBlendingCaches(benchmark::State& state) {
    std::vector<Bitmap> images = MakeCachedImages();
    const std::vector<CString> labels = MakeLabels();
    for (auto _ : state) {
        ComposeFrame(images, labels, true);
    }
}
BENCHMARK(BM_ComposeFrameBlendingCaches)->Unit(benchmark::kMillisecond);

// Rebuilding all 60 control caches (what a frame costs when every cache is stale).
void BM_RebuildCachedImages(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(MakeCachedImages());
    }
}
BENCHMARK(BM_RebuildCachedImages)->Unit(benchmark::kMillisecond);

}  // namespace
