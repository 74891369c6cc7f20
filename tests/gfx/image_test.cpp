#include "lumoui/gfx/image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "pixel_probe.h"
#include "support/temp_folder.h"

namespace LumoUI {
namespace {

const CString kTwoFrameGif = Utf8ToWide(std::string(BRIMLOW_FIXTURES_DIR) + "/gfx/two_frames.gif");

void PutLe(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// A 2x2 24-bit BMP: bottom row blue, white; top row red, green.
std::string TwoByTwoBmp() {
    std::string bytes = "BM";
    PutLe(bytes, 54 + 16, 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, 54, 4);
    PutLe(bytes, 40, 4);
    PutLe(bytes, 2, 4);
    PutLe(bytes, 2, 4);
    PutLe(bytes, 1, 2);
    PutLe(bytes, 24, 2);
    PutLe(bytes, 0, 4);
    PutLe(bytes, 16, 4);
    PutLe(bytes, 2835, 4);
    PutLe(bytes, 2835, 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, 0, 4);
    const char rows[] = {'\xFF', 0, 0,      '\xFF', '\xFF', '\xFF', 0, 0,   // blue, white, padding
                         0,      0, '\xFF', 0,      '\xFF', 0,      0, 0};  // red, green, padding
    bytes.append(rows, sizeof rows);
    return bytes;
}

TEST(ImageTest, GifKeepsEveryFrameWithItsDelay) {
    auto image = Image::FromFile(kTwoFrameGif);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetWidth(), 4);
    EXPECT_EQ(image->GetHeight(), 4);
    ASSERT_EQ(image->GetFrameCount(), 2);
    EXPECT_EQ(image->GetFrameDelay(0), 100);
    EXPECT_EQ(image->GetFrameDelay(1), 200);
    EXPECT_EQ(image->GetFrameDelay(2), 0);

    EXPECT_TRUE(gfx_test::AllPixels(image->GetFrame(0), CRect(0, 0, 4, 4), 0xFFFF0000));
    EXPECT_TRUE(gfx_test::AllPixels(image->GetFrame(1), CRect(0, 0, 4, 2), 0xFF00FF00));
    EXPECT_TRUE(gfx_test::AllPixels(image->GetFrame(1), CRect(0, 2, 4, 4), 0xFF0000FF));

    EXPECT_EQ(image->GetActiveFrame(), 0);
    EXPECT_TRUE(image->SelectActiveFrame(1));
    EXPECT_EQ(&image->GetActiveBitmap(), &image->GetFrame(1));
    EXPECT_FALSE(image->SelectActiveFrame(2));
    EXPECT_FALSE(image->SelectActiveFrame(-1));
    EXPECT_EQ(image->GetActiveFrame(), 1);
}

TEST(ImageTest, BmpDecodesFromMemoryAsOneFrame) {
    const std::string bmp = TwoByTwoBmp();
    auto image = Image::FromMemory(bmp.data(), bmp.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetFrameCount(), 1);
    EXPECT_EQ(image->GetFrameDelay(0), 0);
    const Bitmap& frame = image->GetFrame(0);
    EXPECT_EQ(frame.GetPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(frame.GetPixel(1, 0), 0xFF00FF00u);
    EXPECT_EQ(frame.GetPixel(0, 1), 0xFF0000FFu);
    EXPECT_EQ(frame.GetPixel(1, 1), 0xFFFFFFFFu);
}

TEST(ImageTest, PngKeepsTranslucency) {
    TempFolder folder;
    Bitmap bitmap(2, 1);
    bitmap.SetPixel(0, 0, 0x80FF8000);
    const CString path = Utf8ToWide(folder / "half.png");
    ASSERT_TRUE(bitmap.SavePng(path));
    auto image = Image::FromFile(path);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetFrame(0).GetPixel(0, 0), 0x80FF8000u);
    EXPECT_EQ(image->GetFrame(0).GetPixel(1, 0), 0u);
}

// The start of a PNG that claims 65536 x 65536 pixels.
const char kHugePngBytes[] =
    "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\1\0\0\0\1\0\0\x08\x06\0\0\0\0\0\0\0";
const std::string kHugePngHeader(kHugePngBytes, sizeof kHugePngBytes - 1);

TEST(ImageTest, MissingOrBrokenInputGivesNoImage) {
    TempFolder folder;
    std::string truncatedPng;
    {
        Bitmap bitmap(16, 16);
        bitmap.Clear(0xFF00FF00);
        ASSERT_TRUE(bitmap.SavePng(Utf8ToWide(folder / "whole.png")));
        truncatedPng = ReadFileBytes(folder / "whole.png").value();
        truncatedPng.resize(truncatedPng.size() / 2);
    }
    const std::string gif = ReadFileBytes(WideToUtf8(kTwoFrameGif)).value();
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"text", "this is not an image"},
        {"truncated png", truncatedPng},
        {"gif header only", gif.substr(0, 13)},
        {"huge dimensions", kHugePngHeader},
    };
    for (const auto& c : cases) {
        folder.WriteFile(c.name, c.bytes);
        EXPECT_FALSE(Image::FromFile(Utf8ToWide(folder / c.name))) << c.name;
        EXPECT_FALSE(Image::FromMemory(c.bytes.data(), c.bytes.size())) << c.name;
    }
    EXPECT_FALSE(Image::FromFile(Utf8ToWide(folder / "missing.png")));
    EXPECT_FALSE(Image::FromFile(Utf8ToWide(folder.Path())));  // a folder
    EXPECT_FALSE(Image::FromMemory(nullptr, 10));
    EXPECT_FALSE(Image::FromBitmap(Bitmap()));
}

}  // namespace
}  // namespace LumoUI
