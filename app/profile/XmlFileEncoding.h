// The encodings of document files: how a file's bytes become the document's UTF-8 text and
// back.
#pragma once

#include "profile/FileAccess.h"

#include <string>
#include <string_view>

// Decodes a file's bytes into valid UTF-8: a byte-order mark (UTF-8, UTF-16LE, UTF-16BE)
// decides and is skipped; without one, UTF-16 is recognised by the zero bytes around the
// first characters, then the encoding that the XML declaration (or an HTML meta element)
// declares is used, and otherwise UTF-8. Bytes that are not valid UTF-8 are taken as
// Latin-1 characters.
std::string DecodeDocumentBytes(std::string bytes);

// Encodes the text (UTF-8, given in two pieces that follow each other) in the encoding its
// XML declaration names, UTF-8 without one, with no byte-order mark, handing the bytes to
// `sink`. Characters the named encoding cannot represent become "?". False when the sink
// refused a piece.
bool EncodeDocumentText(std::string_view head, std::string_view tail, const ByteSink& sink);
std::string EncodeDocumentText(std::string_view head, std::string_view tail);

// The "encoding" value of an XML declaration at the start of the text; empty without one.
std::string DeclaredXmlEncoding(std::string_view start);
