#include "gui/WindowAccessible.h"

#include "gui/MainWindow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace quorvel {

namespace {

QAccessibleInterface* windowRoles(const QString&, QObject* object) {
    if (auto* window = qobject_cast<MainWindow*>(object)) {
        return new QAccessibleWidget(window, QAccessible::Window);
    }
    // The status line is a label that keeps its design geometry; it speaks as a status bar.
    if (auto* label = qobject_cast<QLabel*>(object);
        label != nullptr && label->objectName() == QLatin1StringView("StatusBar1") &&
        qobject_cast<MainWindow*>(label->window()) != nullptr) {
        return new QAccessibleWidget(label, QAccessible::StatusBar);
    }
    return nullptr;
}

} // namespace

void installWindowRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(windowRoles);
        return true;
    }();
    (void)installed;
}

} // namespace quorvel
