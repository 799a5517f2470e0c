// The markup document on any bytes: decoding and parsing never fail badly, the text is always
// valid UTF-8 and parses the same again, everything parsed can be walked, and what is written
// into it reads back unchanged.
#include "FuzzSupport.h"
#include "model/WideText.h"
#include "profile/XmlDoc.h"

#include <cstddef>
#include <cstdint>
#include <string>

using model::IsValidUtf8;
using model::WideFromUtf8;
using profile::CXmlDoc;

namespace {

using fuzzsupport::Require;

// Visits the elements below the current position depth-first, within a budget.
void Walk(CXmlDoc& doc, int depth, std::size_t& budget) {
    constexpr int kMaxDepth = 200;
    while (budget > 0 && doc.NextElement()) {
        --budget;
        const std::wstring name = doc.CurrentElementName();
        Require(!name.empty());
        static_cast<void>(doc.GetAttribute(L"t1"));
        static_cast<void>(doc.GetAttributeInt(L"ID"));
        if (depth < kMaxDepth && doc.EnterElement()) {
            Walk(doc, depth + 1, budget);
            Require(doc.LeaveElement());
            Require(doc.CurrentElementName() == name);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CXmlDoc doc;
    doc.LoadBytes(bytes);
    const std::string text = doc.Utf8Text();
    Require(IsValidUtf8(text, false));

    CXmlDoc again;
    again.SetText(doc.GetText());
    Require(again.Utf8Text() == text);
    Require(again.Diagnostics() == doc.Diagnostics());

    std::size_t budget = 5000;
    Walk(doc, 0, budget);

    // An element at the end of the document, holding the input as an attribute value, and a
    // child inside it: the live document reads both back.
    const std::wstring value = WideFromUtf8(bytes.substr(0, 300));
    doc.ResetPosition();
    Require(doc.AppendElement(L"fuzz"));
    Require(doc.SetAttribute(L"v", value));
    Require(doc.GetAttribute(L"v") == value);
    Require(doc.EnterElement());
    Require(doc.AppendElement(L"inner"));
    Require(doc.SetAttribute(L"n", static_cast<int>(size)));
    Require(doc.GetAttributeInt(L"n") == static_cast<int>(size));
    Require(doc.LeaveElement());
    Require(doc.SetAttribute(L"v", value + L"&"));
    Require(doc.GetAttribute(L"v") == value + L"&");
    Require(IsValidUtf8(doc.Utf8Text(), false));
    return 0;
}
