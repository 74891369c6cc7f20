// Refreshes that unplug and plug the keyboard while other threads send: no transfer may use a
// closed handle (the sanitizer build watches for that) and none may overlap another on one
// interface.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>

#include "simulated_rig.h"

namespace {

TEST(HidStressTest, RefreshesWhileTwoThreadsSend) {
    SimulatedRig rig;
    rig.CatalogueK201();
    const auto cable = rig.backend->AddKeyboard(SimulatedK201(0));
    const auto wireless = rig.backend->AddKeyboard(SimulatedK201(1));
    RecordingDeviceList list;
    rig.manager.Refresh(rig.modes, rig.modesLock, list);

    std::atomic<bool> done{false};
    // Transfers that succeeded, of the output sender and of the feature sender.
    std::array<std::atomic<int>, 2> sent{};
    const auto sender = [&](bool features) {
        while (!done.load()) {
            bool ok = false;
            if (features) {
                std::array<std::uint8_t, 28> table{7, 0xFB, 1};
                ok = rig.manager.SendFeature(FeatureReport({7, 0x23, 0x45, 0x67, 0x89, 1, 5}));
                ok = rig.manager.ReadSlotTable(table) && ok;
            } else {
                ok = rig.manager.SendOutputReport(OutputReport({0x88, 0, 1}));
                ok = rig.manager.SendAuxOutputReport(OutputReport({0xF1, 60})) && ok;
            }
            sent[features ? 1 : 0] += ok ? 1 : 0;
        }
    };
    std::thread outputs(sender, false);
    std::thread features(sender, true);
    std::thread reader([&] {
        while (!done.load()) {
            EXPECT_EQ(cable->State().unknownReports, 0);
            std::vector<HidDeviceRecord> records;
            rig.manager.CollectDevices(records);
        }
    });

    // Enough rounds, and enough transfers between them, but never much beyond a second.
    const auto enough = [&](int round) {
        return round >= 300 && sent[0].load() >= 100 && sent[1].load() >= 100;
    };
    const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    for (int round = 0; !enough(round) && std::chrono::steady_clock::now() < limit; ++round) {
        SimulatedKeyboard& keyboard = round % 2 == 0 ? *cable : *wireless;
        if (round % 3 == 0) {
            keyboard.Unplug();
        } else {
            keyboard.PlugIn();
        }
        rig.manager.Refresh(rig.modes, rig.modesLock, list);
    }
    done = true;
    outputs.join();
    features.join();
    reader.join();
    rig.manager.CloseAll();

    EXPECT_GT(sent[0].load(), 0);
    EXPECT_GT(sent[1].load(), 0);
    EXPECT_EQ(cable->OverlappingTransfers(), 0);
    EXPECT_EQ(wireless->OverlappingTransfers(), 0);
    EXPECT_EQ(cable->OpenHandles(), 0);
    EXPECT_EQ(wireless->OpenHandles(), 0);
}

}  // namespace
