// The simulated keyboard: how it enumerates, how it decodes both report families, and the
// faults it takes. Reports go through the HID device manager as the commands send them.
#include "device/sim/simulated_keyboard.h"

#include <gtest/gtest.h>

#include "simulated_rig.h"

using std::chrono::milliseconds;

namespace {

class SimulatedKeyboardTest : public testing::Test {
protected:
    // A keyboard of the given report family, opened and addressed.
    void Connect(int deviceType) {
        rig_.Catalogue(0x1A2B, 0x3C4D, L"", deviceType, 0);
        keyboard_ = rig_.backend->AddKeyboard(KeyboardIdentity(0x3C4D, L"K", deviceType));
        rig_.manager.OpenAll();
        rig_.manager.SetCurrentType(deviceType);
    }
    void Output(std::initializer_list<std::uint8_t> payload) {
        ASSERT_TRUE(rig_.manager.SendOutputReport(OutputReport(payload)));
    }
    // A table chunk: command, length, offset (low byte first), then the data.
    void TableChunk(std::uint8_t command, int length, int offset,
                    const std::vector<std::uint8_t>& data, bool auxiliary = false) {
        std::array<std::uint8_t, 65> report = OutputReport(
            {command, static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(offset & 0xFF),
             static_cast<std::uint8_t>(offset >> 8)});
        std::copy(data.begin(), data.end(), report.begin() + 5);
        ASSERT_TRUE(auxiliary ? rig_.manager.SendAuxOutputReport(report)
                              : rig_.manager.SendOutputReport(report));
    }
    void Feature(std::initializer_list<std::uint8_t> bytes) {
        ASSERT_TRUE(rig_.manager.SendFeature(FeatureReport(bytes)));
    }
    void Payload64(std::initializer_list<std::uint8_t> bytes) {
        std::array<std::uint8_t, 64> payload{};
        std::copy(bytes.begin(), bytes.end(), payload.begin());
        ASSERT_TRUE(rig_.manager.SendPayload64(payload));
    }
    // A second-family macro slot block in its 28 feature reports.
    void MacroSlotBlock(const std::vector<std::uint8_t>& start) {
        std::vector<std::uint8_t> block(168, 0);
        std::copy(start.begin(), start.end(), block.begin());
        for (int k = 0; k < 28; ++k) {
            std::array<std::uint8_t, 8> report{7, static_cast<std::uint8_t>(k == 0 ? 0xF1 : 0)};
            std::copy_n(block.begin() + 6 * k, 6, report.begin() + 2);
            ASSERT_TRUE(rig_.manager.SendFeatureDelayed(report));
        }
    }
    SimulatedKeyboardState State() const { return keyboard_->State(); }

    SimulatedRig rig_;
    std::shared_ptr<SimulatedKeyboard> keyboard_;
};

TEST_F(SimulatedKeyboardTest, EnumeratesItsInterfacesWithWindowsFormNames) {
    SimulatedKeyboardIdentity lowEnergy = SimulatedK201(1);
    lowEnergy.bus = HidBus::Bluetooth;
    lowEnergy.lowEnergy = true;
    rig_.backend->AddKeyboard(SimulatedK201(0));
    rig_.backend->AddKeyboard(lowEnergy);
    rig_.backend->AddKeyboard(SimulatedK201(1), false);

    const std::vector<HidInterfaceInfo> interfaces = rig_.backend->Enumerate();
    ASSERT_EQ(interfaces.size(), 6u);
    const char* const names[] = {
        R"(\\?\HID#VID_1A2B&PID_3C4D&MI_00#SIM&1&0#{4d1e55b2-f16f-11cf-88cb-001111000030})",
        R"(\\?\HID#VID_1A2B&PID_3C4D&MI_02#SIM&1&2#{4d1e55b2-f16f-11cf-88cb-001111000030})",
        R"(\\?\HID#VID_1A2B&PID_3C4D&MI_03#SIM&1&3#{4d1e55b2-f16f-11cf-88cb-001111000030})",
        R"(\\?\HID#{00001812-0000-1000-8000-00805f9b34fb}_DEV_VID&021A2B_PID&3C4E#SIM&2&0#{4d1e55b2-f16f-11cf-88cb-001111000030})",
    };
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(interfaces[i].interfaceName, names[i]);
    }
    EXPECT_EQ(interfaces[0].usagePage, 0x0001);
    EXPECT_EQ(interfaces[0].usage, 0x0006);
    EXPECT_EQ(interfaces[1].usagePage, 0xFF01);
    EXPECT_EQ(interfaces[1].usage, 1);
    EXPECT_EQ(interfaces[4].interfaceNumber, -1);
    EXPECT_EQ(interfaces[4].product, L"Brimlow K201 Wireless");
    EXPECT_EQ(rig_.backend->Open(interfaces[0].path), nullptr);
    EXPECT_NE(rig_.backend->LastError(), L"");
    EXPECT_NE(rig_.backend->Open(interfaces[1].path), nullptr);
}

