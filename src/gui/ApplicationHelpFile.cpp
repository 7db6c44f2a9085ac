#include "gui/ApplicationHelpFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QVariant>

namespace quorvel {

namespace {

// Kept as bytes, so that a program directory whose name is not valid UTF-8 still works.
constexpr const char* kProperty = "quorvelHelpFile";

} // namespace

std::string applicationHelpFile() {
    const QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) {
        return {};
    }
    return application->property(kProperty).toByteArray().toStdString();
}

void setApplicationHelpFile(const std::string& helpFile) {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->setProperty(kProperty, QByteArray::fromStdString(helpFile));
    }
}

std::string helpFileInForce(const std::string& windowHelpFile) {
    return windowHelpFile.empty() ? applicationHelpFile() : windowHelpFile;
}

} // namespace quorvel
