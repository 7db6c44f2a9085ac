#pragma once

#include "engine/PairRecord.h"
#include "engine/RunRequest.h"
#include "engine/RunState.h"

#include <string_view>

namespace quorvel {

// What a heading line names: a compared side, in the words of the record.
enum class HeadingKind {
    File,
    WithFile,
    SomeFilesOf,
    WithNamesakesOf,
    Directory,
    WithDirectory,
    Manifest,
    WithManifest,
};

// What a heading line quotes after the record's word for it.
enum class QuotedKind { ManifestTaken };

// Where a run writes what it found, entry by entry in report order; the wording is the record's.
class RunRecord {
public:
    virtual ~RunRecord() = default;

    // Empties the record for a run of `request`.
    virtual void clear(const RunRequest& request) = 0;
    // A heading line: the words for `kind` and a path.
    virtual void heading(HeadingKind kind, std::string_view path) = 0;
    // A heading line that quotes a manifest's origin after the word for it.
    virtual void quotedHeading(QuotedKind kind, std::string_view value) = 0;
    // The heading lines that name the request's options where they are not the defaults, and
    // the blank line that ends the heading.
    virtual void optionHeadings() = 0;
    virtual void blank() = 0;
    // The block that opens a subdirectory's lines.
    virtual void subdirectory(std::string_view relativePath) = 0;
    virtual void pair(const PairRecord& facts) = 0;
    virtual void status(bool interrupted) = 0;
    virtual void summary(const RunCounters& counters, bool fast) = 0;
};

} // namespace quorvel
