#include "report/ReportLineFormat.h"

#include "lang/LanguageStrings.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>

namespace quorvel {

namespace {

MessageKey resultMessageKey(CompareResult r) {
    // The first nine message keys are the result texts in the same order.
    switch (r) {
    case CompareResult::NotFoundIn1st:
        return MessageKey::msgNotFoundIn1st;
    case CompareResult::NameCollision:
        return MessageKey::msgNameCollision;
    case CompareResult::Moved:
        return MessageKey::msgMovedTo;
    case CompareResult::Present:
        return MessageKey::msgPresentAs;
    case CompareResult::Missing:
        return MessageKey::msgMissing;
    default:
        return static_cast<MessageKey>(static_cast<int>(r));
    }
}

} // namespace

std::string reportSafe(std::string_view text) {
    std::string safe(text);
    for (auto& c : safe) {
        if (static_cast<unsigned char>(c) < 0x20) {
            c = '?';
        }
    }
    return safe;
}

std::string_view resultMark(CompareResult result) {
    return countsAsEqual(result) ? std::string_view() : kDifferenceMark;
}

std::string formatResultText(std::string_view name, CompareResult result,
                             const LanguageStrings& strings) {
    std::string line = reportSafe(name);
    line += ": ";
    line += strings.text(resultMessageKey(result));
    return line;
}

std::string formatPairText(const PairRecord& pair, const LanguageStrings& strings) {
    if (pair.result == CompareResult::Moved || pair.result == CompareResult::Present) {
        // "name: moved to PATH." with the right file's whole relative path.
        std::string line = formatResultText(pair.name, pair.result, strings);
        line += ' ';
        line += reportSafe(pair.rightPath);
        line += '.';
        return line;
    }
    std::string_view rightName = pair.rightPath.substr(pair.rightPath.rfind('/') + 1);
    if (pair.rightPath.empty() || rightName == pair.name) {
        rightName = {};
    }
    std::string line = reportSafe(pair.name);
    if (!rightName.empty()) {
        line += " -> ";
        line += reportSafe(rightName);
    }
    line += ": ";
    line += strings.text(resultMessageKey(pair.result));
    if (pair.result == CompareResult::NameCollision && !pair.collidesWith.empty()) {
        // The names on the other side are told apart by an arrow to that side.
        line += " (";
        if (pair.collidingSide != pair.nameSide) {
            line += pair.collidingSide == 2 ? "-> " : "<- ";
        }
        std::string_view others = pair.collidesWith;
        for (bool first = true; !others.empty(); first = false) {
            const auto end = std::min(others.find('/'), others.size());
            line += first ? "" : ", ";
            line += reportSafe(others.substr(0, end));
            others.remove_prefix(std::min(end + 1, others.size()));
        }
        line += ')';
    }
    return line;
}

std::string formatCountLine(const RunCounters& counters, const LanguageStrings& strings,
                            std::string_view decimalSeparator) {
    std::string line(strings.text(MessageKey::txtCompared));
    line += ' ';
    line += std::to_string(counters.filesCompared);
    line += ' ';
    line += strings.text(MessageKey::txtFiles);
    line += ";  ";
    line += formatByteSize(counters.bytesCompared, decimalSeparator);
    return line;
}

std::string formatEqualLine(const RunCounters& counters, bool fast,
                            const LanguageStrings& strings) {
    std::string line(strings.text(MessageKey::txtEqual));
    if (fast) {
        line += strings.text(MessageKey::txtMaybe);
    }
    line += ": ";
    line += std::to_string(counters.filesCompared - counters.differentCount);
    line += ";   ";
    line += strings.text(MessageKey::txtDifferent);
    line += ": ";
    line += std::to_string(counters.differentCount);
    return line;
}

std::string formatByteSize(double bytes, std::string_view decimalSeparator) {
    const bool megabytes = bytes > 1048576.0;
    const double unit = megabytes ? 1048576.0 : 1024.0;
    // Byte counts are whole numbers, so hundredths can be rounded exactly in integers; floating
    // point would round some halves the wrong way.
    std::uint64_t hundredths;
    if (bytes >= 0 && bytes < 9.0e16 && bytes == std::floor(bytes)) {
        const auto x = static_cast<std::uint64_t>(bytes);
        const auto u = static_cast<std::uint64_t>(unit);
        hundredths = (x * 100 + u / 2) / u;
    } else {
        hundredths = static_cast<std::uint64_t>(std::llround(std::fabs(bytes) / unit * 100.0));
    }
    std::string text = std::to_string(hundredths / 100);
    text += decimalSeparator;
    const auto cents = hundredths % 100;
    text += static_cast<char>('0' + cents / 10);
    text += static_cast<char>('0' + cents % 10);
    text += megabytes ? " MB" : " KB";
    return text;
}

std::string formatDuration(double seconds) {
    const auto whole = static_cast<std::int64_t>(std::ceil(std::max(0.0, seconds)));
    const auto twoDigits = [](std::int64_t n) {
        return std::string(n < 10 ? "0" : "") + std::to_string(n);
    };
    const std::string minutesAndSeconds = twoDigits(whole / 60 % 60) + ":" + twoDigits(whole % 60);
    if (whole >= 3600) {
        return std::to_string(whole / 3600) + ":" + minutesAndSeconds;
    }
    return std::to_string(whole / 60) + ":" + twoDigits(whole % 60);
}

std::string localeDecimalSeparator() {
    const std::lconv* conventions = std::localeconv();
    if (conventions == nullptr || conventions->decimal_point == nullptr ||
        conventions->decimal_point[0] == '\0') {
        return ".";
    }
    return conventions->decimal_point;
}

} // namespace quorvel
