#include <gtest/gtest.h>

#include "lumoui/base/cstring.h"

namespace {

struct DecodeCase {
    std::string bytes;
    CString expected;
};

TEST(Utf8Test, DecodesAndReplacesIllFormedInput) {
    const DecodeCase cases[] = {
        {"plain", L"plain"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB9", L"caf\u00E9 \u20AC \U0001F3B9"},
        {std::string("a\0b", 3), CString(L"a\0b", 3)},  // a zero byte is a character, not the end
        {"\x80x", L"\uFFFDx"},                           // stray continuation byte
        {"\xC0\xAF", L"\uFFFD"},                         // overlong '/'
        {"\xED\xA0\x80", L"\uFFFD"},                     // encoded surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD"},                 // above U+10FFFF
        {"ab\xE2\x82", L"ab\uFFFD"},                     // truncated at the end
        {"\xE2\x82z", L"\uFFFDz"},                       // truncated before ASCII
        {"\xFF\xFE", L"\uFFFD\uFFFD"},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(Utf8ToWide(c.bytes), c.expected) << testing::PrintToString(c.bytes);
    }
}

TEST(Utf8Test, EncodesRoundTripAndReplacesUnencodable) {
    const CString text = L"Clavier \u00E9t\u00E9 \U0001F3B9";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
    EXPECT_EQ(WideToUtf8(CString(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(WideToUtf8(CString(1, static_cast<wchar_t>(0x110000))), "\xEF\xBF\xBD");
}

}  // namespace
