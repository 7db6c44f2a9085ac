#pragma once

#include "engine/PairFacts.h"
#include "engine/RunRequest.h"
#include "engine/RunState.h"
#include "lang/MessageKey.h"

#include <string_view>

namespace quorvel {

// Where a run writes what it found, entry by entry in report order; the wording is the record's.
class RunRecord {
public:
    virtual ~RunRecord() = default;

    // Empties the record for a run of `request`.
    virtual void clear(const RunRequest& request) = 0;
    // A heading line: the key's text and a path.
    virtual void heading(MessageKey key, std::string_view path) = 0;
    // A heading line that quotes an option (the filter, the exclusions) after the word for it.
    virtual void optionHeading(std::string_view word, std::string_view value) = 0;
    // The heading line of a run that compares sizes only: the note that says so.
    virtual void fastHeading(std::string_view note) = 0;
    virtual void blank() = 0;
    // The block that opens a subdirectory's lines.
    virtual void subdirectory(std::string_view relativePath) = 0;
    virtual void pair(const PairFacts& facts) = 0;
    virtual void status(bool interrupted) = 0;
    virtual void summary(const RunCounters& counters, bool fast) = 0;
};

} // namespace quorvel
