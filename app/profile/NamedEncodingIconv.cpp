// Named encodings through iconv from the C library.
#include "profile/NamedEncoding.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>

namespace profile {

namespace {

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";
constexpr char kUnrepresentable = '?';

// Converts with iconv between `from` and `to`; Valid() is false when iconv does not know one
// of them. Input it cannot convert is replaced.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) {
            // Closing a conversion descriptor releases memory only; there is nothing to do
            // about a failure.
            static_cast<void>(iconv_close(handle_));
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const {
        return handle_ != reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
    }

    // Converts `input` and appends the result to `out`. Input it cannot convert becomes
    // `replacement`, and `unitLength` tells how many input bytes to skip then.
    template <typename UnitLength>
    void Convert(std::string_view input, std::string_view replacement, UnitLength unitLength,
                 std::string& out) {
        char* in = const_cast<char*>(input.data());  // iconv does not write through it
        std::size_t inLeft = input.size();
        char buffer[1 << 14];
        while (inLeft > 0) {
            char* write = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &write, &outLeft);
            out.append(buffer, static_cast<std::size_t>(write - buffer));
            if (result != static_cast<std::size_t>(-1) || errno == E2BIG) {
                continue;
            }
            out.append(replacement);
            if (errno == EINVAL) {
                break;  // cut short at the end
            }
            const std::size_t skipped = std::min(inLeft, std::max<std::size_t>(unitLength(in), 1));
            in += skipped;
            inLeft -= skipped;
        }
        char* write = buffer;
        std::size_t outLeft = sizeof buffer;
        // Writes the closing bytes of a stateful encoding; nothing to check for the others.
        static_cast<void>(iconv(handle_, nullptr, nullptr, &write, &outLeft));
        out.append(buffer, static_cast<std::size_t>(write - buffer));
    }

private:
    iconv_t handle_;
};

std::size_t Utf8SequenceLength(const char* lead) {
    const auto c = static_cast<unsigned char>(*lead);
    if (c < 0xC0) {
        return 1;
    }
    return c < 0xE0 ? 2 : (c < 0xF0 ? 3 : 4);
}

}  // namespace

std::optional<std::string> Utf8FromNamedEncoding(std::string_view bytes, const std::string& name) {
    Converter converter("UTF-8", name.c_str());
    if (!converter.Valid()) {
        return std::nullopt;
    }
    std::string text;
    converter.Convert(
        bytes, kUtf8Replacement, [](const char*) { return 1; }, text);
    return text;
}

std::optional<std::string> NamedEncodingFromUtf8(std::string_view text, const std::string& name) {
    Converter converter(name.c_str(), "UTF-8");
    if (!converter.Valid()) {
        return std::nullopt;
    }
    std::string bytes;
    converter.Convert(text, std::string_view(&kUnrepresentable, 1), Utf8SequenceLength, bytes);
    return bytes;
}

}  // namespace profile
