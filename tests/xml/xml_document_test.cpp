// Parsing, walking and editing documents in memory.
#include "xml/xml_document.h"

#include <gtest/gtest.h>

#include "xml_outline.h"

namespace {

constexpr wchar_t kDeclaration[] = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

TEST(XmlDocumentTest, WriterOrderBuildsOneElementPerLine) {
    XmlDocument document;
    EXPECT_FALSE(document.SetText(kDeclaration));
    EXPECT_EQ(document.ResultText(), L"<no_root_element/>");

    ASSERT_TRUE(document.AddElement(L"profile"));
    EXPECT_EQ(document.Text(), CString(kDeclaration) + L"<profile/>\r\n");

    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.AddElement(L"key"));
    ASSERT_TRUE(document.SetAttribute(L"x", 7));
    ASSERT_TRUE(document.SetAttribute(L"name", L"F1"));
    ASSERT_TRUE(document.AddElement(L"macro"));
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.AddElement(L"event"));
    ASSERT_TRUE(document.SetAttribute(L"x", L"down"));
    ASSERT_TRUE(document.LeaveElement());
    ASSERT_TRUE(document.AddElement(L"light"));
    ASSERT_TRUE(document.LeaveElement());
    EXPECT_FALSE(document.LeaveElement());

    EXPECT_EQ(document.Text(), CString(kDeclaration) +
                                   L"<profile>\r\n"
                                   L"<key x=\"7\" name=\"F1\"/>\r\n"
                                   L"<macro>\r\n"
                                   L"<event x=\"down\"/>\r\n"
                                   L"</macro>\r\n"
                                   L"<light/>\r\n"
                                   L"</profile>\r\n");
    const CString expected = L"profile{key[x=7],macro{event[x=down]},light}";
    EXPECT_EQ(Outline(document), expected);
    EXPECT_EQ(OutlineOfText(document.Text()), expected);
    EXPECT_TRUE(XmlDocument().SetText(document.Text()));
}

TEST(XmlDocumentTest, AddsChildrenToEveryShapeOfParent) {
    struct Case {
        const wchar_t* text;
        const wchar_t* afterFirst;
        const wchar_t* afterSecond;
    };
    const Case cases[] = {
        {L"<a/>", L"<a>\r\n<b/>\r\n</a>", L"<a>\r\n<b/>\r\n<c/>\r\n</a>"},
        {L"<a x=\"1\" />", L"<a x=\"1\" >\r\n<b/>\r\n</a>",
         L"<a x=\"1\" >\r\n<b/>\r\n<c/>\r\n</a>"},
        {L"<a></a>", L"<a>\r\n<b/>\r\n</a>", L"<a>\r\n<b/>\r\n<c/>\r\n</a>"},
        {L"<a>\r\n  </a>", L"<a>\r\n  <b/>\r\n</a>", L"<a>\r\n  <b/>\r\n<c/>\r\n</a>"},
        {L"<a>\r\n<z/>\r\n</a>", L"<a>\r\n<z/>\r\n<b/>\r\n</a>",
         L"<a>\r\n<z/>\r\n<b/>\r\n<c/>\r\n</a>"},
        // Text before the end tag stays in front of the new child.
        {L"<a><z/> t</a>", L"<a><z/> t<b/>\r\n</a>", L"<a><z/> t<b/>\r\n<c/>\r\n</a>"},
    };
    for (const Case& c : cases) {
        XmlDocument document;
        ASSERT_TRUE(document.SetText(c.text)) << c.text;
        ASSERT_TRUE(document.FindElement(L"a"));
        ASSERT_TRUE(document.EnterElement());
        ASSERT_TRUE(document.AddElement(L"b"));
        EXPECT_EQ(document.Text(), c.afterFirst);
        ASSERT_TRUE(document.AddElement(L"c"));
        EXPECT_EQ(document.Text(), c.afterSecond);
        EXPECT_EQ(Outline(document), OutlineOfText(document.Text())) << c.text;
        EXPECT_TRUE(XmlDocument().SetText(document.Text()));
    }
}

