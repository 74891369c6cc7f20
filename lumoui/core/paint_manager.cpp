// PaintManager: attachment to the window, the two layers, repaint requests, focus, the
// tooltip, images and fonts.
#include "lumoui/core/paint_manager.h"

#include <sys/stat.h>

#include <algorithm>

#include "lumoui/core/control_factory.h"
#include "lumoui/core/control_list.h"
#include "lumoui/core/manager.h"
#include "lumoui/core/module_resources.h"
#include "lumoui/core/toolkit_folders.h"
#include "lumoui/core/tooltip_window.h"
#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

bool FileExists(const CString& path) {
    struct stat st {};
    return stat(WideToUtf8(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The private faces the font folder may hold, and the names they are registered under.
struct PrivateFace {
    const wchar_t* file;
    const wchar_t* name;
};
constexpr PrivateFace kPrivateFaces[] = {
    {L"SourceHanSansCN-Regular.otf", L"SourceHanSansCN-Regular"},
    {L"Arial.ttf", L"Arial"},
};

}  // namespace

PaintManager::PaintManager() : backColor_(RGB(9, 13, 19)), frameColor_(RGB(16, 168, 253)) {}

PaintManager::~PaintManager() {
    Release();
}

void PaintManager::Init(HWND hwnd, MWindow* window, MObject* owner) {
    hwnd_ = hwnd;
    window_ = window;
    owner_ = owner;
    ownerThread_ = ::GetWindowThreadProcessId(hwnd, nullptr);
    // The pause between paint passes is a real-time cap; on virtual time it would hold
    // every paint back until a test moved the clock.
    repaintPauseMs_ = GetWindowClock().IsVirtual() ? 0 : kRepaintPauseMs;
    lastPaintEnd_ = 0;
    repaintHeld_ = false;
    const CString fontFolder = GetFontFolder();
    for (const PrivateFace& face : kPrivateFaces) {
        const CString path = fontFolder + face.file;
        if (FileExists(path)) {
            AddTempFont(face.name, path.c_str());
        }
    }
    AddGDITempFont(kFontResource);
    scrollVertical_ = kScrollVerticalResource;
    scrollHorizontal_ = kScrollHorizontalResource;
    initialized_ = true;
}

void PaintManager::Release() {
    // Timers first: no tick may reach a control or a member that is going away.
    ReleaseTimers();
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
    ClearImgResInfo();
    ClearTempFont();
    backImage_.reset();
    backBuffer_.Reset();
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
    if (removed == nullptr) {
        return 0;
    }
    MControl::ControlList doomed;
    doomed.push_back(std::move(removed));
    ForgetSubtrees(doomed);
    return 1;  // deleted here, outside the lock
}

void PaintManager::ClearControls() {
    MControl::ControlList doomed = TakeAll(controlsLock_, controls_);
    ForgetSubtrees(doomed);
}

void PaintManager::ClearAreaControls() {
    MControl::ControlList doomed = TakeAll(areasLock_, areas_);
    ForgetSubtrees(doomed);
}

void PaintManager::ForgetSubtrees(const MControl::ControlList& doomed) {
    // Gathered first, each list under its own lock, and taken out of the animation list
    // afterwards: a tick holds the animation lock while it takes the lists' locks.
    std::vector<MControl*> all;
    std::vector<MControl*> pending;
    for (const auto& control : doomed) {
        pending.push_back(control.get());
    }
    while (!pending.empty()) {
        MControl* control = pending.back();
        pending.pop_back();
        all.push_back(control);
        {
            MControl::ListLock lock = control->LockAreaControls();
            for (const auto& child : control->GetAreaControls()) {
                pending.push_back(child.get());
            }
        }
        MControl::ListLock lock = control->LockControls();
        for (const auto& child : control->GetControls()) {
            pending.push_back(child.get());
        }
    }
    std::lock_guard guard(animationLock_);
    std::erase_if(animated_, [&all](MControl* c) {
        return std::find(all.begin(), all.end(), c) != all.end();
    });
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
    DeleteTalTimer(control);
    KillTimer(control);
    caret_.Forget(control);
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

const ImgResInfo* PaintManager::AddImgResInfo(UINT resourceId, const CString& resourceType,
                                              int count, int fromProgram) {
    const HINSTANCE module = fromProgram ? Manager::GetInstance() : GetToolkitModule();
    return images_.FindResource(resourceId, resourceType, count, fromProgram != 0, module);
}

void PaintManager::ClearImgResInfo() {
    images_.Clear();
}

std::optional<FontFamily> PaintManager::AddTempFont(const wchar_t* name,
                                                    const wchar_t* fontFilePath) {
    if (name == nullptr || fontFilePath == nullptr) {
        return std::nullopt;
    }
    return fonts_.AddFile(name, fontFilePath);
}

std::optional<FontFamily> PaintManager::AddTempFont(const wchar_t* name, UINT resourceId) {
    if (name == nullptr) {
        return std::nullopt;
    }
    return fonts_.AddResource(name, resourceId);
}

int PaintManager::AddGDITempFont(UINT resourceId) {
    return fonts_.AddFaceResource(resourceId) ? 1 : 0;
}

std::optional<FontFamily> PaintManager::FindTempFont(const wchar_t*) {
    return fonts_.Find(Manager::GetFontName());
}

void PaintManager::ClearTempFont() {
    fonts_.Clear();
}

}  // namespace LumoUI
