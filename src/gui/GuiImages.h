#pragma once

namespace quorvel {

// Registers the windows' images (icons.qrc). This library is static, so nothing registers them
// on its own; calling it again does no harm.
void registerGuiImages();

} // namespace quorvel
