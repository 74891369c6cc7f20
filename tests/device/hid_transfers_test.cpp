// The transfers of the HID device manager against the simulated keyboard, in virtual time.
#include <gtest/gtest.h>

#include <functional>

#include "device/hid_device_manager.h"
#include "simulated_rig.h"

using std::chrono::milliseconds;

namespace {

using Waits = std::vector<milliseconds>;

class HidTransfersTest : public testing::Test {
protected:
    void Connect(int connectionMode = 0) {
        rig_.CatalogueK201();
        keyboard_ = rig_.backend->AddKeyboard(SimulatedK201(connectionMode));
        rig_.manager.OpenAll();
        rig_.manager.SetCurrentType(201);
    }
    std::vector<RecordedReport> Reports() const { return keyboard_->Reports(); }

    SimulatedRig rig_;
    std::shared_ptr<SimulatedKeyboard> keyboard_;
};

// Every transfer, each with a report it could carry.
std::vector<std::pair<const char*, std::function<bool(HidDeviceManager&)>>> AllTransfers() {
    return {
        {"SendOutputReport",
         [](HidDeviceManager& m) {
             return m.SendOutputReport(OutputReport({0x88, 0, 2}));
         }},
        {"SendAuxOutputReport",
         [](HidDeviceManager& m) {
             return m.SendAuxOutputReport(OutputReport({0xF1, 60}));
         }},
        {"SendPayload64",
         [](HidDeviceManager& m) {
             std::array<std::uint8_t, 64> payload{0xBB, 0xAA, 0x99, 0x88, 0xAA, 2};
             return m.SendPayload64(payload);
         }},
        {"SendFeatureDelayed",
         [](HidDeviceManager& m) {
             return m.SendFeatureDelayed(FeatureReport({7, 0xF0, 0xAA}));
         }},
        {"SendFeature",
         [](HidDeviceManager& m) {
             return m.SendFeature(FeatureReport({7, 0x23, 0x45, 0x67, 0x89}));
         }},
        {"ReadSlotTable",
         [](HidDeviceManager& m) {
             std::array<std::uint8_t, 28> table{7, 0xFB, 1};
             return m.ReadSlotTable(table);
         }},
        {"ReadFirmwareVersion",
         [](HidDeviceManager& m) {
             int version = 0;
             return m.ReadFirmwareVersion(version);
         }},
    };
}

TEST_F(HidTransfersTest, WithoutAKeyboardEveryTransferFailsAtOnce) {
    // Never opened, then opened with only a keyboard the catalogue does not name.
    rig_.CatalogueK201();
    const auto stranger = rig_.backend->AddKeyboard(KeyboardIdentity(0x0001, L"Stranger"));
    for (const bool opened : {false, true}) {
        if (opened) {
            rig_.manager.OpenAll();
            rig_.manager.SetCurrentType(201);
        }
        for (const auto& [name, transfer] : AllTransfers()) {
            EXPECT_FALSE(transfer(rig_.manager)) << name << (opened ? " opened" : "");
        }
    }
    EXPECT_TRUE(rig_.sleeper->Waits().empty());
    EXPECT_TRUE(stranger->Reports().empty());
}

TEST_F(HidTransfersTest, EveryTransferReachesAConnectedKeyboard) {
    Connect();
    for (const auto& [name, transfer] : AllTransfers()) {
        EXPECT_TRUE(transfer(rig_.manager)) << name;
    }
    EXPECT_EQ(keyboard_->State().unknownReports, 0);
}

TEST_F(HidTransfersTest, AFailedWriteIsRetriedOnceAfterItsWait) {
    struct Case {
        const char* transfer;
        int failures;
        bool result;
        Waits waits;
    };
    for (const Case& c : {
             Case{"output", 0, true, {}},
             Case{"output", 1, true, {milliseconds(10)}},
             Case{"output", 2, false, {milliseconds(10)}},
             Case{"aux", 1, true, {milliseconds(10)}},
             Case{"aux", 2, false, {milliseconds(10)}},
             Case{"payload", 1, true, {milliseconds(32)}},
             Case{"payload", 2, false, {milliseconds(32)}},
         }) {
        SCOPED_TRACE(std::string(c.transfer) + " failing " + std::to_string(c.failures));
        SimulatedRig rig;
        rig.CatalogueK201();
        const auto keyboard = rig.backend->AddKeyboard(SimulatedK201(0));
        rig.manager.OpenAll();
        rig.manager.SetCurrentType(201);
        keyboard->FailNextWrites(c.failures);

        const std::array<std::uint8_t, 65> report = OutputReport({0x89, 0, 0x13, 1, 2, 3, 4});
        bool result = false;
        if (std::string(c.transfer) == "output") {
            result = rig.manager.SendOutputReport(report);
        } else if (std::string(c.transfer) == "aux") {
            result = rig.manager.SendAuxOutputReport(report);
        } else {
            result = rig.manager.SendPayload64(std::span(report).subspan<1, 64>());
        }
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(rig.sleeper->Waits(), c.waits);

        const std::vector<RecordedReport> reports = keyboard->Reports();
        ASSERT_EQ(reports.size(), c.failures == 0 ? 1u : 2u);
        for (size_t i = 0; i < reports.size(); ++i) {
            EXPECT_EQ(reports[i].bytes, std::vector<std::uint8_t>(report.begin(), report.end()));
            EXPECT_EQ(reports[i].accepted, static_cast<int>(i) >= c.failures);
        }
        // The retry comes after the wait, in virtual time.
        EXPECT_EQ(reports.back().time - reports.front().time,
                  c.failures == 0 ? milliseconds(0) : c.waits.front());
    }
}

TEST_F(HidTransfersTest, FeatureReportsWaitOnlyWhenDelayedAndReportWhetherTheyWereSent) {
    Connect();
    const std::array<std::uint8_t, 8> report = FeatureReport({7, 0x23, 0x45, 0x67, 0x89, 2, 77});
    EXPECT_TRUE(rig_.manager.SendFeature(report));
    EXPECT_TRUE(rig_.sleeper->Waits().empty());
    EXPECT_TRUE(rig_.manager.SendFeatureDelayed(report));
    EXPECT_EQ(rig_.sleeper->Waits(), Waits{milliseconds(16)});
    keyboard_->FailNextWrites(2);
    EXPECT_FALSE(rig_.manager.SendFeature(report));
    EXPECT_FALSE(rig_.manager.SendFeatureDelayed(report));
    EXPECT_NE(rig_.manager.LastError(), L"");

    const std::vector<RecordedReport> reports = Reports();
    ASSERT_EQ(reports.size(), 4u);
    EXPECT_EQ(reports[0].time, milliseconds(0));
    EXPECT_EQ(reports[1].time, milliseconds(16));
    EXPECT_EQ(reports[1].kind, ReportKind::SetFeature);
    EXPECT_EQ(keyboard_->State().musicReports, 2);
    EXPECT_EQ(keyboard_->State().musicLevel, 77);
}

TEST_F(HidTransfersTest, SlotTableWithOnlyTwoReadsAnsweredKeepsTheRestOfTheBuffer) {
    Connect();
    for (int slot = 1; slot <= 13; ++slot) {
        keyboard_->PresetMacroSlot(slot, static_cast<std::uint8_t>(0x10 + slot));
    }
    for (int slot = 1; slot <= 10; ++slot) {
        keyboard_->PresetFunctionSlot(slot, static_cast<std::uint8_t>(0x40 + slot));
    }
    keyboard_->AnswerOnlyReads(2);
    std::array<std::uint8_t, 32> buffer{};
    buffer.fill(0xEE);
    std::copy_n(FeatureReport({7, 0xFB, 1}).begin(), 8, buffer.begin());
    const std::array<std::uint8_t, 32> before = buffer;

    EXPECT_TRUE(rig_.manager.ReadSlotTable(buffer));

    const std::array<std::uint8_t, 28> table = keyboard_->State().SlotTable();
    for (size_t i = 0; i < buffer.size(); ++i) {
        EXPECT_EQ(buffer[i], i < 14 ? table[i] : before[i]) << "byte " << i;
    }
    EXPECT_EQ(rig_.sleeper->Waits(), Waits(4, milliseconds(16)));
    const std::vector<RecordedReport> reports = Reports();
    ASSERT_EQ(reports.size(), 5u);
    EXPECT_EQ(reports[0].kind, ReportKind::SetFeature);
    EXPECT_EQ(reports[0].bytes, (std::vector<std::uint8_t>{7, 0xFB, 1, 0, 0, 0, 0, 0}));
    for (size_t k = 1; k < 5; ++k) {
        EXPECT_EQ(reports[k].kind, ReportKind::GetFeature);
        EXPECT_EQ(reports[k].accepted, k <= 2);
        EXPECT_EQ(reports[k].time, milliseconds(16 * static_cast<int>(k)));
    }
}

TEST_F(HidTransfersTest, SlotTableNeedsRoomForTwentyEightBytes) {
    Connect();
    std::array<std::uint8_t, 27> small{7, 0xFB, 1};
    EXPECT_FALSE(rig_.manager.ReadSlotTable(small));
    EXPECT_TRUE(Reports().empty());
}

TEST_F(HidTransfersTest, FirmwareVersionIsReadFromTheReply) {
    struct Case {
        int answeredReads;
        int failedWrites;
        bool result;
        size_t waits;
    };
    for (const Case& c : {
             Case{-1, 0, true, 2},
             Case{0, 0, false, 3},  // no reply at all is no version
             Case{-1, 1, false, 1},
         }) {
        SCOPED_TRACE(c.answeredReads);
        SimulatedRig rig;
        rig.CatalogueK201();
        const auto keyboard = rig.backend->AddKeyboard(SimulatedK201(0));
        rig.manager.OpenAll();
        rig.manager.SetCurrentType(201);
        keyboard->SetFirmwareVersion(0x0105);
        keyboard->AnswerOnlyReads(c.answeredReads);
        keyboard->FailNextWrites(c.failedWrites);

        int version = -1;
        EXPECT_EQ(rig.manager.ReadFirmwareVersion(version), c.result);
        EXPECT_EQ(version, c.result ? 261 : -1);
        EXPECT_EQ(rig.sleeper->Waits(), Waits(c.waits, milliseconds(16)));
        const std::vector<RecordedReport> reports = keyboard->Reports();
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports[0].bytes, (std::vector<std::uint8_t>{7, 0xFD, 0, 0, 0, 0, 0, 0}));
        if (c.result) {
            ASSERT_EQ(reports.size(), 2u);
            EXPECT_EQ(reports[1].bytes, (std::vector<std::uint8_t>{7, 1, 5, 0, 0, 0, 0, 0}));
        }
    }
}

}  // namespace
