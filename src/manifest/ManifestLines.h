#pragma once

#include "engine/ContentHash.h"
#include "engine/ManifestEntries.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

// The lines of a manifest (JSON Lines, docs/manifest.md), each ending in "\n".
inline constexpr std::string_view kManifestFormatName = "quorvel-manifest";
inline constexpr int kManifestVersion = 1;
inline constexpr std::string_view kManifestHashName = "xxh3-128";
// The longest line, "\n" aside: a reader refuses a longer one without reading it whole, so a
// writer leaves out a path whose line would be longer.
inline constexpr std::size_t kManifestLineLimit = std::size_t{64} << 10;

std::string manifestHeaderLine(const ManifestInfo& info);
void appendManifestFileLine(std::string& text, std::string_view path, std::int64_t size,
                            std::int64_t modifiedNanoseconds, const Hash128& hash);
void appendManifestUnreadableLine(std::string& text, std::string_view path, int errorCode);
// `hash` is over every byte before this line.
std::string manifestTrailerLine(std::size_t entries, const Hash128& hash);

// The date of now, UTC, as a manifest's header carries it.
std::string manifestDateNow();

} // namespace quorvel
