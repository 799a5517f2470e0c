#include "TestFiles.h"
#include "model/WideText.h"
#include "profile/XmlDoc.h"
#include "profile/XmlEscape.h"

#include <gtest/gtest.h>

#include <string>

using model::Utf8FromWide;
using model::WideFromUtf8;
using profile::CXmlDoc;
using profile::kMaxDocumentFileBytes;
using profile::kMaxEscapedLength;
using profile::Unescape;
using profile::UnescapeUtf8;
using profile::WriteEscapedAttribute;

using namespace model;
using namespace profile;

namespace {

// A small document in UTF-16, as a file holds it.
std::string Utf16(const std::u16string& text, bool bigEndian, bool mark) {
    std::string bytes;
    auto put = [&bytes, bigEndian](char16_t unit) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    };
    if (mark) {
        put(0xFEFF);
    }
    for (char16_t unit : text) {
        put(unit);
    }
    return bytes;
}

const std::u16string kUtf16Document =
    u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<r v=\"宏 \U0001F600 &amp;\"/>\r\n";
const std::wstring kValue = L"宏 \U0001F600 &";

std::wstring ValueOf(CXmlDoc& doc) {
    doc.ResetPosition();
    return doc.FindNextElement(L"r") ? doc.GetAttribute(L"v") : L"<no element r>";
}

TEST(XmlEncoding, Utf16WithAndWithoutMarkReadsLikeUtf8) {
    for (bool bigEndian : {false, true}) {
        for (bool mark : {false, true}) {
            CXmlDoc doc;
            doc.LoadBytes(Utf16(kUtf16Document, bigEndian, mark));
            EXPECT_EQ(ValueOf(doc), kValue) << bigEndian << mark;
        }
    }
    CXmlDoc utf8;
    utf8.LoadBytes("\xEF\xBB\xBF<r v=\"\xE5\xAE\x8F \xF0\x9F\x98\x80 &amp;\"/>");
    EXPECT_EQ(ValueOf(utf8), kValue);
}

TEST(XmlEncoding, DeclaredEncodingsAreConverted) {
    CXmlDoc latin;
    latin.LoadBytes("<?xml version=\"1.0\" encoding=\"windows-1252\"?><r v=\"caf\xE9 \x80\"/>");
    EXPECT_EQ(ValueOf(latin), L"caf\u00E9 \u20AC");

    CXmlDoc japanese;
    japanese.LoadBytes("<?xml version='1.0' encoding='Shift_JIS'?><r v=\"\x93\xFA\x96\x7B\"/>");
    EXPECT_EQ(ValueOf(japanese), L"日本");

    CXmlDoc html;
    html.LoadBytes(
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=ISO-8859-1\"></head><r v=\"\xE9\"/></html>");
    html.ResetPosition();
    ASSERT_TRUE(html.FindNextElement(L"html"));
    html.EnterElement();
    ASSERT_TRUE(html.FindNextElement(L"r"));
    EXPECT_EQ(html.GetAttribute(L"v"), L"\u00E9");

    // An encoding nobody knows: the bytes are read as UTF-8.
    CXmlDoc unknown;
    unknown.LoadBytes("<?xml version=\"1.0\" encoding=\"x-no-such\"?><r v=\"\xE5\xAE\x8F\"/>");
    EXPECT_EQ(ValueOf(unknown), L"宏");
}

TEST(XmlEncoding, BytesThatAreNotUtf8AreReadAsLatin1) {
    CXmlDoc doc;
    doc.LoadBytes("<r v=\"caf\xE9 \xE5\xAE\x8F\"/>");  // one stray byte beside valid UTF-8
    EXPECT_EQ(ValueOf(doc), L"caf\u00E9 宏");
    // A declared UTF-16 in a file that reads as 8-bit text is not UTF-16.
    CXmlDoc misdeclared;
    misdeclared.LoadBytes(R"(<?xml version="1.0" encoding="UTF-16"?><r v="ok"/>)");
    EXPECT_EQ(ValueOf(misdeclared), L"ok");
}

