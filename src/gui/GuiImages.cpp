#include "gui/GuiImages.h"

#include <QtGlobal>

// The resource's initialiser lives in the global namespace.
static void initIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace quorvel {

void registerGuiImages() {
    initIcons();
}

QIcon programIcon() {
    registerGuiImages();
    return QIcon(QStringLiteral(":/icons/quorvel.svg"));
}

} // namespace quorvel
