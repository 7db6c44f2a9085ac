#include "gui/TextFitting.h"

#include <QFontMetrics>

#include <array>

namespace quorvel {

QFont fittingFont(const QFont& font, const QString& text, int width) {
    static constexpr std::array<int, 6> kStretches{100, 93, 87, 81, 75, 70};
    QFont narrowed = font;
    for (int stretch : kStretches) {
        narrowed.setStretch(stretch);
        if (QFontMetrics(narrowed).horizontalAdvance(text) <= width) {
            return narrowed;
        }
    }
    if (narrowed.pointSize() > 6) {
        narrowed.setPointSize(narrowed.pointSize() - 1);
    }
    return narrowed;
}

} // namespace quorvel
