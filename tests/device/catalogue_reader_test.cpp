#include "device/catalogue_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "device/number_text.h"
#include "lumoui/base/format.h"
#include "support/temp_folder.h"

namespace {

// Keeps what the catalogue read hands on, in order.
class RecordingConsumer : public CatalogueConsumer {
public:
    void AddKeyboardRow(const CString& name, int deviceType) override {
        rows.push_back(name + L"/" + std::to_wstring(deviceType));
    }
    void AddMatchEntry(const MatchEntry& entry) override { matches.push_back(entry); }
    void SetVersionText(const CString& text) override { versionText = text; }
    void SetLegalText(const CString& text) override { legalText = text; }

    std::vector<CString> rows;
    std::vector<MatchEntry> matches;
    CString versionText;
    CString legalText;
};

class CatalogueReaderTest : public testing::Test {
protected:
    bool Load(const std::string& xml) {
        folder_.WriteFile("config.xml", xml);
        return LoadCatalogue(Path(), catalogue_, consumer_);
    }
    CString Path() const { return Utf8ToWide(folder_ / "config.xml"); }

    TempFolder folder_;
    DeviceCatalogue catalogue_;
    RecordingConsumer consumer_;
};

TEST_F(CatalogueReaderTest, ReadsKeyboardsAndModesInFileOrder) {
    ASSERT_TRUE(Load(R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
  <device.info>
    <keyboard name="Alpha" device_type="201" device_info="alpha_layout">
      <mode value="0" desc="cable" vid="1A2B" pid="0x3C4D" product_name="Alpha USB"
            hid_interface="HID#VID_1A2B&amp;PID_3C4D&amp;MI_02"/>
      <mode value="1" desc="dongle" vid="0x1a2b" pid="3C4E"/>
    </keyboard>
    <keyboard name="Beta" device_type="105" device_info="beta_layout">
      <mode value="0" vid="0X0C45" pid="7A1B" product_name="Beta" hid_interface="VID_0C45"/>
      <mode value="2" vid="zz" pid="12zz" hid_interface="BT"/>
    </keyboard>
  </device.info>
  <software name="Brimlow" version="2.3.4">
    <website url="https://w.example/"/>
    <store url="https://s.example/"/>
    <upgrade url="https://u.example/"/>
    <copyright info="&#169; Maker"/>
  </software>
</config>
)"));
    ASSERT_EQ(catalogue_.keyboards.size(), 2u);
    const CatalogueRecord& alpha = catalogue_.keyboards[0];
    EXPECT_EQ(alpha.name, L"Alpha");
    EXPECT_EQ(alpha.deviceType, 201);
    EXPECT_EQ(alpha.deviceInfo, L"alpha_layout");
    EXPECT_EQ(alpha.vendorId, 0);
    EXPECT_EQ(alpha.interfaceFragment, L"");
    EXPECT_EQ(alpha.reserved, -1);
    EXPECT_EQ(catalogue_.keyboards[1].name, L"Beta");

    struct Mode {
        const wchar_t* name;
        int type;
        const wchar_t* info;
        int mode;
        int vid;
        int pid;
        const wchar_t* desc;
        const wchar_t* fragment;
    };
    const Mode expected[] = {
        {L"Alpha USB", 201, L"alpha_layout", 0, 0x1A2B, 0x3C4D, L"cable",
         L"HID#VID_1A2B&PID_3C4D&MI_02"},
        {L"", 201, L"alpha_layout", 1, 0x1A2B, 0x3C4E, L"dongle", L""},
        {L"Beta", 105, L"beta_layout", 0, 0x0C45, 0x7A1B, L"", L"VID_0C45"},
        {L"", 105, L"beta_layout", 2, 0, 0x12, L"", L"BT"},
    };
    ASSERT_EQ(catalogue_.modes.size(), std::size(expected));
    ASSERT_EQ(consumer_.matches.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const Mode& e = expected[i];
        const CatalogueRecord& record = catalogue_.modes[i];
        EXPECT_EQ(record.name, e.name) << i;
        EXPECT_EQ(record.deviceType, e.type) << i;
        EXPECT_EQ(record.deviceInfo, e.info) << i;
        EXPECT_EQ(record.connectionMode, e.mode) << i;
        EXPECT_EQ(record.vendorId, e.vid) << i;
        EXPECT_EQ(record.productId, e.pid) << i;
        EXPECT_EQ(record.description, e.desc) << i;
        EXPECT_EQ(record.interfaceFragment, e.fragment) << i;
        EXPECT_EQ(record.connected, 0) << i;
        const MatchEntry& match = consumer_.matches[i];
        EXPECT_EQ(match.vendorId, e.vid) << i;
        EXPECT_EQ(match.productId, e.pid) << i;
        EXPECT_EQ(match.productName, e.name) << i;
        EXPECT_EQ(match.deviceType, e.type) << i;
        EXPECT_EQ(match.connectionMode, e.mode) << i;
        EXPECT_EQ(match.interfaceFragment, e.fragment) << i;
    }

    EXPECT_EQ(consumer_.rows, (std::vector<CString>{L"Alpha/201", L"Beta/105"}));
    EXPECT_EQ(consumer_.versionText, L"Ver: 2.3.4");
    EXPECT_EQ(consumer_.legalText, L"\u00A9 Maker");
    EXPECT_EQ(catalogue_.facts.version, L"2.3.4");
    EXPECT_EQ(catalogue_.facts.websiteUrl, L"https://w.example/");
    EXPECT_EQ(catalogue_.facts.storeUrl, L"https://s.example/");
    EXPECT_EQ(catalogue_.facts.upgradeUrl, L"https://u.example/");
    EXPECT_EQ(catalogue_.facts.copyright, L"\u00A9 Maker");
    EXPECT_EQ(catalogue_.KeyboardOfType(105), &catalogue_.keyboards[1]);
    EXPECT_EQ(catalogue_.KeyboardOfType(999), nullptr);

    CString name;
    ASSERT_TRUE(ReadProgramName(Path(), name));
    EXPECT_EQ(name, L"Brimlow");
}

TEST_F(CatalogueReaderTest, FindsSiblingsOnlyForward) {
    ASSERT_TRUE(Load(R"(<config>
  <software name="Early" version="9"/>
  <device.info>
    <keyboard name="K" device_type="201"/>
    <keyboard name="K2" device_type="201"/>
  </device.info>
</config>)"));
    // software before device.info: not found by the catalogue read ...
    EXPECT_EQ(catalogue_.keyboards.size(), 2u);
    EXPECT_EQ(catalogue_.KeyboardOfType(201)->name, L"K");
    EXPECT_EQ(catalogue_.facts.version, L"");
    EXPECT_EQ(consumer_.versionText, L"");
    // ... but start-up, searching from the top, finds the name.
    CString name;
    ASSERT_TRUE(ReadProgramName(Path(), name));
    EXPECT_EQ(name, L"Early");

    // The children of software count only in the order website, store, upgrade, copyright.
    ASSERT_TRUE(Load(R"(<config><device.info/><software version="1">
  <upgrade url="u"/><store url="s"/><website url="w"/><copyright info="c"/>
</software></config>)"));
    EXPECT_EQ(catalogue_.facts.websiteUrl, L"w");
    EXPECT_EQ(catalogue_.facts.storeUrl, L"");
    EXPECT_EQ(catalogue_.facts.upgradeUrl, L"");
    EXPECT_EQ(catalogue_.facts.copyright, L"c");
    EXPECT_EQ(consumer_.legalText, L"c");
}

TEST_F(CatalogueReaderTest, MissingOrBrokenFilesLeaveTheListsEmpty) {
    catalogue_.keyboards.push_back({});
    catalogue_.modes.push_back({});
    EXPECT_FALSE(LoadCatalogue(Path(), catalogue_, consumer_));
    EXPECT_TRUE(catalogue_.keyboards.empty());
    EXPECT_TRUE(catalogue_.modes.empty());
    CString name = L"unchanged";
    EXPECT_FALSE(ReadProgramName(Path(), name));

    for (const char* xml :
         {"<config><device.info><keyboard name=\"K\"></device.info></config>",
          "<other><device.info><keyboard name=\"K\"/></device.info></other>", "not xml at all"}) {
        EXPECT_FALSE(Load(xml)) << xml;
        EXPECT_TRUE(catalogue_.keyboards.empty()) << xml;
        EXPECT_FALSE(ReadProgramName(Path(), name)) << xml;
    }
    EXPECT_EQ(name, L"unchanged");
    EXPECT_TRUE(consumer_.rows.empty());
    EXPECT_TRUE(consumer_.matches.empty());
}

TEST_F(CatalogueReaderTest, ShippedCatalogueNamesTheSimulatedKeyboard) {
    ASSERT_TRUE(
        LoadCatalogue(Utf8ToWide(BRIMLOW_SOURCE_DIR "/data/config.xml"), catalogue_, consumer_));
    const CatalogueRecord* keyboard = catalogue_.KeyboardOfType(201);
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(keyboard->deviceInfo, L"brimlow_k201");
    std::vector<CatalogueRecord> simulated;
    for (const CatalogueRecord& mode : catalogue_.modes) {
        EXPECT_EQ(mode.vendorId, 0x1A2B);
        EXPECT_EQ(mode.interfaceFragment,
                  Format(L"HID#VID_1A2B&PID_%04X&MI_02", static_cast<unsigned>(mode.productId)));
        if (mode.deviceType == 201) {
            simulated.push_back(mode);
        }
    }
    ASSERT_EQ(simulated.size(), 2u);
    EXPECT_EQ(simulated[0].connectionMode, 0);
    EXPECT_EQ(simulated[1].connectionMode, 1);
    EXPECT_NE(simulated[0].productId, simulated[1].productId);
    EXPECT_FALSE(catalogue_.facts.version.empty());
    EXPECT_FALSE(catalogue_.facts.upgradeUrl.empty());
    CString name;
    ASSERT_TRUE(ReadProgramName(Utf8ToWide(BRIMLOW_OUT_DIR "/config.xml"), name));
    EXPECT_EQ(name, L"Brimlow");
}

TEST(NumberTextTest, ParsesDecimalAndHexadecimalPrefixes) {
    struct Case {
        const wchar_t* text;
        int decimal;
        int hexadecimal;
    };
    const Case cases[] = {
        {L"", 0, 0},
        {L"201", 201, 0x201},
        {L"1A2B", 1, 0x1A2B},
        {L"0x1A2B", 0, 0x1A2B},
        {L"0X1a2b", 0, 0x1A2B},
        {L"12zz", 12, 0x12},
        {L"zz", 0, 0},
        {L"-5", -5, 0},
        {L" 7", 7, 0},
        {L"99999999999", 2147483647, 2147483647},
        {L"-99999999999", -2147483647 - 1, 0},
        {L"0x", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.decimal) << c.text;
        EXPECT_EQ(ParseHexadecimal(c.text), c.hexadecimal) << c.text;
    }
}

}  // namespace
