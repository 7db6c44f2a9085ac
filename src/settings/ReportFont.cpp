#include "settings/ReportFont.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace quorvel {

namespace {

// a * b / c for c > 0, rounded half away from zero, kept within int and clear of INT_MIN so that
// it can be negated.
int mulDiv(int a, int b, int c) {
    const std::int64_t product = std::int64_t{a} * b;
    std::int64_t q = product / c;
    const std::int64_t r = product % c;
    if (2 * (r < 0 ? -r : r) >= c) {
        q += product < 0 ? -1 : 1;
    }
    return static_cast<int>(std::clamp<std::int64_t>(q, -INT_MAX, INT_MAX));
}

int validPixelsPerInch(int ppi) {
    return ppi > 0 ? ppi : ReportFont::kDefaultPixelsPerInch;
}

} // namespace

void ReportFont::setHeight(int pixels, int pixelsPerInch) {
    height = pixels;
    size = -mulDiv(pixels, 72, validPixelsPerInch(pixelsPerInch));
}

void ReportFont::setSize(int points, int pixelsPerInch) {
    size = points;
    height = -mulDiv(points, validPixelsPerInch(pixelsPerInch), 72);
}

} // namespace quorvel
