#include "device/hid_device_manager.h"

#include <gtest/gtest.h>

#include <map>

#include "device/catalogue_reader.h"
#include "device/match_entry_collector.h"
#include "simulated_rig.h"

namespace {

class HidDeviceManagerTest : public testing::Test {
protected:
    std::vector<HidDeviceRecord> Records() {
        std::vector<HidDeviceRecord> records;
        rig_.manager.CollectDevices(records);
        return records;
    }
    DeviceRefreshResult Refresh() {
        return rig_.manager.Refresh(rig_.modes, rig_.modesLock, list_);
    }

    SimulatedRig rig_;
    RecordingDeviceList list_;
};

TEST_F(HidDeviceManagerTest, VendorInterfacesTwoAndThreeGiveOneRecordAndTheAuxiliaryDevice) {
    rig_.CatalogueK201();
    const auto keyboard = rig_.backend->AddKeyboard(SimulatedK201(0));
    rig_.manager.OpenAll();

    const std::vector<HidDeviceRecord> records = Records();
    ASSERT_EQ(records.size(), 1u);
    const HidDeviceRecord& record = records[0];
    EXPECT_EQ(record.index, 0);
    EXPECT_EQ(record.vendorId, 0x1A2B);
    EXPECT_EQ(record.productId, 0x3C4D);
    EXPECT_NE(record.path.find("HID#VID_1A2B&PID_3C4D&MI_02#"), std::string::npos) << record.path;
    EXPECT_EQ(record.product, L"Brimlow K201");
    EXPECT_EQ(record.release, 0x0105);
    EXPECT_EQ(record.deviceType, 201);
    EXPECT_EQ(record.connectionMode, 0);
    EXPECT_EQ(record.cable, 1);
    ASSERT_NE(rig_.manager.AuxiliaryDevice(), nullptr);
    // The system keyboard collection refused to open; the two vendor interfaces are held.
    EXPECT_EQ(keyboard->OpenHandles(), 2);

    rig_.manager.SetCurrentType(201);
    EXPECT_TRUE(rig_.manager.SendOutputReport(OutputReport({0x88, 0x00, 0x03})));
    EXPECT_TRUE(rig_.manager.SendAuxOutputReport(OutputReport({0xF1, 0x3C})));
    const std::vector<RecordedReport> reports = keyboard->Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].interfaceNumber, 2);
    EXPECT_EQ(reports[1].interfaceNumber, 3);

    rig_.manager.CloseAll();
    EXPECT_EQ(keyboard->OpenHandles(), 0);
    std::vector<HidDeviceRecord> none;
    EXPECT_FALSE(rig_.manager.CollectDevices(none));
    EXPECT_EQ(rig_.manager.AuxiliaryDevice(), nullptr);
}

TEST_F(HidDeviceManagerTest, OpensOnlyCataloguedInterfacesWithTheVendorUsage) {
    rig_.Catalogue(0x1A2B, 0x3C4D, L"Brimlow K201", 201, 0);
    SimulatedKeyboardIdentity identity = SimulatedK201(0);
    identity.interfaces.push_back({1, 0xFF00, 0x0001, SimulatedInterfaceRole::Vendor, true});
    identity.interfaces.push_back({4, 0xFF01, 0x0002, SimulatedInterfaceRole::Vendor, true});
    const auto keyboard = rig_.backend->AddKeyboard(identity);
    const auto otherProduct = rig_.backend->AddKeyboard(KeyboardIdentity(0x3C4D, L"Other"));
    const auto otherIds = rig_.backend->AddKeyboard(KeyboardIdentity(0x0001, L"Brimlow K201"));
    rig_.manager.OpenAll();

    EXPECT_EQ(Records().size(), 1u);
    EXPECT_EQ(keyboard->OpenHandles(), 2);
    EXPECT_EQ(otherProduct->OpenHandles(), 0);
    EXPECT_EQ(otherIds->OpenHandles(), 0);
}

