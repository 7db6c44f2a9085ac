#include "gui/CheckedButtonFocus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QFocusEvent>

#include <utility>

namespace quorvel {

CheckedButtonFocus::CheckedButtonFocus(QButtonGroup& group) : QObject(&group), group_(group) {
    for (QAbstractButton* button : group.buttons()) {
        button->installEventFilter(this);
    }
}

void CheckedButtonFocus::passOn(QWidget* from, bool forward) {
    QWidget* next = from;
    do {
        next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
    } while (next != from &&
             (group_.buttons().contains(qobject_cast<QAbstractButton*>(next)) ||
              !(next->focusPolicy() & Qt::TabFocus) || !next->isVisible() || !next->isEnabled()));
    next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool CheckedButtonFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // The focus is already on its way: whether it stays among the buttons.
        fromGroup_ =
            group_.buttons().contains(qobject_cast<QAbstractButton*>(QApplication::focusWidget()));
    } else if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool byTab = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
        const bool fromGroup = std::exchange(fromGroup_, false);
        QAbstractButton* checked = group_.checkedButton();
        if (byTab && checked != nullptr && checked != watched && checked->isEnabled()) {
            if (fromGroup) {
                // Leaving the group: on past the buttons that are up.
                passOn(static_cast<QWidget*>(watched), reason == Qt::TabFocusReason);
            } else {
                checked->setFocus(reason);
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quorvel
