#include "report/JsonReportLines.h"

#include "options/OptionTable.h"
#include "report/Base64.h"
#include "report/JsonText.h"
#include "report/Utf8Conversion.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cmath>
#include <limits>

namespace quorvel {

namespace {

using json = JsonObject;

std::string_view modeWord(CompareMode mode) {
    switch (mode) {
    case CompareMode::FileWithFile:
        return "file-with-file";
    case CompareMode::FilesWithDirectory:
        return "files-with-directory";
    case CompareMode::DirectoryWithDirectory:
        return "directories";
    case CompareMode::None:
        break;
    }
    return "none";
}

void putError(json& object, int errorCode) {
    if (errorCode == 0) {
        object["error"] = nullptr;
        object["error_code"] = nullptr;
    } else {
        object["error"] = reasonText(errorCode);
        object["error_code"] = errorCode;
    }
}

std::string_view sideWord(int side) {
    return side == 2 ? "right" : "left";
}

// Whose name the line names, the names it collides with and their side.
void appendJsonCollision(std::string& text, const PairRecord& pair) {
    text += R"(,"side":")";
    text += sideWord(pair.nameSide);
    text += R"(","collides_with":[)";
    std::string_view others = pair.collidesWith;
    for (bool first = true; !others.empty(); first = false) {
        const auto end = std::min(others.find('/'), others.size());
        text += first ? "" : ",";
        // Names that collide are valid text: a name that is not is matched byte for byte.
        appendJsonString(text, others.substr(0, end));
        others.remove_prefix(std::min(end + 1, others.size()));
    }
    text += R"(],"collides_on":")";
    text += sideWord(pair.collidingSide);
    text += '"';
}

// Where the right file is: spelt otherwise, moved to, or holding the same contents.
std::string_view rightPathKey(CompareResult result) {
    switch (result) {
    case CompareResult::Moved:
        return "moved_to";
    case CompareResult::Present:
        return "found_at";
    default:
        return "right_path";
    }
}

} // namespace

std::string_view resultWord(CompareResult result) {
    switch (result) {
    case CompareResult::Equal:
        return "equal";
    case CompareResult::NotFoundIn2nd:
        return "not-found-in-2nd";
    case CompareResult::ErrorReading1st:
        return "error-reading";
    case CompareResult::DifferentContents:
        return "different-contents";
    case CompareResult::FirstTruncated:
        return "1st-truncated";
    case CompareResult::SecondTruncated:
        return "2nd-truncated";
    case CompareResult::Interrupted:
        return "interrupted";
    case CompareResult::EqualMaybe:
        return "equal-size";
    case CompareResult::DifferentSize:
        return "different-size";
    case CompareResult::NotFoundIn1st:
        return "not-found-in-1st";
    case CompareResult::NameCollision:
        return "name-collision";
    case CompareResult::Moved:
        return "moved";
    case CompareResult::Present:
        return "present";
    case CompareResult::Missing:
        return "missing";
    }
    return "unknown";
}

std::string pairPath(const PairRecord& pair) {
    // A directory that could not be read is named by its own relative path and "/".
    if (pair.directory.empty() || (!pair.name.empty() && pair.name.back() == '/')) {
        return std::string(pair.name);
    }
    std::string path(pair.directory);
    path += '/';
    path += pair.name;
    return path;
}