TEST(XmlDocumentTest, EditsKeepTheElementsAroundThemInPlace) {
    XmlDocument document;
    ASSERT_TRUE(document.SetText(L"<r>\r\n\t<a x='1'/>\r\n\t<b x=\"2\"><c x=\"3\"/></b>\r\n</r>"));
    ASSERT_TRUE(document.FindElement(L"r"));
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.FindElement(L"a"));
    ASSERT_TRUE(document.SetAttribute(L"x", L"a much longer value"));
    ASSERT_TRUE(document.AddElement(L"n"));
    ASSERT_TRUE(document.SetAttribute(L"x", L"new"));
    ASSERT_TRUE(document.FindElement(L"b"));
    ASSERT_TRUE(document.SetAttribute(L"x", L""));
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.FindElement(L"c"));
    EXPECT_EQ(document.GetAttribute(L"x"), L"3");
    ASSERT_TRUE(document.AddElement(L"d"));

    EXPECT_EQ(document.Text(),
              L"<r>\r\n\t<a x=\"a much longer value\"/>\r\n\t<n x=\"new\"/>\r\n"
              L"<b x=\"\"><c x=\"3\"/><d/>\r\n</b>\r\n</r>");
    const CString expected = L"r{a[x=a much longer value],n[x=new],b{c[x=3],d}}";
    EXPECT_EQ(Outline(document), expected);
    EXPECT_EQ(OutlineOfText(document.Text()), expected);
}

TEST(XmlDocumentTest, SetAttributeReplacesValuesInPlace) {
    struct Case {
        const wchar_t* text;
        const wchar_t* name;
        const wchar_t* value;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"<item/>", L"x", L"<&>'\"", L"<item x=\"&lt;&amp;&gt;&apos;&quot;\"/>"},
        {L"<a x='old' y=\"2\"/>", L"x", L"new", L"<a x=\"new\" y=\"2\"/>"},
        {L"<a x=old y=\"2\"/>", L"x", L"new", L"<a x=\"new\" y=\"2\"/>"},
        {L"<a y=\"2\" x = \"old\"/>", L"x", L"new", L"<a y=\"2\" x = \"new\"/>"},
        {L"<a flag y=\"2\"/>", L"flag", L"1", L"<a flag=\"1\" y=\"2\"/>"},
        {L"<a y=\"2\" />", L"x", L"v", L"<a y=\"2\" x=\"v\" />"},
        {L"<a\r\n/>", L"x", L"v", L"<a x=\"v\"\r\n/>"},
        {L"<a xx=\"1\"/>", L"x", L"v", L"<a xx=\"1\" x=\"v\"/>"},
        {L"<a>\r\n</a>", L"x", L"v", L"<a x=\"v\">\r\n</a>"},
    };
    for (const Case& c : cases) {
        XmlDocument document;
        ASSERT_TRUE(document.SetText(c.text)) << c.text;
        ASSERT_TRUE(document.FindElement());
        ASSERT_TRUE(document.SetAttribute(c.name, c.value));
        EXPECT_EQ(document.Text(), c.expected);
        EXPECT_EQ(document.GetAttribute(c.name), c.value);
        EXPECT_TRUE(XmlDocument().SetText(document.Text())) << document.Text();
    }
}

TEST(XmlDocumentTest, RefusesAnAttributeThatWouldCloseItsElement) {
    // The '/' of <a flag/> follows an attribute name, so a is not empty: its end tag follows.
    XmlDocument document;
    ASSERT_TRUE(document.SetText(L"<r><a flag/><b/></a></r>"));
    ASSERT_TRUE(document.FindElement(L"r"));
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.FindElement(L"a"));
    EXPECT_FALSE(document.SetAttribute(L"flag", L"1"));
    EXPECT_FALSE(document.SetAttribute(L"y", L"1"));
    EXPECT_EQ(document.Text(), L"<r><a flag/><b/></a></r>");
    EXPECT_EQ(Outline(document), L"r{a{b}}");
}

TEST(XmlDocumentTest, GetAttributeReadsEveryFormOfValue) {
    XmlDocument document;
    ASSERT_TRUE(document.SetText(
        L"<a q=\"dq\" s='s\"q' u=bare e=\"\" flag n=\"&#65;&#x41;&#X41;&Amp;&nosuch;&#0;\"/>"));
    EXPECT_EQ(document.GetAttribute(L"q"), L"");  // no current element yet
    ASSERT_TRUE(document.FindElement(L"a"));
    EXPECT_EQ(document.GetAttribute(L"q"), L"dq");
    EXPECT_EQ(document.GetAttribute(L"s"), L"s\"q");
    EXPECT_EQ(document.GetAttribute(L"u"), L"bare");
    EXPECT_EQ(document.GetAttribute(L"e"), L"");
    EXPECT_EQ(document.GetAttribute(L"flag"), L"");
    EXPECT_EQ(document.GetAttribute(L"missing"), L"");
    EXPECT_EQ(document.GetAttribute(L"n"), L"AAA&&nosuch;&#0;");
    EXPECT_EQ(document.GetTagName(), L"a");
}

