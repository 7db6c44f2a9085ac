#include "gui/FolderBrowsing.h"

#include "engine/LongPath.h"
#include "gui/Dialogs.h"
#include "gui/QtText.h"
#include "lang/LanguageStrings.h"

#include <fcntl.h>

namespace quorvel {

namespace {

bool isExistingDirectory(const std::string& path) {
    // Also one deeper than the system takes in one call.
    return openDirectory(path, O_PATH).isOpen();
}

} // namespace

std::optional<std::string> chooseExistingDirectory(Dialogs& dialogs, QWidget* parent,
                                                   const LanguageStrings& strings,
                                                   const std::string& start) {
    const auto text = [&strings](MessageKey key) { return toQString(strings.text(key)); };
    const auto chosen =
        dialogs.chooseDirectory(parent, text(MessageKey::txtChooseDirectory), toQString(start));
    if (!chosen || chosen->isEmpty()) {
        return std::nullopt;
    }
    std::string path = toBytes(*chosen);
    if (!isExistingDirectory(path)) {
        dialogs.showMessage(parent, text(MessageKey::errInvalidDirectory),
                            text(MessageKey::capError), QMessageBox::Critical);
        return std::nullopt;
    }
    return path;
}

} // namespace quorvel
