#include "lumoui/core/m_panel.h"

#include <algorithm>

#include "lumoui/core/control_factory.h"
#include "lumoui/core/control_list.h"
#include "lumoui/core/paint_manager.h"

namespace LumoUI {

namespace {

int Offset(int content, int visible, const MScroll& bar) {
    const int maximum = bar.GetScrollMaxRange();
    if (content <= visible || maximum < 1) {
        return 0;
    }
    return (content - visible) * bar.GetScrollCurrentPos() / maximum;
}

}  // namespace

MPanel::MPanel(MObject* parent, UINT id, CRect rect, int visible)
    : MControlFont(parent, id, rect, L"", visible, 1, 1) {
    dblClk_ = 1;
    vscroll_ = static_cast<CScrollVertical*>(
        AddControl(std::make_unique<CScrollVertical>(this, 1, CRect(), 0)));
    hscroll_ = static_cast<CScrollHorizontal*>(
        AddControl(std::make_unique<CScrollHorizontal>(this, 2, CRect(), 0)));
    MPanel::SetControlRect(rect);
}

LRESULT MPanel::OnControlUpdate(CRect rect, int code, MControl* control) {
    const DWORD back = manager_ != nullptr ? manager_->GetBackColor() : 0;
    if (code != 0 && control != nullptr) {
        control->SetUpdate(0, back);
    }
    // The child of this panel that holds the requester.
    MControl* own = control;
    while (own != nullptr && own->GetParantObject() != this) {
        own = dynamic_cast<MControl*>(own->GetParantObject());
    }
    {
        ListLock lock = LockControls();
        const ControlList& children = GetControls();
        bool later = false;
        for (const auto& child : children) {
            if (later && child->IsVisible() && RectsOverlap(child->GetRect(), rect)) {
                child->SetUpdate(0, back);
            }
            later = later || child.get() == own;
        }
    }
    UpdateControl(0, 0);
    return 0;
}

void MPanel::InitControl(PaintManager* manager) {
    initialized_ = 1;
    vscroll_->SetManager(manager);
    hscroll_->SetManager(manager);
}

void MPanel::DrawControl(HDC&, CRect) {}

bool MPanel::ContentFits() const {
    return !enableScroll_ || (virtualHeight_ <= rect_.Height() && virtualWidth_ <= rect_.Width());
}

int MPanel::DrawSubControls(HDC& dc, CRect clip) {
    return ContentFits() ? MControlFont::DrawSubControls(dc, clip) : 0;
}

int MPanel::GetScrollOffsetY() const {
    return Offset(virtualHeight_, rect_.Height(), *vscroll_);
}

int MPanel::GetScrollOffsetX() const {
    return Offset(virtualWidth_, rect_.Width(), *hscroll_);
}

int MPanel::OnMousePointChange(CPoint& pt) {
    if (!enableScroll_) {
        return 0;
    }
    pt.Offset(GetScrollOffsetX(), GetScrollOffsetY());
    return 1;
}

LRESULT MPanel::OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
    ListLock lock = LockControls();
    const ControlList& children = GetControls();
    for (size_t i = 0; i < children.size(); ++i) {
        if (const LRESULT result = children[i]->OnWindowMessage(msg, wparam, lparam)) {
            return result;
        }
    }
    return 0;
}

LRESULT MPanel::OnMessage(UINT id, UINT code, UINT wparam, LPARAM lparam) {
    return parent_ != nullptr ? parent_->OnBaseMessage(id, code, wparam, lparam) : 0;
}

void MPanel::SetControlRect(CRect rect) {
    MControlFont::SetControlRect(rect);
    virtualHeight_ = 0;
    virtualWidth_ = 0;
    vscroll_->SetRect(CRect(rect.right - kScrollThickness, rect.top, rect.right, rect.bottom));
    hscroll_->SetRect(CRect(rect.left, rect.bottom - kScrollThickness, rect.right, rect.bottom));
    UpdateScrollBars();
}

void MPanel::UpdateScrollBars() {
    const auto fit = [](MScroll& bar, int visible, int content) {
        bar.SetScrollMaxRange(content);
        if (bar.GetScrollCurrentPos() > std::max(0, content)) {
            bar.SetScrollCurrentPos(std::max(0, content));
        }
        bar.SetVisible(visible < content ? 1 : 0);
    };
    fit(*vscroll_, rect_.Height(), virtualHeight_);
    fit(*hscroll_, rect_.Width(), virtualWidth_);
}

void MPanel::SetVirtualHeight(int height) {
    virtualHeight_ = height;
    UpdateScrollBars();
}

void MPanel::SetVirtualWidth(int width) {
    virtualWidth_ = width;
    UpdateScrollBars();
}

void MPanel::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    ListLock lock = LockControls();
    for (const auto& child : GetControls()) {
        if (child->IsEnabled() != IsEnabled()) {
            child->SetEnabled(IsEnabled());
        }
    }
}

int MPanel::OnControlScroll(int, UINT direction, CPoint) {
    if (!enableScroll_ || virtualHeight_ < rect_.Height()) {
        return 0;
    }
    const int old = vscroll_->GetScrollCurrentPos();
    const int step = vscroll_->GetScrollStep();
    const int moved = std::clamp(old + (direction == 1 ? step : -step), 0,
                                 std::max(0, vscroll_->GetScrollMaxRange()));
    vscroll_->SetScrollCurrentPos(moved);
    if (moved == old) {
        return 0;
    }
    UpdateControl(1, 0);
    vscroll_->UpdateControl(1, 0);
    return 1;
}

MControl* MPanel::CreateControl(UINT kind, MObject* parent, const wchar_t* className, UINT id,
                                CRect rect, const wchar_t* text, int visible, int enabled) {
    std::unique_ptr<MControl> control = ConstructControl(
        ControlFactory::kContainer, {kind, parent, className, id, rect, text, visible, enabled});
    if (control == nullptr) {
        return nullptr;
    }
    return kind == 0 ? AddArea(std::move(control)) : AddControl(std::move(control));
}

MControl* MPanel::CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* text,
                                int visible, int enabled) {
    return CreateControl(1, this, className, id, rect, text, visible, enabled);
}

MControl* MPanel::CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* text,
                             int visible, int enabled) {
    return CreateControl(0, this, className, id, rect, text, visible, enabled);
}

int MPanel::OnControlKeyUp(UINT, UINT, UINT) {
    return 0;
}

}  // namespace LumoUI
