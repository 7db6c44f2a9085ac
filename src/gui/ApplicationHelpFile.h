#pragma once

#include <string>

namespace quorvel {

// The application's help file: the one a help request opens when its window has none. One per
// process, kept on the application object; empty until a language sets it.
std::string applicationHelpFile();
void setApplicationHelpFile(const std::string& helpFile);

// The help file a window's request opens: its own, else the application's.
std::string helpFileInForce(const std::string& windowHelpFile);

} // namespace quorvel
