// Named encodings through the Win32 conversions: the encoding's name is looked up as a
// Windows code page.
#include "profile/NamedEncoding.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <windows.h>

namespace profile {

namespace {

struct NamedCodePage {
    const char* name;
    UINT codePage;
};

// Names without a number in them, as XML declarations and HTML pages write them.
constexpr NamedCodePage kNamedCodePages[] = {
    {"us-ascii", 20127},     {"ascii", 20127},   {"latin1", 28591},
    {"gb2312", 936},         {"gbk", 936},       {"gb18030", 54936},
    {"big5", 950},           {"shift_jis", 932}, {"shift-jis", 932},
    {"sjis", 932},           {"euc-jp", 20932},  {"euc-kr", 949},
    {"ks_c_5601-1987", 949}, {"koi8-r", 20866},  {"koi8-u", 21866},
    {"macintosh", 10000},
};

std::string Lowered(const std::string& name) {
    std::string lowered(name);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

// The number after `prefix` when the whole name is the prefix and a number.
UINT NumberAfter(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        !std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; })) {
        return 0;
    }
    return static_cast<UINT>(std::strtoul(name.c_str() + prefix.size(), nullptr, 10));
}

// The code page of an encoding name, 0 when it names none that Windows has.
UINT CodePageOf(const std::string& encoding) {
    const std::string name = Lowered(encoding);
    for (const NamedCodePage& known : kNamedCodePages) {
        if (name == known.name) {
            return known.codePage;
        }
    }
    UINT codePage = 0;
    if (const UINT part = NumberAfter(name, "iso-8859-"); part >= 1 && part <= 16) {
        codePage = 28590 + part;
    } else if (const UINT number = NumberAfter(name, "windows-")) {
        codePage = number;
    } else if (const UINT cp = NumberAfter(name, "cp")) {
        codePage = cp;
    } else if (const UINT ibm = NumberAfter(name, "ibm")) {
        codePage = ibm;
    }
    // UTF-7 and UTF-8 take other flags; UTF-8 and UTF-16 never come here.
    if (codePage == 0 || codePage == CP_UTF7 || codePage == CP_UTF8 || !IsValidCodePage(codePage)) {
        return 0;
    }
    return codePage;
}

std::wstring WideOf(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
    return wide;
}

std::string BytesOf(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    const bool defaultCharacter = codePage != CP_UTF8;
    const char* const unrepresentable = defaultCharacter ? "?" : nullptr;
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, unrepresentable, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, bytes.data(), length, unrepresentable,
                        nullptr);
    return bytes;
}

}  // namespace

std::optional<std::string> Utf8FromNamedEncoding(std::string_view bytes, const std::string& name) {
    const UINT codePage = CodePageOf(name);
    if (codePage == 0) {
        return std::nullopt;
    }
    // Bytes the code page has no character for become U+FFFD on the way.
    return BytesOf(CP_UTF8, WideOf(codePage, bytes));
}

std::optional<std::string> NamedEncodingFromUtf8(std::string_view text, const std::string& name) {
    const UINT codePage = CodePageOf(name);
    if (codePage == 0) {
        return std::nullopt;
    }
    return BytesOf(codePage, WideOf(CP_UTF8, text));
}

}  // namespace profile
