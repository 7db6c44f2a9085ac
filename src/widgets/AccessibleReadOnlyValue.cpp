#include "widgets/AccessibleReadOnlyValue.h"

namespace quorvel {

void* AccessibleReadOnlyValue::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

} // namespace quorvel