TEST_F(HidDeviceManagerTest, IsCataloguedComparesTheProductOnlyWhenTheEntryNamesOne) {
    rig_.Catalogue(0x1A2B, 0x3C4D, L"Brimlow K201", 201, 0);
    rig_.Catalogue(0x1A2B, 0x3C4E, L"", 201, 1);
    struct Case {
        std::uint16_t vendorId;
        std::uint16_t productId;
        const wchar_t* product;
        bool catalogued;
    };
    for (const Case& c : {
             Case{0x1A2B, 0x3C4D, L"Brimlow K201", true},
             Case{0x1A2B, 0x3C4D, L"brimlow k201", false},
             Case{0x1A2B, 0x3C4D, L"", false},
             Case{0x1A2B, 0x3C4E, L"", true},
             Case{0x1A2B, 0x3C4E, L"Anything", true},
             Case{0x1A2C, 0x3C4E, L"Anything", false},
         }) {
        EXPECT_EQ(rig_.manager.IsCatalogued(c.vendorId, c.productId, c.product), c.catalogued)
            << std::hex << c.vendorId << ":" << c.productId;
    }
}

TEST_F(HidDeviceManagerTest, TheFirstOfTwoMatchEntriesWithEqualIdsGivesTypeAndMode) {
    rig_.Catalogue(0x1A2B, 0x3C4D, L"", 105, 1);
    rig_.Catalogue(0x1A2B, 0x3C4D, L"", 201, 0);
    rig_.backend->AddKeyboard(SimulatedK201(0));
    rig_.manager.OpenAll();

    const std::vector<HidDeviceRecord> records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].deviceType, 105);
    EXPECT_EQ(records[0].connectionMode, 1);
    EXPECT_EQ(records[0].cable, 0);
}

TEST_F(HidDeviceManagerTest, ChoosesTheInterfaceToAddressByConnectionMode) {
    // CurrentDevice prefers mode 0, then 1, then 2; GetConnectionMode reports 0, then 2, then 1.
    struct Case {
        std::vector<int> modesPresent;  // in enumeration order
        int addressedMode;
        int reportedMode;
    };
    for (const Case& c : {
             Case{{1, 0}, 0, 0},
             Case{{2, 1}, 1, 2},
             Case{{2}, 2, 2},
             Case{{}, -1, -1},
         }) {
        SimulatedRig rig;
        std::map<int, std::shared_ptr<SimulatedKeyboard>> keyboards;
        for (const int mode : {0, 1, 2}) {
            rig.Catalogue(0x1A2B, 0x3C40 + mode, L"", 201, mode);
        }
        for (const int mode : c.modesPresent) {
            keyboards[mode] = rig.backend->AddKeyboard(
                KeyboardIdentity(static_cast<std::uint16_t>(0x3C40 + mode), L"K"));
        }
        rig.manager.OpenAll();
        rig.manager.SetCurrentType(201);

        EXPECT_EQ(rig.manager.GetConnectionMode(), c.reportedMode);
        const bool sent = rig.manager.SendOutputReport(OutputReport({0x88}));
        EXPECT_EQ(sent, c.addressedMode >= 0);
        for (const auto& [mode, keyboard] : keyboards) {
            EXPECT_EQ(keyboard->Reports().size(), mode == c.addressedMode ? 1u : 0u)
                << "mode " << mode << " of " << c.modesPresent.size() << " present";
        }
    }
}

TEST_F(HidDeviceManagerTest, FindDeviceMatchesIdsModeAndNamedProduct) {
    rig_.CatalogueK201();
    rig_.backend->AddKeyboard(SimulatedK201(1));
    rig_.backend->AddKeyboard(SimulatedK201(0));
    rig_.manager.OpenAll();
    struct Case {
        int productId;
        const wchar_t* product;
        int mode;
        int index;
    };
    for (const Case& c : {
             Case{0x3C4E, L"Brimlow K201 Wireless", 1, 0},
             Case{0x3C4D, L"Brimlow K201", 0, 1},
             Case{0x3C4D, L"", 0, 1},
             Case{0x3C4D, L"Brimlow K201", 1, -1},
             Case{0x3C4D, L"Brimlow", 0, -1},
         }) {
        EXPECT_EQ(rig_.manager.FindDevice(0x1A2B, c.productId, c.product, c.mode), c.index)
            << std::hex << c.productId;
    }
}

