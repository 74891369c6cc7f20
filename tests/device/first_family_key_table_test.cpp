// The first family's key table and its four reports.
#include "device/first_family_key_table.h"

#include <gtest/gtest.h>

#include "report_bytes_matchers.h"

namespace {

KeyAssignment Assignment(int keyCode, int type, int value) {
    KeyAssignment assignment;
    assignment.key_code = keyCode;
    assignment.macro_type = type;
    assignment.macro_value = value;
    return assignment;
}

TEST(FirstFamilyKeyTableTest, EachAssignmentSitsAtItsPositionIndex) {
    const KeyPositionMap positions{{4, 10}, {5, 11}, {6, 12}, {7, 13}, {8, 14}, {9, 15}, {10, 109}};
    const std::vector<KeyAssignment> assignments = {
        Assignment(4, 2, 5),     // remapped to B
        Assignment(5, 1, 1),     // disabled
        Assignment(6, 3, 42),    // a macro in slot 2
        Assignment(7, 3, 43),    // a macro whose download failed: no slot
        Assignment(8, 7, 8),     // a shortcut in slot 3
        Assignment(9, 5, 1),     // a mouse button: the PC's business
        Assignment(10, 2, 224),  // the last position on the wire
    };
    const MacroSlotMap slots{{6, 2}, {8, 3}};
    const KeyTableBytes table = BuildKeyTable(assignments, positions, slots);
    const std::vector<std::uint8_t> expected = {0x05, 0x20, 0x00, 0x20, 0x02, 0x40,
                                                0x00, 0x00, 0x03, 0x40, 0x00, 0x00};
    EXPECT_EQ(Bytes(table, 20, 32), expected);
    EXPECT_EQ(Bytes(table, 218, 220), (std::vector<std::uint8_t>{224, 0x20}));
    EXPECT_TRUE(AllZero(std::span(table).first(20)));
    EXPECT_TRUE(AllZero(std::span(table).subspan(32, 218 - 32)));
}

TEST(FirstFamilyKeyTableTest, KeysWithoutAPlaceAreSkippedOrGoToIndexZero) {
    // Index 179 is the last the table has room for; 180 and beyond, and negative ones, are
    // skipped. A key code the layout lacks uses index 0.
    const KeyPositionMap positions{{4, 179}, {5, 180}, {6, 5000}, {7, -1}};
    const std::vector<KeyAssignment> assignments = {Assignment(4, 2, 9), Assignment(5, 2, 9),
                                                    Assignment(6, 2, 9), Assignment(7, 2, 9),
                                                    Assignment(99, 1, 1)};
    const KeyTableBytes table = BuildKeyTable(assignments, positions, {});
    EXPECT_EQ(Bytes(table, 0, 2), (std::vector<std::uint8_t>{0x00, 0x20}));
    EXPECT_EQ(Bytes(table, 358, 360), (std::vector<std::uint8_t>{9, 0x20}));
    EXPECT_TRUE(AllZero(std::span(table).subspan(2, 356)));
}

TEST(FirstFamilyKeyTableTest, TableGoesInFourReportsOf220Bytes) {
    KeyTableBytes table{};
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<std::uint8_t>(i + 1);
    }
    const auto reports = KeyTableReports(table);
    const int lengths[] = {60, 60, 60, 40};
    for (size_t j = 0; j < reports.size(); ++j) {
        const int offset = static_cast<int>(60 * j);
        EXPECT_EQ(Bytes(reports[j], 0, 5),
                  (std::vector<std::uint8_t>{0, 0x8D, static_cast<std::uint8_t>(lengths[j]),
                                             static_cast<std::uint8_t>(offset), 0}));
        EXPECT_EQ(Bytes(reports[j], 5, 65), Bytes(table, offset, offset + 60));
    }
}

}  // namespace
