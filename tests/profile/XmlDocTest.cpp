#include "profile/XmlDoc.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using profile::CXmlDoc;
using profile::XmlNewAttribute;

namespace {

constexpr const wchar_t* kDeclaration = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

TEST(XmlDocWriting, TheExampleDocument) {
    CXmlDoc doc;
    doc.SetText(kDeclaration);
    ASSERT_TRUE(doc.AppendElement(L"A"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement(L"B"));
    ASSERT_TRUE(doc.SetAttribute(L"k", L"1<2"));
    EXPECT_EQ(doc.GetText(), std::wstring(kDeclaration) +
                                 L"<A>\r\n"
                                 L"<B k=\"1&lt;2\"/>\r\n"
                                 L"</A>\r\n");
}

TEST(XmlDocWriting, ElementsLineUpAndAttributesKeepTheirOrder) {
    CXmlDoc doc;
    doc.SetText(kDeclaration);
    doc.AppendElement(L"Z9RT(S)");
    doc.EnterElement();
    doc.AppendElement(L"First");
    doc.SetAttribute(L"b", 2);
    doc.SetAttribute(L"a", -2147483647 - 1);
    doc.EnterElement();
    doc.AppendElement(L"Inner");
    doc.LeaveElement();
    doc.AppendElement(L"Second");
    doc.SetAttribute(L"b", L"x");
    doc.SetAttribute(L"b", L"longer value");  // replaced in place
    doc.SetAttribute(L"c", L"");
    doc.LeaveElement();
    EXPECT_EQ(doc.GetText(), std::wstring(kDeclaration) +
                                 L"<Z9RT(S)>\r\n"
                                 L"<First b=\"2\" a=\"-2147483648\">\r\n"
                                 L"<Inner/>\r\n"
                                 L"</First>\r\n"
                                 L"<Second b=\"longer value\" c=\"\"/>\r\n"
                                 L"</Z9RT(S)>\r\n");
    CXmlDoc reparsed;
    EXPECT_TRUE(reparsed.SetText(doc.GetText()));  // well-formed
    EXPECT_TRUE(reparsed.Diagnostics().empty());
}

TEST(XmlDocWriting, AppendAfterACurrentElementInTheMiddle) {
    CXmlDoc doc;
    doc.SetText(L"<r>\r\n<a/>\r\n<c/>\r\n</r>\r\n");
    doc.FindNextElement(L"r");
    doc.EnterElement();
    doc.FindNextElement(L"a");
    doc.AppendElement(L"b");
    doc.SetAttribute(L"n", 1);
    EXPECT_EQ(doc.GetText(), L"<r>\r\n<a/>\r\n<b n=\"1\"/>\r\n<c/>\r\n</r>\r\n");
    // The index follows the text: c is found after b, and attributes of c can be set.
    ASSERT_TRUE(doc.FindNextElement(L"c"));
    doc.SetAttribute(L"m", L"2");
    doc.ResetPosition();
    ASSERT_TRUE(doc.FindNextElement(L"r"));
    doc.EnterElement();
    ASSERT_TRUE(doc.FindNextElement(L"b"));
    EXPECT_EQ(doc.GetAttribute(L"n"), L"1");
    ASSERT_TRUE(doc.FindNextElement(L"c"));
    EXPECT_EQ(doc.GetAttribute(L"m"), L"2");
    EXPECT_EQ(doc.GetText(), L"<r>\r\n<a/>\r\n<b n=\"1\"/>\r\n<c m=\"2\"/>\r\n</r>\r\n");
}

TEST(XmlDocWriting, EditingAParsedDocumentKeepsItsIndexRight) {
    CXmlDoc doc;
    doc.SetText(
        L"<root x='1'>\n  <item id=\"1\">text</item>\n  <item id='2'/>\n</root>\n<!-- end -->");
    ASSERT_TRUE(doc.FindNextElement(L"root"));
    doc.SetAttribute(L"x", L"one & only");  // in place, single quotes kept
    doc.SetAttribute(L"y", 7);
    doc.EnterElement();
    ASSERT_TRUE(doc.FindNextElement(L"item"));
    doc.SetAttribute(L"id", L"first");
    doc.AppendElement(L"new");  // after the first item's line
    ASSERT_TRUE(doc.FindNextElement(L"item"));
    EXPECT_EQ(doc.GetAttribute(L"id"), L"2");
    doc.EnterElement();
    doc.AppendElement(L"child");  // the empty item opens up
    doc.LeaveElement();
    doc.LeaveElement();
    EXPECT_EQ(doc.GetText(),
              L"<root x='one &amp; only' y=\"7\">\n  <item id=\"first\">text</item>\n"
              L"<new/>\r\n  <item id='2'>\r\n<child/>\r\n</item>\n</root>\n<!-- end -->");
    EXPECT_EQ(doc.GetAttribute(L"x"), L"one & only");
    EXPECT_EQ(doc.GetAttribute(L"y"), L"7");

    // Everything reads back the same after parsing the edited text again.
    CXmlDoc again;
    EXPECT_TRUE(again.SetText(doc.GetText()));
    ASSERT_TRUE(again.FindNextElement(L"root"));
    again.EnterElement();
    ASSERT_TRUE(again.FindNextElement(L"new"));
    ASSERT_TRUE(again.FindNextElement(L"item"));
    again.EnterElement();
    EXPECT_TRUE(again.FindNextElement(L"child"));
}

TEST(XmlDocWriting, RefusesNamesThatWouldBreakTheText) {
    CXmlDoc doc;
    EXPECT_FALSE(doc.SetAttribute(L"a", L"no current element"));
    EXPECT_FALSE(doc.AppendElement(L""));
    EXPECT_FALSE(doc.AppendElement(L"a b"));
    EXPECT_FALSE(doc.AppendElement(L"a>"));
    EXPECT_FALSE(doc.AppendElement(L"a/"));
    EXPECT_TRUE(doc.WriteFailed());
    ASSERT_TRUE(doc.AppendElement(L"ok"));
    EXPECT_FALSE(doc.SetAttribute(L"x=\"1\" y", L"v"));
    EXPECT_FALSE(doc.SetAttribute(L"", L"v"));
    EXPECT_EQ(doc.GetText(), L"<ok/>\r\n");
}

// Writing an element with its attributes at once gives the text, the index and the refusals
// that appending it and setting them one by one gives, wherever it goes.
TEST(XmlDocWriting, AttributesWrittenWithTheElementMatchSettingThemOneByOne) {
    struct Case {
        const char* what;
        std::vector<XmlNewAttribute> attributes;
    };
    const std::wstring text = L"a<b & \"c\" 宏";
    const std::vector<Case> cases = {
        {"none", {}},
        {"numbers", {{"SizeOfView", 9}, {"Delay", -2147483647 - 1}, {"PlayMode", 2147483647}}},
        {"numbers and texts", {{"ID", 12}, {"t1", std::wstring_view(text)}, {"e", L""}}},
        {"a name twice: the second replaces", {{"n", 1}, {"m", L"x"}, {"n", L"longer"}}},
        {"names sharing a hash bit", {{"aa", 1}, {"df", 2}}},
        {"a name that cannot be one", {{"ok", 1}, {"x=\"1\" y", 2}, {"after", 3}}},
    };
    const std::wstring start = L"<r>\r\n<a/>\r\n<c/>\r\n<e/>\r\n</r>\r\n";
    // Where the element goes: after a current element in the middle, at the end of a parent
    // with children, and as the first child of an empty-element tag.
    const std::vector<std::pair<const char*, const char*>> places = {
        {"r", "a"}, {"r", nullptr}, {"e", nullptr}};
    for (const Case& c : cases) {
        for (const auto& [parent, after] : places) {
            SCOPED_TRACE(std::string(c.what) + " in " + parent + " after " +
                         (after != nullptr ? after : "-"));
            CXmlDoc together;
            CXmlDoc oneByOne;
            for (CXmlDoc* doc : {&together, &oneByOne}) {
                doc->SetText(start);
                ASSERT_TRUE(doc->FindNextElement(std::string_view("r")));
                if (std::string_view(parent) != "r") {
                    ASSERT_TRUE(doc->EnterElement());
                    ASSERT_TRUE(doc->FindNextElement(std::string_view(parent)));
                }
                ASSERT_TRUE(doc->EnterElement());
                if (after != nullptr) {
                    ASSERT_TRUE(doc->FindNextElement(std::string_view(after)));
                }
            }
            ASSERT_TRUE(together.AppendElement(std::string_view("b"), c.attributes.data(),
                                               c.attributes.size()));
            ASSERT_TRUE(oneByOne.AppendElement(std::string_view("b")));
            for (const XmlNewAttribute& attribute : c.attributes) {
                if (attribute.isText) {
                    oneByOne.SetAttribute(attribute.utf8Name, attribute.text);
                } else {
                    oneByOne.SetAttribute(attribute.utf8Name, attribute.number);
                }
            }
            EXPECT_EQ(together.GetText(), oneByOne.GetText());
            EXPECT_EQ(together.WriteFailed(), oneByOne.WriteFailed());
            // The index follows: the attributes read back, a later attribute replaces an
            // earlier one, and the elements after the new one are still found.
            for (CXmlDoc* doc : {&together, &oneByOne}) {
                for (const XmlNewAttribute& attribute : c.attributes) {
                    if (!attribute.isText && attribute.utf8Name == "SizeOfView") {
                        EXPECT_EQ(doc->GetAttributeInt(attribute.utf8Name), attribute.number);
                    }
                }
                EXPECT_TRUE(doc->SetAttribute(std::string_view("ID"), 7));
                EXPECT_EQ(doc->GetAttributeInt(std::string_view("ID")), 7);
            }
            EXPECT_EQ(together.GetText(), oneByOne.GetText());
            for (CXmlDoc* doc : {&together, &oneByOne}) {
                doc->ResetPosition();
                ASSERT_TRUE(doc->FindNextElement(std::string_view("r")));
                ASSERT_TRUE(doc->EnterElement());
                EXPECT_TRUE(doc->FindNextElement(std::string_view("e")));
                EXPECT_TRUE(doc->SetAttribute(std::string_view("z"), L"1"));
            }
            EXPECT_EQ(together.GetText(), oneByOne.GetText());
            CXmlDoc reparsed;
            EXPECT_TRUE(reparsed.SetText(together.GetText()));
        }
    }
}

TEST(XmlDocNavigation, EnterAndLeaveAtTheEdges) {
    CXmlDoc doc;
    doc.SetText(L"<a><b/></a>");
    EXPECT_FALSE(doc.EnterElement());  // no current element
    EXPECT_FALSE(doc.LeaveElement());  // top level
    EXPECT_FALSE(doc.HasParent());
    ASSERT_TRUE(doc.FindNextElement(L"a"));
    EXPECT_EQ(doc.CurrentElementName(), L"a");
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_TRUE(doc.HasParent());
    EXPECT_FALSE(doc.HasCurrentElement());
    EXPECT_EQ(doc.GetAttribute(L"x"), L"");
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.CurrentElementName(), L"a");
}

TEST(XmlDocNavigation, FindNextElementNeverLooksBack) {
    CXmlDoc doc;
    doc.SetText(L"<r><x i='1'/><y/><x i='2'/><X i='3'/></r>");
    doc.FindNextElement(L"r");
    doc.EnterElement();
    ASSERT_TRUE(doc.FindNextElement(L"y"));
    ASSERT_TRUE(doc.FindNextElement(L"x"));
    EXPECT_EQ(doc.GetAttribute(L"i"), L"2");
    EXPECT_FALSE(doc.FindNextElement(L"x"));  // the first x lies behind
    EXPECT_EQ(doc.GetAttribute(L"i"), L"2");  // position unchanged
    EXPECT_FALSE(doc.FindNextElement(L"y"));
    ASSERT_TRUE(doc.FindNextElement(L"X"));  // names are case-sensitive
    EXPECT_EQ(doc.GetAttribute(L"i"), L"3");
}

TEST(XmlDocNavigation, NextElementVisitsEverySiblingInOrder) {
    CXmlDoc doc;
    doc.SetText(L"<r><x/>text<y><z/></y><!-- c --><x/></r>");
    doc.FindNextElement(L"r");
    doc.EnterElement();
    std::wstring names;
    while (doc.NextElement()) {
        names += doc.CurrentElementName() + L";";
    }
    EXPECT_EQ(names, L"x;y;x;");
    EXPECT_EQ(doc.CurrentElementName(), L"x");  // stays on the last one
}

TEST(XmlDocReading, AttributeValuesAreUnescaped) {
    CXmlDoc doc;
    doc.SetText(
        L"<a all=\"&lt;&amp;&gt;&quot;&apos;\" num=\"&#65;&#x42;&#X43;\" nbsp=\"x&nbsp;y\" "
        L"euro=\"&euro;&Omega;\" unknown=\"&bogus; &amp &#xD800; &#0; &#1114112;\" "
        L"single='say \"hi\"' spaced = \"  5 \" n=\"&#49;2\"/>");
    doc.FindNextElement(L"a");
    EXPECT_EQ(doc.GetAttribute(L"all"), L"<&>\"'");
    EXPECT_EQ(doc.GetAttribute(L"num"), L"ABC");
    EXPECT_EQ(doc.GetAttribute(L"nbsp"), L"x\u00A0y");
    EXPECT_EQ(doc.GetAttribute(L"euro"), L"\u20AC\u03A9");
    // "&#0;" is the one reference to a character markup may not hold that reads as it: the
    // writer writes a NUL so.
    EXPECT_EQ(doc.GetAttribute(L"unknown"),
              std::wstring(L"&bogus; &amp &#xD800; ") + L'\0' + L" &#1114112;");
    EXPECT_EQ(doc.GetAttribute(L"single"), L"say \"hi\"");
    EXPECT_EQ(doc.GetAttributeInt(L"spaced"), 5);
    EXPECT_EQ(doc.GetAttributeInt(L"n"), 12);
    EXPECT_EQ(doc.GetAttributeInt(L"missing"), 0);
    EXPECT_EQ(doc.GetAttributeInt(L"all"), 0);
}

TEST(XmlDocReading, EveryEscapedCharacterReadsBackUnchanged) {
    const std::wstring value = L"a&b<c>d\"e'f 宏 \U0001F600 &amp; end";
    CXmlDoc doc;
    doc.SetText(kDeclaration);
    doc.AppendElement(L"e");
    doc.SetAttribute(L"v", value);
    EXPECT_NE(
        doc.GetText().find(L"v=\"a&amp;b&lt;c&gt;d&quot;e&apos;f 宏 \U0001F600 &amp;amp; end\""),
        std::wstring::npos);
    EXPECT_EQ(doc.GetAttribute(L"v"), value);
    CXmlDoc parsed;
    parsed.SetText(doc.GetText());
    parsed.FindNextElement(L"e");
    EXPECT_EQ(parsed.GetAttribute(L"v"), value);
}

TEST(XmlDocReading, MarkupThatIsNotAnElementIsSkipped) {
    CXmlDoc doc;
    EXPECT_TRUE(
        doc.SetText(L"<?xml version=\"1.0\"?>\n<!DOCTYPE r [ <!ENTITY e \"<fake/>\"> ]>\n"
                    L"<r><!-- <fake/> --><![CDATA[<fake/>]]><?pi <fake/> ?><real a=\"x>y\"/></r>"));
    doc.FindNextElement(L"r");
    doc.EnterElement();
    EXPECT_FALSE(doc.FindNextElement(L"fake"));
    ASSERT_TRUE(doc.FindNextElement(L"real"));
    EXPECT_EQ(doc.GetAttribute(L"a"), L"x>y");
}

TEST(XmlDocReading, MalformedMarkupIsToleratedAndStaysNavigable) {
    struct Case {
        const wchar_t* text;
        const wchar_t* findable;  // an element that must still be found inside the root
    };
    const Case cases[] = {
        {L"<r><a/><b>", L"a"},                     // elements never ended
        {L"<r><a/></zzz><b/></r>", L"b"},          // end tag without a start tag
        {L"<r><a><b/></r>", L"a"},                 // end tag closing an open child
        {L"<r><a/><b attr=\"never closed", L"a"},  // unterminated tag
        {L"<r><a/>< b/><c/></r>", L"c"},           // "<" that opens nothing
        {L"<r><a/></r><second/>", L"a"},           // second top-level element
    };
    for (const Case& c : cases) {
        CXmlDoc doc;
        EXPECT_FALSE(doc.SetText(c.text)) << c.text;
        EXPECT_FALSE(doc.Diagnostics().empty()) << c.text;
        ASSERT_TRUE(doc.FindNextElement(L"r")) << c.text;
        doc.EnterElement();
        EXPECT_TRUE(doc.FindNextElement(c.findable)) << c.text;
    }
    CXmlDoc empty;
    EXPECT_FALSE(empty.SetText(L"just text"));
    EXPECT_FALSE(empty.FindNextElement(L"r"));
    EXPECT_FALSE(empty.EnterElement());
}

TEST(XmlDocReading, AnUnendedElementCanStillBeWrittenInto) {
    CXmlDoc doc;
    doc.SetText(L"<r><open>");
    doc.FindNextElement(L"r");
    doc.EnterElement();
    doc.FindNextElement(L"open");
    doc.SetAttribute(L"k", 1);
    doc.EnterElement();
    doc.AppendElement(L"inside");
    EXPECT_EQ(doc.GetText(), L"<r><open k=\"1\"><inside/>\r\n");
}

}  // namespace
