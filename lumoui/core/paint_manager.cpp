// PaintManager: attachment to the window, the two layers, repaint requests, focus, the
// tooltip and the paint pass.
#include "lumoui/core/paint_manager.h"

#include <algorithm>

#include "lumoui/core/control_factory.h"
#include "lumoui/core/control_list.h"
#include "lumoui/core/manager.h"
#include "lumoui/core/toolkit_folders.h"
#include "lumoui/core/tooltip_window.h"
#include "lumoui/win/win_api.h"

namespace LumoUI {

PaintManager::PaintManager() : backColor_(RGB(9, 13, 19)), frameColor_(RGB(16, 168, 253)) {}

PaintManager::~PaintManager() {
    Release();
}

void PaintManager::Init(HWND hwnd, MWindow* window, MObject* owner) {
    hwnd_ = hwnd;
    window_ = window;
    owner_ = owner;
    ownerThread_ = ::GetWindowThreadProcessId(hwnd, nullptr);
    initialized_ = true;
}

void PaintManager::Release() {
    ClearTooltip();
    tooltip_.reset();
    ClearAllControls();
    {
        std::lock_guard guard(pendingLock_);
        pending_.clear();
    }
    hover_ = nullptr;
    focus_ = nullptr;
    tracking_ = false;
    dragArmed_ = false;
    buttonHeld_ = false;
    captured_ = false;
    images_.Clear();
    {
        std::lock_guard guard(fontLock_);
        fontFamily_.reset();
        fontFamilyName_.clear();
    }
    initialized_ = false;
    hwnd_ = nullptr;
    ownerThread_ = 0;
}

bool PaintManager::IsWindowThread() const {
    return ownerThread_ == 0 || ownerThread_ == ::GetCurrentThreadId();
}

// --- layers ---

MControl* PaintManager::AddControl(std::unique_ptr<MControl> control) {
    return AppendControl(controls_, controlsLock_, std::move(control), this);
}

MControl* PaintManager::AddArea(std::unique_ptr<MControl> control) {
    return AppendControl(areas_, areasLock_, std::move(control), this);
}

MControl* PaintManager::CreateControl(UINT kind, MObject* parent, const wchar_t* className, UINT id,
                                      CRect rect, const wchar_t* text, int visible, int enabled) {
    std::unique_ptr<MControl> control = ConstructControl(
        ControlFactory::kWindow, {kind, parent, className, id, rect, text, visible, enabled});
    if (control == nullptr) {
        return nullptr;
    }
    return kind == 0 ? AddArea(std::move(control)) : AddControl(std::move(control));
}

MControl* PaintManager::CreateControl(MObject* parent, const wchar_t* className, UINT id,
                                      CRect rect, const wchar_t* text, int visible, int enabled) {
    return CreateControl(1, parent, className, id, rect, text, visible, enabled);
}

MControl* PaintManager::CreateArea(MObject* parent, const wchar_t* className, UINT id, CRect rect,
                                   const wchar_t* text, int visible, int enabled) {
    return CreateControl(0, parent, className, id, rect, text, visible, enabled);
}

int PaintManager::RemoveControl(MControl* control) {
    std::unique_ptr<MControl> removed;
    {
        std::lock_guard guard(controlsLock_);
        if (std::optional<size_t> at = IndexOf(controls_, control)) {
            removed = std::move(controls_[*at]);
            controls_.erase(controls_.begin() + static_cast<std::ptrdiff_t>(*at));
        }
    }
    return removed != nullptr ? 1 : 0;  // deleted here, outside the lock
}

void PaintManager::ClearControls() {
    MControl::ControlList doomed = TakeAll(controlsLock_, controls_);
}

void PaintManager::ClearAreaControls() {
    MControl::ControlList doomed = TakeAll(areasLock_, areas_);
}

void PaintManager::ClearAllControls() {
    ClearAreaControls();
    ClearControls();
}

MControl* PaintManager::GetControl(UINT id) {
    for (auto [list, lock] :
         {std::pair{&controls_, &controlsLock_}, std::pair{&areas_, &areasLock_}}) {
        std::lock_guard guard(*lock);
        for (const auto& control : *list) {
            if (control->GetControlID() == id) {
                return control.get();
            }
            if (MControl* found = control->GetControl(id)) {
                return found;
            }
        }
    }
    return nullptr;
}

MControl* PaintManager::TopLevelOf(MControl* control) {
    while (control != nullptr) {
        auto* parent = dynamic_cast<MControl*>(control->GetParantObject());
        if (parent == nullptr) {
            return control;
        }
        control = parent;
    }
    return nullptr;
}

// --- repaint requests ---

LRESULT PaintManager::OnControlUpdate(CRect rect, int code, MControl* control) {
    if (code != 0 && control != nullptr) {
        control->SetUpdate(0, backColor_);
    }
    if (!IsWindowThread()) {
        QueueUpdate(rect, code, control);
        return 0;
    }
    if (!::IsWindow(hwnd_)) {
        return 0;
    }
    // Later (higher) controls that overlap the rectangle hold its old pixels in their
    // caches: those caches go stale and the repaint covers them.
    CRect dirty = rect;
    auto widen = [&](const MControl::ControlList& list, size_t from) {
        for (size_t i = from; i < list.size(); ++i) {
            MControl* later = list[i].get();
            if (later->IsVisible() && RectsOverlap(later->GetRect(), rect)) {
                later->SetUpdate(0, backColor_);
                dirty.UnionRect(dirty, later->GetRect());
            }
        }
    };
    const MControl* top = TopLevelOf(control);
    {
        std::lock_guard areas(areasLock_);
        std::lock_guard controls(controlsLock_);
        if (std::optional<size_t> at = IndexOf(areas_, top)) {
            widen(areas_, *at + 1);
            widen(controls_, 0);
        } else if (std::optional<size_t> at = IndexOf(controls_, top)) {
            widen(controls_, *at + 1);
        }
    }
    InvalidateRect(dirty, FALSE);
    return 0;
}

void PaintManager::QueueUpdate(CRect rect, int code, MControl* control) {
    if (!::IsWindow(hwnd_)) {
        return;
    }
    // Only controls of this manager are kept: their deletion takes them out again.
    if (control == nullptr || control->GetManager() != this) {
        ::InvalidateRect(hwnd_, nullptr, FALSE);
        return;
    }
    {
        // One entry per control, so an animation ticking on a hidden window stays bounded.
        std::lock_guard guard(pendingLock_);
        auto it = std::find_if(pending_.begin(), pending_.end(),
                               [control](const PendingUpdate& p) { return p.control == control; });
        if (it != pending_.end()) {
            it->rect.UnionRect(it->rect, rect);
            it->code = it->code != 0 ? it->code : code;
        } else {
            pending_.push_back({rect, code, control});
        }
    }
    InvalidateRect(rect, FALSE);
}

void PaintManager::RunPendingUpdates() {
    std::vector<PendingUpdate> pending;
    {
        std::lock_guard guard(pendingLock_);
        pending.swap(pending_);
    }
    // Deleted controls were taken out by ForgetControl, which runs on this thread.
    for (const PendingUpdate& p : pending) {
        if (MObject* parent = p.control->GetParantObject()) {
            parent->OnControlUpdate(p.rect, p.code, p.control);
        }
    }
}

void PaintManager::Invalidate() {
    if (hwnd_ != nullptr) {
        ::InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

void PaintManager::InvalidateRect(CRect rect, int erase) {
    if (hwnd_ == nullptr) {
        return;
    }
    if (layered_) {
        ::InvalidateRect(hwnd_, nullptr, TRUE);
    } else {
        ::InvalidateRect(hwnd_, &rect, erase);
    }
}

void PaintManager::SetBackColor(COLORREF back, COLORREF frame) {
    backColor_ = back;
    frameColor_ = frame;
}

// --- focus ---

void PaintManager::SetFocusControl(MControl* control) {
    if (control == focus_) {
        return;
    }
    MControl* old = focus_;
    focus_ = control;
    if (old != nullptr) {
        old->SetControlFocus(0);
    }
    if (control != nullptr) {
        control->SetControlFocus(1);
    }
}

void PaintManager::ForgetControl(MControl* control) {
    if (hover_ == control) {
        hover_ = nullptr;
    }
    if (focus_ == control) {
        focus_ = nullptr;
    }
    std::lock_guard guard(pendingLock_);
    std::erase_if(pending_, [control](const PendingUpdate& p) { return p.control == control; });
}

// --- tooltip ---

void PaintManager::SetTooltip(const CString& text, CRect) {
    if (text.empty()) {
        ClearTooltip();
        return;
    }
    if (tooltip_ == nullptr && ::IsWindow(hwnd_) && IsWindowThread()) {
        tooltip_ = std::make_unique<TooltipWindow>(hwnd_);
    }
    tooltipText_ = text;
    if (tooltip_ != nullptr) {
        POINT cursor;
        ::GetCursorPos(&cursor);
        tooltip_->Show(text, cursor);
    }
}

void PaintManager::ClearTooltip() {
    tooltipText_.clear();
    tooltipOwner_ = kNoTooltipOwner;
    if (tooltip_ != nullptr) {
        tooltip_->Hide();
    }
}

HWND PaintManager::GetTooltipWnd() const {
    return tooltip_ != nullptr ? tooltip_->GetSafeHwnd() : nullptr;
}

// --- images and fonts ---

const ImgResInfo* PaintManager::AddImgResInfo(const wchar_t* relativePath, int count) {
    if (relativePath == nullptr || relativePath[0] == 0) {
        return nullptr;
    }
    return images_.Find(GetSkinFolder(), relativePath, count);
}

std::optional<FontFamily> PaintManager::FindTempFont(const wchar_t*) {
    const CString face = Manager::GetFontName();
    std::lock_guard guard(fontLock_);
    if (!fontFamily_ || fontFamilyName_ != face) {
        fontFamily_ = FontFamily::Installed(face);
        fontFamilyName_ = face;
    }
    return fontFamily_;
}

// --- painting ---

LRESULT PaintManager::OnPaint() {
    RunPendingUpdates();
    if (::IsIconic(hwnd_)) {
        ::ValidateRect(hwnd_, nullptr);
        return 1;
    }
    PAINTSTRUCT paint;
    if (!::BeginPaint(hwnd_, &paint)) {
        return 0;
    }
    RECT client;
    ::GetClientRect(hwnd_, &client);
    Bitmap buffer(client.Width(), client.Height());
    if (!buffer.IsEmpty()) {
        HDC dc(buffer);
        DrawBackground(dc, client);
        DrawControls(dc, layered_ ? CRect(client) : paint.rcPaint);
        if (layered_) {
            const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(hwnd_, GWL_EXSTYLE));
            if ((exStyle & WS_EX_LAYERED) == 0) {
                ::SetWindowLongW(hwnd_, GWL_EXSTYLE, static_cast<LONG>(exStyle | WS_EX_LAYERED));
            }
            ::UpdateLayeredWindow(hwnd_, buffer.View());
        } else {
            ::PresentWindow(hwnd_, buffer.View(), paint.rcPaint);
        }
    }
    ::EndPaint(hwnd_, &paint);
    return 0;
}

void PaintManager::DrawBackground(HDC& dc, CRect client) {
    Bitmap* target = dc.GetBitmap();
    target->Fill(client, ArgbFromColorref(frameColor_, 0xFE));
    client.DeflateRect(1, 1);
    target->Fill(client, ArgbFromColorref(backColor_, 0xFE));
}

void PaintManager::DrawControls(HDC& dc, CRect clip) {
    {
        std::lock_guard guard(areasLock_);
        for (const auto& area : areas_) {
            area->Draw(dc, clip);
        }
    }
    std::lock_guard guard(controlsLock_);
    for (const auto& control : controls_) {
        control->Draw(dc, clip);
    }
}

}  // namespace LumoUI
