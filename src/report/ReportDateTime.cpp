#include "report/ReportDateTime.h"

#include <vector>

namespace quorvel {

std::string localDateTimeText(std::time_t when) {
    std::tm local{};
    if (::localtime_r(&when, &local) == nullptr) {
        return {};
    }
    // The text always holds the blank, so 0 can only mean the buffer was too small.
    for (std::size_t size = 128; size <= 4096; size *= 2) {
        std::vector<char> buffer(size);
        const auto length = std::strftime(buffer.data(), buffer.size(), "%x %X", &local);
        if (length > 0) {
            return std::string(buffer.data(), length);
        }
    }
    return {};
}

} // namespace quorvel
