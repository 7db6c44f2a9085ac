#pragma once

#include "settings/RegFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace quorvel {

struct RegParseResult {
    std::optional<RegFile> file; // empty when the text is not a settings file
    QString problem;             // why not, with the line number (the first, when salvaged)
};

// Reads REGEDIT4 text strictly: what it cannot read exactly is rejected whole, so that a damaged
// file is never half understood and then written back without the rest.
class RegFileParser {
public:
    static constexpr qsizetype kMaxLineLength = 64 * 1024;

    static RegParseResult parse(const QByteArray& bytes);

    // For a file that parse() rejects: every key and value that reads cleanly, without the lines
    // that do not (and the values under a key line that does not). Always gives a file; the
    // problem is empty only when nothing was left out.
    static RegParseResult salvage(const QByteArray& bytes);
};

} // namespace quorvel
