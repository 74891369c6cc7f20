#include "lumoui/gfx/image.h"

#include <stb_image.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <limits>
#include <string>

#include "lumoui/gfx/pixel_format.h"

namespace LumoUI {

namespace {

// Decoding limits: no side above 16384 pixels and at most 256 MiB of decoded pixels, so a
// hostile or broken file cannot exhaust memory.
constexpr int kMaxSide = 16384;
constexpr size_t kMaxPixelBytes = size_t{256} << 20;
constexpr std::streamoff kMaxFileBytes = std::streamoff{256} << 20;

using StbPixels = std::unique_ptr<stbi_uc, decltype(&stbi_image_free)>;

// One RGBA frame from the decoder as a premultiplied bitmap.
Bitmap BitmapFromRgba(const stbi_uc* rgba, int width, int height) {
    Bitmap bitmap(width, height);
    if (bitmap.IsEmpty()) {
        return bitmap;
    }
    const PixelView view = bitmap.View();
    for (int y = 0; y < height; ++y) {
        const stbi_uc* in = rgba + static_cast<size_t>(y) * width * 4;
        uint32_t* out = view.Row(y);
        for (int x = 0; x < width; ++x, in += 4) {
            out[x] = gfx::Premultiply(MakeARGB(in[3], in[0], in[1], in[2]));
        }
    }
    bitmap.MarkDirty();
    return bitmap;
}

bool IsGif(const stbi_uc* data, size_t size) {
    return size >= 6 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F';
}

}  // namespace

Image::Image(Frames frames)
    : frames_(std::move(frames.bitmaps)), delays_(std::move(frames.delays)) {}

std::unique_ptr<Image> Image::FromFile(const CString& path) {
    std::ifstream file(WideToUtf8(path), std::ios::binary | std::ios::ate);
    if (!file) {
        return nullptr;
    }
    const std::streamoff size = file.tellg();
    if (size <= 0 || size > kMaxFileBytes) {
        return nullptr;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(bytes.data(), size)) {
        return nullptr;
    }
    return FromMemory(bytes.data(), bytes.size());
}

std::unique_ptr<Image> Image::FromMemory(const void* data, size_t size) {
    if (data == nullptr || size == 0 || size > static_cast<size_t>(INT_MAX)) {
        return nullptr;
    }
    const auto* bytes = static_cast<const stbi_uc*>(data);
    const int length = static_cast<int>(size);
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(bytes, length, &width, &height, &channels) || width <= 0 ||
        height <= 0 || width > kMaxSide || height > kMaxSide) {
        return nullptr;
    }
    const size_t frameBytes = static_cast<size_t>(width) * height * 4;

    std::vector<Bitmap> frames;
    std::vector<int> delays;
    if (IsGif(bytes, size)) {
        int* delayList = nullptr;
        int frameCount = 0;
        int comp = 0;
        StbPixels pixels(stbi_load_gif_from_memory(bytes, length, &delayList, &width, &height,
                                                   &frameCount, &comp, 4),
                         stbi_image_free);
        const StbPixels delayHolder(reinterpret_cast<stbi_uc*>(delayList), stbi_image_free);
        if (!pixels || frameCount <= 0 || width <= 0 || height <= 0 ||
            static_cast<size_t>(frameCount) > kMaxPixelBytes / frameBytes) {
            return nullptr;
        }
        for (int i = 0; i < frameCount; ++i) {
            frames.push_back(BitmapFromRgba(pixels.get() + frameBytes * i, width, height));
            delays.push_back(delayList != nullptr ? std::max(0, delayList[i]) : 0);
        }
    } else {
        if (frameBytes > kMaxPixelBytes) {
            return nullptr;
        }
        StbPixels pixels(stbi_load_from_memory(bytes, length, &width, &height, &channels, 4),
                         stbi_image_free);
        if (!pixels) {
            return nullptr;
        }
        frames.push_back(BitmapFromRgba(pixels.get(), width, height));
        delays.push_back(0);
    }
    if (std::any_of(frames.begin(), frames.end(), [](const Bitmap& f) { return f.IsEmpty(); })) {
        return nullptr;
    }
    return std::make_unique<Image>(Frames{std::move(frames), std::move(delays)});
}

std::unique_ptr<Image> Image::FromBitmap(Bitmap bitmap) {
    if (bitmap.IsEmpty()) {
        return nullptr;
    }
    std::vector<Bitmap> frames;
    frames.push_back(std::move(bitmap));
    return std::make_unique<Image>(Frames{std::move(frames), {0}});
}

int Image::GetFrameDelay(int index) const {
    if (index < 0 || index >= GetFrameCount()) {
        return 0;
    }
    return delays_[static_cast<size_t>(index)];
}

bool Image::SelectActiveFrame(int index) {
    if (index < 0 || index >= GetFrameCount()) {
        return false;
    }
    active_ = index;
    return true;
}

const Bitmap& Image::GetFrame(int index) const {
    return frames_[static_cast<size_t>(std::clamp(index, 0, GetFrameCount() - 1))];
}

}  // namespace LumoUI
