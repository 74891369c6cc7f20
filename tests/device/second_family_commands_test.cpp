// The second family's commands from stored records to the simulated keyboard's decoded state.
#include "device/second_family_commands.h"

#include <gtest/gtest.h>

#include "command_rig.h"
#include "device/key_code_tables.h"
#include "device/second_family_slots.h"

using std::chrono::milliseconds;

namespace {

constexpr int kSecondFamilyType = 201;

class SecondFamilyCommandsTest : public testing::Test {
protected:
    explicit SecondFamilyCommandsTest(int connectionMode = 0)
        : rig_(kSecondFamilyType, connectionMode) {}

    // The slot numbers of the macro slot blocks written, in order (byte 1 of each first report).
    std::vector<int> MacroSlotsWritten() const {
        std::vector<int> slots;
        for (const RecordedReport& report : rig_.Writes()) {
            if (report.bytes.size() == 8 && report.bytes[1] == 0xF1) {
                slots.push_back(report.bytes[3]);
            }
        }
        return slots;
    }
    std::vector<int> FunctionSlotsWritten() const {
        std::vector<int> slots;
        for (const RecordedReport& report : rig_.Writes()) {
            if (report.bytes.size() == 8 && report.bytes[1] == 0xFA) {
                slots.push_back(report.bytes[3]);
            }
        }
        return slots;
    }

