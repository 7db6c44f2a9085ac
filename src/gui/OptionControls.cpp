#include "gui/OptionControls.h"

#include "gui/QtText.h"
#include "options/OptionTable.h"

#include <QAbstractButton>
#include <QComboBox>
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
        if (c.control == nullptr) {
            continue; // the companion's alone
        }
        if (c.row->choice != nullptr) {
            // The choices in the table's order.
            const auto* box = qobject_cast<QComboBox*>(c.control);
            const int index = box != nullptr ? box->currentIndex() : 0;
            if (index >= 0 && static_cast<std::size_t>(index) < c.row->choices.size()) {
                options.*c.row->choice = c.row->choices[static_cast<std::size_t>(index)].value;
            }
        } else if (c.row->onOff != nullptr) {
            options.*c.row->onOff = qobject_cast<QAbstractButton*>(c.control)->isChecked();
        } else {
            options.*c.row->patterns = toBytes(qobject_cast<QLineEdit*>(c.control)->text());
        }
    }
    return options;
}

void OptionControls::showFor(CompareMode mode) const {
    for (const auto& c : controls_) {
        if (c.row->modes == OptionModes::All || c.control == nullptr) {
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
