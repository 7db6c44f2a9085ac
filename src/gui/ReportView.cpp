#include "gui/ReportView.h"

#include "gui/QtText.h"
#include "gui/ReportViewAccessible.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>
#include <queue>

namespace quorvel {

namespace {

constexpr int kMargin = 2;
// The longest lines by bytes whose width is measured when a report is shown; a wider one found
// while painting widens the view then.
constexpr std::size_t kMeasuredLines = 64;

QAccessibleInterface* accessibleFactory(const QString&, QObject* object) {
    if (auto* view = qobject_cast<ReportView*>(object)) {
        return new ReportViewAccessible(view);
    }
    return nullptr;
}

} // namespace

ReportView::ReportView(QWidget* parent) : QAbstractScrollArea(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    refresh();
}

void ReportView::setReport(const Report* report) {
    report_ = report;
    refresh();
}

void ReportView::refresh() {
    offsetsValid_ = false;
    lineOffsets_.clear();
    lineOffsets_.shrink_to_fit();
    anchor_ = cursor_ = TextPosition{};
    lineHeight_ = std::max(1, fontMetrics().lineSpacing());

    // The widest line is among the longest ones in bytes, unless its characters are unusually
    // wide; painting widens the view for those.
    contentWidth_ = 0;
    const qsizetype count = lineCount();
    using Entry = std::pair<std::size_t, qsizetype>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> longest;
    for (qsizetype i = 0; i < count; ++i) {
        const std::size_t size = report_->line(static_cast<std::size_t>(i)).size();
        if (longest.size() < kMeasuredLines) {
            longest.emplace(size, i);
        } else if (size > longest.top().first) {
            longest.pop();
            longest.emplace(size, i);
        }
    }
    const QFontMetrics metrics = fontMetrics();
    for (; !longest.empty(); longest.pop()) {
        contentWidth_ =
            std::max(contentWidth_, metrics.horizontalAdvance(lineText(longest.top().second)));
    }
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
    if (QAccessible::isActive()) {
        // The whole text changed; assistive tools read it again through the text interface
        // rather than taking a copy of a report that may be huge.
        QAccessibleTextUpdateEvent event(this, 0, QString(), QString());
        QAccessible::updateAccessibility(&event);
    }
}

void ReportView::notifySelection() {
    viewport()->update();
    if (!QAccessible::isActive()) {
        return;
    }
    const int cursor = static_cast<int>(offsetOf(cursor_));
    const int anchor = static_cast<int>(offsetOf(anchor_));
    QAccessibleTextSelectionEvent selection(this, std::min(anchor, cursor),
                                            std::max(anchor, cursor));
    selection.setCursorPosition(cursor);
    QAccessible::updateAccessibility(&selection);
    QAccessibleTextCursorEvent moved(this, cursor);
    QAccessible::updateAccessibility(&moved);
}

qsizetype ReportView::lineCount() const {
    return report_ ? static_cast<qsizetype>(report_->count()) : 0;
}

QString ReportView::lineText(qsizetype line) const {
    if (!report_ || line < 0) {
        return {};
    }
    return toQString(report_->line(static_cast<std::size_t>(line)));
}

const std::vector<qsizetype>& ReportView::lineOffsets() const {
    if (!offsetsValid_) {
        const qsizetype count = lineCount();
        lineOffsets_.assign(static_cast<std::size_t>(count), 0);
        qsizetype offset = 0;
        for (qsizetype i = 0; i < count; ++i) {
            lineOffsets_[static_cast<std::size_t>(i)] = offset;
            offset += lineText(i).size() + 1;
        }
        offsetsValid_ = true;
    }
    return lineOffsets_;
}

qsizetype ReportView::characterCount() const {
    return offsetOf(endOfText());
}

qsizetype ReportView::offsetOf(TextPosition position) const {
    position = clamp(position);
    if (lineCount() == 0) {
        return 0;
    }
    return lineOffsets()[static_cast<std::size_t>(position.line)] + position.column;
}

TextPosition ReportView::positionAt(qsizetype offset) const {
    if (lineCount() == 0) {
        return {};
    }
    const std::vector<qsizetype>& offsets = lineOffsets();
    const auto next =
        std::upper_bound(offsets.begin(), offsets.end(), std::max<qsizetype>(offset, 0));
    const qsizetype line = std::distance(offsets.begin(), next) - 1;
    return clamp(TextPosition{line, offset - offsets[static_cast<std::size_t>(line)]});
}

QString ReportView::text(qsizetype start, qsizetype end) const {
    const TextPosition from = positionAt(start);
    const TextPosition to = positionAt(end);
    if (!(from < to)) {
        return {};
    }
    QString result;
    for (qsizetype line = from.line; line <= to.line; ++line) {
        const QString text = lineText(line);
        const qsizetype first = line == from.line ? from.column : 0;
        const qsizetype last = line == to.line ? to.column : text.size();
        result += QStringView(text).mid(first, last - first);
        if (line != to.line) {
            result += QLatin1Char('\n');
        }
    }
    return result;
}

TextPosition ReportView::clamp(TextPosition position) const {
    const qsizetype count = lineCount();
    if (count == 0) {
        return {};
    }
    if (position.line < 0) {
        return {};
    }
    if (position.line >= count) {
        return TextPosition{count - 1, lineText(count - 1).size()};
    }
    position.column = std::clamp<qsizetype>(position.column, 0, lineText(position.line).size());
    return position;
}

void ReportView::setSelection(TextPosition anchor, TextPosition cursor) {
    anchor_ = clamp(anchor);
    cursor_ = clamp(cursor);
    notifySelection();
}

QString ReportView::selectedText() const {
    const TextPosition from = std::min(anchor_, cursor_);
    const TextPosition to = std::max(anchor_, cursor_);
    return text(offsetOf(from), offsetOf(to));
}

void ReportView::selectAll() {
    setSelection({}, endOfText());
}

void ReportView::copy() const {
    if (hasSelection()) {
        QGuiApplication::clipboard()->setText(selectedText());
    }
}

qsizetype ReportView::firstVisibleLine() const {
    return verticalScrollBar()->value();
}

void ReportView::updateScrollBars() {
    const int rows = std::max(1, viewport()->height() / lineHeight_);
    const qsizetype count = lineCount();
    verticalScrollBar()->setRange(0, static_cast<int>(std::max<qsizetype>(0, count - rows)));
    verticalScrollBar()->setPageStep(rows);
    verticalScrollBar()->setSingleStep(1);
    const int width = contentWidth_ + 2 * kMargin;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
}

void ReportView::widenFor(qsizetype, qreal width) {
    if (width > contentWidth_) {
        contentWidth_ = static_cast<int>(width) + 1;
        updateScrollBars();
    }
}

void ReportView::layoutLine(QTextLayout& layout) const {
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(1e9);
    }
    layout.endLayout();
}

