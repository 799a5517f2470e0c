// A small streaming JSON writer for the tool's --json output: compact, UTF-8 in and out,
// with control characters escaped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace z9rt::cli {

class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view name);
    JsonWriter& String(std::string_view value);
    JsonWriter& Number(long long value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    const std::string& Text() const { return text_; }

private:
    void BeforeValue();

    std::string text_;
    std::vector<bool> firstInScope_;  // one entry per open object or array
    bool afterKey_ = false;
};

std::string JsonQuoted(std::string_view value);

}  // namespace z9rt::cli
