// The message queue of one thread: posted and input messages, calls sent from other threads,
// the quit request, the windows waiting for WM_PAINT and the window timers.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "lumoui/win/win_types.h"

namespace LumoUI::detail {

class ThreadQueue;

struct QueuedMessage {
    MSG msg;
    // Input from the display: taking it updates this thread's key state and, for a button
    // press, activates `activate` first.
    bool input = false;
    UINT rawVk = 0;  // key messages: the key as reported (VK_LSHIFT rather than VK_SHIFT)
    HWND activate = nullptr;
};

// A call made on the owner thread on behalf of another thread: a message (SendMessageW,
// SendNotifyMessageW) or a piece of the core's own work.
struct SentCall {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::function<void()> task;
    std::shared_ptr<ThreadQueue> replyTo;  // the waiting sender; none when nobody waits
    LRESULT result = 0;
    bool done = false;  // guarded by replyTo's lock
};

struct TimerEntry {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    uint64_t due = 0;
    TIMERPROC proc = nullptr;
};

class ThreadQueue {
public:
    static constexpr uint64_t kNever = UINT64_MAX;

    explicit ThreadQueue(DWORD threadId) : id(threadId), thread(std::this_thread::get_id()) {}

    // The calling thread's queue, made on first use and retired when the thread ends.
    static ThreadQueue& Current();
    static std::shared_ptr<ThreadQueue> CurrentShared();
    // None when the calling thread has never used the window system.
    static ThreadQueue* CurrentIfAny();

    // Appends under the lock and wakes the thread. False once the thread has ended.
    // (Post and Send count as changes; so does Wake.)
    bool Post(QueuedMessage message);
    bool Send(std::shared_ptr<SentCall> call);
    void Wake();

    // Runs the calls sent to this thread (owner thread only).
    void ServeSentCalls();
    bool ServeOneSentCall();
    // The earliest timer due time (kNever when there is none).
    uint64_t NextTimerDueLocked() const;

    const DWORD id;
    const std::thread::id thread;

    std::mutex lock;
    std::condition_variable wake;
    // Guarded by `lock`:
    std::deque<QueuedMessage> posted;
    std::deque<std::shared_ptr<SentCall>> sent;
    std::vector<HWND> dirty;  // windows with an update rectangle, in the order they got it
    std::vector<TimerEntry> timers;
    bool quit = false;
    int quitCode = 0;
    bool ended = false;
    // Counts every change that may give the thread work, so a waiting thread sleeps until
    // something new happened rather than spinning on what its filter leaves.
    uint64_t generation = 0;

    // Owner thread only:
    BYTE keys[256] = {};  // key state as of the key messages taken from this queue
    int sendDepth = 0;    // inside a call sent by another thread
    DWORD lastMessageTime = 0;
    UINT_PTR nextThreadTimer = 0x7F00;
};

// Completes a sent call: stores the result and wakes the sender.
void CompleteSentCall(SentCall& call, LRESULT result);

}  // namespace LumoUI::detail