void ReportView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& pal = palette();
    painter.setPen(pal.color(QPalette::Text));
    const qsizetype first = firstVisibleLine();
    const qsizetype count = lineCount();
    const int rows = viewport()->height() / lineHeight_ + 1;
    const int x = kMargin - horizontalScrollBar()->value();
    const TextPosition from = std::min(anchor_, cursor_);
    const TextPosition to = std::max(anchor_, cursor_);

    QTextCharFormat selected;
    selected.setBackground(pal.brush(QPalette::Highlight));
    selected.setForeground(pal.brush(QPalette::HighlightedText));
    for (qsizetype line = first; line < count && line < first + rows; ++line) {
        const int y = static_cast<int>(line - first) * lineHeight_;
        const QString text = lineText(line);
        QTextLayout layout(text, font(), viewport());
        layoutLine(layout);
        if (layout.lineCount() == 0) {
            continue;
        }
        const QTextLine row = layout.lineAt(0);
        widenFor(line, row.naturalTextWidth());
        QList<QTextLayout::FormatRange> selections;
        if (from < to && from.line <= line && line <= to.line) {
            const qsizetype start = line == from.line ? from.column : 0;
            const qsizetype end = line == to.line ? to.column : text.size();
            selections.append({static_cast<int>(start), static_cast<int>(end - start), selected});
            if (line < to.line) {
                // The line end is part of the selection too.
                const qreal end = row.naturalTextWidth();
                painter.fillRect(QRectF(x + end, y, fontMetrics().averageCharWidth(), lineHeight_),
                                 pal.brush(QPalette::Highlight));
            }
        }
        layout.draw(&painter, QPointF(x, y), selections);
        if (line == cursor_.line && hasFocus()) {
            layout.drawCursor(&painter, QPointF(x, y), static_cast<int>(cursor_.column));
        }
    }
}

