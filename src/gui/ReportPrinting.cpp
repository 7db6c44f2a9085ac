#include "gui/ReportPrinting.h"

#include "gui/QtText.h"

#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

namespace quorvel {

bool printReport(const Report& report, const QFont& font, const QColor& color, QPrinter& printer) {
    printer.setDocName(QStringLiteral("Quorvel"));
    printer.setFullPage(false);
    // Zero margins are raised to what the printer can reach, which is its printable area.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QFont printFont(font, &printer);
    painter.setFont(printFont);
    painter.setPen(color);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal pageWidth = page.width();
    const qreal pageHeight = page.height();

    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    qreal y = 0;
    bool ok = true;
    for (std::size_t i = 0; ok && i < report.count(); ++i) {
        QTextLayout layout(toQString(report.line(i)), printFont, &printer);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
            row.setLineWidth(pageWidth);
        }
        layout.endLayout();
        for (int r = 0; ok && r < layout.lineCount(); ++r) {
            const QTextLine row = layout.lineAt(r);
            if (y > 0 && y + row.height() > pageHeight) {
                ok = printer.newPage();
                y = 0;
            }
            row.draw(&painter, QPointF(-row.x(), y - row.y()));
            y += row.height();
        }
        if (layout.lineCount() == 0) {
            y += QFontMetricsF(printFont, &printer).lineSpacing();
        }
    }
    ok = painter.end() && ok;
    return ok && printer.printerState() != QPrinter::Error;
}

} // namespace quorvel
