#pragma once

#include "gui/ReportWindowHooks.h"

#include <optional>

class QWidget;

namespace quorvel {

// The desktop's font dialog with a colour choice in its effects: the sixteen basic colours and
// the desktop's window-text colour.
std::optional<FontChoice> chooseFontAndColor(QWidget* parent, const FontChoice& current);

} // namespace quorvel