TEST(XmlDocumentTest, ReportsMalformedMarkup) {
    struct Case {
        const wchar_t* text;
        bool wellFormed;
        const wchar_t* result;
        const wchar_t* outline;
    };
    const Case cases[] = {
        {L"", false, L"", L""},
        {L"<a><!-- <b> --><![CDATA[<c>]]><?pi <d>?>text</a>", true, L"", L"a"},
        {L"<!DOCTYPE a [<!ELEMENT a ANY><!ATTLIST a x CDATA \"]>\">]><a/>", true, L"", L"a"},
        {L"<a x=\"1>2\" y='/'/>", true, L"", L"a[x=1>2]"},
        {L"<a><b></a>", false, L"<unended_start_tag tagname=\"b\" offset=\"3\" offset2=\"6\"/>",
         L"a{b}"},
        {L"<a><b><c/><d></a>", false,
         L"<unended_start_tag tagname=\"b\" offset=\"3\" offset2=\"13\"/>"
         L"<unended_start_tag tagname=\"d\" offset=\"10\" offset2=\"13\"/>",
         L"a{b,c,d}"},
        {L"<a><b><c></b></a>", false,
         L"<unended_start_tag tagname=\"c\" offset=\"6\" offset2=\"9\"/>", L"a{b{c}}"},
        {L"<a></b></a>", false, L"<lone_end_tag tagname=\"b\" offset=\"3\"/>", L"a"},
        {L"<a><a></a>", false,
         L"<unended_start_tag tagname=\"a\" offset=\"0\" offset2=\"10\"/><root_has_sibling/>",
         L"a,a"},
        {L"<a/><b/>", false, L"<root_has_sibling/>", L"a,b"},
        {L"<?xml version=\"1.0\"?>\r\n", false, L"<no_root_element/>", L""},
        {L"<a><1/></a>", false, L"<first_tag_syntax offset=\"3\"/>", L"a"},
        {L"<a><!x></a>", false, L"<exclamation_tag_syntax offset=\"3\"/>", L"a"},
        {L"<a><!-x></a>", false, L"<comment_tag_syntax offset=\"3\"/>", L"a"},
        {L"<a><![x></a>", false, L"<cdata_section_syntax offset=\"3\"/>", L"a"},
        {L"<!DOCTYPE a [<!X>]><a/>", false, L"<doctype_tag_syntax offset=\"13\"/>", L"a"},
        {L"<a/><b x=\"1>", false, L"<unterminated_tag_syntax type=\"start_tag\" offset=\"4\"/>",
         L"a"},
        {L"<a/></a", false, L"<unterminated_tag_syntax type=\"end_tag\" offset=\"4\"/>", L"a"},
        {L"<a/><!-- x", false, L"<unterminated_tag_syntax type=\"comment\" offset=\"4\"/>", L"a"},
        {L"<a/><", false, L"<unterminated_tag_syntax type=\"tag\" offset=\"4\"/>", L"a"},
        {L"<a>", false, L"<unended_start_tag tagname=\"a\" offset=\"0\" offset2=\"3\"/>", L"a"},
    };
    for (const Case& c : cases) {
        XmlDocument document;
        EXPECT_EQ(document.SetText(c.text), c.wellFormed) << c.text;
        EXPECT_EQ(document.ResultText(), c.result) << c.text;
        EXPECT_EQ(Outline(document), c.outline) << c.text;
    }
}

TEST(XmlDocumentTest, DeepNestingNeedsNoRecursion) {
    constexpr int kDepth = 100000;
    CString opened;
    CString closed;
    for (int i = 0; i < kDepth; ++i) {
        opened += L"<a>";
        closed += L"</a>";
    }
    XmlDocument document;
    ASSERT_TRUE(document.SetText(opened + closed));
    int depth = 0;
    while (document.FindElement(L"a") && document.EnterElement()) {
        ++depth;
    }
    EXPECT_EQ(depth, kDepth);

    // Never closed: every element becomes a sibling of the first, and the result text stops
    // growing at its limit.
    EXPECT_FALSE(document.SetText(opened + L"</b>"));
    EXPECT_LT(document.ResultText().size(), 1100u);
    int siblings = 0;
    while (document.FindElement(L"a")) {
        ++siblings;
    }
    EXPECT_EQ(siblings, kDepth);
}

