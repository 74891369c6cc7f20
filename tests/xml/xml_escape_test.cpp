#include "xml/xml_escape.h"

#include <gtest/gtest.h>

#include "xml/named_references.h"

namespace {

TEST(XmlEscapeTest, EscapesMarkupAndQuotes) {
    EXPECT_EQ(EscapeValue(L"a<b&c>d'e\"f"), L"a&lt;b&amp;c&gt;d&apos;e&quot;f");
    EXPECT_EQ(EscapeValue(L"a<b&c>d'e\"f", false), L"a&lt;b&amp;c&gt;d'e\"f");
    EXPECT_EQ(EscapeValue(L"&amp;"), L"&amp;amp;");
    const CString all = L"<&>'\" \u00E9\U0001F600";
    EXPECT_EQ(UnescapeValue(EscapeValue(all)), all);
}

TEST(XmlEscapeTest, ResolvesNumericAndNamedReferences) {
    struct Case {
        const wchar_t* value;
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"&#65;&#x41;&#X41;", L"AAA"},
        {L"&amp;&Amp;&AMP;&lt;&gt;&quot;&apos;&nbsp;", L"&&&<>\"'\u00A0"},
        // An exact match wins; without one, the capital letter's reference.
        {L"&eacute;&Eacute;&EACUTE;", L"\u00E9\u00C9\u00C9"},
        {L"&alpha;&Alpha;&sigmaf;&thetasym;&euro;&diams;", L"\u03B1\u0391\u03C2\u03D1\u20AC\u2666"},
        {L"&#x1F600;&#128512;&#x10FFFF;", L"\U0001F600\U0001F600\U0010FFFF"},
        // Not references: left as they stand.
        {L"&nosuch;&#0;&#x0;&#;&#x;&;&#12a;", L"&nosuch;&#0;&#x0;&#;&#x;&;&#12a;"},
        {L"&#xD800;&#x110000;&#1114112;", L"&#xD800;&#x110000;&#1114112;"},
        {L"&amp &lt", L"&amp &lt"},
        {L"&#00000065;&#000000065;", L"A&#000000065;"},
        {L"&a&amp;&\u00E9;", L"&a&&\u00E9;"},
        {L"a & b", L"a & b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnescapeValue(c.value), c.text) << c.value;
    }
}

TEST(XmlEscapeTest, KnowsTheNamedReferencesOfHtml4) {
    EXPECT_EQ(NamedReferenceCount(), 253u);
    EXPECT_EQ(LookUpNamedReference(L"yuml"), 0xFFu);
    EXPECT_EQ(LookUpNamedReference(L"Yuml"), 0x178u);
    EXPECT_EQ(LookUpNamedReference(L"hArr"), 0x21D4u);
    EXPECT_EQ(LookUpNamedReference(L"harr"), 0x2194u);
    EXPECT_EQ(LookUpNamedReference(L"HARR"), 0x21D4u);
    EXPECT_EQ(LookUpNamedReference(L"loz"), 0x25CAu);
    EXPECT_EQ(LookUpNamedReference(L"nosuch"), 0u);
}

}  // namespace
