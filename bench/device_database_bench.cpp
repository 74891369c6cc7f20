// What the configuration pages cost in the keyboard database: a full key table saved and
// listed, a long macro stored, and the per-key colours of a whole keyboard replaced.
#include <benchmark/benchmark.h>

#include <vector>

#include "os/folders.h"
#include "storage/device_database.h"
#include "support/temp_folder.h"

namespace {

constexpr int kKeys = 64;
constexpr int kMacroEvents = 400;
constexpr int kKeyColours = 110;

// A fresh database in a home of its own for each benchmark; the benchmark is skipped when it
// cannot be opened.
struct OpenDatabase {
    explicit OpenDatabase(benchmark::State& state) {
        if (!db.OpenForDevice(GetUserDataFolder(), L"BenchBoard")) {
            state.SkipWithError("database did not open");
        }
    }

    IsolatedHome home;
    DeviceDatabase db;
};

KeyAssignment Assignment(int key) {
    return {.profile = 1,
            .key_code = 4 + key,
            .macro_type = 2,
            .macro_value = 30 + key,
            .macro_desc = L"Touche personnalis\u00e9e"};
}

void BM_SaveKeyAssignments64(benchmark::State& state) {
    OpenDatabase open(state);
    for (auto _ : state) {
        for (int key = 0; key < kKeys; ++key) {
            benchmark::DoNotOptimize(open.db.SaveKeyAssignment(Assignment(key)));
        }
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_SaveKeyAssignments64)->Unit(benchmark::kMillisecond);

void BM_ListKeyAssignments64(benchmark::State& state) {
    OpenDatabase open(state);
    for (int key = 0; key < kKeys; ++key) {
        open.db.SaveKeyAssignment(Assignment(key));
    }
    std::vector<KeyAssignment> keys;
    for (auto _ : state) {
        if (open.db.ListKeyAssignments(1, 0, keys) != kKeys) {
            state.SkipWithError("wrong number of keys");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_ListKeyAssignments64)->Unit(benchmark::kMicrosecond);

void BM_InsertMacro400Events(benchmark::State& state) {
    OpenDatabase open(state);
    std::vector<MacroEvent> events(kMacroEvents);
    for (auto _ : state) {
        const int macro = open.db.InsertMacro(L"Macro 1");
        for (int i = 0; i < kMacroEvents; ++i) {
            events[i] = {.macro_id = macro,
                         .type = 2 + i % 2,
                         .record_index = i,
                         .desc = L"A",
                         .value = 65,
                         .delay_time = 20};
        }
        open.db.InsertMacroEvents(events);
    }
    state.SetItemsProcessed(state.iterations() * kMacroEvents);
}
BENCHMARK(BM_InsertMacro400Events)->Unit(benchmark::kMillisecond);

void BM_ReplaceKeyColours110(benchmark::State& state) {
    OpenDatabase open(state);
    std::vector<KeyColour> colours;
    for (int key = 0; key < kKeyColours; ++key) {
        colours.push_back({.profile = 1,
                           .light_id = kFirstKeyColourSlot,
                           .key_code = 4 + key,
                           .key_rgb = 0x0000FF});
    }
    for (auto _ : state) {
        open.db.DeleteKeyColours();
        if (open.db.InsertKeyColours(colours) != kKeyColours) {
            state.SkipWithError("colours not stored");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kKeyColours);
}
BENCHMARK(BM_ReplaceKeyColours110)->Unit(benchmark::kMillisecond);

}  // namespace
