#include "engine/Report.h"

namespace quorvel {

const std::string& Report::line(std::size_t index) const {
    static const std::string empty;
    return index < lines_.size() ? lines_[index].text : empty;
}

ReportLineKind Report::kind(std::size_t index) const {
    return index < lines_.size() ? lines_[index].kind : ReportLineKind::Blank;
}

std::optional<CompareResult> Report::result(std::size_t index) const {
    if (index >= lines_.size() || lines_[index].result < 0) {
        return std::nullopt;
    }
    return static_cast<CompareResult>(lines_[index].result);
}

} // namespace quorvel
