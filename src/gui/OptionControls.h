#pragma once

#include "engine/CompareMode.h"
#include "engine/CompareOptions.h"

#include <vector>

class QWidget;

namespace quorvel {

struct OptionRow;

// The window's controls of the comparison's options, found by the names the option table gives
// them.
class OptionControls {
public:
    explicit OptionControls(const QWidget& window);

    CompareOptions read() const;
    // Shows the controls of the options that apply to `mode` only where they do.
    void showFor(CompareMode mode) const;

private:
    struct Control {
        const OptionRow* row;
        QWidget* control;
        QWidget* label; // null where the control has no label of its own
    };
    std::vector<Control> controls_;
};

} // namespace quorvel
