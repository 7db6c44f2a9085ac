#include "engine/Report.h"

namespace quorvel {

const std::string& Report::line(std::size_t index) const {
    static const std::string empty;
    return index < lines_.size() ? lines_[index] : empty;
}

} // namespace quorvel
