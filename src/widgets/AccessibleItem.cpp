#include "widgets/AccessibleItem.h"

namespace quorvel {

QWindow* AccessibleItem::window() const {
    QAccessibleInterface* owner = parent();
    return owner ? owner->window() : nullptr;
}

QAccessibleInterface* AccessibleItem::parent() const {
    return owner_ ? QAccessible::queryAccessibleInterface(owner_) : nullptr;
}

QAccessible::State AccessibleItem::itemState(bool selected) const {
    QAccessible::State state;
    state.selectable = true;
    state.focusable = true;
    state.selected = selected;
    state.focused = selected && owner_->hasFocus();
    state.invisible = !owner_->isVisible();
    return state;
}

QRect AccessibleItem::onScreen(const QRect& inOwner) const {
    return {owner_->mapToGlobal(inOwner.topLeft()), inOwner.size()};
}

} // namespace quorvel
