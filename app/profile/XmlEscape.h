// Character references in markup: escaping of attribute values for writing, and unescaping of
// the references a reader meets (the five XML ones, numeric references and the named
// references of HTML 4.01).
#pragma once

#include <string>
#include <string_view>

// Appends `value` with "<", "&", ">", '"' and "'" written as references.
void AppendEscapedAttribute(std::wstring& out, std::wstring_view value);

// Appends element text with only "<", "&" and ">" written as references.
void AppendEscapedText(std::wstring& out, std::wstring_view text);

// Replaces every recognised reference by its character; a reference that is not recognised
// stays as written.
std::wstring Unescape(std::wstring_view text);

// The character of an HTML 4.01 named reference (the name without "&" and ";"), 0 when the
// name is not one of them.
char32_t HtmlNamedCharacter(std::wstring_view name);
