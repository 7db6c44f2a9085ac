#pragma once

#include "engine/CompareOptions.h"
#include "engine/LeftOutPaths.h"
#include "engine/ManifestEntries.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// The two operands of a run when one of them or both are manifests, read and checked; a side
// without one is a tree.
struct ManifestOperands {
    std::unique_ptr<Manifest> left;
    std::unique_ptr<Manifest> right;
    std::string leftPath; // absolute, for the heading; "-" for standard input
    std::string rightPath;
    LeftOutPaths leftOut; // a manifest inside the tree it is compared with, on both sides
};

struct ManifestOperandsRead {
    bool withManifest = false; // false: neither operand is a manifest, nothing was read
    ManifestOperands operands;
    std::optional<std::string> error; // why the run cannot go on, without the program name
    bool usageError = false;
};

// Which operands are manifests: one forced by its flag; "-" (standard input) and a name of an
// open descriptor that is a pipe, read as the bytes come; a regular file named "*.qvm" or whose
// first line is a manifest's header. A pipe or FIFO is opened only when so named or forced, as
// opening one may wait for ever; a "*.qvm" that does not read as a manifest is damaged, never a
// file to compare.
ManifestOperandsRead readManifestOperands(const std::vector<std::string>& paths, bool leftForced,
                                          bool rightForced, const std::string& here);

// The filter, exclusions and recursion a comparison with manifests walks by: each one typed
// (`*Given`) as `options` hold it, else the manifest's own. Two manifests taken under different
// ones that were not typed cannot be compared: the diagnostic says which to give.
std::optional<std::string> takeManifestOptions(const ManifestOperands& operands, bool filterGiven,
                                               bool exclusionsGiven, bool recurseGiven,
                                               CompareOptions& options);

// The directory of a lone operand, or the diagnostic that it is none.
std::optional<std::string> treeOperand(const std::string& path, const std::string& here,
                                       std::string& error);

} // namespace quorvel
