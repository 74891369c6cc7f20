// What a full key write costs beyond the waits the protocol prescribes: the write runs on real
// time against the simulated keyboard, from a database with macros, shortcuts and remapped
// keys, and the sum of the waits asked for is taken off its wall time. The counters give that
// overhead in milliseconds and as a share of the prescribed waits.
#include <benchmark/benchmark.h>

#include <array>
#include <atomic>
#include <chrono>
#include <memory>

#include "device/first_family_commands.h"
#include "device/hid_device_manager.h"
#include "device/real_sleeper.h"
#include "device/second_family_commands.h"
#include "device/sim/simulated_hid_backend.h"
#include "storage/device_database.h"
#include "support/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

// Sleeps for real and adds up what it was asked to sleep.
class CountingSleeper : public Sleeper {
public:
    void Sleep(std::chrono::milliseconds duration) override {
        prescribed_ += duration.count();
        real_.Sleep(duration);
    }
    std::chrono::nanoseconds Now() const override { return real_.Now(); }

    std::int64_t TakePrescribedMs() { return prescribed_.exchange(0); }

private:
    RealSleeper real_;
    std::atomic<std::int64_t> prescribed_{0};
};

struct Rig {
    explicit Rig(int deviceType) {
        SimulatedKeyboardIdentity identity = SimulatedK201(0);
        identity.deviceType = deviceType;
        manager.AddMatchEntry({identity.vendorId, identity.productId, L"", deviceType, 0, L""});
        backend->AddKeyboard(identity);
        manager.OpenAll();
        manager.SetCurrentType(deviceType);
        database.OpenForDevice(Utf8ToWide(folder.Path() + "/"), L"bench");
    }

    int AddMacro(int events) {
        const int id = database.InsertMacro(L"Macro");
        std::vector<MacroEvent> records;
        for (int i = 0; i < events; ++i) {
            records.push_back(
                {0, id, i % 2 == 0 ? kMacroKeyPress : kMacroKeyRelease, i, L"", 65 + i % 26, 20});
        }
        database.InsertMacroEvents(records);
        return id;
    }
    void Assign(int keyCode, int type, int value) {
        KeyAssignment assignment;
        assignment.profile = 1;
        assignment.key_code = keyCode;
        assignment.macro_type = type;
        assignment.macro_value = value;
        database.SaveKeyAssignment(assignment);
    }
    // `macros` macros of 39 events, `shortcuts` shortcuts and `remaps` remapped keys.
    void Fill(int macros, int shortcuts, int remaps) {
        int key = 0x04;
        for (int i = 0; i < macros; ++i) {
            Assign(key++, kMacroFunctionType, AddMacro(39));
        }
        for (int i = 0; i < shortcuts; ++i) {
            Assign(key++, kShortcutFunctionType, 1 + i % 15);
        }
        for (int i = 0; i < remaps; ++i) {
            Assign(key++, kKeyFunctionType, 0x1E + i % 10);
        }
    }

    std::shared_ptr<CountingSleeper> sleeper = std::make_shared<CountingSleeper>();
    std::shared_ptr<SimulatedHidBackend> backend = std::make_shared<SimulatedHidBackend>(sleeper);
    HidDeviceManager manager{backend, sleeper};
    TempFolder folder;
    DeviceDatabase database;
};

// Times `write` per iteration and reports its overhead beyond the prescribed waits.
template <typename Write>
void MeasureOverhead(benchmark::State& state, CountingSleeper& sleeper, Write write) {
    std::int64_t prescribedMs = 0;
    double overheadMs = 0;
    for (auto _ : state) {
        sleeper.TakePrescribedMs();
        const Clock::time_point start = Clock::now();
        write();
        const std::chrono::duration<double, std::milli> wall = Clock::now() - start;
        const std::int64_t prescribed = sleeper.TakePrescribedMs();
        state.SetIterationTime(wall.count() / 1000.0);
        prescribedMs += prescribed;
        overheadMs += wall.count() - static_cast<double>(prescribed);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["prescribed_ms"] = static_cast<double>(prescribedMs) / iterations;
    state.counters["overhead_ms"] = overheadMs / iterations;
    state.counters["overhead_pct"] = 100.0 * overheadMs / static_cast<double>(prescribedMs);
}

void BM_FirstFamilyKeyWrite(benchmark::State& state) {
    Rig rig(102);
    rig.Fill(4, 4, 20);
    FirstFamilyCommands commands(rig.database, rig.manager);
    KeyPositionMap positions;
    for (int key = 0x04; key < 0x04 + 28; ++key) {
        positions.Set(key, key);
    }
    MeasureOverhead(state, *rig.sleeper, [&] { commands.WriteKeys(1, 0, positions); });
}
BENCHMARK(BM_FirstFamilyKeyWrite)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_SecondFamilyKeyWrite(benchmark::State& state) {
    Rig rig(201);
    rig.Fill(2, 1, 4);
    SecondFamilyCommands commands(rig.database, rig.manager, XkbKeyboardLayout::Load("us"));
    // A first write takes the slots, so each measured one frees them and writes them again.
    commands.WriteKeys(1, 0);
    MeasureOverhead(state, *rig.sleeper, [&] { commands.WriteKeys(1, 0); });
}
BENCHMARK(BM_SecondFamilyKeyWrite)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
