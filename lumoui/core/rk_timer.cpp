#include "lumoui/core/rk_timer.h"

#include <algorithm>
#include <atomic>

namespace LumoUI {

namespace {

// Every timer object of the process, for GetTalTimer.
struct AllTimers {
    std::mutex lock;
    std::vector<RKTimer*> objects;
};

AllTimers& TheTimers() {
    static AllTimers all;
    return all;
}

std::atomic<UINT> nextTimerId{1};

}  // namespace

RKTimer::RKTimer() {
    AllTimers& all = TheTimers();
    std::lock_guard guard(all.lock);
    all.objects.push_back(this);
}

RKTimer::~RKTimer() {
    {
        AllTimers& all = TheTimers();
        std::lock_guard guard(all.lock);
        std::erase(all.objects, this);
    }
    KillTimer();
}

void RKTimer::OnMTimer(UINT) {}

void RKTimer::OnMTimer(UINT, const CString&) {}

UINT RKTimer::SetTimer(UINT intervalMs, const CString& name, int appTimer) {
    Record record;
    record.name = name;
    record.appTimer = appTimer != 0 ? 1 : 0;
    record.timer = std::make_unique<PeriodicTimer>();
    const UINT id = intervalMs != 0 ? nextTimerId.fetch_add(1) : 0;
    record.id = id;
    if (id != 0) {
        const bool app = record.appTimer != 0;
        // The record is in the list before the first tick can come.
        std::lock_guard guard(lock_);
        record.timer->Start(intervalMs, [this, id, name, app] {
            OnMTimer(id);
            if (app) {
                OnMTimer(id, name);
            }
        });
        records_.push_back(std::move(record));
        return id;
    }
    std::lock_guard guard(lock_);
    records_.push_back(std::move(record));
    return 0;
}

void RKTimer::Stop(std::vector<Record>& records) {
    for (Record& r : records) {
        r.timer.reset();  // stops it and waits for a tick in progress
    }
    records.clear();
}

int RKTimer::KillTimer(UINT id) {
    std::vector<Record> doomed;
    {
        std::lock_guard guard(lock_);
        auto it = std::find_if(records_.begin(), records_.end(),
                               [id](const Record& r) { return r.id == id; });
        if (it == records_.end()) {
            return 0;
        }
        doomed.push_back(std::move(*it));
        records_.erase(it);
    }
    Stop(doomed);
    return 1;
}

int RKTimer::KillTimer(const CString& name) {
    std::vector<Record> doomed;
    {
        std::lock_guard guard(lock_);
        for (auto it = records_.begin(); it != records_.end();) {
            if (it->name == name) {
                doomed.push_back(std::move(*it));
                it = records_.erase(it);
            } else {
                ++it;
            }
        }
    }
    const int found = doomed.empty() ? 0 : 1;
    Stop(doomed);
    return found;
}

void RKTimer::KillTimer() {
    std::vector<Record> doomed;
    {
        std::lock_guard guard(lock_);
        doomed.swap(records_);
    }
    Stop(doomed);
}

CString RKTimer::GetTimerName(UINT id) const {
    std::lock_guard guard(lock_);
    for (const Record& r : records_) {
        if (r.id == id) {
            return r.name;
        }
    }
    return CString();
}

int RKTimer::IsAppTimer(UINT id) const {
    std::lock_guard guard(lock_);
    for (const Record& r : records_) {
        if (r.id == id) {
            return r.appTimer;
        }
    }
    return 0;
}

int RKTimer::GetTimerIsRun(UINT id) const {
    std::lock_guard guard(lock_);
    for (const Record& r : records_) {
        if (r.id == id && r.timer->IsRunning()) {
            return 1;
        }
    }
    return 0;
}

int RKTimer::GetTimerIsRun(const CString& name) const {
    std::lock_guard guard(lock_);
    for (const Record& r : records_) {
        if (r.name == name && r.timer->IsRunning()) {
            return 1;
        }
    }
    return 0;
}

bool RKTimer::Owns(UINT id) const {
    std::lock_guard guard(lock_);
    return std::any_of(records_.begin(), records_.end(),
                       [id](const Record& r) { return r.id == id; });
}

RKTimer* RKTimer::GetTalTimer(UINT id) {
    if (id == 0) {
        return nullptr;
    }
    AllTimers& all = TheTimers();
    std::lock_guard guard(all.lock);
    for (RKTimer* timer : all.objects) {
        if (timer->Owns(id)) {
            return timer;
        }
    }
    return nullptr;
}

}  // namespace LumoUI
