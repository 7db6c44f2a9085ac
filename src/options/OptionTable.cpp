#include "options/OptionTable.h"

#include <algorithm>

namespace quorvel {

bool differsFromDefault(const OptionRow& row, const CompareOptions& options) {
    static const CompareOptions defaults;
    if (row.choice != nullptr) {
        return options.*row.choice != defaults.*row.choice;
    }
    return row.onOff ? options.*row.onOff != defaults.*row.onOff
                     : options.*row.patterns != defaults.*row.patterns;
}

const OptionChoice& chosen(const OptionRow& row, const CompareOptions& options) {
    for (const auto& choice : row.choices) {
        if (choice.value == options.*row.choice) {
            return choice;
        }
    }
    return row.choices.front();
}

std::optional<NameRule> choiceOfWord(const OptionRow& row, std::string_view word) {
    for (const auto& choice : row.choices) {
        if (choice.word == word) {
            return choice.value;
        }
    }
    return std::nullopt;
}

std::string optionUsage() {
    constexpr std::size_t kTextColumn = 22;
    std::string text;
    for (const auto& row : kOptionTable) {
        for (const auto& flag : row.flags) {
            if (flag.name.empty()) {
                continue;
            }
            const std::size_t start = text.size();
            text.append("  ").append(flag.name);
            if (!flag.argument.empty()) {
                text.append(" ").append(flag.argument);
            }
            // The text starts in its column, or one blank after a longer flag.
            const std::size_t used = text.size() - start;
            text.append(used < kTextColumn ? kTextColumn - used : 1, ' ');
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
