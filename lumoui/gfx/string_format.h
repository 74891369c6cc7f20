// How a string is laid out in its rectangle: horizontal and vertical alignment, wrapping,
// line limit, clipping and trimming. Flag values are those the toolkit's formats are given in
// (0x1800 is the single-line format, 0x4800 the wrapping multi-line one).
#pragma once

namespace LumoUI {

enum StringAlignment {
    StringAlignmentNear = 0,
    StringAlignmentCenter = 1,
    StringAlignmentFar = 2,
};

enum StringFormatFlags {
    StringFormatFlagsDirectionRightToLeft = 0x0001,
    StringFormatFlagsDirectionVertical = 0x0002,
    StringFormatFlagsNoFitBlackBox = 0x0004,
    StringFormatFlagsDisplayFormatControl = 0x0020,
    StringFormatFlagsNoFontFallback = 0x0400,
    StringFormatFlagsMeasureTrailingSpaces = 0x0800,
    StringFormatFlagsNoWrap = 0x1000,
    StringFormatFlagsLineLimit = 0x2000,
    StringFormatFlagsNoClip = 0x4000,
};

// Ellipsis trimming shortens what does not fit and ends it with "…" (the path form keeps the
// start and the end); the other forms cut the text at the rectangle.
enum StringTrimming {
    StringTrimmingNone = 0,
    StringTrimmingCharacter = 1,
    StringTrimmingWord = 2,
    StringTrimmingEllipsisCharacter = 3,
    StringTrimmingEllipsisWord = 4,
    StringTrimmingEllipsisPath = 5,
};

class StringFormat {
public:
    constexpr StringFormat() = default;
    constexpr explicit StringFormat(int flags) : flags_(flags) {}

    constexpr StringAlignment GetAlignment() const { return alignment_; }
    constexpr void SetAlignment(StringAlignment a) { alignment_ = a; }
    constexpr StringAlignment GetLineAlignment() const { return lineAlignment_; }
    constexpr void SetLineAlignment(StringAlignment a) { lineAlignment_ = a; }
    constexpr int GetFormatFlags() const { return flags_; }
    constexpr void SetFormatFlags(int flags) { flags_ = flags; }
    constexpr StringTrimming GetTrimming() const { return trimming_; }
    constexpr void SetTrimming(StringTrimming t) { trimming_ = t; }

    constexpr bool HasFlag(StringFormatFlags flag) const { return (flags_ & flag) != 0; }

private:
    StringAlignment alignment_ = StringAlignmentNear;
    StringAlignment lineAlignment_ = StringAlignmentNear;
    int flags_ = 0;
    StringTrimming trimming_ = StringTrimmingCharacter;
};

}  // namespace LumoUI
