// A private X server for a test: Xvfb on a display number it picks itself (-displayfd), ready
// once it has written that number, and ended with the object.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace x11test {

class XvfbServer {
public:
    explicit XvfbServer(const std::string& screen = "1280x720x24") {
        int ready[2];
        if (pipe(ready) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, ready[0]);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const std::string fd = std::to_string(ready[1]);
        std::vector<std::string> args = {"Xvfb", "-displayfd", fd,    "-screen", "0",
                                         screen, "-nolisten",  "tcp", "-noreset"};
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(ready[1]);
        // The server writes its display number once it accepts connections.
        std::string number;
        pollfd wait{ready[0], POLLIN, 0};
        while (pid_ > 0 && poll(&wait, 1, 10000) == 1) {
            char c = 0;
            if (read(ready[0], &c, 1) != 1 || c == '\n') {
                break;
            }
            number.push_back(c);
        }
        close(ready[0]);
        if (!number.empty()) {
            display_ = ":" + number;
        }
    }

    ~XvfbServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
        }
    }

    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool Running() const { return !display_.empty(); }
    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace x11test
