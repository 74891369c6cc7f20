#include "lumoui/gfx/nine_grid.h"

namespace LumoUI {

namespace {

CRect Box(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

}  // namespace

void DrawNineGrid(Graphics& graphics, const Bitmap& bitmap, const CRect& dest, const CRect& source,
                  const NineGridMargins& m) {
    const int sx = source.left;
    const int sy = source.top;
    const int sw = source.Width();
    const int sh = source.Height();
    const int dx = dest.left;
    const int dy = dest.top;
    const int dw = dest.Width();
    const int dh = dest.Height();
    const int innerSw = sw - m.left - m.right;
    const int innerSh = sh - m.top - m.bottom;
    const int innerDw = dw - m.left - m.right;
    const int innerDh = dh - m.top - m.bottom;
    struct Piece {
        CRect to;
        CRect from;
    };
    const Piece pieces[] = {
        {Box(dx, dy, m.left, m.top), Box(sx, sy, m.left, m.top)},
        {Box(dx, dy + m.top, m.left, innerDh), Box(sx, sy + m.top, m.left, innerSh)},
        {Box(dx, dest.bottom - m.bottom, m.left, m.bottom),
         Box(sx, sy + sh - m.bottom, m.left, m.bottom)},
        {Box(dx + m.left, dy, innerDw, m.top), Box(sx + m.left, sy, innerSw, m.top)},
        {Box(dest.right - m.right, dy, m.right, m.top), Box(sx + sw - m.right, sy, m.right, m.top)},
        {Box(dest.right - m.right, dy + m.top, m.right, innerDh),
         Box(sx + sw - m.right, sy + m.top, m.right, innerSh)},
        {Box(dest.right - m.right, dest.bottom - m.bottom, m.right, m.bottom),
         Box(sx + sw - m.right, sy + sh - m.bottom, m.right, m.bottom)},
        {Box(dx + m.left, dest.bottom - m.bottom, innerDw, m.bottom),
         Box(sx + m.left, sy + sh - m.bottom, innerSw, m.bottom)},
        {Box(dx + m.left, dy + m.top, innerDw, innerDh),
         Box(sx + m.left, sy + m.top, innerSw, innerSh)},
    };
    for (const Piece& piece : pieces) {
        if (!piece.to.IsRectEmpty() && !piece.from.IsRectEmpty()) {
            graphics.DrawImage(bitmap, piece.to, piece.from);
        }
    }
}

void DrawNineGrid(Graphics& graphics, const Image* image, const CRect& dest, const CRect& source,
                  const NineGridMargins& margins) {
    if (image != nullptr) {
        DrawNineGrid(graphics, image->GetActiveBitmap(), dest, source, margins);
    }
}

}  // namespace LumoUI
