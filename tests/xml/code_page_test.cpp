#include "xml/code_page.h"

#include <gtest/gtest.h>

#include "xml/utf8_validation.h"

namespace {

TEST(CodePageTest, MapsCharacterSetNames) {
    struct Case {
        CString name;
        int codePage;
    };
    const Case cases[] = {
        {L"utf-8", 65001},    {L"UTF-8", 65001},
        {L"utf-16", 1200},    {L"ucs-2", 1200},
        {L"UTF-16BE", 1201},  {L"unicodeFFFE", 1201},
        {L"us-ascii", 20127}, {L"iso-8859-1", 28591},
        {L"Latin1", 28591},   {L"windows-1252", 1252},
        {L"gb2312", 936},     {L"GBK", 936},
        {L"gb18030", 54936},  {L"big5", 950},
        {L"Shift_JIS", 932},  {L"euc-kr", 51949},
        {L"koi8-r", 20866},   {L"utf-7", 65000},
        {L"UTF-32", 12000},   {L"utf-32le", 12000},
        {L"UTF-32BE", 12001}, {L"", 1252},
        {L"klingon", 1252},   {CString(100, L'a'), 1252},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CodePageOfEncoding(c.name), c.codePage) << c.name;
    }
}

TEST(CodePageTest, ConvertsBothWays) {
    struct Case {
        int codePage;
        std::string bytes;
        CString text;
    };
    const Case cases[] = {
        {1252, "\x80\xE9", L"\u20AC\u00E9"},
        {28591, "\xE9\xFF", L"\u00E9\u00FF"},
        {932, "\x93\xFA\x96\x7B", L"\u65E5\u672C"},
        {54936, "\x81\x30\x81\x30", L"\u0080"},
        {65001, "\xF0\x9F\x98\x80", L"\U0001F600"},
        {1200, std::string("\x3D\xD8\x00\xDE", 4), L"\U0001F600"},
        {1201, std::string("\xD8\x3D\xDE\x00", 4), L"\U0001F600"},
        {12000, std::string("\x00\xF6\x01\x00", 4), L"\U0001F600"},
        {12001, std::string("\x00\x01\xF6\x00", 4), L"\U0001F600"},
        {50220, "\x1B$BF|K\\\x1B(B", L"\u65E5\u672C"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeCodePage(c.bytes, c.codePage), c.text) << c.codePage;
        size_t lost = 0;
        EXPECT_EQ(EncodeCodePage(c.text, c.codePage, lost), c.bytes) << c.codePage;
        EXPECT_EQ(lost, 0u);
    }
}

TEST(CodePageTest, ReplacesWhatACodePageLacks) {
    EXPECT_EQ(DecodeCodePage("a\x81z", 1252), L"a\uFFFDz");
    EXPECT_EQ(DecodeCodePage("a\x93", 932), L"a\uFFFD");
    size_t lost = 0;
    EXPECT_EQ(EncodeCodePage(L"a\u4E2D\U0001F600z", 1252, lost), "a??z");
    EXPECT_EQ(lost, 2u);
    // A lone surrogate survives a trip through UTF-16 units, and nothing else takes it.
    EXPECT_EQ(Utf16FromText(TextFromUtf16(u"\xD800x")), u"\xD800x");
    lost = 0;
    EXPECT_EQ(EncodeCodePage(TextFromUtf16(u"\xD800"), 28591, lost), "?");
    EXPECT_EQ(lost, 1u);
}

TEST(Utf8ValidationTest, AcceptsOnlyWellFormedSequences) {
    struct Case {
        std::string bytes;
        bool valid;
        int multiByte;
        bool failedAtEnd;
    };
    const Case cases[] = {
        {"plain", true, 0, false},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", true, 3, false},
        {std::string("ok\0\xFF", 4), true, 0, false},  // the test stops at a zero byte
        {"\xE9t\xE9", false, 0, false},
        {"\x80\x80", false, 0, false},
        {"\xC0\x80", false, 0, false},
        {"\xED\xA0\x80", false, 0, false},
        {"\xF4\x90\x80\x80", false, 0, false},
        {"\xF8\x88\x80\x80\x80", false, 0, false},
        {"\xC3\xA9\xE2\x82", false, 1, true},
    };
    for (const Case& c : cases) {
        Utf8Scan scan;
        EXPECT_EQ(IsValidUtf8(c.bytes, &scan), c.valid) << c.bytes;
        EXPECT_EQ(scan.multiByteCount, c.multiByte) << c.bytes;
        EXPECT_EQ(scan.failedAtEnd, c.failedAtEnd) << c.bytes;
    }
}

}  // namespace
