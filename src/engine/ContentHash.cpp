#include "engine/ContentHash.h"

#include <xxh_x86dispatch.h>
#include <xxhash.h>

#include <new>

namespace quorvel {

std::string hashHex(const Hash128& hash) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex(32, '0');
    for (int i = 0; i < 16; ++i) {
        hex[15 - i] = kDigits[(hash.high >> (4 * i)) & 0xf];
        hex[31 - i] = kDigits[(hash.low >> (4 * i)) & 0xf];
    }
    return hex;
}

std::optional<Hash128> hashFromHex(std::string_view hex) {
    if (hex.size() != 32) {
        return std::nullopt;
    }
    Hash128 hash;
    for (std::size_t i = 0; i < 32; ++i) {
        const char c = hex[i];
        std::uint64_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint64_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint64_t>(c - 'a' + 10);
        } else {
            return std::nullopt;
        }
        auto& half = i < 16 ? hash.high : hash.low;
        half = (half << 4) | digit;
    }
    return hash;
}

ContentHash::ContentHash() : state_(XXH3_createState()) {
    if (state_ == nullptr) {
        throw std::bad_alloc();
    }
    XXH3_128bits_reset(state_);
}

ContentHash::~ContentHash() {
    XXH3_freeState(state_);
}

void ContentHash::add(std::string_view bytes) {
    // The library picks the widest vector unit this processor has (AVX2 where there is one).
    XXH3_128bits_update_dispatch(state_, bytes.data(), bytes.size());
}

Hash128 ContentHash::digest() const {
    const XXH128_hash_t h = XXH3_128bits_digest(state_);
    return {h.high64, h.low64};
}

} // namespace quorvel
