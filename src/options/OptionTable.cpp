#include "options/OptionTable.h"

#include <algorithm>

namespace quorvel {

bool differsFromDefault(const OptionRow& row, const CompareOptions& options) {
    static const CompareOptions defaults;
    return row.onOff ? options.*row.onOff != defaults.*row.onOff
                     : options.*row.patterns != defaults.*row.patterns;
}

std::string optionUsage() {
    constexpr std::size_t kTextColumn = 22;
    std::string text;
    for (const auto& row : kOptionTable) {
        for (const auto& flag : row.flags) {
            if (flag.name.empty()) {
                continue;
            }
            std::string named = "  " + std::string(flag.name);
            if (!flag.argument.empty()) {
                named += " " + std::string(flag.argument);
            }
            named.resize(std::max(named.size() + 1, kTextColumn), ' ');
            text += named;
            for (const char c : flag.usage) {
                text += c;
                if (c == '\n') {
                    text.append(kTextColumn, ' ');
                }
            }
            text += '\n';
        }
    }
    return text;
}

} // namespace quorvel
