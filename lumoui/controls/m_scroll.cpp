#include "lumoui/controls/m_scroll.h"

#include <algorithm>

namespace LumoUI {

MScroll::MScroll(MObject* parent, UINT id, CRect rect, int visible)
    : MControlFont(parent, id, rect, L"", visible, 1, 1) {}

void MScroll::DrawControl(HDC&, CRect) {}

void MScroll::SetControlRect(CRect rect) {
    MControlFont::SetControlRect(rect);
    SetRange();
}

int MScroll::MoveRange(int) {
    return 0;
}

int MScroll::SetRange() {
    return 0;
}

int MScroll::SetRangeEx() {
    return 0;
}

void MScroll::SetScrollMaxRange(int maximum) {
    max_ = maximum;
    if (autoPage_) {
        page_ = 0;
        autoPage_ = false;
    }
    SetRange();
}

void MScroll::SetScrollCurrentPos(int position) {
    pos_ = position;
    SetRange();
}

void MScroll::SetScrollCurrentPosEx(int position) {
    pos_ = position;
    SetRangeEx();
}

void MScroll::SetScrollSize(int page, int step) {
    if (page != 0) {
        page_ = page;
        autoPage_ = false;
    }
    if (step != 0) {
        step_ = step;
    }
}

void MScroll::SetScrollInfo(int maximum, int position, int page, int step) {
    max_ = maximum;
    pos_ = position;
    SetScrollSize(page, step);
    SetRange();
}

void MScroll::SetScrollFinalPos() {
    SetScrollCurrentPos(max_);
}

int MScroll::ScrollRow(int rows) {
    const int moved = std::clamp(pos_ + rows * step_, 0, std::max(0, max_));
    if (moved == pos_) {
        return 0;
    }
    pos_ = moved;
    SetRange();
    return 1;
}

}  // namespace LumoUI
