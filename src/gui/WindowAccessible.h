#pragma once

namespace quorvel {

// What assistive tools are told the main window and its status line are: a window (a frame), not
// a plain filler, and a status bar, not a plain label, so that "read the status bar" finds it.
// Installed once; the look stays as it is.
void installWindowRoles();

} // namespace quorvel
