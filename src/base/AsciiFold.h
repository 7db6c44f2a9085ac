#pragma once

namespace quorvel {

// The one case fold of the program: ASCII capitals read as small letters, every other character
// as it is. File name patterns, the order of names and the settings' names all ignore case this
// way, and only this way.
template <typename Char>
constexpr Char foldAsciiCase(Char c) {
    return (c >= Char('A') && c <= Char('Z')) ? Char(c - Char('A') + Char('a')) : c;
}

} // namespace quorvel
