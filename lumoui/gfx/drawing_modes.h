// The quality settings of a Graphics, numbered as the toolkit stores them.
#pragma once

namespace LumoUI {

// Edges of shapes: the default, high speed and none draw aliased; high quality and
// anti-alias smooth them.
enum SmoothingMode {
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4,
};

// Sampling of scaled images.
enum InterpolationMode {
    InterpolationModeDefault = 0,
    InterpolationModeLowQuality = 1,
    InterpolationModeHighQuality = 2,
    InterpolationModeBilinear = 3,
    InterpolationModeBicubic = 4,
    InterpolationModeNearestNeighbor = 5,
    InterpolationModeHighQualityBilinear = 6,
    InterpolationModeHighQualityBicubic = 7,
};

// Glyph rendering. Grid-fit hints snap outlines and advances to whole pixels; the ClearType
// hint renders grey-scale, because sub-pixel colour cannot be kept in a per-pixel-alpha buffer.
enum TextRenderingHint {
    TextRenderingHintSystemDefault = 0,
    TextRenderingHintSingleBitPerPixelGridFit = 1,
    TextRenderingHintSingleBitPerPixel = 2,
    TextRenderingHintAntiAliasGridFit = 3,
    TextRenderingHintAntiAlias = 4,
    TextRenderingHintClearTypeGridFit = 5,
};

// Source-over blends what is drawn with what is there; source-copy replaces it.
enum CompositingMode {
    CompositingModeSourceOver = 0,
    CompositingModeSourceCopy = 1,
};

}  // namespace LumoUI
