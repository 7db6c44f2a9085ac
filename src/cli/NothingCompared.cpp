#include "cli/NothingCompared.h"

namespace quorvel {

std::string nothingComparedReason(bool leftEmpty, bool rightEmpty, const CompareOptions& options) {
    if (leftEmpty && rightEmpty) {
        return "both sides are empty";
    }
    if (leftEmpty) {
        return "the 1st side is empty";
    }
    std::string reason = "no file passes the filter '" + options.filter + "'";
    if (!options.exclusions.empty()) {
        reason += " and the exclusions '" + options.exclusions + "'";
    }
    return reason;
}

} // namespace quorvel
