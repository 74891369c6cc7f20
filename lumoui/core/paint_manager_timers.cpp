// PaintManager: the animation timer and its registered controls, the window timers of
// controls, and the dispatch of the window's WM_TIMER.
#include <algorithm>

#include "lumoui/core/paint_manager.h"
#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

// Window-timer identifiers for controls wrap around below this.
constexpr UINT kControlTimerRange = 240;

// Identifiers the window uses itself, never given to a control.
bool IsReservedTimer(UINT id) {
    return id == 0 || id == MessageOverlay::kHoldTimer || id == MessageOverlay::kFadeTimer ||
           id == MessageOverlay::kProgressTimer;
}

}  // namespace

// --- animation ---

UINT PaintManager::SetMTimer(UINT intervalMs) {
    if (const UINT old = animationTimer_.exchange(0); old != 0) {
        RKTimer::KillTimer(old);
    }
    const UINT id = RKTimer::SetTimer(intervalMs, CString(), 0);
    animationTimer_ = id;
    return id;
}

void PaintManager::KillMTimer() {
    animationTimer_ = 0;
    RKTimer::KillTimer();
}

int PaintManager::KillMTimer(UINT id) {
    UINT expected = id;
    animationTimer_.compare_exchange_strong(expected, 0);
    return RKTimer::KillTimer(id);
}

void PaintManager::AddMTimer(MControl* control) {
    if (control == nullptr) {
        return;
    }
    std::lock_guard guard(animationLock_);
    if (std::find(animated_.begin(), animated_.end(), control) == animated_.end()) {
        animated_.push_back(control);
    }
}

int PaintManager::DeleteTalTimer(MControl* control) {
    std::lock_guard guard(animationLock_);
    return std::erase(animated_, control) != 0 ? 1 : 0;
}

void PaintManager::OnMTimer(UINT id) {
    if (id == 0 || id != animationTimer_) {
        return;
    }
    std::lock_guard guard(animationLock_);
    // By index: a tick may register another control.
    for (size_t i = 0; i < animated_.size(); ++i) {
        MControl* control = animated_[i];
        if (control->IsRunTimer() && control->IsVisible() && control->IsParentVisible()) {
            control->OnTimer();
        }
    }
}

// --- control timers ---

UINT PaintManager::NextControlTimerID() const {
    UINT counter = timerCounter_;
    for (UINT tries = 0; tries < kControlTimerRange; ++tries) {
        const UINT id = ++counter % kControlTimerRange;
        const bool used = std::any_of(timers_.begin(), timers_.end(),
                                      [id](const ControlTimer& t) { return t.id == id; });
        if (!IsReservedTimer(id) && !used) {
            return id;
        }
    }
    return 0;
}

int PaintManager::SetTimer(MControl* control, UINT key, UINT elapseMs) {
    // Without a window the system would make a thread timer that no control ever sees.
    if (control == nullptr || hwnd_ == nullptr) {
        return 0;
    }
    std::lock_guard guard(timersLock_);
    for (ControlTimer& t : timers_) {
        if (t.hwnd == hwnd_ && t.control == control && t.key == key) {
            if (!t.killed) {
                return 0;
            }
            if (::SetTimer(hwnd_, t.id, elapseMs, nullptr) == 0) {
                return 0;
            }
            t.killed = false;
            return 1;
        }
    }
    const UINT id = NextControlTimerID();
    if (id == 0 || ::SetTimer(hwnd_, id, elapseMs, nullptr) == 0) {
        return 0;
    }
    // The counter moves to the identifier given out, so the next one follows it.
    while (++timerCounter_ % kControlTimerRange != id) {
    }
    timers_.push_back({hwnd_, key, id, false, control});
    return 1;
}

int PaintManager::KillTimer(MControl* control, UINT key) {
    std::lock_guard guard(timersLock_);
    for (ControlTimer& t : timers_) {
        if (t.hwnd == hwnd_ && t.control == control && t.key == key && !t.killed) {
            ::KillTimer(hwnd_, t.id);
            t.killed = true;
            return 1;
        }
    }
    return 0;
}

void PaintManager::KillTimer(MControl* control) {
    std::lock_guard guard(timersLock_);
    std::erase_if(timers_, [this, control](const ControlTimer& t) {
        if (t.control != control) {
            return false;
        }
        if (!t.killed) {
            ::KillTimer(t.hwnd, t.id);
        }
        return true;
    });
}

void PaintManager::ClearTimers() {
    std::lock_guard guard(timersLock_);
    for (const ControlTimer& t : timers_) {
        if (!t.killed) {
            ::KillTimer(t.hwnd, t.id);
        }
    }
    timers_.clear();
}

UINT PaintManager::GetTimerID(MControl* control, UINT key) const {
    std::lock_guard guard(timersLock_);
    for (const ControlTimer& t : timers_) {
        if (t.control == control && t.key == key) {
            return t.id;
        }
    }
    return 0;
}

void PaintManager::OnWindowTimer(UINT id) {
    if (overlay_.OnTimer(id)) {
        return;
    }
    if (id == ToolkitCaret::kBlinkTimer) {
        caret_.OnTimer();
        return;
    }
    if (id == kRepaintTimer) {
        OnRepaintTimer();
        return;
    }
    std::vector<MControl*> due;
    {
        std::lock_guard guard(timersLock_);
        for (const ControlTimer& t : timers_) {
            if (t.hwnd == hwnd_ && t.id == id && !t.killed) {
                due.push_back(t.control);
            }
        }
    }
    for (MControl* control : due) {
        // A tick before may have stopped this timer or deleted the control.
        bool running = false;
        {
            std::lock_guard guard(timersLock_);
            running = std::any_of(timers_.begin(), timers_.end(), [&](const ControlTimer& t) {
                return t.id == id && t.control == control && !t.killed;
            });
        }
        if (running) {
            control->OnTimer();
        }
    }
}

void PaintManager::ReleaseTimers() {
    KillMTimer();
    ClearTimers();
    overlay_.Stop();
    caret_.Show(0);
    if (hwnd_ != nullptr) {
        ::KillTimer(hwnd_, kRepaintTimer);
    }
    repaintHeld_ = false;
    heldRect_.SetRectEmpty();
}

}  // namespace LumoUI
