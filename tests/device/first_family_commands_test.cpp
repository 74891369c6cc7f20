// The first family's commands from stored records to the simulated keyboard's decoded state.
#include "device/first_family_commands.h"

#include <gtest/gtest.h>

#include "command_rig.h"
#include "device/key_code_tables.h"

using std::chrono::milliseconds;

namespace {

constexpr int kFirstFamilyType = 102;

class FirstFamilyCommandsTest : public testing::Test {
protected:
    std::vector<milliseconds> Waits() const { return rig_.sleeper->Waits(); }

    CommandRig rig_{kFirstFamilyType};
    FirstFamilyCommands commands_{rig_.database, rig_.manager};
    KeyPositionMap positions_{{4, 10}, {5, 11}, {6, 12}, {7, 13}, {8, 14}, {9, 109}};
};

TEST_F(FirstFamilyCommandsTest, KeyWriteLeavesTheKeyboardAsStored) {
    const int macro = rig_.AddMacro(300, {{kMacroKeyPress, 160, 30},
                                          {kMacroKeyPress, 65, 300},
                                          {1, 0, 200},
                                          {kMacroKeyRelease, 65, 50},
                                          {kMacroKeyRelease, 160, 0}});
    rig_.Assign(4, kKeyFunctionType, 5);
    rig_.Assign(5, kDisabledFunctionType, 1);
    rig_.Assign(6, kMacroFunctionType, macro);
    rig_.Assign(7, kShortcutFunctionType, 8);
    rig_.Assign(8, 5, 1);  // a mouse button: carried out by the PC
    commands_.WriteKeys(CommandRig::kProfile, 0, positions_);

    const SimulatedKeyboardState state = rig_.keyboard->State();
    EXPECT_EQ(state.KeyAt(10), (KeyTableEntry{5, KeyTableEntry::kKey}));
    EXPECT_EQ(state.KeyAt(11), (KeyTableEntry{0, KeyTableEntry::kKey}));
    EXPECT_EQ(state.KeyAt(12), (KeyTableEntry{0, KeyTableEntry::kMacro}));
    EXPECT_EQ(state.KeyAt(13), (KeyTableEntry{1, KeyTableEntry::kMacro}));
    EXPECT_EQ(state.KeyAt(14), KeyTableEntry{});
    EXPECT_EQ(commands_.MacroSlots(), (MacroSlotMap{{6, 0}, {7, 1}}));

    ASSERT_EQ(state.macros.count(0), 1u);
    const FirstFamilyMacro& recorded = state.macros.at(0);
    EXPECT_EQ(recorded.RepeatCount(), 255);
    EXPECT_EQ(recorded.EventCount(), 5);
    EXPECT_EQ(recorded.declaredLength, 18);
    const std::vector<FirstFamilyMacroEvent> expected = {
        {static_cast<std::uint8_t>(VirtualKeyToKeyCode(160)), 30, true},
        {0x04, 300, true},
        {0x04, 50, false},
        {225, 0, false},
        {0, 0, false},  // the room of the pause, which holds nothing
    };
    EXPECT_EQ(recorded.Events(), expected);

    ASSERT_EQ(state.macros.count(1), 1u);
    const std::vector<FirstFamilyMacroEvent> guiL = {
        {0xE3, 100, true}, {0x0F, 100, true}, {0x0F, 100, false}, {0xE3, 100, false}};
    EXPECT_EQ(state.macros.at(1).RepeatCount(), 1);
    EXPECT_EQ(state.macros.at(1).Events(), guiL);
    EXPECT_EQ(state.keyTableReports, 4);
    EXPECT_EQ(state.unknownReports, 0);
}

TEST_F(FirstFamilyCommandsTest, KeyWriteWaitsAsTheProtocolPrescribes) {
    rig_.Assign(6, kMacroFunctionType, rig_.AddMacroOfLength(19));  // two chunks
    rig_.Assign(7, kShortcutFunctionType, 1);
    commands_.WriteKeys(CommandRig::kProfile, 0, positions_);
    const std::vector<milliseconds> expected = {
        milliseconds(10), milliseconds(100), milliseconds(100),  // the macro and its chunks
        milliseconds(10),                                        // the shortcut
        milliseconds(20),                                        // before the key table
        milliseconds(10), milliseconds(10),  milliseconds(10),  milliseconds(10)};
    EXPECT_EQ(Waits(), expected);
    EXPECT_EQ(rig_.Writes().size(), 2u + 1u + 4u);
}

TEST_F(FirstFamilyCommandsTest, AFailedDownloadStopsTheRestButNotTheKeyTable) {
    const int first = rig_.AddMacroOfLength(4);
    const int second = rig_.AddMacroOfLength(4);
    rig_.Assign(4, kMacroFunctionType, first);
    rig_.Assign(5, kMacroFunctionType, second);
    rig_.Assign(6, kShortcutFunctionType, 3);
    rig_.Assign(7, kKeyFunctionType, 0x1E);
    // Once the first macro is in, the keyboard refuses the second one's chunk and its retry.
    rig_.sleeper->hook = [this] {
        if (rig_.keyboard->Reports().size() == 1) {
            rig_.keyboard->FailNextWrites(2);
            rig_.sleeper->hook = nullptr;
        }
    };
    commands_.WriteKeys(CommandRig::kProfile, 0, positions_);

    const SimulatedKeyboardState state = rig_.keyboard->State();
    EXPECT_EQ(commands_.MacroSlots(), (MacroSlotMap{{4, 0}}));
    EXPECT_EQ(state.macros.size(), 1u);
    EXPECT_EQ(state.KeyAt(10), (KeyTableEntry{0, KeyTableEntry::kMacro}));
    EXPECT_EQ(state.KeyAt(11), KeyTableEntry{});  // its download failed
    EXPECT_EQ(state.KeyAt(12), KeyTableEntry{});  // never sent
    EXPECT_EQ(state.KeyAt(13), (KeyTableEntry{0x1E, KeyTableEntry::kKey}));
    EXPECT_EQ(state.keyTableReports, 4);
}

TEST_F(FirstFamilyCommandsTest, AKeyWhoseMacroIsGoneKeepsItsOwnFunction) {
    rig_.Assign(4, kMacroFunctionType, 999);
    rig_.Assign(5, kMacroFunctionType, rig_.AddMacroOfLength(2));
    commands_.WriteKeys(CommandRig::kProfile, 0, positions_);
    const SimulatedKeyboardState state = rig_.keyboard->State();
    EXPECT_EQ(state.KeyAt(10), KeyTableEntry{});
    EXPECT_EQ(state.KeyAt(11), (KeyTableEntry{0, KeyTableEntry::kMacro}));
}

TEST_F(FirstFamilyCommandsTest, LightWritesTheModeThenItsParameters) {
    rig_.database.InsertLightMode({.profile = CommandRig::kProfile,
                                   .mode = 3,
                                   .brightness = 4,
                                   .speed = 2,
                                   .direction = 1,
                                   .colorful = 1,
                                   .color_value = static_cast<int>(RGB(0x10, 0x20, 0x30))});

    std::atomic<bool> parameterWrite{false};
    EXPECT_TRUE(commands_.WriteLight(CommandRig::kProfile, 3, parameterWrite));
    EXPECT_TRUE(parameterWrite.load());
    EXPECT_EQ(rig_.keyboard->State().lightMode, 3);
    EXPECT_FALSE(rig_.keyboard->State().lightParams.has_value());

    EXPECT_TRUE(commands_.WriteLight(CommandRig::kProfile, 3, parameterWrite));
    EXPECT_EQ(rig_.keyboard->State().lightParams,
              (LightParams{1, true, 2, RGB(0x10, 0x20, 0x30), 4}));

    // Without a stored record nothing is sent.
    EXPECT_FALSE(commands_.WriteLight(CommandRig::kProfile, 9, parameterWrite));
    EXPECT_EQ(rig_.Writes().size(), 2u);
}

TEST_F(FirstFamilyCommandsTest, KeyColoursComeFromTheFirstCustomSlot) {
    rig_.database.InsertKeyColours({{0, 1, kFirstKeyColourSlot, 4, static_cast<int>(RGB(1, 2, 3))},
                                    {0, 1, kFirstKeyColourSlot, 9, static_cast<int>(RGB(4, 5, 6))},
                                    {0, 1, kFirstKeyColourSlot + 1, 5, 0x777777}});
    EXPECT_TRUE(commands_.SetKeyColours(positions_));
    const SimulatedKeyboardState state = rig_.keyboard->State();
    EXPECT_EQ(state.KeyColour(10), RGB(1, 2, 3));
    EXPECT_EQ(state.KeyColour(109), RGB(4, 5, 6));
    EXPECT_EQ(state.KeyColour(11), 0u);
    EXPECT_EQ(state.keyColourReports, 8);
    EXPECT_EQ(Waits(), std::vector<milliseconds>(8, milliseconds(1)));

    // A report that fails (with its retry) ends the set.
    rig_.keyboard->FailNextWrites(2);
    EXPECT_FALSE(commands_.SetKeyColours(positions_));
    EXPECT_EQ(rig_.keyboard->State().keyColourReports, 8);
}

TEST_F(FirstFamilyCommandsTest, StreamingStartsOnceThenSendsFrames) {
    const std::vector<KeyLight> colours = {{4, RGB(9, 8, 7)}, {9, RGB(1, 2, 3)}};
    EXPECT_TRUE(commands_.StreamFrame(colours, positions_));
    EXPECT_TRUE(commands_.StreamFrame(colours, positions_));
    const SimulatedKeyboardState state = rig_.keyboard->State();
    EXPECT_TRUE(state.streamingStarted);
    EXPECT_EQ(state.framesCompleted, 2);
    EXPECT_EQ(state.FrameColour(10), RGB(9, 8, 7));
    EXPECT_EQ(state.FrameColour(109), RGB(1, 2, 3));
    const std::vector<RecordedReport> writes = rig_.Writes();
    ASSERT_EQ(writes.size(), 13u);
    EXPECT_EQ(writes[0].interfaceNumber, 2);
    EXPECT_EQ(writes[1].interfaceNumber, 3);
    EXPECT_EQ(state.unknownReports, 0);
}

TEST_F(FirstFamilyCommandsTest, StreamingThatCannotStartSendsNoFrameAndTriesAgain) {
    rig_.keyboard->FailNextWrites(2);
    EXPECT_FALSE(commands_.StreamFrame({}, positions_));
    EXPECT_FALSE(commands_.StreamingStarted());
    EXPECT_EQ(rig_.keyboard->State().frameReports, 0);
    EXPECT_TRUE(commands_.StreamFrame({}, positions_));
    EXPECT_TRUE(rig_.keyboard->State().streamingStarted);
}

TEST_F(FirstFamilyCommandsTest, FactoryResetAndLightSlot) {
    EXPECT_TRUE(commands_.FactoryReset());
    EXPECT_EQ(rig_.keyboard->State().factoryResets, 1);
    EXPECT_EQ(Waits(), std::vector<milliseconds>{milliseconds(100)});

    commands_.SetLightEffectSlot({.mode = 8, .brightness = 4, .speed = 3, .config_func = 0x101}, 2);
    EXPECT_EQ(rig_.keyboard->State().lightEffect,
              (LightEffect{.modeIndex = 7, .brightness = 4, .speed = 3, .slot = 2}));
    EXPECT_EQ(Waits().back(), milliseconds(16));
}

TEST(FirstFamilyCommandsNoDeviceTest, WritesFailWithoutAKeyboard) {
    SimulatedRig rig;
    DeviceDatabase database;
    FirstFamilyCommands commands(database, rig.manager);
    EXPECT_FALSE(commands.FactoryReset());
    EXPECT_FALSE(commands.SetKeyColours({}));
    EXPECT_FALSE(commands.StreamFrame({}, {}));
    commands.WriteKeys(1, 0, {});
    EXPECT_TRUE(commands.MacroSlots().empty());
}

}  // namespace
