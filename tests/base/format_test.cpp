#include <gtest/gtest.h>

#include "lumoui/base/format.h"

namespace {

TEST(FormatTest, WideConventionsOfTheProgram) {
    EXPECT_EQ(Format(L"%s Files/", L"Brimlow"), L"Brimlow Files/");
    EXPECT_EQ(Format(L"%s %d", L"Profile", 3), L"Profile 3");
    EXPECT_EQ(Format(L"%x", 0x105), L"105");
    EXPECT_EQ(Format(L"%c%c", L'\u00E9', L'x'), L"\u00E9x");
    EXPECT_EQ(Format(L"%hs|%hd|%5.1f|%%", "narrow", static_cast<short>(-2), 2.25), L"narrow|-2|  2.2|%");
    EXPECT_EQ(Format(L"%-4s|%ls", L"ab", L"cd"), L"ab  |cd");
}

TEST(FormatTest, LongResultsAreNotCut) {
    const CString longText(5000, L'k');
    EXPECT_EQ(Format(L"<%s>", longText.c_str()), L"<" + longText + L">");
}

}  // namespace
