#include "lumoui/core/m_control.h"

#include "lumoui/core/control_list.h"
#include "lumoui/core/paint_manager.h"
#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

int Flag(int value) {
    return value != 0 ? 1 : 0;
}

}  // namespace

MControl::MControl(MObject* parent, UINT id, CRect rect, int visible, int enabled, int response)
    : parent_(parent),
      id_(id),
      rect_(rect),
      visible_(Flag(visible)),
      enabled_(Flag(enabled)),
      response_(Flag(response)) {
    memDC_.SelectBitmap(&memBitmap_);
    animDC_.SelectBitmap(&animBitmap_);
}

MControl::~MControl() {
    // Before any list lock is taken: the animation tick holds its lock while it takes the
    // lists' locks.
    if (manager_ != nullptr) {
        manager_->ForgetControl(this);
    }
    RemoveAllControl();
}

const wchar_t* MControl::GetClassNameW() const {
    return L"TalControl";
}

LRESULT MControl::OnBaseMessage(UINT id, UINT code, UINT wparam, LPARAM lparam) {
    return OnMessage(id, code, wparam, lparam);
}

LRESULT MControl::OnControlUpdate(CRect rect, int code, MControl* control) {
    return parent_ != nullptr ? parent_->OnControlUpdate(rect, code, control) : 0;
}

// --- default hooks ---

void MControl::InitControl(PaintManager*) {}

int MControl::PtInRect(CPoint pt) {
    return visible_ && rect_.PtInRect(pt) ? 1 : 0;
}

int MControl::DrawSubControls(HDC& dc, CRect clip) {
    ListLock lock = LockControls();
    for (const auto& child : children_) {
        if (child->visible_) {
            child->Draw(dc, clip);
        }
    }
    return 1;
}

int MControl::IsDraw(CPoint) {
    return 0;
}

void MControl::SetUpdate(int valid, DWORD backColor) {
    update_ = valid;
    ListLock lock = LockControls();
    for (const auto& child : children_) {
        if (RectsOverlap(child->rect_, rect_)) {
            child->SetUpdate(valid, backColor);
        }
    }
}

int MControl::SetControlFocus(int focus) {
    if (focus == 0) {
        ListLock lock = LockControls();
        for (const auto& child : children_) {
            child->SetControlFocus(0);
        }
    }
    return 0;
}

void MControl::InitUI(CRect) {}

int MControl::OnMousePointChange(CPoint&) {
    return 0;
}

int MControl::OnCheckMouseResponse(UINT, CPoint) {
    return 1;
}

LRESULT MControl::OnWindowMessage(UINT, WPARAM, LPARAM) {
    return 0;
}

LRESULT MControl::OnMessage(UINT, UINT, UINT, LPARAM) {
    return 0;
}

void MControl::SetControlRect(CRect rect) {
    rect_ = rect;
}

void MControl::SetControlVisible(int visible) {
    visible_ = Flag(visible);
}

void MControl::SetControlWndVisible(int) {}

void MControl::SetControlEnabled(int enabled) {
    enabled_ = Flag(enabled);
}

int MControl::OnControlTimer() {
    return 0;
}

const Bitmap* MControl::GetControlDropBitmap() {
    return nullptr;
}

int MControl::OnControlMouseMove(UINT, CPoint) {
    return 0;
}

int MControl::OnControlSetCursor(UINT, CPoint pt) {
    if (cursor_ != nullptr && PtInRect(pt)) {
        ::SetCursor(cursor_);
        return 1;
    }
    return 0;
}

int MControl::OnControlLButtonDown(UINT, CPoint) {
    return 0;
}

int MControl::OnControlLButtonUp(UINT, CPoint) {
    return 0;
}

int MControl::OnControlLButtonDblClk(UINT, CPoint) {
    return 0;
}

int MControl::OnControlScroll(int, UINT, CPoint) {
    return 0;
}

int MControl::OnControlRButtonDown(UINT, CPoint) {
    return 0;
}

