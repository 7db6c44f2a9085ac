#pragma once

#include "engine/CompareOptions.h"

#include <string>

namespace quorvel {

// Why a run compared no pair at all, as far as it can tell: an empty side, else the filter and
// exclusions that let nothing through.
std::string nothingComparedReason(bool leftEmpty, bool rightEmpty, const CompareOptions& options);

} // namespace quorvel