std::string jsonStartLine(const RunRequest& request) {
    json object;
    object["type"] = "start";
    object["format"] = kJsonReportFormat;
    object["mode"] = modeWord(request.mode);
    putJsonText(object, "left", request.leftDirectory);
    putJsonText(object, "right", request.rightDirectory);
    json names = json::array();
    json nameBytes = json::array();
    bool allValid = true;
    for (const auto& name : request.leftNames) {
        allValid = allValid && isValidUtf8(name);
        names.push_back(replaceInvalidUtf8(name));
        nameBytes.push_back(base64Encode(name));
    }
    object["left_names"] = names;
    if (!allValid) {
        object["left_names_bytes"] = nameBytes;
    }
    if (request.rightName) {
        putJsonText(object, "right_name", *request.rightName);
    } else {
        object["right_name"] = nullptr;
    }
    // An option that does not apply to the mode is null.
    json switches = json::object();
    for (const auto& row : kOptionTable) {
        const std::string key(row.jsonKey);
        const bool applies = appliesTo(row, request.mode);
        if (row.jsonKeyWhenSet && !differsFromDefault(row, request.options)) {
            continue;
        }
        if (row.choice != nullptr) {
            switches[key] = applies ? json(chosen(row, request.options).word) : json(nullptr);
        } else if (row.onOff != nullptr) {
            switches[key] = applies ? json(request.options.*row.onOff) : json(nullptr);
        } else if (applies) {
            putJsonText(object, key, request.options.*row.patterns);
        } else {
            object[key] = nullptr;
        }
    }
    object["options"] = switches;
    return jsonLine(object);
}

void appendJsonPairLine(std::string& text, const PairRecord& pair) {
    // Written around the library's string escaping rather than built as a document: a document
    // per pair cost a tenth of a run over many small cached files.
    const auto appendNumber = [&text](const std::optional<std::int64_t>& value) {
        text += value ? std::to_string(*value) : std::string("null");
    };
    const std::string path = pairPath(pair);
    text += R"({"type":"pair","path":)";
    appendJsonPath(text, path);
    if (!pair.rightPath.empty()) {
        const auto key = rightPathKey(pair.result);
        text.append(",\"").append(key).append("\":");
        appendJsonPath(text, pair.rightPath, std::string(key).append("_bytes"));
    }
    text += R"(,"result":")";
    text += resultWord(pair.result);
    text += R"(","left_size":)";
    appendNumber(pair.leftSize);
    text += R"(,"right_size":)";
    appendNumber(pair.rightSize);
    if (pair.result == CompareResult::NameCollision) {
        appendJsonCollision(text, pair);
    }
    if (!pair.moveCandidates.empty()) {
        text += R"(,"move_candidates":[)";
        std::string_view rest = pair.moveCandidates;
        for (bool first = true; !rest.empty(); first = false) {
            const auto end = std::min(rest.find('\0'), rest.size());
            text += first ? "" : ",";
            appendJsonString(text, replaceInvalidUtf8(rest.substr(0, end)));
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
        text += ']';
    }
    // A file that is simply not there has no reason; a link that leads nowhere has its own.
    if (pair.errorCode == 0) {
        text += R"(,"error":null,"error_code":null})";
    } else {
        text += R"(,"error":)";
        appendJsonString(text, reasonText(pair.errorCode));
        text += R"(,"error_code":)";
        text += std::to_string(pair.errorCode);
        text += '}';
    }
    text += '\n';
}

std::string jsonTroubleLine(std::string_view path, int errorCode) {
    json object;
    object["type"] = "trouble";
    putJsonText(object, "path", path);
    putError(object, errorCode);
    return jsonLine(object);
}

std::string jsonRecordedTroubleLine(std::string_view manifest, std::string_view path,
                                    int errorCode) {
    json object;
    object["type"] = "trouble";
    putJsonText(object, "path", path);
    putJsonText(object, "manifest", manifest);
    putError(object, errorCode);
    return jsonLine(object);
}

std::string jsonSummaryLine(const RunCounters& counters, bool interrupted) {
    json object;
    object["type"] = "summary";
    object["compared"] = counters.filesCompared;
    object["equal"] = counters.filesCompared - counters.differentCount;
    object["different"] = counters.differentCount;
    // Never past what the number holds, however the sum was reached.
    object["bytes"] = counters.bytesCompared < 9.0e18
                          ? static_cast<std::int64_t>(std::llround(counters.bytesCompared))
                          : std::numeric_limits<std::int64_t>::max();
    object["interrupted"] = interrupted;
    return jsonLine(object);
}

} // namespace quorvel
