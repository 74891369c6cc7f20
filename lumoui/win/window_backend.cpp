#include "lumoui/win/window_backend.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "lumoui/win/headless/headless_backend.h"
#include "lumoui/win/window_system.h"
#include "lumoui/win/x11/x11_backend_factory.h"

namespace LumoUI {

namespace {

std::map<std::string, WindowBackendFactory>& Factories() {
    static std::map<std::string, WindowBackendFactory> factories{
        // The program's headless runs: real time, only the latest frame of each window.
        {"headless",
         [] {
             HeadlessOptions options;
             options.virtualTime = false;
             options.framesKept = 0;
             return std::unique_ptr<WindowBackend>(std::make_unique<HeadlessBackend>(options));
         }},
        {"x11", OpenX11Backend}};
    return factories;
}

std::mutex& FactoriesLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

void RegisterWindowBackend(const char* name, WindowBackendFactory factory) {
    if (name == nullptr || factory == nullptr) {
        return;
    }
    std::lock_guard guard(FactoriesLock());
    Factories()[name] = factory;
}

bool SetWindowBackend(std::unique_ptr<WindowBackend> backend) {
    if (!backend) {
        return false;
    }
    detail::WindowSystem& ws = detail::WindowSystem::Get();
    std::unique_ptr<WindowBackend> previous;
    {
        std::lock_guard backendGuard(ws.backendLock);
        std::lock_guard guard(ws.lock);
        if (!ws.windows.empty() || ws.periodicTimers.load() != 0) {
            return false;
        }
        previous = std::move(ws.ownedBackend);
        ws.ownedBackend = std::move(backend);
        ws.backend.store(ws.ownedBackend.get());
        ws.tracking = {};
        ws.lastPress = {};
        ws.drag = {};
        ws.pointerWindow = nullptr;
        ws.cursor = CPoint(-1, -1);
        std::memset(ws.asyncKeys, 0, sizeof ws.asyncKeys);
    }
    return true;
}

bool SelectWindowBackend(const char* name) {
    if (name == nullptr) {
        return false;
    }
    WindowBackendFactory factory = nullptr;
    {
        std::lock_guard guard(FactoriesLock());
        auto it = Factories().find(name);
        if (it == Factories().end()) {
            return false;
        }
        factory = it->second;
    }
    std::unique_ptr<WindowBackend> backend = factory();
    return backend != nullptr && SetWindowBackend(std::move(backend));
}

bool SelectDefaultWindowBackend(bool forceHeadless) {
    const char* display = std::getenv("DISPLAY");
    if (!forceHeadless && display != nullptr && *display != 0 && SelectWindowBackend("x11")) {
        return true;
    }
    return SelectWindowBackend("headless");
}

WindowBackend& GetWindowBackend() {
    return detail::WindowSystem::Get().Backend();
}

WindowClock& GetWindowClock() {
    return detail::WindowSystem::Get().Clock();
}

namespace detail {

WindowBackend& WindowSystem::Backend() {
    WindowBackend* current = backend.load();
    if (current != nullptr) {
        return *current;
    }
    std::lock_guard guard(backendLock);
    if (!ownedBackend) {
        // Nothing was chosen: the headless backend on virtual time, as tests expect.
        ownedBackend = std::make_unique<HeadlessBackend>(HeadlessOptions{});
        backend.store(ownedBackend.get());
    }
    return *ownedBackend;
}

void PeriodicTimerStarted() {
    WindowSystem::Get().periodicTimers.fetch_add(1);
}

void PeriodicTimerEnded() {
    WindowSystem::Get().periodicTimers.fetch_sub(1);
}

}  // namespace detail

}  // namespace LumoUI
