// The scroll bar model of a container: maximum, position, page and step. It draws nothing and
// takes no mouse input of its own; the vertical and horizontal bars build on it.
#pragma once

#include "lumoui/core/m_control_font.h"

namespace LumoUI {

class LUMOUI_API MScroll : public MControlFont {
public:
    MScroll(MObject* parent, UINT id, CRect rect, int visible);

    void DrawControl(HDC& dc, CRect clip) override;
    // Stores the rectangle, then SetRange.
    void SetControlRect(CRect rect) override;

    // Moves the position by `delta`; the distance moved (0 here).
    virtual int MoveRange(int delta);
    // Recomputes the thumb from the position (nothing here).
    virtual int SetRange();
    virtual int SetRangeEx();

    int GetScrollMaxRange() const { return max_; }
    int GetScrollCurrentPos() const { return pos_; }
    int GetScrollStep() const { return step_; }
    int GetScrollPage() const { return page_; }
    // A derived page is dropped and derived again.
    void SetScrollMaxRange(int maximum);
    void SetScrollCurrentPos(int position);
    void SetScrollCurrentPosEx(int position);
    // A non-zero page ends the derived page; a non-zero step replaces the step.
    void SetScrollSize(int page, int step);
    void SetScrollInfo(int maximum, int position, int page, int step);
    // The position at the end.
    void SetScrollFinalPos();
    // Position +- rows * step within 0 ... maximum; 1 when it moved.
    int ScrollRow(int rows);

protected:
    int state_ = 0;  // 0 normal, 1 thumb hovered, 2 dragging
    int max_ = 1000;
    int pos_ = 0;
    int page_ = 0;  // 0: derived from the bar
    int step_ = 10;
    bool autoPage_ = false;
};

}  // namespace LumoUI
