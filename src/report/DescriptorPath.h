#pragma once

#include <optional>
#include <string_view>

namespace quorvel {

// The descriptor a path names when it is one of the system's names for this process's open
// descriptors: /dev/stdin, /dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N or
// /proc/PID/fd/N with our own PID. Opening such a name would open the file again from its start
// (or fail, for a pipe), so writers use the descriptor itself.
std::optional<int> descriptorNamedBy(std::string_view path);

} // namespace quorvel
