// The cost the HID device manager and the simulated keyboard add to each report, beyond the
// protocol's waits (virtual time here): what a streamed frame or a key write pays per report,
// and a whole refresh.
#include <benchmark/benchmark.h>

#include <array>
#include <mutex>

#include "device/device_list_view.h"
#include "device/hid_device_manager.h"
#include "device/sim/simulated_hid_backend.h"
#include "device/virtual_sleeper.h"

namespace {

class NoList : public DeviceListView {
public:
    void ResetAllState() override {}
    void SetDeviceState(int, int) override {}
};

struct Rig {
    Rig() {
        manager.AddMatchEntry({0x1A2B, 0x3C4D, L"Brimlow K201", 201, 0, L""});
        keyboard = backend->AddKeyboard(SimulatedK201(0));
        manager.Refresh(modes, modesLock, list);
    }
    std::shared_ptr<VirtualSleeper> sleeper = std::make_shared<VirtualSleeper>();
    std::shared_ptr<SimulatedHidBackend> backend = std::make_shared<SimulatedHidBackend>(sleeper);
    HidDeviceManager manager{backend, sleeper};
    std::shared_ptr<SimulatedKeyboard> keyboard;
    std::vector<CatalogueRecord> modes;
    std::mutex modesLock;
    NoList list;
};

void BM_SendOutputReport(benchmark::State& state) {
    Rig rig;
    std::array<std::uint8_t, 65> report{0, 0x8B, 60};
    for (auto _ : state) {
        benchmark::DoNotOptimize(rig.manager.SendOutputReport(report));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SendOutputReport);

void BM_SendFeature(benchmark::State& state) {
    Rig rig;
    const std::array<std::uint8_t, 8> report{7, 0x23, 0x45, 0x67, 0x89, 1, 100};
    for (auto _ : state) {
        benchmark::DoNotOptimize(rig.manager.SendFeature(report));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SendFeature);

void BM_ReadSlotTable(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) {
        std::array<std::uint8_t, 28> table{7, 0xFB, 1};
        benchmark::DoNotOptimize(rig.manager.ReadSlotTable(table));
    }
}
BENCHMARK(BM_ReadSlotTable);

void BM_Refresh(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rig.manager.Refresh(rig.modes, rig.modesLock, rig.list));
    }
}
BENCHMARK(BM_Refresh);

}  // namespace