TEST_F(SimulatedKeyboardTest, FirstFamilyMacroChunksFillTheSlotsBlock) {
    Connect(105);
    // Slot 2: repeat 3, 20 events (L = 63): chunks of 59 and 4 bytes.
    std::vector<std::uint8_t> block = {3, 20};
    for (int i = 0; i < 20; ++i) {
        const bool press = i % 2 == 0;
        block.insert(block.end(), {0x04, 0x2C, static_cast<std::uint8_t>(press ? 0x81 : 0x01)});
    }
    block.resize(118, 0);
    for (int k = 0; k < 2; ++k) {
        std::vector<std::uint8_t> chunk(block.begin() + 59 * k, block.begin() + 59 * (k + 1));
        std::array<std::uint8_t, 65> report =
            OutputReport({0x8E, static_cast<std::uint8_t>(k == 0 ? 59 : 4),
                          static_cast<std::uint8_t>(59 * k), 0, 2});
        std::copy(chunk.begin(), chunk.end(), report.begin() + 6);
        ASSERT_TRUE(rig_.manager.SendOutputReport(report));
    }
    // A fixed shortcut in slot 3: length 3·c, then 01, c and the events.
    Output({0x8E, 12, 0, 0, 3, 1, 4, 0xE3, 100, 0x80, 0x0F, 100, 0x80, 0x0F, 100, 0, 0xE3, 100, 0});

    const SimulatedKeyboardState state = State();
    ASSERT_EQ(state.macros.count(2), 1u);
    const FirstFamilyMacro& macro = state.macros.at(2);
    EXPECT_EQ(macro.chunks, 2);
    EXPECT_EQ(macro.declaredLength, 63);
    EXPECT_EQ(macro.RepeatCount(), 3);
    const std::vector<FirstFamilyMacroEvent> events = macro.Events();
    ASSERT_EQ(events.size(), 20u);
    EXPECT_EQ(events[0], (FirstFamilyMacroEvent{0x04, 300, true}));
    EXPECT_EQ(events[19], (FirstFamilyMacroEvent{0x04, 300, false}));
    const std::vector<FirstFamilyMacroEvent> shortcut = state.macros.at(3).Events();
    EXPECT_EQ(shortcut,
              (std::vector<FirstFamilyMacroEvent>{
                  {0xE3, 100, true}, {0x0F, 100, true}, {0x0F, 100, false}, {0xE3, 100, false}}));

    // A new download of slot 2 starts over at offset 0.
    Output({0x8E, 6, 0, 0, 2, 1, 1, 0x05, 10, 0x80});
    EXPECT_EQ(State().macros.at(2).Events(), (std::vector<FirstFamilyMacroEvent>{{5, 10, true}}));
    EXPECT_EQ(State().macros.at(2).chunks, 1);
}

