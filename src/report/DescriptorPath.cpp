#include "report/DescriptorPath.h"

#include <charconv>
#include <string>
#include <unistd.h>

namespace quorvel {

namespace {

std::optional<int> number(std::string_view digits) {
    int value = 0;
    const auto end = digits.data() + digits.size();
    if (digits.empty() || digits.front() == '+' || digits.front() == '-') {
        return std::nullopt;
    }
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<int> descriptorNamedBy(std::string_view path) {
    if (path == "/dev/stdin") {
        return 0;
    }
    if (path == "/dev/stdout") {
        return 1;
    }
    if (path == "/dev/stderr") {
        return 2;
    }
    const std::string ownProcess = "/proc/" + std::to_string(::getpid()) + "/fd/";
    for (const std::string_view prefix :
         {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/"),
          std::string_view(ownProcess)}) {
        if (path.starts_with(prefix)) {
            return number(path.substr(prefix.size()));
        }
    }
    return std::nullopt;
}

} // namespace quorvel
