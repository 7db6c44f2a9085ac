#include "manifest/ManifestLines.h"

#include "report/JsonText.h"

#include <ctime>

namespace quorvel {

namespace {
using json = JsonObject;
} // namespace

std::string manifestHeaderLine(const ManifestInfo& info) {
    json object;
    object["type"] = "header";
    object["format"] = kManifestFormatName;
    object["version"] = kManifestVersion;
    putJsonText(object, "tree", info.tree);
    object["hash"] = kManifestHashName;
    putJsonText(object, "filter", info.filter);
    putJsonText(object, "exclusions", info.exclusions);
    object["recurse"] = info.recurse;
    object["date"] = info.date;
    return jsonLine(object);
}

void appendManifestFileLine(std::string& text, std::string_view path, std::int64_t size,
                            std::int64_t modifiedNanoseconds, const Hash128& hash) {
    // Written around the library's string escaping rather than built as a document per file, as
    // the report for scripts writes its pairs: the document cost more than hashing a small file.
    text += R"({"type":"file","path":)";
    appendJsonPath(text, path);
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
    putJsonText(object, "path", path);
    object["error"] = reasonText(errorCode);
    object["error_code"] = errorCode;
    text += jsonLine(object);
}

std::string manifestTrailerLine(std::size_t entries, const Hash128& hash) {
    json object;
    object["type"] = "trailer";
    object["entries"] = entries;
    object["hash"] = hashHex(hash);
    return jsonLine(object);
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
