#include "widgets/text_printer_qt.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace brackle {

bool PrintLines(QPrinter& printer, const QFont& font, const QStringList& lines, QString* error)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        *error = QStringLiteral("The printer could not be started.");
        return false;
    }
    painter.setFont(font);
    const QFontMetrics metrics(painter.font(), painter.device());
    const QRect page = painter.viewport();
    const int step = std::max(1, metrics.lineSpacing());
    int y = metrics.ascent();
    for (const QString& line : lines) {
        if (y + metrics.descent() > page.height()) {
            if (!printer.newPage()) {
                *error = QStringLiteral("The printer could not start a new page.");
                painter.end();
                return false;
            }
            y = metrics.ascent();
        }
        painter.drawText(0, y, line);
        y += step;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        *error = QStringLiteral("The printer reported an error.");
        return false;
    }
    return true;
}

}  // namespace brackle
