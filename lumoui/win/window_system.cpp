#include "lumoui/win/window_system.h"

#include <algorithm>

namespace LumoUI::detail {

WindowSystem& WindowSystem::Get() {
    // Never destroyed: threads and thread-exit clean-up may still reach it while the process
    // ends.
    static WindowSystem& instance = *new WindowSystem();
    return instance;
}

WindowRecord* WindowSystem::Find(HWND hwnd) const {
    if (hwnd == nullptr) {
        return nullptr;
    }
    auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : it->second.get();
}

HWND WindowSystem::RootOf(HWND hwnd) const {
    const WindowRecord* w = Find(hwnd);
    while (w != nullptr && w->IsChild()) {
        const WindowRecord* parent = Find(w->parent);
        if (parent == nullptr) {
            break;
        }
        w = parent;
    }
    return w == nullptr ? nullptr : w->hwnd;
}

CPoint WindowSystem::ScreenOrigin(const WindowRecord& w) const {
    CPoint origin = w.rect.TopLeft();
    const WindowRecord* p = w.IsChild() ? Find(w.parent) : nullptr;
    while (p != nullptr) {
        origin.Offset(p->rect.left, p->rect.top);
        p = p->IsChild() ? Find(p->parent) : nullptr;
    }
    return origin;
}

CRect WindowSystem::ScreenRect(const WindowRecord& w) const {
    return CRect(ScreenOrigin(w), w.rect.Size());
}

bool WindowSystem::VisibleChain(const WindowRecord& w) const {
    const WindowRecord* p = &w;
    while (p != nullptr) {
        if ((p->style & WS_VISIBLE) == 0 || p->iconic) {
            return false;
        }
        p = p->IsChild() ? Find(p->parent) : nullptr;
    }
    return true;
}

bool WindowSystem::EnabledChain(const WindowRecord& w) const {
    const WindowRecord* p = &w;
    while (p != nullptr) {
        if ((p->style & WS_DISABLED) != 0) {
            return false;
        }
        p = p->IsChild() ? Find(p->parent) : nullptr;
    }
    return true;
}

bool WindowSystem::InTree(HWND root, HWND hwnd) const {
    const WindowRecord* w = Find(hwnd);
    while (w != nullptr) {
        if (w->hwnd == root) {
            return true;
        }
        w = w->IsChild() ? Find(w->parent) : nullptr;
    }
    return false;
}

std::vector<HWND>& WindowSystem::SiblingsOf(const WindowRecord& w) {
    if (w.IsChild()) {
        if (WindowRecord* parent = Find(w.parent)) {
            return parent->children;
        }
    }
    return topLevels;
}

namespace {

bool IsTopmost(const WindowSystem& ws, HWND hwnd) {
    const WindowRecord* w = ws.Find(hwnd);
    return w != nullptr && (w->exStyle & WS_EX_TOPMOST) != 0;
}

// Whether `hwnd` is owned, directly or through other owned windows, by `owner`.
bool IsOwnedBy(const WindowSystem& ws, HWND hwnd, HWND owner) {
    const WindowRecord* w = ws.Find(hwnd);
    for (int depth = 0; w != nullptr && w->owner != nullptr && depth < 64; ++depth) {
        if (w->owner == owner) {
            return true;
        }
        w = ws.Find(w->owner);
    }
    return false;
}

}  // namespace

bool WindowSystem::RestackLocked(WindowRecord& w, HWND insertAfter) {
    std::vector<HWND>& list = SiblingsOf(w);
    const std::vector<HWND> before = list;
    const DWORD exStyleBefore = w.exStyle;
    const bool topLevel = &list == &topLevels;
    list.erase(std::remove(list.begin(), list.end(), w.hwnd), list.end());
    if (topLevel) {
        if (insertAfter == HWND_TOPMOST) {
            w.exStyle |= WS_EX_TOPMOST;
        } else if (insertAfter == HWND_NOTOPMOST || insertAfter == HWND_BOTTOM) {
            w.exStyle &= ~WS_EX_TOPMOST;
        }
    }
    const auto firstOfBand = [&] {
        if (!topLevel || (w.exStyle & WS_EX_TOPMOST) != 0) {
            return list.begin();
        }
        return std::find_if(list.begin(), list.end(), [&](HWND h) { return !IsTopmost(*this, h); });
    };
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        list.insert(firstOfBand(), w.hwnd);
    } else if (insertAfter == HWND_BOTTOM) {
        list.push_back(w.hwnd);
    } else {
        auto it = std::find(list.begin(), list.end(), insertAfter);
        list.insert(it == list.end() ? firstOfBand() : it + 1, w.hwnd);
    }
    if (topLevel) {
        // Owned windows lie above their owner: lift those that ended up below it.
        auto self = std::find(list.begin(), list.end(), w.hwnd);
        std::vector<HWND> lifted;
        for (auto it = self + 1; it != list.end();) {
            if (IsOwnedBy(*this, *it, w.hwnd)) {
                lifted.push_back(*it);
                it = list.erase(it);
            } else {
                ++it;
            }
        }
        self = std::find(list.begin(), list.end(), w.hwnd);
        list.insert(self, lifted.begin(), lifted.end());
    }
    // A window made topmost (or no longer) where it already stood changes its band.
    return list != before || w.exStyle != exStyleBefore;
}

