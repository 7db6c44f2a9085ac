#include "report/Utf8Conversion.h"

#include "base/Utf8Sequence.h"

#include <cerrno>
#include <iconv.h>

namespace quorvel {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

std::string asciiOnly(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x80) {
            out += c;
        } else {
            out += kReplacement;
        }
    }
    return out;
}

} // namespace

std::string convertToUtf8(std::string_view text, const char* fromCharset) {
    const iconv_t converter = ::iconv_open("UTF-8", fromCharset);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return asciiOnly(text);
    }
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(text.data()); // iconv's interface; it only reads
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* next = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t result = ::iconv(converter, &in, &inLeft, &next, &room);
        out.append(buffer, static_cast<std::size_t>(next - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: one byte is replaced, and the rest converted anew.
            out += kReplacement;
            ++in;
            --inLeft;
            ::iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    // What a shift state still holds.
    char* next = buffer;
    std::size_t room = sizeof buffer;
    ::iconv(converter, nullptr, nullptr, &next, &room);
    out.append(buffer, static_cast<std::size_t>(next - buffer));
    ::iconv_close(converter);
    return out;
}

bool isValidUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        if (length == 0) {
            return false;
        }
        text.remove_prefix(length);
    }
    return true;
}

std::string replaceInvalidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        if (length == 0) {
            out += "\xef\xbf\xbd";
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    return out;
}

} // namespace quorvel
