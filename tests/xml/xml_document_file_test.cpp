// Loading and saving documents: marks, encodings, zero bytes and the bytes written.
#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "xml/xml_document.h"

namespace {

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : text) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

class XmlDocumentFileTest : public testing::Test {
protected:
    CString PathOf(const std::string& name) const { return Utf8ToWide(folder_ / name); }

    // Writes the bytes to a file and loads it.
    bool Load(const std::string& bytes) {
        folder_.WriteFile("in.xml", bytes);
        return document_.LoadFile(PathOf("in.xml"));
    }
    std::optional<std::string> Save() {
        if (!document_.SaveFile(PathOf("out.xml"))) {
            return std::nullopt;
        }
        return ReadFileBytes(folder_ / "out.xml");
    }

    TempFolder folder_;
    XmlDocument document_;
};

TEST_F(XmlDocumentFileTest, DecodesByMarkDeclarationOrDetection) {
    struct Case {
        const char* what;
        std::string bytes;
        CString text;
        CString result;
    };
    const Case cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF<a x=\"\xC3\xA9\"/>", L"<a x=\"\u00E9\"/>",
         L"<bom/><read encoding=\"UTF-8\" length=\"11\"/>"
         L"<converted_to encoding=\"UTF-16\" length=\"10\"/>"},
        {"UTF-16LE mark", "\xFF\xFE" + Utf16Bytes(u"<a x=\"\u20AC\U0001F600\"/>", false),
         L"<a x=\"\u20AC\U0001F600\"/>", L"<bom/><read encoding=\"UTF-16LE\" length=\"12\"/>"},
        {"UTF-16BE mark", "\xFE\xFF" + Utf16Bytes(u"<a x=\"\u20AC\"/>", true), L"<a x=\"\u20AC\"/>",
         L"<bom/><read encoding=\"UTF-16BE\" length=\"10\"/><endian_swap/>"},
        {"no mark, starts with <", "<a x=\"\xC3\xA9\"/>", L"<a x=\"\u00E9\"/>",
         L"<read encoding=\"UTF-8\" length=\"11\"/>"
         L"<converted_to encoding=\"UTF-16\" length=\"10\"/>"},
        {"declared windows-1252",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?><a x=\"\x80\xE9\"/>",
         L"<?xml version=\"1.0\" encoding=\"windows-1252\"?><a x=\"\u20AC\u00E9\"/>",
         L"<read encoding=\"windows-1252\" length=\"56\"/>"
         L"<converted_to encoding=\"UTF-16\" length=\"56\"/>"},
        {"not <, not UTF-8: ANSI", " <a x=\"\x80\xE9t\xE9\"/>", L" <a x=\"\u20AC\u00E9t\u00E9\"/>",
         L"<read encoding=\"\" length=\"14\"/><utf8_detection/>"
         L"<converted_to encoding=\"UTF-16\" length=\"14\"/>"},
        {"not <, valid UTF-8", " <a x=\"\xC3\xA9\"/>", L" <a x=\"\u00E9\"/>",
         L"<read encoding=\"UTF-8\" length=\"12\"/><utf8_detection/>"
         L"<converted_to encoding=\"UTF-16\" length=\"11\"/>"},
        {"zero bytes", std::string("<a\0 x=\"1\"\0/>", 12), L"<a x=\"1\"/>",
         L"<read encoding=\"UTF-8\" length=\"12\"/><nulls_removed count=\"2\"/>"
         L"<converted_to encoding=\"UTF-16\" length=\"10\"/>"},
        {"UTF-16 without a mark", Utf16Bytes(u"<a x=\"1\"/>", false), L"<a x=\"1\"/>",
         L"<read encoding=\"UTF-8\" length=\"20\"/><nulls_removed count=\"10\"/>"
         L"<converted_to encoding=\"UTF-16\" length=\"10\"/>"},
        // An 8-bit file declaring a 16-bit encoding is read as what it is.
        {"8-bit declaring UTF-16", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a x=\"\xC3\xA9\"/>",
         L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><a x=\"\u00E9\"/>",
         L"<read encoding=\"UTF-16\" length=\"50\"/>"
         L"<converted_to encoding=\"UTF-16\" length=\"49\"/>"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Load(c.bytes)) << c.what;
        EXPECT_EQ(document_.Text(), c.text) << c.what;
        EXPECT_EQ(document_.ResultText(), c.result) << c.what;
    }
}