int MControl::OnControlRButtonUp(UINT, CPoint) {
    return 0;
}

int MControl::OnControlRButtonDblClk(UINT, CPoint) {
    return 0;
}

int MControl::OnControlKeyDown(UINT, UINT, UINT) {
    return 0;
}

void MControl::OnPositionChange() {}

void MControl::InvalidateRect(const RECT*, int erase) {
    if (manager_ == nullptr) {
        return;
    }
    const HWND hwnd = manager_->GetPaintWnd();
    if (!::IsWindow(hwnd)) {
        return;
    }
    if (manager_->IsLayered()) {
        ::InvalidateRect(hwnd, nullptr, TRUE);
    } else {
        ::InvalidateRect(hwnd, &rect_, erase);
    }
}

// --- drawing ---

void MControl::Draw(HDC& dc, CRect clip) {
    if (!visible_ || !RectsOverlap(rect_, clip)) {
        return;
    }
    {
        ListLock lock = LockAreaControls();
        for (const auto& area : areas_) {
            if (RectsOverlap(area->rect_, rect_)) {
                area->Draw(dc, clip);
            }
        }
    }
    DrawControl(dc, clip);
    DrawSubControls(dc, clip);
}

void MControl::UpdateMemDC(HDC&, int width, int height) {
    update_ = 1;
    if (memBitmap_.Size() != CSize(width, height)) {
        memBitmap_.Create(width, height);
        memDC_.ResetClip();
    }
}

bool MControl::BeginMemDC(HDC& dc) {
    const int width = rect_.Width();
    const int height = rect_.Height();
    if (width <= 0 || height <= 0) {
        return false;
    }
    UpdateMemDC(dc, width, height);
    memDC_.BitBlt(0, 0, width, height, dc, rect_.left, rect_.top);
    return true;
}

void MControl::CopyMemDC(HDC& dc, int sourceX) {
    dc.BitBlt(rect_.left, rect_.top, rect_.Width(), rect_.Height(), memDC_, sourceX, 0);
}

void MControl::UpdateAnimateDC(HDC&, int width, int height) {
    animUpdate_ = 1;
    animBitmap_.Create(width, height);
    animDC_.ResetClip();
}

// --- geometry and flags ---

void MControl::SetRect(CRect rect) {
    const CRect old = rect_;
    SetControlRect(rect);
    if (visible_) {
        CRect both;
        both.UnionRect(old, rect);
        RequestUpdate(both, 1);
    }
}

void MControl::SetRect(int x, int y, int width, int height) {
    SetRect(CRect(x, y, x + width, y + height));
}

void MControl::SetManager(PaintManager* manager) {
    manager_ = manager;
    InitControl(manager);
}

void MControl::SetVisible(int visible) {
    SetVisible(visible, 1);
}

void MControl::SetVisible(int visible, int notify) {
    visible = Flag(visible);
    if (visible == visible_) {
        return;
    }
    SetControlVisible(visible);
    if (notify) {
        RequestUpdate(rect_, 1);
    }
}

void MControl::SetEnabled(int enabled) {
    enabled = Flag(enabled);
    if (enabled == enabled_) {
        return;
    }
    SetControlEnabled(enabled);
    if (visible_) {
        RequestUpdate(rect_, 1);
    }
}

int MControl::IsParentVisible() const {
    if (parent_ == nullptr) {
        return 0;
    }
    if (parent_->IsClass(L"MDialog")) {
        return 1;
    }
    const auto* control = dynamic_cast<const MControl*>(parent_);
    if (control == nullptr) {
        return 1;  // another kind of window (a pop-up, a menu): shown while it exists
    }
    return control->visible_ && control->IsParentVisible() ? 1 : 0;
}

// --- repaint requests and notifications ---

void MControl::RequestUpdate(CRect rect, int code) {
    if (parent_ == nullptr) {
        return;
    }
    if (manager_ != nullptr && !manager_->IsWindowThread()) {
        if (code != 0) {
            SetUpdate(0, manager_->GetBackColor());
        }
        manager_->QueueUpdate(rect, code, this);
        return;
    }
    parent_->OnControlUpdate(rect, code, this);
}

