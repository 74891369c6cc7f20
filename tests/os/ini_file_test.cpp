#include <gtest/gtest.h>

#include "os/ini_file.h"
#include "support/temp_folder.h"

namespace {

class IniFileTest : public testing::Test {
protected:
    CString Read(const wchar_t* section, const wchar_t* key) const {
        return ReadIniString(section, key, Utf8ToWide(folder_ / "texts.lan"));
    }
    TempFolder folder_;
};

TEST_F(IniFileTest, LooksUpValuesWithProfileStringRules) {
    folder_.WriteFile("texts.lan",
                      "\xEF\xBB\xBF; texts\r\n"
                      "[Other]\r\n1=wrong section\r\n"
                      "[kb.dialog]\r\n"
                      "1=Custom key\r\n"
                      "  2 =  padded value  \r\n"
                      "3=\"quoted\"\r\n"
                      "4=caf\xC3\xA9\r\n"
                      "5=\r\n"
                      "1=second one\r\n");
    EXPECT_EQ(Read(L"KB.DIALOG", L"1"), L"Custom key");
    EXPECT_EQ(Read(L"KB.DIALOG", L"2"), L"padded value");
    EXPECT_EQ(Read(L"KB.DIALOG", L"3"), L"quoted");
    EXPECT_EQ(Read(L"KB.DIALOG", L"4"), L"caf\u00E9");
    EXPECT_EQ(Read(L"KB.DIALOG", L"5"), L"");
    EXPECT_EQ(Read(L"Other", L"1"), L"wrong section");
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesEmpty) {
    EXPECT_EQ(Read(L"KB.DIALOG", L"1"), L"");  // no file yet
    folder_.WriteFile("texts.lan", "[KB.DIALOG]\n1=x\n");
    EXPECT_EQ(Read(L"NOPE", L"1"), L"");
    EXPECT_EQ(Read(L"KB.DIALOG", L"2"), L"");
}

TEST_F(IniFileTest, CutsValuesAt259Characters) {
    folder_.WriteFile("texts.lan", "[S]\nlong=" + std::string(300, 'x') + "\nexact=" +
                                       std::string(259, 'y') + "\n");
    EXPECT_EQ(Read(L"S", L"long"), CString(259, L'x'));
    EXPECT_EQ(Read(L"S", L"exact"), CString(259, L'y'));
}

TEST_F(IniFileTest, ReadsUtf16WithByteOrderMark) {
    const std::u16string text = u"[S]\r\nk=\u00E9t\u00E9\r\n";
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    folder_.WriteFile("texts.lan", bytes);
    EXPECT_EQ(Read(L"S", L"k"), L"\u00E9t\u00E9");
}

}  // namespace
