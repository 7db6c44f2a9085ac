#pragma once

#include "engine/CompareOptions.h"
#include "engine/LeftOutPaths.h"
#include "engine/ParallelHasher.h"

#include <string>

namespace quorvel {

class FileAccess;
class RunObserver;

struct TakenManifest {
    std::string text;         // the whole manifest, trailer included
    bool troubled = false;    // some path could not be read (it is in the manifest all the same)
    bool interrupted = false; // the observer said stop: the text is not a manifest
};

// Walks the tree at `treePath` under the options as directory mode walks it, reads and hashes
// each file on `workers` threads (each reading through a file access `workerFiles` makes), and
// words the manifest; `treeAsGiven` is what its header names. Every path that cannot be read is
// told to the observer, which is also asked whether to go on. The paths `leftOut` takes (relative
// to the tree) are neither read nor listed.
TakenManifest takeManifest(FileAccess& files, const ParallelHasher::MakeFileAccess& workerFiles,
                           unsigned workers, const std::string& treeAsGiven,
                           const std::string& treePath, const CompareOptions& options,
                           RunObserver& observer, const LeftOutPaths& leftOut = {});

} // namespace quorvel
