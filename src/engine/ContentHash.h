#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct XXH3_state_s;

namespace quorvel {

// A 128-bit content hash (XXH3-128).
struct Hash128 {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    bool operator==(const Hash128&) const = default;
};

// 32 lower-case hex digits, high half first, as xxhsum -H2 prints it.
std::string hashHex(const Hash128& hash);
std::optional<Hash128> hashFromHex(std::string_view hex);

// Hashes bytes handed over in pieces of any size.
class ContentHash {
public:
    ContentHash();
    ~ContentHash();
    ContentHash(const ContentHash&) = delete;
    ContentHash& operator=(const ContentHash&) = delete;

    void add(std::string_view bytes);
    Hash128 digest() const;

private:
    XXH3_state_s* state_;
};

} // namespace quorvel
