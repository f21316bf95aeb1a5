#include "widgets/text_printer_qt.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

namespace brackle {

namespace {

// A line as the printed lines it takes at width: broken between words, and
// inside a word only when the word alone is wider than the page.
QStringList WrapLine(const QString& line, const QFont& font, QPaintDevice* device, qreal width)
{
    if (line.isEmpty())
        return {QString()};
    QTextLayout layout(line, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList parts;
    layout.beginLayout();
    for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
        l.setLineWidth(width);
        parts << line.mid(l.textStart(), l.textLength());
    }
    layout.endLayout();
    return parts;
}

}  // namespace

bool PrintLines(QPrinter& printer, const QFont& font, const QStringList& lines, QString* error)
{
    printer.setPageMargins(QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                           QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer)) {
        *error = QStringLiteral("The printer could not be started.");
        return false;
    }
    painter.setFont(font);
    const QFontMetrics metrics(painter.font(), painter.device());
    // The painter's origin is the corner of the printable area inside the margins.
    const QRect page = painter.viewport();
    const int step = std::max(1, metrics.lineSpacing());
    int y = metrics.ascent();
    for (const QString& line : lines) {
        for (const QString& part : WrapLine(line, painter.font(), painter.device(), page.width())) {
            if (y + metrics.descent() > page.height()) {
                if (!printer.newPage()) {
                    *error = QStringLiteral("The printer could not start a new page.");
                    painter.end();
                    return false;
                }
                y = metrics.ascent();
            }
            painter.drawText(0, y, part);
            y += step;
        }
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        *error = QStringLiteral("The printer reported an error.");
        return false;
    }
    return true;
}

}  // namespace brackle
