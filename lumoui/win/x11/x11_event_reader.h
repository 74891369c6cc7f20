// The thread that waits for the X server: it sleeps in poll() on the connection and on the
// connection's wake-up fd, and hands every event that arrived to the backend. Nothing runs
// while no event comes, so an idle process does not wake.
#pragma once

#include <X11/Xlib.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "lumoui/win/x11/x11_connection.h"

namespace LumoUI {

class X11EventReader {
public:
    using Handler = std::function<void(XEvent&)>;

    X11EventReader(const X11Connection& connection, Handler handler);
    ~X11EventReader();  // stops and joins the thread
    X11EventReader(const X11EventReader&) = delete;
    X11EventReader& operator=(const X11EventReader&) = delete;

    // How often the thread woke from its wait so far.
    uint64_t Wakeups() const { return wakeups_.load(); }

private:
    void Run();

    const X11Connection& connection_;
    Handler handler_;
    std::atomic<bool> stop_{false};
    std::atomic<uint64_t> wakeups_{0};
    std::thread thread_;
};

}  // namespace LumoUI