std::vector<HWND> WindowSystem::StackOf(HWND parent) const {
    if (parent == nullptr) {
        return topLevels;
    }
    const WindowRecord* p = Find(parent);
    return p == nullptr ? std::vector<HWND>() : p->children;
}

void WindowSystem::MarkDirtyLocked(WindowRecord& w, bool tree) {
    if (tree) {
        for (HWND child : w.children) {
            if (WindowRecord* c = Find(child)) {
                c->update = c->ClientRect();
                MarkDirtyLocked(*c, true);
            }
        }
    }
    if (w.update.IsRectEmpty() || !VisibleChain(w)) {
        return;
    }
    ThreadQueue& q = *w.queue;
    {
        std::lock_guard guard(q.lock);
        if (std::find(q.dirty.begin(), q.dirty.end(), w.hwnd) != q.dirty.end()) {
            return;
        }
        q.dirty.push_back(w.hwnd);
        ++q.generation;
    }
    q.wake.notify_one();
}

void WindowSystem::ClearDirtyLocked(const WindowRecord& w, bool tree) {
    if (tree) {
        for (HWND child : w.children) {
            if (const WindowRecord* c = Find(child)) {
                ClearDirtyLocked(*c, true);
            }
        }
    }
    std::lock_guard guard(w.queue->lock);
    auto& dirty = w.queue->dirty;
    dirty.erase(std::remove(dirty.begin(), dirty.end(), w.hwnd), dirty.end());
}

HWND WindowSystem::InputTargetLocked(HWND hwnd, bool fromPointer) const {
    const WindowRecord* w = Find(hwnd);
    if (fromPointer) {
        while (w != nullptr && w->IsChild() && (w->style & WS_DISABLED) != 0) {
            w = Find(w->parent);
        }
    }
    if (w == nullptr || !EnabledChain(*w)) {
        return nullptr;
    }
    return w->hwnd;
}

WPARAM WindowSystem::MouseKeyFlagsLocked() const {
    WPARAM flags = 0;
    if (asyncKeys[VK_LBUTTON] & 0x80) {
        flags |= MK_LBUTTON;
    }
    if (asyncKeys[VK_RBUTTON] & 0x80) {
        flags |= MK_RBUTTON;
    }
    if (asyncKeys[VK_MBUTTON] & 0x80) {
        flags |= MK_MBUTTON;
    }
    if (asyncKeys[VK_SHIFT] & 0x80) {
        flags |= MK_SHIFT;
    }
    if (asyncKeys[VK_CONTROL] & 0x80) {
        flags |= MK_CONTROL;
    }
    return flags;
}

ThreadQueue* WindowSystem::QueueOfThreadLocked(DWORD threadId) const {
    for (const auto& weak : queues) {
        if (auto q = weak.lock(); q && q->id == threadId) {
            return q.get();
        }
    }
    return nullptr;
}

WindowClock& WindowSystem::Clock() {
    WindowClock* clock = Backend().Clock();
    return clock != nullptr ? *clock : monotonic;
}

bool IsOwnerThread(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    ThreadQueue* current = ThreadQueue::CurrentIfAny();
    std::lock_guard guard(ws.lock);
    const WindowRecord* w = ws.Find(hwnd);
    return w != nullptr && current != nullptr && w->queue.get() == current;
}

LRESULT CallProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowSystem& ws = WindowSystem::Get();
    WNDPROC proc = nullptr;
    {
        std::lock_guard guard(ws.lock);
        const WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr || w->queue.get() != ThreadQueue::CurrentIfAny()) {
            return 0;
        }
        proc = w->proc;
    }
    return proc != nullptr ? proc(hwnd, message, wParam, lParam)
                           : DefWindowProcW(hwnd, message, wParam, lParam);
}

namespace {

std::shared_ptr<ThreadQueue> OwnerQueueOf(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    const WindowRecord* w = ws.Find(hwnd);
    return w == nullptr ? nullptr : w->queue;
}

}  // namespace

void Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<ThreadQueue> target = OwnerQueueOf(hwnd);
    if (!target) {
        return;
    }
    if (target.get() == ThreadQueue::CurrentIfAny()) {
        CallProc(hwnd, message, wParam, lParam);
        return;
    }
    auto call = std::make_shared<SentCall>();
    call->hwnd = hwnd;
    call->message = message;
    call->wParam = wParam;
    call->lParam = lParam;
    target->Send(std::move(call));
}

void RunOnOwnerThread(HWND hwnd, std::function<void()> task) {
    std::shared_ptr<ThreadQueue> target = OwnerQueueOf(hwnd);
    if (!target) {
        return;
    }
    if (target.get() == ThreadQueue::CurrentIfAny()) {
        task();
        return;
    }
    auto call = std::make_shared<SentCall>();
    call->hwnd = hwnd;
    call->task = std::move(task);
    target->Send(std::move(call));
}

bool PostLocked(WindowSystem& ws, const WindowRecord& w, QueuedMessage message) {
    message.msg.hwnd = w.hwnd;
    message.msg.time = static_cast<DWORD>(ws.NowMs());
    message.msg.pt = ws.cursor;
    return w.queue->Post(std::move(message));
}

void RetireThread(const std::shared_ptr<ThreadQueue>& queue) {
    WindowSystem& ws = WindowSystem::Get();
    std::vector<std::unique_ptr<WindowRecord>> gone;
    {
        std::lock_guard guard(ws.lock);
        for (auto it = ws.windows.begin(); it != ws.windows.end();) {
            if (it->second->queue == queue) {
                gone.push_back(std::move(it->second));
                it = ws.windows.erase(it);
            } else {
                ++it;
            }
        }
        // Children of retired windows go with them, whichever thread made them.
        for (bool found = true; found;) {
            found = false;
            for (auto it = ws.windows.begin(); it != ws.windows.end();) {
                const HWND parent = it->second->IsChild() ? it->second->parent : nullptr;
                if (parent != nullptr && ws.Find(parent) == nullptr) {
                    gone.push_back(std::move(it->second));
                    it = ws.windows.erase(it);
                    found = true;
                } else {
                    ++it;
                }
            }
        }
        const auto isGone = [&](HWND h) { return h != nullptr && ws.Find(h) == nullptr; };
        ws.topLevels.erase(std::remove_if(ws.topLevels.begin(), ws.topLevels.end(), isGone),
                           ws.topLevels.end());
        for (auto& [hwnd, w] : ws.windows) {
            w->children.erase(std::remove_if(w->children.begin(), w->children.end(), isGone),
                              w->children.end());
            if (isGone(w->owner)) {
                w->owner = nullptr;
            }
        }
        for (HWND* h : {&ws.active, &ws.focus, &ws.capture, &ws.pointerWindow, &ws.tracking.hwnd,
                        &ws.lastPress.hwnd, &ws.drag.hwnd}) {
            if (isGone(*h)) {
                *h = nullptr;
            }
        }
        ws.queues.erase(std::remove_if(ws.queues.begin(), ws.queues.end(),
                                       [&](const std::weak_ptr<ThreadQueue>& q) {
                                           auto shared = q.lock();
                                           return !shared || shared == queue;
                                       }),
                        ws.queues.end());
    }
    // Children were collected after their parents; the display drops them first.
    for (auto it = gone.rbegin(); it != gone.rend(); ++it) {
        ws.Backend().DestroyNativeWindow((*it)->hwnd);
    }
    std::deque<std::shared_ptr<SentCall>> waiting;
    {
        std::lock_guard guard(queue->lock);
        queue->ended = true;
        waiting.swap(queue->sent);
        queue->posted.clear();
        queue->timers.clear();
        queue->dirty.clear();
    }
    for (auto& call : waiting) {
        CompleteSentCall(*call, 0);
    }
}

void WakeAllQueues() {
    WindowSystem& ws = WindowSystem::Get();
    std::vector<std::shared_ptr<ThreadQueue>> all;
    {
        std::lock_guard guard(ws.lock);
        for (const auto& weak : ws.queues) {
            if (auto q = weak.lock()) {
                all.push_back(std::move(q));
            }
        }
    }
    for (auto& q : all) {
        q->Wake();
    }
}

uint64_t NextDeadlineOfCurrentThread() {
    ThreadQueue* q = ThreadQueue::CurrentIfAny();
    if (q == nullptr) {
        return ThreadQueue::kNever;
    }
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    uint64_t next = ThreadQueue::kNever;
    const WindowRecord* tracked = ws.Find(ws.tracking.hwnd);
    if (tracked != nullptr && tracked->queue.get() == q && (ws.tracking.flags & TME_HOVER)) {
        next = ws.tracking.hoverDue;
    }
    std::lock_guard queueGuard(q->lock);
    return std::min(next, q->NextTimerDueLocked());
}

}  // namespace LumoUI::detail
