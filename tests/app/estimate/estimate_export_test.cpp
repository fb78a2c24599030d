// The estimate's exports read back by real clients: the PDF by pdftotext,
// the CSV by LibreOffice Calc as a Russian spreadsheet opens it. Either
// tool missing fails the test: it is what the export is for.

#include "app/estimate/estimate_document.h"
#include "estimate/estimate_csv.h"
#include "estimate/estimate_table.h"
#include "estimate/money.h"
#include "tests/estimate/estimate_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

QString q(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

// Lines priced per tonne, per square metre and not at all, under a name
// that looks like markup.
Estimate sample()
{
    Estimate e = makeEstimate();
    e.rename(u"<i>Дача</i> & баня");
    const std::uint64_t rebar = e.add(rebar12(u"125,5")).id;
    const std::uint64_t sheet = e.add(sheet4(u"3,125")).id;
    e.add(weldedMesh(u"40"));
    e.add(amg3Sheet3(u"2"));
    e.editPieces(rebar, u"11");
    e.editPrice(rebar, u"64999,99");
    e.editPrice(sheet, u"71500");
    e.setPriceUnit(sheet, PriceUnit::Quantity); // per кв.м
    return e;
}

QString program(const char* name, const char* package)
{
    const QString path = QStandardPaths::findExecutable(QLatin1String(name));
    if (path.isEmpty())
        qWarning("%s is missing: apt-get install %s (scripts/packages.sh lists it)", name, package);
    return path;
}

// A spreadsheet cell as LibreOffice stored it.
struct Cell {
    QString type;  // office:value-type; empty for a text-less cell
    QString value; // office:value of a number
    QString text;
};

// The first table of a flat ODF spreadsheet, repeated rows and columns
// spelled out.
QList<QList<Cell>> firstTable(QIODevice& fods)
{
    QList<QList<Cell>> rows;
    QXmlStreamReader xml(&fods);
    int tables = 0;
    int rowRepeat = 1;
    QList<Cell> row;
    while (!xml.atEnd()) {
        xml.readNext();
        const auto a = xml.attributes();
        if (xml.isStartElement() && xml.name() == QLatin1String("table")) {
            ++tables;
        } else if (tables != 1) {
            continue;
        } else if (xml.isStartElement() && xml.name() == QLatin1String("table-row")) {
            row.clear();
            rowRepeat = std::max(1, a.value(QLatin1String("table:number-rows-repeated")).toInt());
        } else if (xml.isEndElement() && xml.name() == QLatin1String("table-row")) {
            // A long run of empty rows ends the sheet: one stands for all.
            for (int i = 0; i < std::min(rowRepeat, 2); ++i)
                rows << row;
        } else if (xml.isStartElement() && xml.name() == QLatin1String("table-cell")) {
            Cell cell{a.value(QLatin1String("office:value-type")).toString(),
                      a.value(QLatin1String("office:value")).toString(),
                      {}};
            const int repeat = std::max(1, a.value(QLatin1String("table:number-columns-repeated")).toInt());
            cell.text = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            for (int i = 0; i < std::min(repeat, 12); ++i)
                row << cell;
        } else if (xml.isEndElement() && xml.name() == QLatin1String("table")) {
            break;
        }
    }
    return rows;
}

} // namespace

class EstimateExportTest : public QObject {
    Q_OBJECT

private slots:
    void thePdfHoldsEveryLineAndTheTotals()
    {
        const QString pdftotext = program("pdftotext", "poppler-utils");
        QVERIFY(!pdftotext.isEmpty());
        const Estimate e = sample();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("estimate.pdf"));
        {
            QFile f(pdf);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(estimatePdf(e, {2025, 3, 7}));
        }
        QProcess run;
        run.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
        // The thin space between thousands comes out of the PDF as a space.
        const QString text = QString::fromUtf8(run.readAllStandardOutput()).replace(QChar(0x2009), u' ');

