#include "lumoui/win/x11/x11_event_reader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace LumoUI {

X11EventReader::X11EventReader(const X11Connection& connection, Handler handler)
    : connection_(connection), handler_(std::move(handler)), thread_([this] { Run(); }) {}

X11EventReader::~X11EventReader() {
    stop_.store(true);
    connection_.Wake();
    thread_.join();
}

void X11EventReader::Run() {
    Display* display = connection_.display();
    pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {connection_.WakeFd(), POLLIN, 0}};
    while (!stop_.load()) {
        // XPending reads what the socket holds and counts what waits in Xlib's queue, also
        // events that another thread's reply brought along.
        while (!stop_.load() && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            handler_(event);
        }
        if (stop_.load()) {
            break;
        }
        const int ready = poll(fds, 2, -1);
        wakeups_.fetch_add(1);
        if (ready < 0 && errno != EINTR) {
            break;
        }
        if (fds[1].revents & POLLIN) {
            uint64_t count = 0;
            [[maybe_unused]] const ssize_t got = read(connection_.WakeFd(), &count, sizeof count);
        }
        if (fds[0].revents & (POLLHUP | POLLERR)) {
            // The server went away. Xlib's I/O error handler ends the process on the next
            // call; the thread leaves quietly rather than spin on a dead socket.
            break;
        }
    }
}

}  // namespace LumoUI
