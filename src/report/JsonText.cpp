#include "report/JsonText.h"

#include "engine/PairRecord.h"
#include "report/Base64.h"
#include "report/Utf8Conversion.h"

#include <algorithm>
#include <cstring>
#include <locale.h>

namespace quorvel {

void putJsonText(JsonObject& object, const std::string& key, std::string_view text) {
    if (isValidUtf8(text)) {
        object[key] = std::string(text);
        return;
    }
    object[key] = replaceInvalidUtf8(text);
    object[key + "_bytes"] = base64Encode(text);
}

std::string jsonLine(const JsonObject& object) {
    // Every text put in is valid UTF-8 already; the replacement only guards against a slip.
    return object.dump(-1, ' ', false, JsonObject::error_handler_t::replace) + '\n';
}

std::string reasonText(int errorCode) {
    if (const char* own = ownReasonText(errorCode)) {
        return own;
    }
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const char* text = cLocale ? strerror_l(errorCode, cLocale) : std::strerror(errorCode);
    return text && *text ? text : "error " + std::to_string(errorCode);
}

void appendJsonString(std::string& text, std::string_view value) {
    const bool unchanged = std::all_of(value.begin(), value.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte < 0x80 && c != '"' && c != '\\';
    });
    if (unchanged) {
        text.append(1, '"').append(value).append(1, '"');
        return;
    }
    text +=
        JsonObject(std::string(value)).dump(-1, ' ', false, JsonObject::error_handler_t::replace);
}

void appendJsonPath(std::string& text, std::string_view path, std::string_view bytesKey) {
    if (isValidUtf8(path)) {
        appendJsonString(text, path);
        return;
    }
    appendJsonString(text, replaceInvalidUtf8(path));
    text += ",\"";
    text += bytesKey;
    text += "\":";
    appendJsonString(text, base64Encode(path));
}

} // namespace quorvel
