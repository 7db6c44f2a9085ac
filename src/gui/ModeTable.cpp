#include "gui/ModeTable.h"

#include <algorithm>

namespace quorvel {

const ModeDescription* describeMode(CompareMode mode) {
    const auto found =
        std::find_if(kModeTable.begin(), kModeTable.end(),
                     [mode](const ModeDescription& row) { return row.mode == mode; });
    return found == kModeTable.end() ? nullptr : &*found;
}

} // namespace quorvel