TEST(XmlEncoding, SavingWritesTheDeclaredEncodingWithoutMark) {
    ScratchFolder folder;
    const std::wstring body = L"<r v=\"caf\u00E9 \u20AC 宏\"/>\r\n";

    CXmlDoc utf8;
    utf8.SetText(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n" + body);
    ASSERT_TRUE(utf8.SaveFile(folder / "utf8.xml"));
    EXPECT_EQ(ReadBytes(folder / "utf8.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<r v=\"caf\xC3\xA9 \xE2\x82\xAC "
              "\xE5\xAE\x8F\"/>\r\n");

    CXmlDoc utf16;
    utf16.SetText(L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" + body);
    ASSERT_TRUE(utf16.SaveFile(folder / "utf16.xml"));
    const std::string bytes = ReadBytes(folder / "utf16.xml");
    EXPECT_EQ(bytes.substr(0, 4), std::string("<\0?\0", 4));
    CXmlDoc reread;
    ASSERT_TRUE(reread.LoadFile(folder / "utf16.xml"));
    EXPECT_EQ(reread.GetText(), utf16.GetText());

    CXmlDoc latin;
    latin.SetText(L"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n" + body);
    ASSERT_TRUE(latin.SaveFile(folder / "latin.xml"));
    EXPECT_EQ(ReadBytes(folder / "latin.xml"),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<r v=\"caf\xE9 ? ?\"/>\r\n");
}

// Characters beyond U+FFFF are one wchar_t where it has 32 bits and a surrogate pair where it
// has 16 (Windows); either way they travel whole through every conversion, and only a half of
// a pair on its own becomes U+FFFD.
TEST(XmlEncoding, CharactersBeyondTheBasicPlaneStayWhole) {
    const std::string smiley = "\xF0\x9F\x98\x80";  // U+1F600
    const std::wstring wide = WideFromUtf8("a" + smiley + "b");
    EXPECT_EQ(wide, L"a\U0001F600b");
    EXPECT_EQ(wide.size(), kWideIsUtf16 ? 4u : 3u);
    EXPECT_EQ(Utf8FromWide(wide), "a" + smiley + "b");

    const std::wstring half(1, static_cast<wchar_t>(0xD83D));
    EXPECT_EQ(Utf8FromWide(half + L"x"), "\xEF\xBF\xBDx");

    std::string escaped(kMaxEscapedLength * 8, '\0');
    escaped.resize(static_cast<std::size_t>(WriteEscapedAttribute(escaped.data(), L"<\U0001F600>") -
                                            escaped.data()));
    EXPECT_EQ(escaped, "&lt;" + smiley + "&gt;");
    EXPECT_EQ(Unescape(L"&#x1F600;&#128512;"), L"\U0001F600\U0001F600");
    EXPECT_EQ(UnescapeUtf8("&#x1F600;" + smiley), L"\U0001F600\U0001F600");

    // Saved as UTF-16 the character is one surrogate pair, and it reads back the same.
    ScratchFolder folder;
    CXmlDoc utf16;
    utf16.SetText(L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><r v=\"\U0001F600\"/>");
    ASSERT_TRUE(utf16.SaveFile(folder / "utf16.xml"));
    EXPECT_NE(ReadBytes(folder / "utf16.xml").find(std::string("\x3D\xD8\x00\xDE", 4)),
              std::string::npos);
    CXmlDoc reread;
    ASSERT_TRUE(reread.LoadFile(folder / "utf16.xml"));
    EXPECT_EQ(ValueOf(reread), L"\U0001F600");
}

TEST(XmlEncoding, LoadingAMissingFileFailsAndLeavesTheDocumentEmpty) {
    ScratchFolder folder;
    CXmlDoc doc;
    doc.SetText(L"<old/>");
    std::string whyNot;
    EXPECT_FALSE(doc.LoadFile(folder / "missing.xml", &whyNot));
    EXPECT_NE(whyNot.find("No such file"), std::string::npos) << whyNot;
    EXPECT_EQ(doc.GetText(), L"");
    EXPECT_FALSE(doc.FindNextElement(L"old"));
    EXPECT_FALSE(doc.LoadFile(folder.Path(), &whyNot));  // a folder
}

TEST(XmlEncoding, FilesBeyondTheSizeLimitAreNotRead) {
    ScratchFolder folder;
    const std::filesystem::path big = folder / "big.xml";
    {
        std::ofstream out(big, std::ios::binary);
        out << "<r/>";
    }
    std::filesystem::resize_file(big, kMaxDocumentFileBytes + 1);  // sparse: no disk used
    CXmlDoc doc;
    std::string whyNot;
    EXPECT_FALSE(doc.LoadFile(big, &whyNot));
    EXPECT_NE(whyNot.find("too large"), std::string::npos) << whyNot;
}

}  // namespace
