// The shipped layout files: each must load with the program's XML document and describe a
// keyboard picture whose keys the program can map, light and hit without ambiguity.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data/image_files.h"
#include "device/catalogue_reader.h"
#include "device/number_text.h"
#include "support/temp_folder.h"
#include "tools/common/tsv_file.h"
#include "xml/xml_document.h"

namespace {

// The per-key tables of the keyboards cover position indexes 0 to 109.
constexpr int kPositions = 110;
constexpr int kGridRows = 8;
constexpr int kGridColumns = 32;
constexpr int kFnKey = 175;
// Where the picture may lie on its pages: right of the profile and light mode lists, above the
// function picker (from y 450) and the light page's panel (from y 440).
constexpr int kFreeLeft = 330;
constexpr int kFreeTop = 50;
constexpr int kFreeRight = 1279;
constexpr int kFreeBottom = 440;
// The light mode configuration bits that exist (brightness 0x001 to six areas 0x800).
constexpr int kLightBits = 0xFFF;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Overlaps(const Rect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

struct Key {
    int code = 0;
    CString name;
    CString desc;
    int index = -1;
    int light_index = -1;
    CString row_col;
    Rect rect;
};

struct LightMode {
    int name = 0;
    int mode = 0;
    int attribute = 0;
};

struct Layout {
    bool loaded = false;
    bool has_menu = false;
    bool has_function = false;
    bool has_light = false;
    bool has_keyboard = false;
    std::map<std::wstring, CString> light;
    std::vector<LightMode> modes;
    std::map<std::wstring, CString> keyboard;
    std::vector<Key> keys;
};

std::map<std::wstring, CString> Attributes(const XmlDocument& xml,
                                           std::initializer_list<const wchar_t*> names) {
    std::map<std::wstring, CString> values;
    for (const wchar_t* name : names) {
        values[name] = xml.GetAttribute(name);
    }
    return values;
}

// Walks the file the way the layout load does: siblings are searched forward, so they must come
// in the order menu, function, (firmware,) light, Keyboard.
Layout ReadLayout(const std::string& path) {
    Layout layout;
    XmlDocument xml;
    if (!xml.LoadFile(Utf8ToWide(path)) || !xml.FindElement(L"device.info") ||
        !xml.EnterElement()) {
        return layout;
    }
    layout.loaded = true;
    layout.has_menu = xml.FindElement(L"menu");
    layout.has_function = xml.FindElement(L"function");
    xml.FindElement(L"firmware");
    layout.has_light = xml.FindElement(L"light");
    if (layout.has_light) {
        layout.light = Attributes(xml, {L"rgb_keyboard", L"default_mode", L"default_brightness",
                                        L"default_speed", L"brightness_max", L"speed_max"});
        xml.EnterElement();
        while (xml.FindElement(L"info")) {
            layout.modes.push_back({ParseDecimal(xml.GetAttribute(L"name")),
                                    ParseDecimal(xml.GetAttribute(L"mode")),
                                    ParseDecimal(xml.GetAttribute(L"attribute"))});
        }
        xml.LeaveElement();
    }
    layout.has_keyboard = xml.FindElement(L"Keyboard");
    if (!layout.has_keyboard) {
        return layout;
    }
    layout.keyboard = Attributes(
        xml, {L"xpos", L"ypos", L"width", L"height", L"image", L"row_count", L"col_count"});
    if (xml.EnterElement() && xml.FindElement(L"KeyItems") && xml.EnterElement()) {
        while (xml.FindElement(L"key")) {
            Key key;
            key.code = ParseHexadecimal(xml.GetAttribute(L"code"));
            key.name = xml.GetAttribute(L"name");
            key.desc = xml.GetAttribute(L"desc");
            key.index = ParseDecimal(xml.GetAttribute(L"key_index"));
            key.light_index = ParseDecimal(xml.GetAttribute(L"light_index"));
            key.row_col = xml.GetAttribute(L"row_col");
            // x, y, width and height, separated by "#".
            const CString rect = xml.GetAttribute(L"rect");
            int numbers[4] = {};
            size_t start = 0;
            for (int& number : numbers) {
                const size_t hash = std::min(rect.find(L'#', start), rect.size());
                number = ParseDecimal(std::wstring_view(rect).substr(start, hash - start));
                start = std::min(hash + 1, rect.size());
            }
            key.rect = {numbers[0], numbers[1], numbers[0] + numbers[2], numbers[1] + numbers[3]};
            layout.keys.push_back(key);
        }
    }
    return layout;
}

std::vector<std::string> LayoutFiles() {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(BRIMLOW_OUT_DIR) + "/layouts", error)) {
        if (entry.path().extension() == ".xml") {
            files.push_back(entry.path().string());
        }
    }
    return files;
}