void MControl::UpdateControl(int code, int force) {
    if (visible_ || force) {
        RequestUpdate(rect_, code);
    }
}

void MControl::UpdateControl(CRect rect, int force, int code) {
    if (visible_ || force) {
        RequestUpdate(rect, code);
    }
}

void MControl::UpdateAControl(int keepAnimation, int force) {
    if (visible_ || force) {
        if (!keepAnimation) {
            animUpdate_ = 0;
        }
        RequestUpdate(rect_, 0);
    }
}

LRESULT MControl::SendMessageW(UINT code, UINT wparam, LPARAM lparam) {
    return parent_ != nullptr ? parent_->OnBaseMessage(id_, code, wparam, lparam) : 0;
}

// --- children ---

MControl* MControl::AddControl(std::unique_ptr<MControl> child) {
    return AppendControl(children_, childrenLock_, std::move(child), manager_);
}

MControl* MControl::AddArea(std::unique_ptr<MControl> child) {
    return AppendControl(areas_, areasLock_, std::move(child), manager_);
}

MControl* MControl::GetControl(UINT id) {
    {
        ListLock lock = LockControls();
        for (const auto& child : children_) {
            if (child->id_ == id) {
                return child.get();
            }
            if (MControl* found = child->GetControl(id)) {
                return found;
            }
        }
    }
    ListLock lock = LockAreaControls();
    for (const auto& area : areas_) {
        if (area->id_ == id) {
            return area.get();
        }
        if (MControl* found = area->GetControl(id)) {
            return found;
        }
    }
    return nullptr;
}

std::unique_ptr<MControl> MControl::TakeChild(MControl* child) {
    ListLock lock = LockControls();
    const std::optional<size_t> at = IndexOf(children_, child);
    if (!at) {
        return nullptr;
    }
    std::unique_ptr<MControl> taken = std::move(children_[*at]);
    children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(*at));
    return taken;
}

int MControl::RemoveControl(MControl* child) {
    if (child == nullptr) {
        return 0;
    }
    if (manager_ != nullptr && manager_->GetFocusControl() == child) {
        manager_->SetFocusControl(nullptr);
    }
    ControlList removed;
    if (std::unique_ptr<MControl> taken = TakeChild(child)) {
        removed.push_back(std::move(taken));
    }
    if (!removed.empty() && hot_ == child) {
        hot_ = nullptr;
    }
    if (manager_ != nullptr) {
        manager_->ForgetSubtrees(removed);
    }
    return 0;
}

void MControl::RemoveAllControl() {
    ControlList areas = TakeAll(areasLock_, areas_);
    ControlList children = TakeAll(childrenLock_, children_);
    hot_ = nullptr;
    if (manager_ != nullptr) {
        manager_->ForgetSubtrees(areas);
        manager_->ForgetSubtrees(children);
    }
    areas.clear();
    children.clear();
}

void MControl::AddMTimer() {
    if (manager_ != nullptr) {
        manager_->AddMTimer(this);
    }
}

// --- tooltip and focus ---

void MControl::SetTooltip(const wchar_t* text) {
    tooltip_ = text != nullptr ? text : L"";
}

void MControl::SetTooltip(const CString& text, CRect rect) {
    if (manager_ != nullptr) {
        manager_->SetTooltip(text, rect);
        manager_->SetTooltipCtrlID(id_);
    }
}

void MControl::ClearTooltip() {
    if (manager_ != nullptr) {
        manager_->ClearTooltip();
    }
}

bool MControl::IsFocusControl() const {
    return manager_ != nullptr && manager_->GetFocusControl() == this;
}

CPoint MControl::PointFor(const MControl& child, CPoint received, CPoint shifted) {
    return child.id_ == 1 || child.id_ == 2 ? received : shifted;
}

}  // namespace LumoUI
