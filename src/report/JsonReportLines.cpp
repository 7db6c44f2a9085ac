#include "report/JsonReportLines.h"

#include "report/Base64.h"
#include "report/Utf8Conversion.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <locale.h>

namespace quorvel {

namespace {

using json = nlohmann::ordered_json;

// A name's bytes are the truth; the text beside them is for reading.
void putText(json& object, const std::string& key, std::string_view text) {
    if (isValidUtf8(text)) {
        object[key] = std::string(text);
        return;
    }
    object[key] = replaceInvalidUtf8(text);
    object[key + "_bytes"] = base64Encode(text);
}

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

// The reason in English whatever the user's locale, so that scripts can match it.
std::string reasonText(int errorCode) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const char* text = cLocale ? strerror_l(errorCode, cLocale) : std::strerror(errorCode);
    return text && *text ? text : "error " + std::to_string(errorCode);
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

std::string line(const json& object) {
    // Every text put in is valid UTF-8 already; the replacement only guards against a slip.
    return object.dump(-1, ' ', false, json::error_handler_t::replace) + '\n';
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
    }
    return "unknown";
}

std::string pairPath(const PairFacts& pair) {
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
    const bool directories = request.mode == CompareMode::DirectoryWithDirectory;
    json object;
    object["type"] = "start";
    object["format"] = kJsonReportFormat;
    object["mode"] = modeWord(request.mode);
    putText(object, "left", request.leftDirectory);
    putText(object, "right", request.rightDirectory);
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
        putText(object, "right_name", *request.rightName);
    } else {
        object["right_name"] = nullptr;
    }
    // The file modes read only the fast option.
    if (directories) {
        putText(object, "filter", request.options.filter);
        putText(object, "exclusions", request.options.exclusions);
    } else {
        object["filter"] = nullptr;
        object["exclusions"] = nullptr;
    }
    object["options"] = {
        {"fast", request.options.fast},
        {"recurse", directories ? json(request.options.recurse) : json(nullptr)},
        {"only_different", directories ? json(request.options.onlyDifferent) : json(nullptr)},
        {"both", directories ? json(request.options.bothSides) : json(nullptr)},
    };
    return line(object);
}

void appendJsonPairLine(std::string& text, const PairFacts& pair) {
    // Written around the library's string escaping rather than built as a document: a document
    // per pair cost a tenth of a run over many small cached files.
    const auto appendText = [&text](std::string_view value) {
        // Most paths are printable ASCII without a quote or a backslash, which the library would
        // write unchanged between quotes; only the others pay for a document of their own.
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
    const auto appendNumber = [&text](const std::optional<std::int64_t>& value) {
        text += value ? std::to_string(*value) : std::string("null");
    };
    const std::string path = pairPath(pair);
    text += R"({"type":"pair","path":)";
    if (isValidUtf8(path)) {
        appendText(path);
    } else {
        appendText(replaceInvalidUtf8(path));
        text += R"(,"path_bytes":)";
        appendText(base64Encode(path));
    }
    text += R"(,"result":")";
    text += resultWord(pair.result);
    text += R"(","left_size":)";
    appendNumber(pair.leftSize);
    text += R"(,"right_size":)";
    appendNumber(pair.rightSize);
    // A file that is simply not there is a difference, not a side that could not be read.
    const bool absent = (pair.result == CompareResult::NotFoundIn2nd ||
                         pair.result == CompareResult::NotFoundIn1st) &&
                        pair.errorCode == ENOENT;
    if (absent || pair.errorCode == 0) {
        text += R"(,"error":null,"error_code":null})";
    } else {
        text += R"(,"error":)";
        appendText(reasonText(pair.errorCode));
        text += R"(,"error_code":)";
        text += std::to_string(pair.errorCode);
        text += '}';
    }
    text += '\n';
}

std::string jsonTroubleLine(std::string_view path, int errorCode) {
    json object;
    object["type"] = "trouble";
    putText(object, "path", path);
    putError(object, errorCode);
    return line(object);
}

std::string jsonSummaryLine(const RunCounters& counters, bool interrupted) {
    json object;
    object["type"] = "summary";
    object["compared"] = counters.filesCompared;
    object["equal"] = counters.filesCompared - counters.differentCount;
    object["different"] = counters.differentCount;
    object["bytes"] = static_cast<std::int64_t>(std::llround(counters.bytesCompared));
    object["interrupted"] = interrupted;
    return line(object);
}

} // namespace quorvel