TEST_F(SimulatedKeyboardTest, FirstFamilyTablesLightAndStreaming) {
    Connect(105);
    // Key table: position 0 remapped to usage 0x29, 1 disabled, 61 plays macro slot 4.
    TableChunk(0x8D, 60, 0, {0x29, 0x20, 0x00, 0x20});
    TableChunk(0x8D, 60, 120, {0, 0, 4, 0x40});
    // Colour table: position 2 in R, G, B, FF; streaming frame: position 109 on interface 3.
    TableChunk(0x8B, 60, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0x11, 0x22, 0x33, 0xFF});
    Output({0xF0, 0xF4, 0x01});
    TableChunk(0xF1, 60, 0, {0xAA, 0xBB, 0xCC}, true);
    TableChunk(0xF1, 30, 300, std::vector<std::uint8_t>(30, 0x44), true);
    Output({0x88, 0x00, 0x07});
    Output({0x89, 0x00, 0x20 | 0x40 | 0x03, 0x10, 0x20, 0x30, 0x80});
    Feature({0x07, 0xFF, 0xFF, 0x02, 0x05, 0x03, 0x00, 0x01});

    const SimulatedKeyboardState state = State();
    EXPECT_EQ(state.KeyAt(0), (KeyTableEntry{0x29, KeyTableEntry::kKey}));
    EXPECT_EQ(state.KeyAt(1), (KeyTableEntry{0x00, KeyTableEntry::kKey}));
    EXPECT_EQ(state.KeyAt(61), (KeyTableEntry{4, KeyTableEntry::kMacro}));
    EXPECT_EQ(state.KeyAt(2), KeyTableEntry{});
    EXPECT_EQ(state.keyTableReports, 2);
    EXPECT_EQ(state.KeyColour(2), RGB(0x11, 0x22, 0x33));
    EXPECT_TRUE(state.streamingStarted);
    EXPECT_EQ(state.FrameColour(0), RGB(0xAA, 0xBB, 0xCC));
    EXPECT_EQ(state.FrameColour(109), RGB(0x44, 0x44, 0x44));
    EXPECT_EQ(state.frameReports, 2);
    EXPECT_EQ(state.framesCompleted, 1);
    EXPECT_EQ(state.lightMode, 7);
    EXPECT_EQ(state.lightParams, (LightParams{2, true, 3, RGB(0x10, 0x20, 0x30), 0x80}));
    EXPECT_EQ(state.lightEffect, (LightEffect{false, 2, 5, 3, 1, 0}));
    EXPECT_EQ(state.unknownReports, 0);

    // A frame chunk on the main interface, or a key table chunk on the auxiliary one, is not
    // taken; the factory reset clears the configuration.
    TableChunk(0xF1, 60, 0, {1, 2, 3});
    TableChunk(0x8D, 60, 0, {1, 2}, true);
    Output({0xFF, 0xFE, 0xAA, 0xFF});
    const SimulatedKeyboardState reset = State();
    EXPECT_EQ(reset.unknownReports, 2);
    EXPECT_EQ(reset.factoryResets, 1);
    EXPECT_EQ(reset.KeyAt(0), KeyTableEntry{});
    EXPECT_FALSE(reset.lightMode.has_value());
    EXPECT_EQ(reset.frameReports, 0);
}

TEST_F(SimulatedKeyboardTest, SecondFamilySlotsAndTheirTable) {
    Connect(201);
    Feature({0x07, 0xFA, 0x01, 3, 0x29, 0x01, 0x05, 0x01});
    // A music level report between the reports of a macro block does not break it.
    std::vector<std::uint8_t> block = {1, 2, 0x3A, 5, 0x04, 0x01, 0x04, 0x81, 0x05, 0x19};
    block.resize(168, 0);
    for (int k = 0; k < 28; ++k) {
        std::array<std::uint8_t, 8> report{7, static_cast<std::uint8_t>(k == 0 ? 0xF1 : 0)};
        std::copy_n(block.begin() + 6 * k, 6, report.begin() + 2);
        ASSERT_TRUE(rig_.manager.SendFeatureDelayed(report));
        if (k == 5) {
            Feature({0x07, 0x23, 0x45, 0x67, 0x89, 1, 200});
        }
    }
    // Slot 14 lies beyond the table but is kept.
    MacroSlotBlock({1, 14, 0x3B, 1, 0x06, 0x01});

    SimulatedKeyboardState state = State();
    EXPECT_EQ(state.functionSlots.at(3).keyCode, 0x29);
    EXPECT_EQ(state.functionSlots.at(3).usage, 0x05);
    const SecondFamilyMacroSlot& slot = state.macroSlots.at(2);
    EXPECT_EQ(slot.keyCode, 0x3A);
    EXPECT_EQ(slot.repeat, 5);
    EXPECT_EQ(slot.events, (std::vector<SecondFamilyMacroEvent>{{4, 0x01}, {4, 0x81}, {5, 0x19}}));
    EXPECT_TRUE(slot.events[1].IsRelease());
    EXPECT_EQ(slot.block, block);
    EXPECT_EQ(state.macroSlots.at(14).keyCode, 0x3B);
    EXPECT_EQ(state.musicSetting, 1);
    EXPECT_EQ(state.musicLevel, 200);
    std::array<std::uint8_t, 28> table{};
    table[2] = 0x3A;
    table[13 + 3] = 0x29;
    EXPECT_EQ(state.SlotTable(), table);

    // Freeing block; a block cut short is dropped when the next one starts.
    MacroSlotBlock({1, 2});
    ASSERT_TRUE(rig_.manager.SendFeature(FeatureReport({7, 0xF1, 1, 5, 0x3C})));
    MacroSlotBlock({1, 6, 0x3D});
    state = State();
    EXPECT_EQ(state.macroSlots.at(2).keyCode, 0);
    EXPECT_TRUE(state.macroSlots.at(2).events.empty());
    EXPECT_EQ(state.macroSlots.count(5), 0u);
    EXPECT_EQ(state.macroSlots.at(6).keyCode, 0x3D);
    EXPECT_EQ(state.unknownReports, 0);
}

