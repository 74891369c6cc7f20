// Periodic timers whose ticks run on a timer thread of their own (one per timer), reported to
// the owning object's OnMTimer. The paint manager is one: its animation timer ticks the
// controls registered for animation.
//
// Ticks run concurrently with the window thread: what OnMTimer touches must be locked, and it
// must neither create nor destroy controls. Killing a timer waits for a tick in progress
// (except from inside that very tick), so after KillTimer returns no tick of it runs.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/win/periodic_timer.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

class LUMOUI_API RKTimer {
public:
    RKTimer();
    // Kills every timer of the object. A derived class whose OnMTimer uses its own members
    // kills them in its own destructor first.
    virtual ~RKTimer();
    RKTimer(const RKTimer&) = delete;
    RKTimer& operator=(const RKTimer&) = delete;

    // One tick of timer `id`, on the timer's thread.
    virtual void OnMTimer(UINT id);
    // The tick of an application timer, with its name, after OnMTimer(id).
    virtual void OnMTimer(UINT id, const CString& name);

    // Starts a timer ticking every `intervalMs`; its identifier, unique in the process. 0
    // when it cannot start (an interval of 0); that record is kept like any other.
    UINT SetTimer(UINT intervalMs, const CString& name, int appTimer);
    // Stops a timer and forgets it; 1 when the object had it.
    int KillTimer(UINT id);
    // Stops every timer of that name; 1 when there was one.
    int KillTimer(const CString& name);
    // Stops all of the object's timers.
    void KillTimer();

    CString GetTimerName(UINT id) const;
    int IsAppTimer(UINT id) const;
    int GetTimerIsRun(UINT id) const;
    int GetTimerIsRun(const CString& name) const;

    // The object that owns timer `id`; none when no object has it.
    static RKTimer* GetTalTimer(UINT id);

private:
    struct Record {
        UINT id = 0;
        CString name;
        int appTimer = 0;
        std::unique_ptr<PeriodicTimer> timer;
    };

    bool Owns(UINT id) const;
    // Stops the timers outside the lock: stopping waits for a tick, which may itself ask this
    // object for its timers.
    static void Stop(std::vector<Record>& records);

    mutable std::mutex lock_;
    std::vector<Record> records_;
};

}  // namespace LumoUI
