#pragma once

#include <optional>
#include <string>

class QWidget;

namespace quorvel {

class Dialogs;
class LanguageStrings;

// Asks for a folder, opened at `start`, over `parent`. An answer that is not an existing
// directory is shown as an error and counts as none.
std::optional<std::string> chooseExistingDirectory(Dialogs& dialogs, QWidget* parent,
                                                   const LanguageStrings& strings,
                                                   const std::string& start);

} // namespace quorvel
