#include "engine/CurrentDirectory.h"

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace quorvel {

std::optional<std::string> currentDirectory() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) {
            return std::nullopt;
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

} // namespace quorvel
