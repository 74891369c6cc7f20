#include "lumoui/win/thread_queue.h"

#include "lumoui/win/window_system.h"

namespace LumoUI::detail {

namespace {

// Holds the thread's queue for the thread's life; when the thread ends, its windows go with
// it and callers still waiting on it are released.
struct ThreadQueueHolder {
    std::shared_ptr<ThreadQueue> queue;
    ~ThreadQueueHolder() {
        if (queue) {
            RetireThread(queue);
        }
    }
};

thread_local ThreadQueueHolder t_holder;

}  // namespace

ThreadQueue& ThreadQueue::Current() {
    return *CurrentShared();
}

std::shared_ptr<ThreadQueue> ThreadQueue::CurrentShared() {
    if (!t_holder.queue) {
        WindowSystem& ws = WindowSystem::Get();
        ws.Backend();  // made before the table lock is ever held on this path
        std::lock_guard guard(ws.lock);
        t_holder.queue = std::make_shared<ThreadQueue>(ws.nextThreadId++);
        ws.queues.push_back(t_holder.queue);
    }
    return t_holder.queue;
}

ThreadQueue* ThreadQueue::CurrentIfAny() {
    return t_holder.queue.get();
}

bool ThreadQueue::Post(QueuedMessage message) {
    {
        std::lock_guard guard(lock);
        if (ended) {
            return false;
        }
        QueuedMessage& last = posted.empty() ? message : posted.back();
        // Pointer moves not yet taken are replaced by the newer one, as a window server does.
        if (message.input && message.msg.message == WM_MOUSEMOVE && !posted.empty() && last.input &&
            last.msg.message == WM_MOUSEMOVE && last.msg.hwnd == message.msg.hwnd) {
            last = message;
        } else {
            posted.push_back(message);
        }
        ++generation;
    }
    wake.notify_one();
    return true;
}

bool ThreadQueue::Send(std::shared_ptr<SentCall> call) {
    {
        std::lock_guard guard(lock);
        if (ended) {
            return false;
        }
        sent.push_back(std::move(call));
        ++generation;
    }
    wake.notify_one();
    return true;
}

void ThreadQueue::Wake() {
    {
        std::lock_guard guard(lock);
        ++generation;
    }
    wake.notify_one();
}

bool ThreadQueue::ServeOneSentCall() {
    std::shared_ptr<SentCall> call;
    {
        std::lock_guard guard(lock);
        if (sent.empty()) {
            return false;
        }
        call = std::move(sent.front());
        sent.pop_front();
    }
    LRESULT result = 0;
    ++sendDepth;
    if (call->task) {
        call->task();
    } else {
        result = CallProc(call->hwnd, call->message, call->wParam, call->lParam);
    }
    --sendDepth;
    CompleteSentCall(*call, result);
    return true;
}

void ThreadQueue::ServeSentCalls() {
    while (ServeOneSentCall()) {
    }
}

uint64_t ThreadQueue::NextTimerDueLocked() const {
    uint64_t next = kNever;
    for (const TimerEntry& t : timers) {
        if (t.due < next) {
            next = t.due;
        }
    }
    return next;
}

void CompleteSentCall(SentCall& call, LRESULT result) {
    if (!call.replyTo) {
        return;
    }
    ThreadQueue& sender = *call.replyTo;
    {
        std::lock_guard guard(sender.lock);
        call.result = result;
        call.done = true;
    }
    sender.wake.notify_one();
}

}  // namespace LumoUI::detail
