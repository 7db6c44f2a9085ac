#pragma once

#include <QFont>
#include <QString>

namespace quorvel {

// The font in which `text` fits `width` pixels: `font` itself when it fits, else the same font
// narrowed step by step (a condensed face where the family has one) and at last one point
// smaller. Translations are longer than the design texts, and the design boxes are fixed.
QFont fittingFont(const QFont& font, const QString& text, int width);

} // namespace quorvel
