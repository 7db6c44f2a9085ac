#include "gui/ReportViewAccessible.h"

#include "gui/ReportView.h"

#include <QScrollBar>

#include <algorithm>

namespace quorvel {

ReportViewAccessible::ReportViewAccessible(ReportView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

ReportView* ReportViewAccessible::view() const {
    return static_cast<ReportView*>(widget());
}

void* ReportViewAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State ReportViewAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    s.selectableText = true;
    return s;
}

void ReportViewAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !view()->hasSelection()) {
        return;
    }
    const qsizetype a = view()->offsetOf(view()->anchorPosition());
    const qsizetype c = view()->offsetOf(view()->cursorPosition());
    *startOffset = static_cast<int>(std::min(a, c));
    *endOffset = static_cast<int>(std::max(a, c));
}

int ReportViewAccessible::selectionCount() const {
    return view()->hasSelection() ? 1 : 0;
}

void ReportViewAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void ReportViewAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        const TextPosition cursor = view()->cursorPosition();
        view()->setSelection(cursor, cursor);
    }
}

void ReportViewAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        view()->setSelection(view()->positionAt(startOffset), view()->positionAt(endOffset));
    }
}

int ReportViewAccessible::cursorPosition() const {
    return static_cast<int>(view()->offsetOf(view()->cursorPosition()));
}

void ReportViewAccessible::setCursorPosition(int position) {
    const TextPosition p = view()->positionAt(position);
    view()->setSelection(p, p);
    view()->ensureVisible(p);
}

QString ReportViewAccessible::text(int startOffset, int endOffset) const {
    return view()->text(startOffset, endOffset);
}

int ReportViewAccessible::characterCount() const {
    return static_cast<int>(view()->characterCount());
}

QRect ReportViewAccessible::characterRect(int offset) const {
    const QRect r = view()->characterRect(view()->positionAt(offset));
    return QRect(view()->viewport()->mapToGlobal(r.topLeft()), r.size());
}

int ReportViewAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = view()->viewport()->mapFromGlobal(point);
    return static_cast<int>(view()->offsetOf(view()->positionAtPoint(local)));
}

void ReportViewAccessible::scrollToSubstring(int startIndex, int endIndex) {
    view()->ensureVisible(view()->positionAt(endIndex));
    view()->ensureVisible(view()->positionAt(startIndex));
}

QString ReportViewAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    // One font and colour throughout.
    *startOffset = 0;
    *endOffset = std::max(characterCount(), offset);
    return {};
}

} // namespace quorvel