TextPosition ReportView::positionAtPoint(QPoint point) const {
    const qsizetype count = lineCount();
    if (count == 0) {
        return {};
    }
    const qsizetype line =
        std::clamp<qsizetype>(firstVisibleLine() + (point.y() < 0 ? point.y() / lineHeight_ - 1
                                                                  : point.y() / lineHeight_),
                              0, count - 1);
    QTextLayout layout(lineText(line), font());
    layoutLine(layout);
    const qreal x = point.x() - kMargin + horizontalScrollBar()->value();
    return TextPosition{line, layout.lineCount() ? layout.lineAt(0).xToCursor(x) : 0};
}

QRect ReportView::characterRect(TextPosition position) const {
    position = clamp(position);
    QTextLayout layout(lineText(position.line), font());
    layoutLine(layout);
    const qreal left =
        layout.lineCount() ? layout.lineAt(0).cursorToX(static_cast<int>(position.column)) : 0;
    const qreal right = layout.lineCount()
                            ? layout.lineAt(0).cursorToX(static_cast<int>(position.column) + 1)
                            : left;
    const int x = kMargin - horizontalScrollBar()->value() + static_cast<int>(left);
    const int y = static_cast<int>(position.line - firstVisibleLine()) * lineHeight_;
    return QRect(x, y, std::max(1, static_cast<int>(right - left)), lineHeight_);
}

void ReportView::ensureVisible(TextPosition position) {
    position = clamp(position);
    const int rows = std::max(1, viewport()->height() / lineHeight_);
    if (position.line < firstVisibleLine()) {
        verticalScrollBar()->setValue(static_cast<int>(position.line));
    } else if (position.line >= firstVisibleLine() + rows) {
        verticalScrollBar()->setValue(static_cast<int>(position.line - rows + 1));
    }
    const QRect r = characterRect(position);
    if (r.left() < 0) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + r.left() - kMargin);
    } else if (r.left() >= viewport()->width()) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + r.left() -
                                        viewport()->width() + 2 * kMargin);
    }
}

void ReportView::moveCursor(TextPosition position, bool keepAnchor) {
    cursor_ = clamp(position);
    if (!keepAnchor) {
        anchor_ = cursor_;
    }
    ensureVisible(cursor_);
    notifySelection();
}

void ReportView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        copy();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        selectAll();
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int rows = std::max(1, viewport()->height() / lineHeight_);
    TextPosition p = cursor_;
    const QString text = lineText(p.line);
    switch (event->key()) {
    case Qt::Key_Left:
        if (p.column > 0) {
            QTextLayout layout(text, font());
            p.column = layout.previousCursorPosition(static_cast<int>(p.column));
        } else if (p.line > 0) {
            p = TextPosition{p.line - 1, lineText(p.line - 1).size()};
        }
        break;
    case Qt::Key_Right:
        if (p.column < text.size()) {
            QTextLayout layout(text, font());
            p.column = layout.nextCursorPosition(static_cast<int>(p.column));
        } else if (p.line + 1 < lineCount()) {
            p = TextPosition{p.line + 1, 0};
        }
        break;
    case Qt::Key_Up:
        --p.line;
        break;
    case Qt::Key_Down:
        p.line = std::min(p.line + 1, std::max<qsizetype>(lineCount() - 1, 0));
        break;
    case Qt::Key_PageUp:
        p.line = std::max<qsizetype>(p.line - rows, 0);
        break;
    case Qt::Key_PageDown:
        p.line = std::min(p.line + rows, std::max<qsizetype>(lineCount() - 1, 0));
        break;
    case Qt::Key_Home:
        p = control ? TextPosition{} : TextPosition{p.line, 0};
        break;
    case Qt::Key_End:
        p = control ? endOfText() : TextPosition{p.line, text.size()};
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (p.line < 0) {
        p = TextPosition{};
    }
    moveCursor(p, shift);
}

void ReportView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        moveCursor(positionAtPoint(event->position().toPoint()),
                   event->modifiers() & Qt::ShiftModifier);
    }
}

void ReportView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        moveCursor(positionAtPoint(event->position().toPoint()), true);
    }
}

void ReportView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // A double click takes the whole line, the unit of a report.
    const TextPosition p = positionAtPoint(event->position().toPoint());
    setSelection(TextPosition{p.line, 0}, TextPosition{p.line, lineText(p.line).size()});
}

void ReportView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void ReportView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void ReportView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ReportView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        // New metrics; the selection and the place in the text stay.
        const TextPosition anchor = anchor_;
        const TextPosition cursor = cursor_;
        const int top = verticalScrollBar()->value();
        refresh();
        anchor_ = anchor;
        cursor_ = cursor;
        verticalScrollBar()->setValue(top);
    }
}

void ReportView::scrollContentsBy(int, int) {
    viewport()->update();
}

} // namespace quorvel
