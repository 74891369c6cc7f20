#include "device/udev_rules.h"

#include <gtest/gtest.h>

#include "device/catalogue_reader.h"
#include "device/match_entry_collector.h"
#include "support/temp_folder.h"

namespace {

TEST(UdevRulesTest, OneRulePerDistinctIdsInCatalogueOrder) {
    const std::string rules = FormatUdevRules({
        {0x1A2B, 0x3C4D, L"A", 201, 0, L""},
        {0x0c45, 0x7a1b, L"", 105, 1, L""},
        {0x1A2B, 0x3C4D, L"B", 202, 1, L""},
        {0x10000, 0x0001, L"", 1, 0, L""},
    });
    const std::string expected =
        "SUBSYSTEM==\"hidraw\", KERNELS==\"*:1A2B:3C4D.*\", TAG+=\"uaccess\"\n"
        "SUBSYSTEM==\"hidraw\", KERNELS==\"*:0C45:7A1B.*\", TAG+=\"uaccess\"\n";
    ASSERT_GE(rules.size(), expected.size());
    EXPECT_EQ(rules.substr(rules.size() - expected.size()), expected);
    EXPECT_EQ(rules.find("10000"), std::string::npos);
}

TEST(UdevRulesTest, TheProgramFolderHoldsTheRulesOfTheShippedCatalogue) {
    DeviceCatalogue catalogue;
    MatchEntryCollector collector;
    ASSERT_TRUE(
        LoadCatalogue(Utf8ToWide(BRIMLOW_SOURCE_DIR "/data/config.xml"), catalogue, collector));
    EXPECT_EQ(ReadFileBytes(BRIMLOW_OUT_DIR "/udev/70-brimlow.rules"),
              FormatUdevRules(collector.entries));
}

}  // namespace
