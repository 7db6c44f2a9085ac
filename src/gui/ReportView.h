#pragma once

#include "report/Report.h"

#include <QAbstractScrollArea>
#include <QString>

#include <vector>

class QTextLayout;

namespace quorvel {

// A place in the report: a line and a position in its shown text (UTF-16 units).
struct TextPosition {
    qsizetype line = 0;
    qsizetype column = 0;
    auto operator<=>(const TextPosition&) const = default;
};

// Shows a report read-only, one line per row, never wrapped, painting only the rows in view
// straight from the report, so a report of a million lines opens at once and costs no copy.
// The user selects with the mouse or the keyboard and copies; assistive tools read the whole
// text, one report line per line.
class ReportView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit ReportView(QWidget* parent = nullptr);

    // The report shown; it must outlive the view or be replaced first. Call refresh() after the
    // report changed.
    void setReport(const Report* report);
    void refresh();

    qsizetype lineCount() const;
    QString lineText(qsizetype line) const;

    // The whole text, lines joined by "\n", and the offsets into it.
    qsizetype characterCount() const;
    QString text(qsizetype start, qsizetype end) const;
    qsizetype offsetOf(TextPosition position) const;
    TextPosition positionAt(qsizetype offset) const;

    TextPosition cursorPosition() const { return cursor_; }
    TextPosition anchorPosition() const { return anchor_; }
    void setSelection(TextPosition anchor, TextPosition cursor);
    bool hasSelection() const { return anchor_ != cursor_; }
    QString selectedText() const;
    void selectAll();
    void copy() const;

    qsizetype firstVisibleLine() const;
    int lineHeight() const { return lineHeight_; }
    // Scrolls so that `position` is in view.
    void ensureVisible(TextPosition position);
    // The position under a point of the viewport.
    TextPosition positionAtPoint(QPoint point) const;
    QRect characterRect(TextPosition position) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void layoutLine(QTextLayout& layout) const;
    void updateScrollBars();
    void widenFor(qsizetype line, qreal width);
    void moveCursor(TextPosition position, bool keepAnchor);
    void notifySelection();
    const std::vector<qsizetype>& lineOffsets() const;
    TextPosition clamp(TextPosition position) const;
    // Past the last line: clamp makes it the end of the last line, or the start of no text.
    TextPosition endOfText() const { return TextPosition{lineCount(), 0}; }

    const Report* report_ = nullptr;
    TextPosition anchor_;
    TextPosition cursor_;
    int lineHeight_ = 1;
    int contentWidth_ = 0;
    // Start of each line in the whole text; built when an assistive tool first asks.
    mutable std::vector<qsizetype> lineOffsets_;
    mutable bool offsetsValid_ = false;
};

} // namespace quorvel
