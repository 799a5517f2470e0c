// The encodings of document files: how a file's bytes become the document's UTF-8 text and
// back.
#pragma once

#include "profile/FileAccess.h"

#include <optional>
#include <string>
#include <string_view>

namespace profile {

// What becomes of bytes that are not valid UTF-8 in a file read as UTF-8.
enum class InvalidUtf8 {
    AsLatin1,  // each is taken as a Latin-1 character, so that every file reads as something
    Keep,      // they stay as they are, for a strict reader to refuse
};

// Decodes a file's bytes into UTF-8: a byte-order mark (UTF-8, UTF-16LE, UTF-16BE) decides
// and is skipped; without one, UTF-16 is recognised by the zero bytes around the first
// characters, then the encoding that the XML declaration (or an HTML meta element) declares is
// used, and otherwise UTF-8. UTF-8 text is handed back without a copy.
std::string DecodeDocumentBytes(std::string bytes, InvalidUtf8 invalid = InvalidUtf8::AsLatin1);
// The text of a file that DecodeDocumentBytes reads as UTF-8, without its byte-order mark and
// without a copy (its invalid bytes, if any, not replaced); nothing for a file in another
// encoding.
std::optional<std::string_view> Utf8DocumentText(std::string_view bytes);

// Encodes the text (UTF-8, given in two pieces that follow each other) in the encoding its
// XML declaration names, UTF-8 without one, with no byte-order mark, handing the bytes to
// `sink`. Characters the named encoding cannot represent become "?". False when the sink
// refused a piece.
bool EncodeDocumentText(std::string_view head, std::string_view tail, const ByteSink& sink);
std::string EncodeDocumentText(std::string_view head, std::string_view tail);

// The "encoding" value of an XML declaration at the start of the text; empty without one.
std::string DeclaredXmlEncoding(std::string_view start);

}  // namespace profile