    CommandRig rig_;
    std::shared_ptr<const XkbKeyboardLayout> layout_ = XkbKeyboardLayout::Load("fr");
    SecondFamilyCommands commands_{rig_.database, rig_.manager, layout_};
};

TEST_F(SecondFamilyCommandsTest, FullRewriteLeavesTheKeyboardAsStored) {
    ASSERT_NE(layout_, nullptr);
    rig_.keyboard->PresetMacroSlot(5, 0x30);
    rig_.keyboard->PresetFunctionSlot(7, 0x31);
    const int macro = rig_.AddMacro(2, {{kMacroKeyPress, 87, 250},
                                        {1, 0, 100},
                                        {kMacroKeyRelease, 87, 1000},
                                        {kMacroKeyPress, 162, 5000},
                                        {kMacroKeyRelease, 162, 0}});
    rig_.Assign(0x04, kKeyFunctionType, 0x05);
    rig_.Assign(0x05, kDisabledFunctionType, 1);
    rig_.Assign(0x06, kMacroFunctionType, macro);
    rig_.Assign(0x07, kShortcutFunctionType, 8);
    rig_.Assign(0x08, 9, 3);  // open a web page: carried out by the PC
    ASSERT_TRUE(commands_.WriteKeys(CommandRig::kProfile, 0));

    const SimulatedKeyboardState state = rig_.keyboard->State();
    EXPECT_EQ(state.functionSlots.at(1).keyCode, 0x04);
    EXPECT_EQ(state.functionSlots.at(1).usage, 0x05);
    EXPECT_EQ(state.functionSlots.at(2).keyCode, 0x05);
    EXPECT_EQ(state.functionSlots.at(2).usage, 0x01);
    EXPECT_EQ(state.functionSlots.count(3), 0u);
    EXPECT_EQ(state.functionSlots.at(7).keyCode, 0);  // freed

    const SecondFamilyMacroSlot& recorded = state.macroSlots.at(1);
    EXPECT_EQ(recorded.keyCode, 0x06);
    EXPECT_EQ(recorded.repeat, 2);
    // W lands on the key of the US Z, whatever the layout calls it.
    const std::vector<SecondFamilyMacroEvent> expected = {
        {29, 0x19}, {29, 0xB4}, {224, 0x65}, {224, 0x81}};
    EXPECT_EQ(recorded.events, expected);

    const SecondFamilyMacroSlot& shortcut = state.macroSlots.at(2);
    EXPECT_EQ(shortcut.keyCode, 0x07);
    EXPECT_EQ(shortcut.repeat, 1);
    const std::vector<SecondFamilyMacroEvent> guiL = {
        {0xE3, 0x01}, {0x0F, 0x01}, {0x0F, 0x81}, {0xE3, 0x81}};
    EXPECT_EQ(shortcut.events, guiL);
    EXPECT_EQ(state.macroSlots.at(5).keyCode, 0);  // freed
    EXPECT_EQ(state.SlotTable()[1], 0x06);
    EXPECT_EQ(state.unknownReports, 0);

    // The old slots are freed first, then the assignments fill slots from 1.
    EXPECT_EQ(MacroSlotsWritten(), (std::vector<int>{5, 1, 2}));
    EXPECT_EQ(FunctionSlotsWritten(), (std::vector<int>{7, 1, 2}));
}

TEST_F(SecondFamilyCommandsTest, FullRewriteNumbersMacroSlotsOnPastThirteen) {
    for (int key = 0; key < 14; ++key) {
        rig_.Assign(0x04 + key, kShortcutFunctionType, 1 + key % 15);
    }
    commands_.WriteKeys(CommandRig::kProfile, 0);
    std::vector<int> expected;
    for (int slot = 1; slot <= 14; ++slot) {
        expected.push_back(slot);
    }
    EXPECT_EQ(MacroSlotsWritten(), expected);
}

TEST_F(SecondFamilyCommandsTest, SlotWritesWaitAsTheProtocolPrescribes) {
    rig_.keyboard->PresetFunctionSlot(3, 0x31);
    rig_.Assign(0x04, kShortcutFunctionType, 1);
    commands_.WriteKeys(CommandRig::kProfile, 0);
    std::vector<milliseconds> expected(4, milliseconds(16));  // the slot table reads
    expected.insert(expected.end(), 2, milliseconds(16));     // freeing function slot 3
    expected.push_back(milliseconds(16));                     // before the shortcut's slot
    expected.insert(expected.end(), 28, milliseconds(16));    // its 28 reports
    EXPECT_EQ(rig_.sleeper->Waits(), expected);
}

TEST_F(SecondFamilyCommandsTest, SingleKeyUpdateChoosesTheSlotOfTheKey) {
    struct Case {
        const char* name;
        int type;
        int value;
        std::vector<std::pair<int, int>> macroPresets, functionPresets;
        std::vector<int> macroSlots, functionSlots;
    };
    std::vector<std::pair<int, int>> allMacroSlots, allFunctionSlots;
    for (int slot = 1; slot <= 13; ++slot) {
        allMacroSlots.push_back({slot, 0x40 + slot});
    }
    for (int slot = 1; slot <= 10; ++slot) {
        allFunctionSlots.push_back({slot, 0x40 + slot});
    }
    const Case cases[] = {
        {"shortcut, first free", kShortcutFunctionType, 3, {{1, 0x30}}, {}, {2}, {}},
        {"shortcut, its own", kShortcutFunctionType, 3, {{1, 0x30}, {4, 0x2B}}, {}, {4}, {}},
        {"shortcut, all taken", kShortcutFunctionType, 3, allMacroSlots, {}, {1}, {}},
        {"remap, first free", kKeyFunctionType, 5, {}, {{1, 0x30}, {2, 0x31}}, {}, {3}},
        {"remap, all taken", kKeyFunctionType, 5, {}, allFunctionSlots, {}, {1}},
        {"disabled, its own", kDisabledFunctionType, 1, {}, {{6, 0x2B}}, {}, {6}},
        {"restored", 0, 0, {{2, 0x2B}}, {{3, 0x2B}}, {2}, {3}},
        // A key moving from one kind of slot to the other gives up the old one.
        {"remap to shortcut", kShortcutFunctionType, 3, {}, {{2, 0x2B}}, {1}, {2}},
        {"shortcut to remap", kKeyFunctionType, 5, {{3, 0x2B}}, {}, {3}, {1}},
        {"PC function", 8, 4, {}, {{5, 0x2B}}, {}, {5}},
    };
    for (const Case& c : cases) {
        CommandRig rig(kSecondFamilyType);
        SecondFamilyCommands commands(rig.database, rig.manager, layout_);
        for (const auto& [slot, key] : c.macroPresets) {
            rig.keyboard->PresetMacroSlot(slot, static_cast<std::uint8_t>(key));
        }
        for (const auto& [slot, key] : c.functionPresets) {
            rig.keyboard->PresetFunctionSlot(slot, static_cast<std::uint8_t>(key));
        }
        rig.Assign(0x2B, c.type, c.value);
        ASSERT_TRUE(commands.WriteKeys(CommandRig::kProfile, 0, 0x2B)) << c.name;

        const SimulatedKeyboardState state = rig.keyboard->State();
        std::vector<int> macroSlots, functionSlots;
        for (const auto& [slot, content] : state.macroSlots) {
            if (!content.block.empty()) {
                macroSlots.push_back(slot);
            }
        }
        for (const auto& [slot, content] : state.functionSlots) {
            if (content.report[0] != 0) {
                functionSlots.push_back(slot);
            }
        }
        EXPECT_EQ(macroSlots, c.macroSlots) << c.name;
        EXPECT_EQ(functionSlots, c.functionSlots) << c.name;
        // The key is in exactly the slot its function needs, and nowhere else.
        const std::array<std::uint8_t, 28> table = state.SlotTable();
        const bool macroKind = c.type == kShortcutFunctionType;
        const bool functionKind = c.type == kKeyFunctionType || c.type == kDisabledFunctionType;
        EXPECT_EQ(std::count(table.begin() + 1, table.begin() + 14, 0x2B), macroKind ? 1 : 0)
            << c.name;
        EXPECT_EQ(std::count(table.begin() + 14, table.end(), 0x2B), functionKind ? 1 : 0)
            << c.name;
        EXPECT_EQ(rig.sleeper->Waits()[4], milliseconds(100)) << c.name;
    }
}

TEST_F(SecondFamilyCommandsTest, AMacroThatIsGoneFreesItsSlot) {
    rig_.keyboard->PresetMacroSlot(1, 0x2B);
    rig_.Assign(0x2B, kMacroFunctionType, 999);
    commands_.WriteKeys(CommandRig::kProfile, 0, 0x2B);
    EXPECT_EQ(rig_.keyboard->State().macroSlots.at(1).keyCode, 0);
}

TEST_F(SecondFamilyCommandsTest, CableLightResetAndMusic) {
    rig_.database.InsertLightMode({.profile = CommandRig::kProfile,
                                   .mode = 5,
                                   .brightness = 4,
                                   .speed = 3,
                                   .direction = 2,
                                   .colorindex = 1,
                                   .config_func = 0x100});
    EXPECT_TRUE(commands_.WriteLight(CommandRig::kProfile, 5, 2, 0));
    EXPECT_FALSE(commands_.WriteLight(CommandRig::kProfile, 6, 2, 0));
    EXPECT_EQ(
        rig_.keyboard->State().lightEffect,
        (LightEffect{.modeIndex = 4, .brightness = 3, .speed = 0x12, .slot = 2, .direction = 2}));

    EXPECT_TRUE(commands_.FactoryReset(0));
    EXPECT_EQ(rig_.keyboard->State().factoryResets, 1);
    rig_.sleeper->ClearWaits();
    EXPECT_TRUE(commands_.SetMusicLevel(3, 77));
    EXPECT_TRUE(rig_.sleeper->Waits().empty());
    EXPECT_EQ(rig_.keyboard->State().musicSetting, 3);
    EXPECT_EQ(rig_.keyboard->State().musicLevel, 77);
}

class SecondFamilyWirelessTest : public SecondFamilyCommandsTest {
protected:
    SecondFamilyWirelessTest() : SecondFamilyCommandsTest(1) {}
};

TEST_F(SecondFamilyWirelessTest, FactoryResetPausesBetweenItsPayloads) {
    EXPECT_TRUE(commands_.FactoryReset(1));
    const std::vector<RecordedReport> writes = rig_.Writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_GE(writes[1].time - writes[0].time, milliseconds(1600));
    EXPECT_EQ(rig_.keyboard->State().factoryResets, 1);

    // Without the first payload there is nothing to finish.
    rig_.keyboard->FailNextWrites(2);
    EXPECT_FALSE(commands_.FactoryReset(1));
    EXPECT_EQ(rig_.Writes().size(), 4u);
}

TEST_F(SecondFamilyWirelessTest, LightGoesAsAPayload) {
    EXPECT_TRUE(
        commands_.SetLightEffect({.mode = 2, .brightness = 1, .speed = 4, .direction = 1}, 3, 1));
    EXPECT_EQ(rig_.keyboard->State().lightEffect, (LightEffect{.wireless = true,
                                                               .modeIndex = 1,
                                                               .brightness = 0,
                                                               .speed = 3,
                                                               .slot = 3,
                                                               .direction = 1}));
}

TEST(SecondFamilyCommandsNoDeviceTest, KeyWriteStopsWithoutASlotTable) {
    SimulatedRig rig;
    DeviceDatabase database;
    SecondFamilyCommands commands(database, rig.manager, nullptr);
    EXPECT_FALSE(commands.WriteKeys(1, 0));
    EXPECT_FALSE(commands.FactoryReset(1));
    EXPECT_TRUE(rig.sleeper->Waits().empty());
}

}  // namespace
