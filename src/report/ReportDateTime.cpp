#include "report/ReportDateTime.h"

#include "report/Utf8Conversion.h"

#include <langinfo.h>
#include <vector>

namespace quorvel {

namespace {

// The character set strftime writes in: that of the LC_TIME locale, which may differ from
// LC_CTYPE's.
const char* timeCharset() {
#ifdef __GLIBC__
    return ::nl_langinfo(_NL_TIME_CODESET);
#else
    return ::nl_langinfo(CODESET);
#endif
}

} // namespace

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
            return convertToUtf8(std::string_view(buffer.data(), length), timeCharset());
        }
    }
    return {};
}

} // namespace quorvel