        QVERIFY2(text.contains(QStringLiteral("Смета «<i>Дача</i> & баня»")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Дата: 07.03.2025")));
        QVERIFY(text.contains(QStringLiteral("Марка")));
        const std::vector<TableRow> rows = estimateTable(e);
        int checked = 0;
        for (const TableRow& row : rows) {
            for (std::size_t c = 0; c < row.size(); ++c) {
                // Captions and kind names may wrap inside their cells; the
                // numbers and the totals' labels may not.
                const auto column = static_cast<EstimateColumn>(c);
                if (&row == &rows.front() || row[c].empty() || column == EstimateColumn::Name)
                    continue;
                const QString shown = q(row[c]).replace(QChar(0x2009), u' ');
                QVERIFY2(text.contains(shown), qPrintable(shown + QStringLiteral("\n") + text));
                ++checked;
            }
        }
        for (const TableRow& total : estimateTotalsRows(e))
            QVERIFY2(text.contains(q(total[1]).replace(QChar(0x2009), u' ')), qPrintable(q(total[1])));
        QVERIFY(checked > 20);
    }

    void aSpreadsheetReadsTheCsvNumbersAndTheirSumsAreTheTotals()
    {
        const QString soffice = program("soffice", "libreoffice-calc-nogui");
        QVERIFY2(!soffice.isEmpty(), "LibreOffice (soffice) is missing");
        const Estimate e = sample();
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("smeta.csv"));
        {
            QFile f(csv);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const std::string bytes = estimateCsv(e);
            f.write(bytes.data(), static_cast<qint64>(bytes.size()));
        }
        QProcess run;
        run.setWorkingDirectory(dir.path());
        run.start(soffice,
                  {QStringLiteral("--headless"),
                   QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                   QStringLiteral("--infilter=CSV:59,34,76,1,,1049"), QStringLiteral("--convert-to"),
                   QStringLiteral("fods"), QStringLiteral("--outdir"), dir.path(), csv});
        QVERIFY(run.waitForFinished(180000));
        QFile fods(dir.filePath(QStringLiteral("smeta.fods")));
        QVERIFY2(fods.open(QIODevice::ReadOnly), run.readAllStandardError().constData());
        const QList<QList<Cell>> rows = firstTable(fods);

        QVERIFY(rows.size() > 4);
        QCOMPARE(rows[0].value(static_cast<int>(EstimateColumn::Mass)).text, QStringLiteral("Масса, кг"));
        const int mass = static_cast<int>(EstimateColumn::Mass),
                  cost = static_cast<int>(EstimateColumn::Cost);
        Amount grams, kopecks;
        int lines = 0;
        for (int r = 1; r < rows.size() && !rows[r].value(1).text.isEmpty(); ++r, ++lines) {
            const Cell m = rows[r].value(mass), c = rows[r].value(cost);
            QVERIFY2(m.type == QLatin1String("float"), qPrintable(m.text));
            grams.add(readAmount(m.value.toStdU16String(), u'.', 3).units);
            const std::u16string printed = e.line(static_cast<std::size_t>(lines)).price;
            if (printed.empty()) {
                QVERIFY(c.text.isEmpty());
                continue;
            }
            QVERIFY2(c.type == QLatin1String("float"), qPrintable(c.text));
            kopecks.add(readAmount(c.value.toStdU16String(), u'.', 2).units);
        }
        QCOMPARE(lines, static_cast<int>(e.size()));
        const EstimateTotals& totals = e.totals();
        QCOMPARE(q(formatAmount(grams, 3, u',')), q(formatAmount(totals.grams, 3, u',')));
        QCOMPARE(q(formatAmount(kopecks, 2, u',')), q(formatAmount(totals.kopecks, 2, u',')));
        // The totals row under the blank row reads the same numbers.
        const QList<Cell>& total = rows[lines + 2];
        QVERIFY(total.value(1).text.startsWith(QStringLiteral("Итого")));
        QCOMPARE(
            q(formatAmount(readAmount(total.value(mass).value.toStdU16String(), u'.', 3).units, 3, u',')),
            q(formatAmount(totals.grams, 3, u',')));
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    EstimateExportTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "estimate_export_test.moc"
