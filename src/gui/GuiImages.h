#pragma once

#include <QIcon>

namespace quorvel {

// Registers the windows' images (icons.qrc). This library is static, so nothing registers them
// on its own; calling it again does no harm.
void registerGuiImages();

// The program's own icon, the same picture as its desktop entry's.
QIcon programIcon();

} // namespace quorvel
