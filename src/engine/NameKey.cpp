#include "engine/NameKey.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

namespace quorvel {

namespace {

bool validUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            return false;
        }
    }
    return true;
}

icu::UnicodeString normalised(const icu::UnicodeString& text) {
    UErrorCode status = U_ZERO_ERROR;
    const auto* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) {
        return text;
    }
    auto result = nfc->normalize(text, status);
    return U_SUCCESS(status) ? result : text;
}

// Simple folding, one code point for one: a name never grows or shrinks by a fold, as "ß" and
// "ss" would.
icu::UnicodeString folded(const icu::UnicodeString& text) {
    icu::UnicodeString result;
    for (std::int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
        result.append(u_foldCase(text.char32At(i), U_FOLD_CASE_DEFAULT));
    }
    return result;
}

} // namespace

std::string nameKey(std::string_view name, NameRule rule) {
    if (rule == NameRule::Exact || !validUtf8(name)) {
        return std::string(name);
    }
    auto text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(name.data(), static_cast<std::int32_t>(name.size())));
    if (normalisesForm(rule)) {
        text = normalised(text);
    }
    if (foldsCase(rule)) {
        text = folded(text);
        // A fold can leave a composed letter beside a mark it would have taken.
        if (normalisesForm(rule)) {
            text = normalised(text);
        }
    }
    std::string key;
    text.toUTF8String(key);
    return key;
}

} // namespace quorvel
