#pragma once

#include <string>

namespace quorvel {

// Why a report or manifest could not be written to `path` (an errno value), looked at before a
// run so that an hour's work is not lost to a folder that is not there; 0 when it can be tried.
// "-" and names of this process's open descriptors are always tried.
int outputTargetProblem(const std::string& path);

} // namespace quorvel