TEST_F(HidDeviceManagerTest, RefreshMarksConnectedModesFromTheShippedCatalogue) {
    DeviceCatalogue catalogue;
    MatchEntryCollector collector;
    ASSERT_TRUE(
        LoadCatalogue(Utf8ToWide(BRIMLOW_SOURCE_DIR "/data/config.xml"), catalogue, collector));
    for (const MatchEntry& entry : collector.entries) {
        rig_.manager.AddMatchEntry(entry);
    }
    rig_.modes = catalogue.modes;
    const auto keyboard = rig_.backend->AddKeyboard(SimulatedK201(1));

    DeviceRefreshResult result = Refresh();
    EXPECT_TRUE(result.devicePresent);
    EXPECT_TRUE(result.catalogueDeviceConnected);
    EXPECT_EQ(result.connectionMode, 1);
    EXPECT_EQ(rig_.modes[0].connected, 0);
    EXPECT_EQ(rig_.modes[1].connected, 1);
    EXPECT_EQ(list_.calls, (std::vector<std::string>{"reset", "201=1"}));
    EXPECT_EQ(rig_.manager.CurrentType(), 201);
    EXPECT_TRUE(rig_.manager.SendFeature(FeatureReport({0x07, 0x23, 0x45, 0x67, 0x89, 1, 9})));

    // Gone without a removal notice: the next refresh clears its mark and the flags.
    keyboard->Unplug();
    list_.calls.clear();
    result = Refresh();
    EXPECT_FALSE(result.devicePresent);
    EXPECT_FALSE(result.catalogueDeviceConnected);
    EXPECT_EQ(result.connectionMode, -1);
    EXPECT_EQ(rig_.modes[1].connected, 0);
    EXPECT_EQ(list_.calls, (std::vector<std::string>{"reset"}));
    EXPECT_FALSE(rig_.manager.SendFeature(FeatureReport({0x07})));
    EXPECT_EQ(keyboard->OpenHandles(), 0);
}

TEST_F(HidDeviceManagerTest, AKeyboardOfAnotherTypeIsOpenedButNeverAddressed) {
    rig_.Catalogue(0x0C45, 0x7A1B, L"", 105, 0, L"HID#VID_0C45&PID_7A1B&MI_02");
    SimulatedKeyboardIdentity identity = KeyboardIdentity(0x7A1B, L"Beta", 105);
    identity.vendorId = 0x0C45;
    const auto keyboard = rig_.backend->AddKeyboard(identity);

    const DeviceRefreshResult result = Refresh();
    EXPECT_TRUE(result.devicePresent);
    EXPECT_TRUE(result.catalogueDeviceConnected);
    EXPECT_EQ(result.connectionMode, -1);
    EXPECT_EQ(rig_.modes[0].connected, 1);
    EXPECT_EQ(list_.calls, (std::vector<std::string>{"reset", "105=1"}));
    EXPECT_EQ(keyboard->OpenHandles(), 2);

    EXPECT_EQ(rig_.manager.CurrentDevice(), nullptr);
    EXPECT_FALSE(rig_.manager.SendOutputReport(OutputReport({0x88})));
    EXPECT_FALSE(rig_.manager.SendFeatureDelayed(FeatureReport({0x07, 0xFF, 0xFF})));
    EXPECT_TRUE(keyboard->Reports().empty());
    EXPECT_TRUE(rig_.sleeper->Waits().empty());
}

TEST_F(HidDeviceManagerTest, AHandleKeptAcrossCloseAllFailsInsteadOfUsingTheClosedDevice) {
    rig_.CatalogueK201();
    const auto keyboard = rig_.backend->AddKeyboard(SimulatedK201(0));
    rig_.manager.OpenAll();
    rig_.manager.SetCurrentType(201);
    const std::shared_ptr<SharedHidDevice> device = rig_.manager.CurrentDevice();
    ASSERT_NE(device, nullptr);

    rig_.manager.CloseAll();
    EXPECT_FALSE(device->IsOpen());
    EXPECT_EQ(keyboard->OpenHandles(), 0);
    const std::array<std::uint8_t, 65> report = OutputReport({0x88});
    EXPECT_EQ(device->Begin().Write(report), -1);
    EXPECT_EQ(device->LastError(), L"device closed");
    EXPECT_TRUE(keyboard->Reports().empty());
}

}  // namespace
