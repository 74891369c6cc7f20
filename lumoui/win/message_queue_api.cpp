// Sending, posting, taking and dispatching messages; window timers; the message clock.
#include <algorithm>
#include <chrono>
#include <thread>

#include "lumoui/win/window_system.h"

using namespace LumoUI;
using namespace LumoUI::detail;

namespace {

HWND const kThreadMessagesOnly = reinterpret_cast<HWND>(-1);

bool InRange(UINT message, UINT filterMin, UINT filterMax) {
    return (filterMin == 0 && filterMax == 0) || (message >= filterMin && message <= filterMax);
}

// Under the window-system lock: whether a message for `hwnd` passes the window filter.
bool PassesWindowFilter(const WindowSystem& ws, HWND hwnd, HWND filter) {
    if (filter == kThreadMessagesOnly) {
        return hwnd == nullptr;
    }
    return filter == nullptr || ws.InTree(filter, hwnd);
}

// Takes the next message in Win32's order: posted and input messages, WM_QUIT, WM_PAINT,
// WM_TIMER, WM_MOUSEHOVER. Sent calls are served before this is called.
bool TakeMessage(ThreadQueue& q, HWND filter, UINT filterMin, UINT filterMax, bool remove, MSG* out,
                 QueuedMessage* taken) {
    WindowSystem& ws = WindowSystem::Get();
    const uint64_t now = ws.NowMs();
    std::lock_guard guard(ws.lock);
    std::lock_guard queueGuard(q.lock);
    const auto passes = [&](HWND hwnd, UINT message) {
        return InRange(message, filterMin, filterMax) && PassesWindowFilter(ws, hwnd, filter);
    };
    const auto generated = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        *out = MSG{hwnd, message, wParam, lParam, static_cast<DWORD>(now), ws.cursor, 0};
        return true;
    };
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
        if (passes(it->msg.hwnd, it->msg.message)) {
            *out = it->msg;
            if (remove) {
                *taken = std::move(*it);
                q.posted.erase(it);
            }
            return true;
        }
    }
    if (q.quit) {
        if (remove) {
            q.quit = false;
        }
        return generated(nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
    }
    for (HWND hwnd : q.dirty) {
        const WindowRecord* w = ws.Find(hwnd);
        if (w != nullptr && !w->update.IsRectEmpty() && ws.VisibleChain(*w) &&
            passes(hwnd, WM_PAINT)) {
            return generated(hwnd, WM_PAINT, 0, 0);
        }
    }
    TimerEntry* due = nullptr;
    for (TimerEntry& t : q.timers) {
        if (t.due <= now && passes(t.hwnd, WM_TIMER) && (due == nullptr || t.due < due->due)) {
            due = &t;
        }
    }
    if (due != nullptr) {
        const TimerEntry t = *due;
        if (remove) {
            due->due += due->elapse;
            if (due->due <= now) {
                due->due = now + due->elapse;  // fell behind: no burst of late ticks
            }
        }
        return generated(t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc));
    }
    MouseTracking& track = ws.tracking;
    const WindowRecord* tracked = ws.Find(track.hwnd);
    if (tracked != nullptr && tracked->queue.get() == &q && (track.flags & TME_HOVER) &&
        track.hoverDue <= now && passes(track.hwnd, WM_MOUSEHOVER)) {
        const CPoint origin = ws.ScreenOrigin(*tracked);
        const HWND hwnd = track.hwnd;
        if (remove) {
            track.flags &= ~TME_HOVER;
            track.hoverDue = ThreadQueue::kNever;
        }
        return generated(hwnd, WM_MOUSEHOVER, ws.MouseKeyFlagsLocked(),
                         MAKELPARAM(ws.cursor.x - origin.x, ws.cursor.y - origin.y));
    }
    return false;
}

void SetKeyDown(BYTE* keys, UINT vk, bool down) {
    if (vk == 0 || vk > 0xFF) {
        return;
    }
    if (down) {
        if ((keys[vk] & 0x80) == 0) {
            keys[vk] ^= 0x01;  // toggled by each press
        }
        keys[vk] |= 0x80;
    } else {
        keys[vk] &= static_cast<BYTE>(~0x80);
    }
}

// Taking an input message: the thread's key state follows it, a press activates the window it
// lands on, and the window sets its cursor.
void OnInputTaken(ThreadQueue& q, const QueuedMessage& m) {
    const UINT message = m.msg.message;
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
            SetKeyDown(q.keys, static_cast<UINT>(m.msg.wParam), down);
            SetKeyDown(q.keys, m.rawVk, down);
            return;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
            SetKeyDown(q.keys, VK_LBUTTON, message != WM_LBUTTONUP);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP:
            SetKeyDown(q.keys, VK_RBUTTON, message != WM_RBUTTONUP);
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_MBUTTONUP:
            SetKeyDown(q.keys, VK_MBUTTON, message != WM_MBUTTONUP);
            break;
        default:
            break;
    }
    if (m.activate != nullptr) {
        ActivateNow(m.activate, WA_CLICKACTIVE);
    }
    const bool setsCursor = message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN ||
                            message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    if (setsCursor && GetCapture() == nullptr) {
        CallProc(m.msg.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m.msg.hwnd),
                 MAKELPARAM(HTCLIENT, static_cast<int>(message)));
    }
}

