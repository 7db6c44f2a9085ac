#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace quorvel {

// The pieces every JSON Lines file of the program is written with.
using JsonObject = nlohmann::ordered_json;

// Puts a text under `key`; a text that is not valid UTF-8 goes in readable, with its bytes beside
// it under `key` + "_bytes" (base64): the bytes are the truth, the text is for reading.
void putJsonText(JsonObject& object, const std::string& key, std::string_view text);
// The object as one line, with its line end.
std::string jsonLine(const JsonObject& object);
// A system reason in English whatever the user's locale, so that scripts can match it.
std::string reasonText(int errorCode);
// Appends a text as a JSON string. Most paths are printable ASCII without a quote or a
// backslash, which the library would write unchanged between quotes; only the others pay for a
// document of their own.
void appendJsonString(std::string& text, std::string_view value);
// Appends a path's value after its key, and its bytes under `bytesKey` when it is not valid
// UTF-8.
void appendJsonPath(std::string& text, std::string_view path,
                    std::string_view bytesKey = "path_bytes");

} // namespace quorvel
