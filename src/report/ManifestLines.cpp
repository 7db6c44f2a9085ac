#include "report/ManifestLines.h"

#include "report/Base64.h"
#include "report/Utf8Conversion.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <locale.h>

namespace quorvel {

namespace {

using json = nlohmann::ordered_json;

void putText(json& object, const std::string& key, std::string_view text) {
    if (isValidUtf8(text)) {
        object[key] = std::string(text);
        return;
    }
    object[key] = replaceInvalidUtf8(text);
    object[key + "_bytes"] = base64Encode(text);
}

std::string line(const json& object) {
    return object.dump(-1, ' ', false, json::error_handler_t::replace) + '\n';
}

std::string reasonText(int errorCode) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const char* text = cLocale ? strerror_l(errorCode, cLocale) : std::strerror(errorCode);
    return text && *text ? text : "error " + std::to_string(errorCode);
}

} // namespace

std::string manifestHeaderLine(const ManifestInfo& info) {
    json object;
    object["type"] = "header";
    object["format"] = kManifestFormatName;
    object["version"] = kManifestVersion;
    putText(object, "tree", info.tree);
    object["hash"] = kManifestHashName;
    putText(object, "filter", info.filter);
    putText(object, "exclusions", info.exclusions);
    object["recurse"] = info.recurse;
    object["date"] = info.date;
    return line(object);
}

void appendManifestFileLine(std::string& text, std::string_view path, std::int64_t size,
                            std::int64_t modifiedNanoseconds, const Hash128& hash) {
    // Written around the library's string escaping rather than built as a document per file, as
    // the report for scripts writes its pairs: the document cost more than hashing a small file.
    const auto appendText = [&text](std::string_view value) {
        const bool unchanged = std::all_of(value.begin(), value.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte >= 0x20 && byte < 0x80 && c != '"' && c != '\\';
        });
        if (unchanged) {
            text.append(1, '"').append(value).append(1, '"');
            return;
        }
        text += json(std::string(value)).dump(-1, ' ', false, json::error_handler_t::replace);
    };
    text += R"({"type":"file","path":)";
    if (isValidUtf8(path)) {
        appendText(path);
    } else {
        appendText(replaceInvalidUtf8(path));
        text += R"(,"path_bytes":)";
        appendText(base64Encode(path));
    }
    text += R"(,"size":)";
    text += std::to_string(size);
    text += R"(,"mtime_ns":)";
    text += std::to_string(modifiedNanoseconds);
    text += R"(,"hash":")";
    text += hashHex(hash);
    text += "\"}\n";
}

void appendManifestUnreadableLine(std::string& text, std::string_view path, int errorCode) {
    json object;
    object["type"] = "unreadable";
    putText(object, "path", path);
    object["error"] = reasonText(errorCode);
    object["error_code"] = errorCode;
    text += line(object);
}

std::string manifestTrailerLine(std::size_t entries, const Hash128& hash) {
    json object;
    object["type"] = "trailer";
    object["entries"] = entries;
    object["hash"] = hashHex(hash);
    return line(object);
}

std::string manifestDateNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

} // namespace quorvel
