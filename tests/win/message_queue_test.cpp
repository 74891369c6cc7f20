#include <atomic>
#include <thread>

#include "window_test_support.h"

namespace wintest {
namespace {

using MessageQueueTest = WindowSystemTest;

constexpr UINT kFirst = WM_USER + 1;
constexpr UINT kSecond = WM_USER + 2;
constexpr UINT kThird = WM_USER + 3;
constexpr UINT kDone = WM_USER + 9;

// Runs the calling thread's message loop until `hwnd` gets `until`.
void LoopUntil(HWND hwnd, UINT until) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (msg.hwnd == hwnd && msg.message == until) {
            return;
        }
    }
}

TEST_F(MessageQueueTest, SentMessageIsHandledAtOncePostedOnesInOrderWhenTaken) {
    TestWindow w;
    PostMessageW(w, kFirst, 0, 0);
    PostMessageW(w, kSecond, 0, 0);
    EXPECT_EQ(SendMessageW(w, kThird, 0, 0), 0);
    EXPECT_EQ(w.Messages(WM_USER, WM_APP), (std::vector<UINT>{kThird}));

    Pump();
    EXPECT_EQ(w.Messages(WM_USER, WM_APP), (std::vector<UINT>{kThird, kFirst, kSecond}));
}

TEST_F(MessageQueueTest, SendFromAnotherThreadRunsOnTheOwnerThreadAndReturnsItsResult) {
    std::thread::id handledOn;
    TestWindow w({}, [&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == kFirst) {
            handledOn = std::this_thread::get_id();
            return static_cast<LRESULT>(wParam * 2);
        }
        return std::nullopt;
    });
    std::atomic<LRESULT> result{0};
    std::thread other([&] {
        result = SendMessageW(w, kFirst, 21, 0);
        PostMessageW(w, kDone, 0, 0);
    });
    LoopUntil(w, kDone);
    other.join();

    EXPECT_EQ(result.load(), 42);
    EXPECT_EQ(handledOn, std::this_thread::get_id());
}

TEST_F(MessageQueueTest, ThreadsSendingToEachOtherServeTheCallsWhileTheyWait) {
    // The main thread's window answers by sending to a window of the other thread, which is
    // itself blocked in a send to the main thread.
    TestWindow mine({}, [](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == kFirst) {
            return SendMessageW(reinterpret_cast<HWND>(wParam), kSecond, 0, 0) + 1;
        }
        return std::nullopt;
    });
    std::atomic<LRESULT> result{0};
    std::thread other([&] {
        TestWindow theirs({}, [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            return message == kSecond ? std::optional<LRESULT>(7) : std::nullopt;
        });
        result = SendMessageW(mine, kFirst, reinterpret_cast<WPARAM>(theirs.hwnd()), 0);
        PostMessageW(mine, kDone, 0, 0);
    });
    LoopUntil(mine, kDone);
    other.join();

    EXPECT_EQ(result.load(), 8);
}

TEST_F(MessageQueueTest, QuitEndsTheLoopWithItsExitCodeAfterThePostedMessages) {
    TestWindow w;
    PostMessageW(w, kFirst, 0, 0);
    PostQuitMessage(3);
    PostMessageW(w, kSecond, 0, 0);

    MSG msg;
    BOOL got = 0;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(got, 0);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(w.Messages(WM_USER, WM_APP), (std::vector<UINT>{kFirst, kSecond}));
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MessageQueueTest, NestedLoopKeepsDispatchingOtherWindowsMessages) {
    bool insideModal = false;
    bool otherHandledInside = false;
    bool otherDone = false;
    TestWindow other({}, [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == kSecond) {
            otherHandledInside = insideModal;
            PostMessageW(hwnd, kThird, 0, 0);
        } else if (message == kThird) {
            otherDone = true;
        }
        return std::nullopt;
    });
    TestWindow modal({}, [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == kFirst) {
            insideModal = true;
            PostMessageW(other, kSecond, 0, 0);
            MSG msg;
            while (!otherDone && GetMessageW(&msg, nullptr, 0, 0) > 0) {
                DispatchMessageW(&msg);
            }
            insideModal = false;
        }
        return std::nullopt;
    });
    PostMessageW(modal, kFirst, 0, 0);
    Pump();

    EXPECT_TRUE(otherHandledInside);
    EXPECT_TRUE(otherDone);
    EXPECT_FALSE(insideModal);
}

TEST_F(MessageQueueTest, MessagesToAGoneWindowAreRefusedAndThoseQueuedAreDropped) {
    HWND gone = nullptr;
    {
        TestWindow w;
        gone = w;
        PostMessageW(w, kFirst, 0, 0);
    }
    EXPECT_EQ(Pump(), 0);
    EXPECT_FALSE(PostMessageW(gone, kFirst, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(SendMessageW(gone, kFirst, 0, 0), 0);
    EXPECT_FALSE(IsWindow(gone));
}

TEST_F(MessageQueueTest, FiltersSelectByWindowAndMessageRange) {
    TestWindow a;
    TestWindow b;
    Pump();
    PostMessageW(a, kFirst, 0, 0);
    PostMessageW(b, kSecond, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 1, 5, 6);

    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, kSecond);
    ASSERT_TRUE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_APP + 1);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_APP, WM_APP + 10, PM_REMOVE));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, kFirst, kFirst, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, kFirst);
    EXPECT_EQ(msg.hwnd, a.hwnd());

    std::thread([&] { EXPECT_EQ(GetMessageW(&msg, a, 0, 0), -1); }).join();
}

TEST_F(MessageQueueTest, IdleLoopWakesForAPostFromAnotherThread) {
    TestWindow w;
    Pump();
    std::thread other([&] { PostMessageW(w, kDone, 0, 0); });
    LoopUntil(w, kDone);
    other.join();
    EXPECT_EQ(w.Count(kDone), 1);
}

TEST_F(MessageQueueTest, PostsFromManyThreadsArriveOnceEachInTheirOrder) {
    constexpr int kThreads = 4;
    constexpr int kEach = 500;
    std::vector<int> next(kThreads, 0);
    bool inOrder = true;
    int received = 0;
    TestWindow w({},
                 [&](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
                     if (message == kFirst) {
                         inOrder = inOrder && next[wParam] == lParam;
                         next[wParam] = static_cast<int>(lParam) + 1;
                         ++received;
                     }
                     return std::nullopt;
                 });
    std::vector<std::thread> posters;
    for (int t = 0; t < kThreads; ++t) {
        posters.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                PostMessageW(w, kFirst, static_cast<WPARAM>(t), i);
            }
        });
    }
    for (std::thread& t : posters) {
        t.join();
    }
    Pump();
    EXPECT_EQ(received, kThreads * kEach);
    EXPECT_TRUE(inOrder);
}

TEST_F(MessageQueueTest, WindowsOfAThreadThatEndsGoWithIt) {
    HWND orphan = nullptr;
    std::thread([&] {
        orphan = CreateWindowExW(0, kPlainClass, L"Orphan", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                 nullptr, nullptr, nullptr, nullptr);
    }).join();
    ASSERT_NE(orphan, nullptr);
    EXPECT_FALSE(IsWindow(orphan));
    EXPECT_FALSE(PostMessageW(orphan, kFirst, 0, 0));
    EXPECT_EQ(FindWindowW(nullptr, L"Orphan"), nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

}  // namespace
}  // namespace wintest
