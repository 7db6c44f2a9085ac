#pragma once

#include <functional>
#include <string_view>

namespace quorvel {

// Paths, relative to a tree, that a walk of it leaves out: such as a manifest inside it.
using LeftOutPaths = std::function<bool(std::string_view relativePath)>;

} // namespace quorvel
