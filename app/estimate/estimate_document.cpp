#include "app/estimate/estimate_document.h"

#include "app/qt_text.h"
#include "estimate/estimate_table.h"
#include "text/captions.h"

#include <QBuffer>
#include <QDate>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace tarvik {
namespace {

bool isNumberColumn(std::size_t c)
{
    const auto column = static_cast<EstimateColumn>(c);
    return column != EstimateColumn::Name && column != EstimateColumn::Size &&
           column != EstimateColumn::Grade && column != EstimateColumn::PriceUnit;
}

void insertLine(QTextCursor& cursor, const QString& text, int pointSize, bool bold)
{
    QTextCharFormat format;
    format.setFontPointSize(pointSize);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    cursor.insertText(text, format);
    cursor.insertBlock();
}

} // namespace

std::unique_ptr<QTextDocument> estimateDocument(const Estimate& estimate, CalendarDate date)
{
    auto document = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    document->setDefaultFont(font);
    QTextCursor cursor(document.get());
    insertLine(cursor, qs(captionWith(Caption::PrintedTitle, estimate.name())), 13, true);
    insertLine(cursor, qs(captionWith(Caption::PrintedDate, calendarDateText(date))), 9, false);

    std::vector<TableRow> rows = estimateTable(estimate);
    // The blank row divides the lines from the totals in a spreadsheet; on
    // paper the totals' bold type does.
    std::erase_if(rows, [](const TableRow& r) { return r.empty(); });
    const std::size_t lineRows = estimate.size() + 1;

    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderBrush(QColor(0x80, 0x80, 0x80));
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(2);
    format.setHeaderRowCount(1);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QTextTable* table =
        cursor.insertTable(static_cast<int>(rows.size()), static_cast<int>(estimateColumnCount), format);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const bool emphasised = r == 0 || r >= lineRows;
        for (std::size_t c = 0; c < estimateColumnCount; ++c) {
            QTextTableCell cell = table->cellAt(static_cast<int>(r), static_cast<int>(c));
            QTextCursor at = cell.firstCursorPosition();
            QTextBlockFormat block;
            block.setAlignment(r > 0 && isNumberColumn(c) ? Qt::AlignRight : Qt::AlignLeft);
            at.setBlockFormat(block);
            QTextCharFormat chars;
            chars.setFontWeight(emphasised ? QFont::Bold : QFont::Normal);
            at.insertText(qs(rows[r][c]), chars);
        }
    }
    return document;
}

void printEstimate(const Estimate& estimate, CalendarDate date, QPagedPaintDevice& device)
{
    estimateDocument(estimate, date)->print(&device);
}

QByteArray estimatePdf(const Estimate& estimate, CalendarDate date)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
        writer.setTitle(qs(captionWith(Caption::PrintedTitle, estimate.name())));
        printEstimate(estimate, date, writer);
    }
    return bytes;
}

CalendarDate today()
{
    const QDate d = QDate::currentDate();
    return {d.year(), d.month(), d.day()};
}

} // namespace tarvik