// The grid cell of `row_col` as the layout load reads it: the row is the first character, the
// column the last character when the text has three, else the last two.
bool GridCell(const CString& row_col, int& row, int& column) {
    if (row_col.size() < 3 || row_col.size() > 4 || !std::iswdigit(row_col[0])) {
        return false;
    }
    row = row_col[0] - L'0';
    column = ParseDecimal(row_col.substr(2));  // the last one or two characters
    return std::iswdigit(row_col.back()) != 0;
}

std::set<int> TextNumbers() {
    std::set<int> numbers;
    if (const auto rows = ReadTsvFile(BRIMLOW_SOURCE_DIR "/data/language/texts.tsv", 5)) {
        for (const TsvRow& row : *rows) {
            numbers.insert(ParsePositiveInt(row.cells[0]).value_or(0));
        }
    }
    return numbers;
}

class LayoutFilesTest : public testing::TestWithParam<std::string> {};

class NoConsumer : public CatalogueConsumer {
public:
    void AddKeyboardRow(const CString&, int) override {}
    void AddMatchEntry(const MatchEntry&) override {}
    void SetVersionText(const CString&) override {}
    void SetLegalText(const CString&) override {}
};

// Every keyboard of the shipped catalogue finds its layout and every layout is used; the
// simulated keyboard of type 201 and a first-family keyboard are among them.
TEST(LayoutFolderTest, EveryCatalogueKeyboardHasItsLayoutFile) {
    DeviceCatalogue catalogue;
    NoConsumer consumer;
    ASSERT_TRUE(LoadCatalogue(Utf8ToWide(BRIMLOW_OUT_DIR "/config.xml"), catalogue, consumer));
    bool first_family = false;
    for (const CatalogueRecord& keyboard : catalogue.keyboards) {
        const std::string layout =
            std::string(BRIMLOW_OUT_DIR) + "/layouts/" + WideToUtf8(keyboard.deviceInfo) + ".xml";
        EXPECT_TRUE(std::filesystem::is_regular_file(layout)) << layout;
        first_family = first_family || keyboard.deviceType < 200;
    }
    EXPECT_NE(catalogue.KeyboardOfType(201), nullptr);
    EXPECT_TRUE(first_family);
    EXPECT_EQ(LayoutFiles().size(), catalogue.keyboards.size());
}

TEST_P(LayoutFilesTest, LoadsWithItsElementsInTheOrderTheLoadSearchesThem) {
    const Layout layout = ReadLayout(GetParam());
    ASSERT_TRUE(layout.loaded);
    EXPECT_TRUE(layout.has_menu);
    EXPECT_TRUE(layout.has_function);
    EXPECT_TRUE(layout.has_light);
    EXPECT_TRUE(layout.has_keyboard);
}

TEST_P(LayoutFilesTest, PictureFitsItsPagesAndIsShippedAtItsSize) {
    const Layout layout = ReadLayout(GetParam());
    const auto& k = layout.keyboard;
    ASSERT_TRUE(layout.has_keyboard);
    const int x = ParseDecimal(k.at(L"xpos"));
    const int y = ParseDecimal(k.at(L"ypos"));
    const int width = ParseDecimal(k.at(L"width"));
    const int height = ParseDecimal(k.at(L"height"));
    EXPECT_GE(x, kFreeLeft);
    EXPECT_GE(y, kFreeTop);
    EXPECT_LE(x + width, kFreeRight);
    EXPECT_LE(y + height, kFreeBottom);
    EXPECT_GE(ParseDecimal(k.at(L"row_count")), 1);
    EXPECT_LE(ParseDecimal(k.at(L"row_count")), kGridRows);
    EXPECT_GE(ParseDecimal(k.at(L"col_count")), 1);
    EXPECT_LE(ParseDecimal(k.at(L"col_count")), kGridColumns);

    const auto png = ReadFileBytes(std::string(BRIMLOW_OUT_DIR) + "/skins/theme1/keyboard/" +
                                   WideToUtf8(k.at(L"image")));
    ASSERT_TRUE(png.has_value()) << "keyboard picture " << WideToUtf8(k.at(L"image"));
    EXPECT_EQ(image_files::PngSize(*png), (image_files::Size{width, height}));
}