// Blocks until the queue changes after `seen`, or the next timer or hover falls due.
void WaitForWork(ThreadQueue& q, uint64_t seen) {
    WindowSystem& ws = WindowSystem::Get();
    WindowClock& clock = ws.Clock();
    uint64_t deadline = ThreadQueue::kNever;
    {
        std::lock_guard guard(ws.lock);
        const WindowRecord* tracked = ws.Find(ws.tracking.hwnd);
        if (tracked != nullptr && tracked->queue.get() == &q && (ws.tracking.flags & TME_HOVER)) {
            deadline = ws.tracking.hoverDue;
        }
    }
    std::unique_lock guard(q.lock);
    deadline = std::min(deadline, q.NextTimerDueLocked());
    const auto changed = [&] { return q.generation != seen; };
    if (clock.IsVirtual()) {
        // Virtual time moves only by AdvanceTime, which wakes every queue.
        q.wake.wait(guard, [&] { return changed() || clock.NowMs() >= deadline; });
        return;
    }
    if (deadline == ThreadQueue::kNever) {
        q.wake.wait(guard, changed);
        return;
    }
    const uint64_t now = clock.NowMs();
    if (deadline > now) {
        q.wake.wait_for(guard, std::chrono::milliseconds(deadline - now), changed);
    }
}

uint64_t GenerationOf(ThreadQueue& q) {
    std::lock_guard guard(q.lock);
    return q.generation;
}

bool ValidFilter(HWND filter) {
    return filter == nullptr || filter == kThreadMessagesOnly || IsOwnerThread(filter);
}

}  // namespace

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowSystem& ws = WindowSystem::Get();
    std::shared_ptr<ThreadQueue> target;
    WNDPROC proc = nullptr;
    {
        std::lock_guard guard(ws.lock);
        const WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        target = w->queue;
        proc = w->proc;
    }
    if (target.get() == ThreadQueue::CurrentIfAny()) {
        return proc != nullptr ? proc(hwnd, message, wParam, lParam)
                               : DefWindowProcW(hwnd, message, wParam, lParam);
    }
    auto call = std::make_shared<SentCall>();
    call->hwnd = hwnd;
    call->message = message;
    call->wParam = wParam;
    call->lParam = lParam;
    call->replyTo = ThreadQueue::CurrentShared();
    ThreadQueue& self = *call->replyTo;
    if (!target->Send(call)) {
        return 0;
    }
    // Calls sent to this thread meanwhile are served, so two threads sending to each other
    // do not wait on each other for ever.
    std::unique_lock guard(self.lock);
    while (!call->done) {
        if (!self.sent.empty()) {
            guard.unlock();
            self.ServeOneSentCall();
            guard.lock();
            continue;
        }
        self.wake.wait(guard);
    }
    return call->result;
}

BOOL SendNotifyMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    Deliver(hwnd, message, wParam, lParam);
    return TRUE;
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == nullptr) {
        return PostThreadMessageW(GetCurrentThreadId(), message, wParam, lParam);
    }
    return WithWindow(hwnd, FALSE, [&](WindowSystem& ws, const WindowRecord& w) {
        QueuedMessage m;
        m.msg.message = message;
        m.msg.wParam = wParam;
        m.msg.lParam = lParam;
        return PostLocked(ws, w, std::move(m)) ? TRUE : FALSE;
    });
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowSystem& ws = WindowSystem::Get();
    const uint64_t now = ws.NowMs();
    std::lock_guard guard(ws.lock);
    ThreadQueue* q = ws.QueueOfThreadLocked(threadId);
    if (q == nullptr) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    QueuedMessage m;
    m.msg = MSG{nullptr, message, wParam, lParam, static_cast<DWORD>(now), ws.cursor, 0};
    return q->Post(std::move(m)) ? TRUE : FALSE;
}

void PostQuitMessage(int exitCode) {
    ThreadQueue& q = ThreadQueue::Current();
    {
        std::lock_guard guard(q.lock);
        q.quit = true;
        q.quitCode = exitCode;
        ++q.generation;
    }
    q.wake.notify_one();
}

BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove) {
    if (msg == nullptr || !ValidFilter(hwnd)) {
        return FALSE;
    }
    ThreadQueue& q = ThreadQueue::Current();
    q.ServeSentCalls();
    QueuedMessage taken;
    const bool removing = (remove & PM_REMOVE) != 0;
    if (!TakeMessage(q, hwnd, filterMin, filterMax, removing, msg, &taken)) {
        return FALSE;
    }
    if (removing) {
        q.lastMessageTime = msg->time;
        if (taken.input) {
            OnInputTaken(q, taken);
        }
    }
    return TRUE;
}

BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (msg == nullptr || !ValidFilter(hwnd)) {
        SetLastError(msg == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    ThreadQueue& q = ThreadQueue::Current();
    for (;;) {
        const uint64_t seen = GenerationOf(q);
        if (PeekMessageW(msg, hwnd, filterMin, filterMax, PM_REMOVE)) {
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        WaitForWork(q, seen);
    }
}

BOOL WaitMessage() {
    ThreadQueue& q = ThreadQueue::Current();
    const uint64_t seen = GenerationOf(q);
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        return TRUE;
    }
    WaitForWork(q, seen);
    return TRUE;
}

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr) {
        return FALSE;
    }
    const UINT message = msg->message;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) {
        return message == WM_KEYUP || message == WM_SYSKEYUP;
    }
    if (msg->lPrivate == 0) {
        return TRUE;
    }
    // The character comes before anything else queued, as it would from a separate input
    // queue: the key-up that follows arrives after it.
    ThreadQueue& q = ThreadQueue::Current();
    QueuedMessage m;
    m.msg = *msg;
    m.msg.message = message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    m.msg.wParam = msg->lPrivate;
    m.msg.lPrivate = 0;
    {
        std::lock_guard guard(q.lock);
        q.posted.push_front(m);
        ++q.generation;
    }
    return TRUE;
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (msg == nullptr) {
        return 0;
    }
    WindowSystem& ws = WindowSystem::Get();
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        // Only a callback registered with SetTimer for this timer is called: a posted
        // WM_TIMER cannot make the thread jump to an address of its choosing.
        TIMERPROC proc = nullptr;
        if (ThreadQueue* q = ThreadQueue::CurrentIfAny()) {
            std::lock_guard guard(q->lock);
            for (const TimerEntry& t : q->timers) {
                if (t.hwnd == msg->hwnd && t.id == msg->wParam &&
                    reinterpret_cast<LPARAM>(t.proc) == msg->lParam) {
                    proc = t.proc;
                }
            }
        }
        if (proc != nullptr) {
            proc(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(ws.NowMs()));
        }
        return 0;
    }
    WNDPROC proc = nullptr;
    unsigned paints = 0;
    {
        std::lock_guard guard(ws.lock);
        const WindowRecord* w = ws.Find(msg->hwnd);
        if (w == nullptr || w->queue.get() != ThreadQueue::CurrentIfAny()) {
            return 0;
        }
        proc = w->proc;
        paints = w->paints;
    }
    const LRESULT result = proc != nullptr
                               ? proc(msg->hwnd, msg->message, msg->wParam, msg->lParam)
                               : DefWindowProcW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT) {
        // A handler that did not paint would get WM_PAINT for ever; its update is dropped.
        std::lock_guard guard(ws.lock);
        WindowRecord* w = ws.Find(msg->hwnd);
        if (w != nullptr && w->paints == paints) {
            w->update = CRect();
            w->erase = false;
            ws.ClearDirtyLocked(*w, false);
        }
    }
    return result;
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc != nullptr ? proc(hwnd, message, wParam, lParam) : 0;
}

BOOL InSendMessage() {
    ThreadQueue* q = ThreadQueue::CurrentIfAny();
    return q != nullptr && q->sendDepth > 0;
}

DWORD GetMessageTime() {
    ThreadQueue* q = ThreadQueue::CurrentIfAny();
    return q == nullptr ? 0 : q->lastMessageTime;
}

DWORD GetTickCount() {
    return static_cast<DWORD>(GetWindowClock().NowMs());
}

uint64_t GetTickCount64() {
    return GetWindowClock().NowMs();
}

void Sleep(DWORD milliseconds) {
    if (!GetWindowClock().IsVirtual()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC callback) {
    ThreadQueue& q = ThreadQueue::Current();
    if (hwnd != nullptr && !IsOwnerThread(hwnd)) {
        SetLastError(IsWindow(hwnd) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const UINT elapse = std::clamp<UINT>(elapseMs, 10, 0x7FFFFFFF);
    const uint64_t due = WindowSystem::Get().NowMs() + elapse;
    std::lock_guard guard(q.lock);
    const auto existing = [&](UINT_PTR timerId) {
        return std::find_if(q.timers.begin(), q.timers.end(),
                            [&](const TimerEntry& t) { return t.hwnd == hwnd && t.id == timerId; });
    };
    if (hwnd == nullptr) {
        if (id == 0 || existing(id) == q.timers.end()) {
            do {
                id = q.nextThreadTimer++;
            } while (id == 0 || existing(id) != q.timers.end());
        }
    }
    auto it = existing(id);
    if (it != q.timers.end()) {
        it->elapse = elapse;
        it->due = due;
        it->proc = callback;
    } else {
        q.timers.push_back(TimerEntry{hwnd, id, elapse, due, callback});
    }
    return id != 0 ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    ThreadQueue* q = ThreadQueue::CurrentIfAny();
    if (q == nullptr || (hwnd != nullptr && !IsOwnerThread(hwnd))) {
        return FALSE;
    }
    std::lock_guard guard(q->lock);
    auto it = std::find_if(q->timers.begin(), q->timers.end(),
                           [&](const TimerEntry& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == q->timers.end()) {
        return FALSE;
    }
    q->timers.erase(it);
    return TRUE;
}
