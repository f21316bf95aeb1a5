// The printed page read back from a PDF: every word on the paper, inside margins.
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "test_support.h"
#include "widgets/text_printer_qt.h"
#include "widgets/text_qt.h"

namespace brackle {
namespace {

struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;
    int page;
};

struct Printout {
    double width = 0, height = 0;
    std::vector<Word> words;
};

// The words of a PDF with where they stand, in points, as pdftotext -bbox gives them.
Printout ReadBack(const QString& pdftotext, const QString& pdf)
{
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(20000));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    Printout out;
    static const QRegularExpression page(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    static const QRegularExpression word(QStringLiteral(
        "<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    if (const auto m = page.match(html); m.hasMatch()) {
        out.width = m.captured(1).toDouble();
        out.height = m.captured(2).toDouble();
    }
    int pageNo = 0;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++pageNo;
            continue;
        }
        out.words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                             m.captured(3).toDouble(), m.captured(4).toDouble(), pageNo});
    }
    return out;
}

TEST(TextPrinter, LongLinesWrapAtThePageWidthInsideMargins)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed; the printout cannot be read back";
    test::TempDir tmp;
    QStringList lines;
    QString longLine;
    for (int i = 1; i <= 80; ++i)
        longLine += QStringLiteral("w%1 ").arg(i, 3, 10, QLatin1Char('0'));
    lines << QStringLiteral("first line") << longLine.trimmed() << QString(300, QLatin1Char('x'));
    for (int i = 1; i <= 120; ++i)  // onto a second page
        lines << QStringLiteral("line%1").arg(i);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QString pdf = PathToQt(tmp.path() / "out.pdf");
    printer.setOutputFileName(pdf);
    QString error;
    ASSERT_TRUE(PrintLines(printer, QFont(QStringLiteral("DejaVu Sans Mono"), 12), lines, &error))
        << error.toStdString();

    const Printout out = ReadBack(pdftotext, pdf);
    ASSERT_GT(out.width, 500.0);
    const double mm = 72.0 / 25.4;
    int xs = 0;
    QStringList seen;
    for (const Word& w : out.words) {
        EXPECT_GE(w.xMin, 14.5 * mm) << w.text.toStdString();
        EXPECT_LE(w.xMax, out.width - 14.5 * mm) << w.text.toStdString();
        EXPECT_GE(w.yMin, 14.5 * mm) << w.text.toStdString();
        EXPECT_LE(w.yMax, out.height - 14.5 * mm) << w.text.toStdString();
        if (w.text.startsWith(QLatin1Char('x')) && w.text.count(QLatin1Char('x')) == w.text.size())
            xs += static_cast<int>(w.text.size());
        seen << w.text;
    }
    // Every word of the long line is printed, in order, and it takes several printed lines.
    QStringList expected = longLine.trimmed().split(QLatin1Char(' '));
    qsizetype from = seen.indexOf(QStringLiteral("w001"));
    ASSERT_GE(from, 0);
    EXPECT_EQ(seen.mid(from, expected.size()), expected);
    double firstY = 0, lastY = 0;
    for (const Word& w : out.words) {
        if (w.text == QLatin1String("w001"))
            firstY = w.yMin;
        if (w.text == QLatin1String("w080"))
            lastY = w.yMin;
    }
    EXPECT_GT(lastY, firstY) << "the long line goes on below";
    EXPECT_EQ(xs, 300) << "a word longer than the line is broken, not cut";
    EXPECT_TRUE(seen.contains(QStringLiteral("line120")));
    EXPECT_GE(out.words.back().page, 2);
}

}  // namespace
}  // namespace brackle
