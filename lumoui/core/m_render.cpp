#include "lumoui/core/m_render.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <vector>

#include "lumoui/core/module_resources.h"
#include "lumoui/gfx/nine_grid.h"
#include "lumoui/gfx/path.h"
#include "lumoui/gfx/pen.h"
#include "lumoui/gfx/text_bounds.h"

namespace LumoUI {

namespace {

int Opacity(int percent) {
    return 255 * (100 - percent) / 100;
}

// The constant alpha of step i of n, kept in 0-255 as an 8-bit value would.
BLENDFUNCTION StepBlend(int start, int end, int i, int n) {
    const int a = Opacity(start);
    const int b = Opacity(end);
    const int alpha = static_cast<int>(a + (b - a) * static_cast<double>(i) / n);
    BLENDFUNCTION blend;
    blend.SourceConstantAlpha = static_cast<uint8_t>(((alpha % 256) + 256) % 256);
    return blend;
}

constexpr std::streamoff kMaxIconBytes = 16 * 1024 * 1024;

uint32_t ReadLe(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | b[at + static_cast<size_t>(i)];
    }
    return value;
}

// The largest PNG image in an icon directory; none when the bytes are no icon file or hold
// no PNG image.
std::unique_ptr<Image> LargestIconImage(const std::vector<uint8_t>& bytes) {
    constexpr size_t kHeader = 6;
    constexpr size_t kEntry = 16;
    if (bytes.size() < kHeader || ReadLe(bytes, 0, 2) != 0 || ReadLe(bytes, 2, 2) != 1) {
        return nullptr;
    }
    const size_t count = ReadLe(bytes, 4, 2);
    std::unique_ptr<Image> best;
    for (size_t i = 0; i < count && kHeader + (i + 1) * kEntry <= bytes.size(); ++i) {
        const size_t entry = kHeader + i * kEntry;
        const size_t size = ReadLe(bytes, entry + 8, 4);
        const size_t offset = ReadLe(bytes, entry + 12, 4);
        if (offset > bytes.size() || size > bytes.size() - offset || size < 8 ||
            std::memcmp(bytes.data() + offset, "\x89PNG", 4) != 0) {
            continue;
        }
        std::unique_ptr<Image> image = Image::FromMemory(bytes.data() + offset, size);
        if (image != nullptr && (best == nullptr || image->GetWidth() > best->GetWidth())) {
            best = std::move(image);
        }
    }
    return best;
}

}  // namespace

std::unique_ptr<Image> MRender::LoadImageFromFile(const CString& fullPath) {
    return Image::FromFile(fullPath);
}

std::unique_ptr<Image> MRender::LoadImageFromIDResource(UINT id, const CString& type,
                                                        HINSTANCE module) {
    const std::optional<std::vector<uint8_t>> bytes = LoadModuleResource(module, id, type);
    if (!bytes) {
        return nullptr;
    }
    return Image::FromMemory(bytes->data(), bytes->size());
}

std::unique_ptr<Image> MRender::LoadIconFromFile(const CString& path) {
    std::ifstream file(WideToUtf8(path), std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size <= 0 || size > kMaxIconBytes) {
        return nullptr;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        return nullptr;
    }
    if (std::unique_ptr<Image> icon = LargestIconImage(bytes)) {
        return icon;
    }
    return Image::FromMemory(bytes.data(), bytes.size());
}

Bitmap MRender::CreateARGB32Bitmap(int width, int height) {
    return Bitmap(width, height);
}

void MRender::DrawImageFrame(Graphics& graphics, const Image* image, CRect dst, int srcX, int srcY,
                             int srcW, int srcH, int corner) {
    DrawImageFrameMID(graphics, image, dst, srcX, srcY, srcW, srcH, corner, corner, corner, corner);
}

void MRender::DrawImageFrameMID(Graphics& graphics, const Image* image, CRect dst, int srcX,
                                int srcY, int srcW, int srcH, int left, int top, int right,
                                int bottom) {
    DrawNineGrid(graphics, image, dst, CRect(srcX, srcY, srcX + srcW, srcY + srcH),
                 NineGridMargins{left, top, right, bottom});
}

void MRender::DrawVerticalTransition(HDC& dst, HDC& src, CRect dstRect, CRect srcRect,
                                     int startPercent, int endPercent) {
    const int n = dstRect.Height();
    for (int i = 0; i < n; ++i) {
        dst.AlphaBlend(dstRect.left, dstRect.top + i, dstRect.Width(), 1, src, srcRect.left,
                       srcRect.top + i, srcRect.Width(), 1,
                       StepBlend(startPercent, endPercent, i, n));
    }
}

void MRender::DrawHorizontalTransition(HDC& dst, HDC& src, CRect dstRect, CRect srcRect,
                                       int startPercent, int endPercent) {
    const int n = dstRect.Width();
    for (int i = 0; i < n; ++i) {
        dst.AlphaBlend(dstRect.left + i, dstRect.top, 1, dstRect.Height(), src, srcRect.left + i,
                       srcRect.top, 1, srcRect.Height(), StepBlend(startPercent, endPercent, i, n));
    }
}

CSize MRender::GetTextBounds(const Font& font, const StringFormat& format, const CString& text) {
    return MeasureTextBounds(font, format, text);
}

void MRender::FillSolidRect(HDC& dc, int x, int y, int width, int height, COLORREF color) {
    dc.FillSolidRect(x, y, width, height, color);
}

void MRender::DrawColor(HDC& dc, const RECT& rect, ARGB color) {
    if (AlphaOf(color) == 0) {
        return;
    }
    Graphics(dc).FillRectangle(Color(color), rect);
}

void MRender::DrawRoundRectange(Graphics& graphics, int x, int y, int width, int height, int radius,
                                Color pen, float penWidth, bool fill, Color fillColor) {
    float rx = 0;
    float ry = 0;
    if (radius >= 1) {
        rx = static_cast<float>(width) / (2.0f * static_cast<float>(radius));
        ry = static_cast<float>(height) / (2.0f * static_cast<float>(radius));
        if (std::fabs(rx - ry) > 10) {
            rx = ry = std::min(rx, ry);
        }
    }
    Path path;
    const RectF box(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                    static_cast<float>(height));
    if (rx > 0 && ry > 0) {
        path.AddRoundedRectangle(box, rx, ry);
    } else {
        path.AddRectangle(box);
    }
    if (fill) {
        graphics.FillPath(fillColor, path);
    }
    graphics.DrawPath(Pen(pen, penWidth), path);
}

}  // namespace LumoUI
