#include "estimate/estimate_csv.h"

#include "estimate/estimate_table.h"
#include "text/utf8.h"

namespace tarvik {

std::string estimateCsv(const Estimate& estimate)
{
    const char delimiter = estimate.separator() == u',' ? ';' : ',';
    std::string out = "\xEF\xBB\xBF";
    for (const TableRow& row : estimateTable(estimate, MoneyLayout::Plain)) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += delimiter;
            const std::string field = utf8(row[i]);
            if (field.find_first_of(std::string{delimiter, '"', '\r', '\n'}) == std::string::npos) {
                out += field;
                continue;
            }
            out += '"';
            for (char c : field) {
                if (c == '"')
                    out += '"';
                out += c;
            }
            out += '"';
        }
        out += "\r\n";
    }
    return out;
}

std::u16string estimateTabText(const Estimate& estimate)
{
    std::u16string out;
    for (const TableRow& row : estimateTable(estimate, MoneyLayout::Plain)) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += u'\t';
            for (char16_t c : row[i])
                out += c == u'\t' || c == u'\r' || c == u'\n' ? u' ' : c;
        }
        out += u'\n';
    }
    return out;
}

} // namespace tarvik