TEST_P(LayoutFilesTest, KeysHaveUniqueCodesPositionsAndCells) {
    const Layout layout = ReadLayout(GetParam());
    ASSERT_FALSE(layout.keys.empty());
    const int rows = ParseDecimal(layout.keyboard.at(L"row_count"));
    const int columns = ParseDecimal(layout.keyboard.at(L"col_count"));
    std::set<int> codes;
    std::set<int> indexes;
    std::set<std::pair<int, int>> cells;
    for (const Key& key : layout.keys) {
        SCOPED_TRACE(WideToUtf8(key.name));
        // Keyboard usages, the Fn key: codes the key tables and the picker know.
        EXPECT_TRUE((key.code >= 4 && key.code <= 101) || (key.code >= 224 && key.code <= 231) ||
                    key.code == kFnKey)
            << key.code;
        EXPECT_TRUE(codes.insert(key.code).second) << "code " << key.code << " twice";
        EXPECT_TRUE(key.index >= 0 && key.index < kPositions) << key.index;
        EXPECT_TRUE(indexes.insert(key.index).second) << "index " << key.index << " twice";
        // Light tables are indexed by key_index; keep the two equal so neither reading differs.
        EXPECT_EQ(key.light_index, key.index);
        int row = -1;
        int column = -1;
        ASSERT_TRUE(GridCell(key.row_col, row, column)) << WideToUtf8(key.row_col);
        EXPECT_TRUE(row < rows && column < columns) << WideToUtf8(key.row_col);
        EXPECT_TRUE(cells.insert({row, column}).second) << WideToUtf8(key.row_col) << " twice";
        EXPECT_FALSE(key.name.empty());
        EXPECT_FALSE(key.desc.empty());
    }
    EXPECT_EQ(codes.count(kFnKey), 1u) << "the Fn key";
}

TEST_P(LayoutFilesTest, KeyRectanglesLieOnThePictureWithoutOverlapping) {
    const Layout layout = ReadLayout(GetParam());
    const Rect picture{0, 0, ParseDecimal(layout.keyboard.at(L"width")),
                       ParseDecimal(layout.keyboard.at(L"height"))};
    for (size_t i = 0; i < layout.keys.size(); ++i) {
        const Rect& r = layout.keys[i].rect;
        SCOPED_TRACE(WideToUtf8(layout.keys[i].name));
        EXPECT_TRUE(r.left >= picture.left && r.top >= picture.top && r.right <= picture.right &&
                    r.bottom <= picture.bottom && r.left < r.right && r.top < r.bottom);
        for (size_t j = i + 1; j < layout.keys.size(); ++j) {
            EXPECT_FALSE(r.Overlaps(layout.keys[j].rect)) << WideToUtf8(layout.keys[j].name);
        }
    }
}

TEST_P(LayoutFilesTest, LightModesAreNamedDistinctAndWithinTheirSliders) {
    const Layout layout = ReadLayout(GetParam());
    ASSERT_FALSE(layout.modes.empty());
    const std::set<int> texts = TextNumbers();
    std::set<int> modes;
    for (const LightMode& mode : layout.modes) {
        SCOPED_TRACE(mode.mode);
        EXPECT_EQ(texts.count(mode.name), 1u) << "name text " << mode.name;
        // The second report family sends mode - 1.
        EXPECT_GE(mode.mode, 1);
        EXPECT_TRUE(modes.insert(mode.mode).second);
        EXPECT_NE(mode.attribute, 0);
        EXPECT_EQ(mode.attribute & ~kLightBits, 0);
    }
    const auto& light = layout.light;
    EXPECT_EQ(modes.count(ParseDecimal(light.at(L"default_mode"))), 1u);
    const int brightness_max = ParseDecimal(light.at(L"brightness_max"));
    const int speed_max = ParseDecimal(light.at(L"speed_max"));
    EXPECT_GE(brightness_max, 1);
    // The first family packs the speed into four bits.
    EXPECT_TRUE(speed_max >= 1 && speed_max <= 15);
    const int brightness = ParseDecimal(light.at(L"default_brightness"));
    const int speed = ParseDecimal(light.at(L"default_speed"));
    EXPECT_TRUE(brightness >= 1 && brightness <= brightness_max);
    EXPECT_TRUE(speed >= 1 && speed <= speed_max);
}

INSTANTIATE_TEST_SUITE_P(Shipped, LayoutFilesTest, testing::ValuesIn(LayoutFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return std::filesystem::path(info.param).stem().string();
                         });

}  // namespace