TEST_F(SimulatedKeyboardTest, SecondFamilyLightEffectAndFactoryResets) {
    Connect(201);
    Feature({0x07, 0xFF, 0xFF, 0x04, 0x03, 0x12, 0x02, 0x01});
    EXPECT_EQ(State().lightEffect, (LightEffect{false, 4, 3, 0x12, 2, 1}));
    Payload64({0xBB, 0xAA, 0x99, 0x88, 0xAA, 0x05, 0x02, 0x31, 0x00, 0x03, 0x02});
    EXPECT_EQ(State().lightEffect, (LightEffect{true, 5, 2, 0x31, 3, 2}));
    EXPECT_EQ(State().lightEffectReports, 2);

    Feature({0x07, 0xF0, 0xAA});
    EXPECT_EQ(State().factoryResets, 1);
    EXPECT_FALSE(State().lightEffect.has_value());
    // Wireless: the second payload completes the reset only after the first.
    Payload64({0xBB, 0xAA, 0x99, 0x88});
    EXPECT_EQ(State().unknownReports, 1);
    Payload64({0xBB, 0xAA, 0x99, 0x88, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA});
    EXPECT_EQ(State().factoryResets, 1);
    Payload64({0xBB, 0xAA, 0x99, 0x88});
    EXPECT_EQ(State().factoryResets, 2);

    Feature({0x07, 0x42});
    Feature({0x06, 0xFF, 0xFF});
    EXPECT_EQ(State().unknownReports, 3);
}

TEST_F(SimulatedKeyboardTest, UnplugEndsOpenHandlesAndAnnouncesEveryInterface) {
    std::vector<std::pair<DeviceChange, CString>> changes;
    rig_.backend->SetDeviceChangeCallback(
        [&](DeviceChange change, const CString& name) { changes.emplace_back(change, name); });
    Connect(201);

    keyboard_->Unplug();
    keyboard_->Unplug();
    EXPECT_TRUE(rig_.backend->Enumerate().empty());
    EXPECT_FALSE(rig_.manager.SendOutputReport(OutputReport({0x88})));
    keyboard_->PlugIn();
    EXPECT_EQ(rig_.backend->Enumerate().size(), 3u);
    // The handle from before the removal stays dead.
    EXPECT_FALSE(rig_.manager.SendFeature(FeatureReport({7, 0x23, 0x45, 0x67, 0x89})));
    EXPECT_TRUE(keyboard_->Reports().empty());

    ASSERT_EQ(changes.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(changes[i].first, i < 3 ? DeviceChange::Removal : DeviceChange::Arrival);
        EXPECT_EQ(changes[i].second, Utf8ToWide(keyboard_->Interfaces()[i % 3].interfaceName));
    }

    rig_.manager.CloseAll();
    rig_.manager.OpenAll();
    EXPECT_TRUE(rig_.manager.SendFeature(FeatureReport({7, 0x23, 0x45, 0x67, 0x89})));
    EXPECT_EQ(keyboard_->Reports().size(), 1u);
}

}  // namespace
