// The front-to-back writer that saves profiles must write what the editable document writes
// for the same elements, to the byte: both give profiles their form.
#include "profile/MarkupWriter.h"
#include "profile/XmlDoc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An element with its attributes and the elements inside it.
struct Node {
    std::string name;
    std::vector<XmlNewAttribute> attributes;
    std::vector<Node> children;
};

void Write(MarkupWriter& out, const Node& node) {
    out.StartElement(node.name, node.attributes.data(), node.attributes.size());
    for (const Node& child : node.children) {
        Write(out, child);
    }
    out.EndElement();
}

void Append(CXmlDoc& doc, const Node& node) {
    ASSERT_TRUE(doc.AppendElement(node.name, node.attributes.data(), node.attributes.size()));
    if (node.children.empty()) {
        return;
    }
    ASSERT_TRUE(doc.EnterElement());
    for (const Node& child : node.children) {
        Append(doc, child);
    }
    ASSERT_TRUE(doc.LeaveElement());
}

TEST(MarkupWriter, WritesWhatTheDocumentWritesForTheSameElements) {
    const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
    const Node leaf{"x", {{"ID", 0}, {"Text", L"a<b&\"c\"'\x1F\xE9\x4E2D"}}, {}};
    const Node list{"List", {{"SizeOfView", 8}, {"Delay", -2147483647 - 1}}, {leaf, leaf}};
    const std::vector<Node> cases = {
        {"A", {}, {}},
        {"Z9RT(PRSM)Ble", {}, {{"B", {{"k", 1}}, {}}}},
        {"Root", {}, {list, {"Empty", {{"v", L""}}, {}}, {"Deep", {}, {{"x", {}, {list}}}}}},
    };
    for (const Node& root : cases) {
        MarkupWriter out(4);  // too little room at first: the text must grow intact
        out.Raw(declaration);
        Write(out, root);
        const std::string written = out.Finish();

        CXmlDoc doc;
        doc.SetUtf8Text(declaration);
        Append(doc, root);
        EXPECT_EQ(written, doc.Utf8Text()) << root.name;
    }
}

TEST(MarkupWriter, FinishEndsWhatIsOpenAndStartsAgainEmpty) {
    MarkupWriter out;
    out.StartElement("A");
    out.StartElement("B");
    EXPECT_EQ(out.Finish(), "<A>\r\n<B/>\r\n</A>\r\n");
    out.EndElement();  // nothing open: nothing written
    out.StartElement("C");
    EXPECT_EQ(out.Finish(), "<C/>\r\n");
}

}  // namespace
