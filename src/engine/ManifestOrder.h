#pragma once

#include <string_view>

namespace quorvel {

// The order in which a directory walk meets relative paths ("/" between names): in each
// directory its files by name, then its subdirectories by name, each with all it holds. A path
// ending in "/" (a directory that could not be read) comes before everything it holds; "./"
// stands for the root.
bool manifestPathLess(std::string_view a, std::string_view b);

// Whether a relative path may name something inside a tree: not empty, no leading "/", no empty,
// "." or ".." part; a last "/" only for a directory, and "./" for the root.
bool safeRelativePath(std::string_view path);

} // namespace quorvel
