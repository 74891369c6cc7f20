// Points, sizes and rectangles in pixels, with the members the toolkit and the program use.
// A rectangle is (left, top, right, bottom); right and bottom lie just outside it.
#pragma once

#include <algorithm>

struct CPoint {
    int x = 0;
    int y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}

    constexpr void Offset(int dx, int dy) {
        x += dx;
        y += dy;
    }
    constexpr bool operator==(const CPoint&) const = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;

    constexpr CSize() = default;
    constexpr CSize(int width, int height) : cx(width), cy(height) {}

    constexpr bool operator==(const CSize&) const = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint topLeft, CSize size)
        : left(topLeft.x),
          top(topLeft.y),
          right(topLeft.x + size.cx),
          bottom(topLeft.y + size.cy) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    // Empty when it has no area (also when it is inverted).
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(CPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    constexpr void SetRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    constexpr void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    constexpr void OffsetRect(CPoint delta) { OffsetRect(delta.x, delta.y); }
    constexpr void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    constexpr void InflateRect(int dx, int dy) {
        left -= dx;
        top -= dy;
        right += dx;
        bottom += dy;
    }
    constexpr void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    constexpr void NormalizeRect() {
        if (left > right) {
            std::swap(left, right);
        }
        if (top > bottom) {
            std::swap(top, bottom);
        }
    }

    // Sets this rectangle to the overlap of a and b; returns false (and empties it) when they
    // do not overlap.
    constexpr bool IntersectRect(const CRect& a, const CRect& b) {
        *this = CRect(std::max(a.left, b.left), std::max(a.top, b.top),
                      std::min(a.right, b.right), std::min(a.bottom, b.bottom));
        if (IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        return true;
    }
    // Sets this rectangle to the smallest one holding a and b; empty inputs are ignored.
    constexpr bool UnionRect(const CRect& a, const CRect& b) {
        if (a.IsRectEmpty()) {
            *this = b.IsRectEmpty() ? CRect() : b;
        } else if (b.IsRectEmpty()) {
            *this = a;
        } else {
            *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top),
                          std::max(a.right, b.right), std::max(a.bottom, b.bottom));
        }
        return !IsRectEmpty();
    }

    constexpr bool operator==(const CRect&) const = default;
};