TEST_F(XmlDocumentFileTest, ReadsTheCharsetOfAnHtmlText) {
    Load(
        "<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=ISO-8859-15\">"
        "</head><body x=\"\xA4\"/></html>");
    EXPECT_NE(document_.Text().find(L"x=\"\u20AC\""), CString::npos);
}

TEST_F(XmlDocumentFileTest, SavesExactlyWhatWasBuilt) {
    document_.SetText(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
    document_.AddElement(L"profile");
    document_.EnterElement();
    document_.AddElement(L"item");
    document_.SetAttribute(L"name", L"caf\u00E9 & \U0001F600");
    EXPECT_EQ(Save(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n"
              "<item name=\"caf\xC3\xA9 &amp; \xF0\x9F\x98\x80\"/>\r\n</profile>\r\n");
    EXPECT_EQ(document_.ResultText(),
              L"<converted_from encoding=\"UTF-16\" length=\"92\"/>"
              L"<write encoding=\"UTF-8\" length=\"96\"/>");
    // The document is unchanged and can be edited further.
    EXPECT_EQ(document_.GetAttribute(L"name"), L"caf\u00E9 & \U0001F600");
}

TEST_F(XmlDocumentFileTest, RoundTripsUntouchedBytes) {
    const std::string cases[] = {
        "\xEF\xBB\xBF<?xml version='1.0'?>\n<!-- kept -->\n<a\tx = 'v' >\n  <b/>\n</a>\n",
        "\xFF\xFE" + Utf16Bytes(u"<a x=\"\U0001F600\"/>\r\n", false),
        "\xFE\xFF" + Utf16Bytes(u"<a x=\"\u20AC\"/>", true),
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<a x=\"\xE9\"/>",
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a x=\"\x93\xFA\x96\x7B\"/>",
    };
    for (const std::string& bytes : cases) {
        ASSERT_TRUE(Load(bytes)) << bytes;
        EXPECT_EQ(Save(), bytes);
    }
}

TEST_F(XmlDocumentFileTest, AnEditChangesOnlyItsOwnBytes) {
    ASSERT_TRUE(
        Load("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<r>\n\t<a x='\xE9'/>\n"
             "\t<b y=\"1\"/>\n</r>\n"));
    document_.FindElement(L"r");
    document_.EnterElement();
    document_.FindElement(L"b");
    document_.SetAttribute(L"y", L"\u20AC");
    EXPECT_EQ(Save(),
              "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<r>\n\t<a x='\xE9'/>\n"
              "\t<b y=\"\x80\"/>\n</r>\n");
}

TEST_F(XmlDocumentFileTest, CountsCharactersTheEncodingCannotHold) {
    document_.SetText(L"<?xml version=\"1.0\" encoding=\"us-ascii\"?><a x=\"\u00E9\u4E2D\"/>");
    EXPECT_EQ(Save(), "<?xml version=\"1.0\" encoding=\"us-ascii\"?><a x=\"??\"/>");
    EXPECT_NE(document_.ResultText().find(L"<conversion_loss/>"), CString::npos);
}

TEST_F(XmlDocumentFileTest, ReportsFileErrors) {
    EXPECT_FALSE(document_.LoadFile(PathOf("missing.xml")));
    EXPECT_EQ(document_.ResultText(), L"<file_error msg=\"No such file or directory\" n=\"2\"/>");
    EXPECT_EQ(document_.Text(), L"");
    EXPECT_FALSE(document_.FindElement());

    EXPECT_FALSE(document_.LoadFile(Utf8ToWide(folder_.Path())));
    EXPECT_EQ(document_.ResultText(), L"<file_error msg=\"Is a directory\" n=\"21\"/>");

    document_.SetText(L"<a/>");
    EXPECT_FALSE(document_.SaveFile(PathOf("no/such/folder.xml")));
    EXPECT_EQ(document_.ResultText(), L"<file_error msg=\"No such file or directory\" n=\"2\"/>");
    EXPECT_EQ(document_.Text(), L"<a/>");
}

TEST_F(XmlDocumentFileTest, FailedParseStillIndexesTheFile) {
    EXPECT_FALSE(Load("<a/><b x=\"1\"/>"));
    EXPECT_EQ(document_.ResultText(),
              L"<read encoding=\"UTF-8\" length=\"14\"/>"
              L"<converted_to encoding=\"UTF-16\" length=\"14\"/><root_has_sibling/>");
    ASSERT_TRUE(document_.FindElement(L"b"));
    EXPECT_EQ(document_.GetAttribute(L"x"), L"1");
}

}  // namespace