TEST(XmlDocumentTest, NonEndedElementKeepsOnlyItsStartTag) {
    XmlDocument document;
    ASSERT_FALSE(document.SetText(L"<a><b x=\"1\"><c/></a>"));
    ASSERT_TRUE(document.FindElement(L"a"));
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.FindElement(L"b"));
    ASSERT_TRUE(document.SetAttribute(L"y", L"2"));
    EXPECT_EQ(document.Text(), L"<a><b x=\"1\" y=\"2\"><c/></a>");
    // c became b's next sibling; b has no children and takes none.
    ASSERT_TRUE(document.EnterElement());
    EXPECT_FALSE(document.FindElement());
    EXPECT_FALSE(document.AddElement(L"d"));
    ASSERT_TRUE(document.LeaveElement());
    ASSERT_TRUE(document.FindElement(L"c"));
    EXPECT_EQ(document.Text(), L"<a><b x=\"1\" y=\"2\"><c/></a>");
}

TEST(XmlDocumentTest, NavigationFailsWithoutMoving) {
    XmlDocument document;
    ASSERT_TRUE(document.SetText(L"<r><a/><b><deep/></b><c/></r>"));
    EXPECT_FALSE(document.EnterElement());
    EXPECT_FALSE(document.LeaveElement());
    EXPECT_FALSE(document.FindElement(L"deep"));
    ASSERT_TRUE(document.FindElement(L"r"));
    EXPECT_FALSE(document.LeaveElement());
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.FindElement(L"b"));
    EXPECT_FALSE(document.FindElement(L"deep"));  // only deeper
    EXPECT_FALSE(document.FindElement(L"a"));     // only before
    EXPECT_EQ(document.GetTagName(), L"b");
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.FindElement(L"deep"));
    ASSERT_TRUE(document.LeaveElement());
    EXPECT_EQ(document.GetTagName(), L"b");
    // Entering again comes back to the child that was current when b was left.
    ASSERT_TRUE(document.EnterElement());
    EXPECT_EQ(document.GetTagName(), L"deep");
    ASSERT_TRUE(document.LeaveElement());
    ASSERT_TRUE(document.FindElement());
    EXPECT_EQ(document.GetTagName(), L"c");
    EXPECT_FALSE(document.FindElement());
    EXPECT_EQ(document.GetTagName(), L"c");
}

TEST(XmlDocumentTest, NamesMatchExactlyUpToTheirEnd) {
    XmlDocument document;
    ASSERT_TRUE(document.SetText(L"<r><keyboard/><key\r\nx=\"1\"/><Key/><key.info/></r>"));
    ASSERT_TRUE(document.FindElement(L"r"));
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.FindElement(L"key"));
    EXPECT_EQ(document.GetAttribute(L"x"), L"1");
    EXPECT_FALSE(document.FindElement(L"key"));
    document.ResetPosition();
    ASSERT_TRUE(document.FindElement(L"r"));
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.FindElement(L"key.info"));
    document.ResetPosition();
    ASSERT_TRUE(document.FindElement(L"r"));
    ASSERT_TRUE(document.EnterElement());
    // A name given with a trailing blank or path syntax is compared up to that character.
    ASSERT_TRUE(document.FindElement(L"Key [1]"));
    EXPECT_EQ(document.GetTagName(), L"Key");
}

TEST(XmlDocumentTest, RefusesNamesThatWouldBreakTheMarkup) {
    XmlDocument document;
    ASSERT_TRUE(document.SetText(L"<a/>"));
    EXPECT_FALSE(document.SetAttribute(L"x", L"1"));  // no current element
    ASSERT_TRUE(document.FindElement(L"a"));
    for (const wchar_t* name : {L"", L"1a", L"a b", L"a/", L"a>", L"a\"", L"-a", L"a=b"}) {
        EXPECT_FALSE(document.SetAttribute(name, L"1")) << name;
        EXPECT_FALSE(document.AddElement(name)) << name;
    }
    EXPECT_FALSE(document.AddElement(CString(1021, L'n')));
    EXPECT_EQ(document.Text(), L"<a/>");
}

}  // namespace
