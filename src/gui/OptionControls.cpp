#include "gui/OptionControls.h"

#include "gui/QtText.h"
#include "options/OptionTable.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace quorvel {

namespace {

QWidget* named(const QWidget& window, std::string_view name) {
    if (name.empty()) {
        return nullptr;
    }
    return window.findChild<QWidget*>(QLatin1StringView(name.data(), name.size()));
}

} // namespace

OptionControls::OptionControls(const QWidget& window) {
    for (const auto& row : kOptionTable) {
        controls_.push_back({&row, named(window, row.control), named(window, row.controlLabel)});
    }
}

CompareOptions OptionControls::read() const {
    CompareOptions options;
    for (const auto& c : controls_) {
        if (c.row->onOff != nullptr) {
            options.*c.row->onOff = qobject_cast<QAbstractButton*>(c.control)->isChecked();
        } else {
            options.*c.row->patterns = toBytes(qobject_cast<QLineEdit*>(c.control)->text());
        }
    }
    return options;
}

void OptionControls::showFor(CompareMode mode) const {
    for (const auto& c : controls_) {
        if (!c.row->directoriesOnly) {
            continue;
        }
        const bool applies = appliesTo(*c.row, mode);
        c.control->setVisible(applies);
        if (c.label != nullptr) {
            c.label->setVisible(applies);
        }
    }
}

} // namespace quorvel
