#pragma once

#include <QStringView>

namespace quorvel {

// Registry names compare without regard to ASCII case; other letters must match exactly.
bool equalsIgnoringAsciiCase(QStringView a, QStringView b);

} // namespace quorvel
