#include <thread>

#include "window_test_support.h"

namespace wintest {
namespace {

using ThreadCallsTest = WindowSystemTest;

TEST_F(ThreadCallsTest, CallsFromAnotherThreadTakeEffectOnTheOwnerThread) {
    TestWindow w({.rect = {0, 0, 100, 100}, .title = L"Brimlow"});
    Pump();
    w.Clear();
    std::thread([&] {
        EXPECT_FALSE(EnableWindow(w, FALSE));
        EXPECT_FALSE(IsWindowEnabled(w)) << "input stops at once";
        EXPECT_TRUE(SetWindowTextW(w, L"Busy"));
        EXPECT_TRUE(ShowWindow(w, SW_HIDE));
        EXPECT_TRUE(MoveWindow(w, 5, 6, 70, 80, TRUE));
    }).join();
    wchar_t title[16];
    GetWindowTextW(w, title, 16);
    EXPECT_STREQ(title, L"Busy");
    EXPECT_TRUE(w.All().empty()) << "nothing runs on the window before its thread looks";
    EXPECT_TRUE(IsWindowVisible(w));

    Pump();
    for (UINT message : {WM_ENABLE, WM_SHOWWINDOW, WM_WINDOWPOSCHANGED, WM_SIZE}) {
        SCOPED_TRACE(message);
        ASSERT_FALSE(w.Of(message).empty());
        EXPECT_EQ(w.Of(message).back().thread, std::this_thread::get_id());
    }
    EXPECT_FALSE(IsWindowVisible(w));
    RECT rect;
    GetWindowRect(w, &rect);
    EXPECT_EQ(rect, CRect(5, 6, 75, 86));
    EXPECT_EQ(display->NativeTitle(w), L"Busy");
    EXPECT_EQ(display->ShowState(w), LumoUI::NativeShowState::kHidden);

    std::thread([&] {
        EnableWindow(w, TRUE);
        ShowWindow(w, SW_SHOW);
    }).join();
    Pump();
    EXPECT_TRUE(IsWindowEnabled(w));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(GetActiveWindow(), w.hwnd());
}

TEST_F(ThreadCallsTest, OwnerThreadOperationsAreRefusedElsewhere) {
    TestWindow w;
    const HWND focus = GetFocus();
    std::thread([&] {
        EXPECT_EQ(SetFocus(w), nullptr);
        EXPECT_EQ(SetCapture(w), nullptr);
        EXPECT_EQ(SetActiveWindow(w), nullptr);
        PAINTSTRUCT paint;
        EXPECT_FALSE(BeginPaint(w, &paint));
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = w;
        EXPECT_FALSE(TrackMouseEvent(&track));
    }).join();
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace wintest
