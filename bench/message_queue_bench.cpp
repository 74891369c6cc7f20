// Message throughput of the window system: posting and dispatching on one thread, posting
// from a second thread to a window whose thread runs its loop, and sending across threads.
#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>

#include "lumoui/win/win_api.h"

namespace {

constexpr UINT kWork = WM_USER + 1;
constexpr UINT kLast = WM_USER + 2;

std::atomic<long> g_handled{0};

LRESULT CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kWork || message == kLast) {
        g_handled.fetch_add(1, std::memory_order_relaxed);
        return static_cast<LRESULT>(wParam) + 1;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A hidden window of the calling thread that counts what it handles.
class CountingWindow {
public:
    CountingWindow() {
        WNDCLASSEXW wc;
        wc.lpfnWndProc = &CountingProc;
        wc.lpszClassName = L"BenchWindow";
        RegisterClassExW(&wc);
        hwnd_ = CreateWindowExW(0, L"BenchWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    }
    ~CountingWindow() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

void BM_PostAndDispatchOneThread(benchmark::State& state) {
    CountingWindow window;
    const int batch = static_cast<int>(state.range(0));
    MSG msg;
    for (auto _ : state) {
        for (int i = 0; i < batch; ++i) {
            PostMessageW(window.hwnd(), kWork, static_cast<WPARAM>(i), 0);
        }
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    }
    state.SetItemsProcessed(state.iterations() * batch);
}
BENCHMARK(BM_PostAndDispatchOneThread)->Arg(1)->Arg(64)->Arg(1024);

// The benchmark thread runs the window's loop; a second thread posts.
void BM_PostAcrossThreads(benchmark::State& state) {
    CountingWindow window;
    const int count = static_cast<int>(state.range(0));
    MSG msg;
    for (auto _ : state) {
        std::thread poster([&] {
            for (int i = 0; i < count; ++i) {
                PostMessageW(window.hwnd(), kWork, static_cast<WPARAM>(i), 0);
            }
            PostMessageW(window.hwnd(), kLast, 0, 0);
        });
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            DispatchMessageW(&msg);
            if (msg.message == kLast) {
                break;
            }
        }
        poster.join();
    }
    state.SetItemsProcessed(state.iterations() * (count + 1));
}
BENCHMARK(BM_PostAcrossThreads)->Arg(10000)->UseRealTime();

// Each send from the second thread waits until the window's thread has handled it.
void BM_SendAcrossThreads(benchmark::State& state) {
    CountingWindow window;
    const int count = static_cast<int>(state.range(0));
    MSG msg;
    for (auto _ : state) {
        std::thread sender([&] {
            for (int i = 0; i < count; ++i) {
                benchmark::DoNotOptimize(SendMessageW(window.hwnd(), kWork, 1, 0));
            }
            PostMessageW(window.hwnd(), kLast, 0, 0);
        });
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            DispatchMessageW(&msg);
            if (msg.message == kLast) {
                break;
            }
        }
        sender.join();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SendAcrossThreads)->Arg(2000)->UseRealTime();

}  // namespace
