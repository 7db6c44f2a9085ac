#pragma once

#include "settings/RegFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace quorvel {

struct RegParseResult {
    std::optional<RegFile> file; // empty when the text is not a settings file
    QString problem;             // why not, with the line number
};

// Reads REGEDIT4 text strictly: what it cannot read exactly is rejected whole, so that a damaged
// file is never half understood and then written back without the rest.
class RegFileParser {
public:
    static constexpr qsizetype kMaxLineLength = 64 * 1024;

    static RegParseResult parse(const QByteArray& bytes);
};

} // namespace quorvel
