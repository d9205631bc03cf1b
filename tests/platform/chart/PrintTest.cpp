#include "ChartFixture.h"

#include "platform/errors/Exception.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// The first page's size from the PDF file: width and height in points.
QSizeF PageSize(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromLatin1(file.readAll());
    const QRegularExpressionMatch match =
        QRegularExpression(R"(/MediaBox\s*\[\s*0\s+0\s+([0-9.]+)\s+([0-9.]+)\s*\])").match(text);
    if (!match.hasMatch())
        return {};
    return {match.captured(1).toDouble(), match.captured(2).toDouble()};
}

} // namespace

using Print = ChartFixture;

TEST_F(Print, PrintsOneLandscapePageAndPutsThePortraitOrientationBack) {
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("chart.pdf"));
    printer.setPageOrientation(QPageLayout::Portrait);

    chart.PrintLandscape(&printer);

    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(printer.docName(), "Chart1");
    const QSizeF page = PageSize(dir.filePath("chart.pdf"));
    EXPECT_GT(page.width(), page.height());
    EXPECT_GT(page.height(), 0);
}

TEST_F(Print, AFailingPrinterStillGetsItsOrientationBack) {
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("no such folder/chart.pdf"));
    printer.setPageOrientation(QPageLayout::Portrait);

    try {
        chart.PrintLandscape(&printer);
        ADD_FAILURE() << "printing to a missing folder succeeded";
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message(), "Printer selected is not valid");
    }
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
}
