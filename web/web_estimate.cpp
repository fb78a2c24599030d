#include "web_estimate.h"

#include "core/entry_rules.h"
#include "core/errors.h"
#include "core/estimate_csv.h"
#include "core/estimate_messages.h"
#include "core/estimate_table.h"
#include "core/file_names.h"
#include "core/utf8.h"

#include <emscripten/bind.h>

#include <chrono>
#include <unistd.h>

namespace tarvik::web {
namespace {

using emscripten::val;

// An edit's refusal in words; one that threw (out of memory) in the error
// box's words rather than across to JavaScript.
template <typename Edit> std::u16string refusal(Edit&& edit)
{
    try {
        return editErrorText(edit());
    } catch (...) {
        return errorBoxTextOfCurrentException();
    }
}

// Random, so that lines added in two tabs of one estimate never share an id.
std::uint64_t randomId()
{
    std::uint64_t id = 0;
    getentropy(&id, sizeof id);
    return id;
}

// Wall-clock microseconds: two tabs' edits compare by it when they merge.
std::uint64_t now()
{
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(since).count());
}

val strings(const std::vector<std::u16string>& texts)
{
    val array = val::array();
    for (const std::u16string& text : texts)
        array.call<void>("push", text);
    return array;
}

// A line id from its decimal text; 0, which no line has, for anything else.
std::uint64_t idOf(const std::string& text)
{
    std::uint64_t id = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || id > (UINT64_MAX - 9) / 10)
            return 0;
        id = id * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return id;
}

} // namespace

// Pieces are whole, prices in kopecks, lengths, areas and masses to the
// millimetre and the gram.
int cellDecimals(int column)
{
    switch (static_cast<EstimateColumn>(column)) {
    case EstimateColumn::Pieces:
        return 0;
    case EstimateColumn::Price:
        return 2;
    case EstimateColumn::PieceSize:
    case EstimateColumn::Quantity:
    case EstimateColumn::Mass:
        return 3;
    default:
        return -1;
    }
}

WebEstimate::WebEstimate(int separator) : estimate_(static_cast<char16_t>(separator), randomId, now) {}

std::u16string WebEstimate::add(const Calculation& calculation)
{
    return refusal([&] { return estimate_.add(calculation); });
}

val WebEstimate::header() const
{
    const QuantityMix mix = quantityMix(estimate_);
    std::vector<std::u16string> captions;
    for (std::size_t c = 0; c < estimateColumnCount; ++c)
        captions.emplace_back(columnCaption(static_cast<EstimateColumn>(c), mix));
    return strings(captions);
}

val WebEstimate::row(int row) const
{
    if (row < 0 || row >= size())
        return val::array();
    return strings(estimateLineRow(estimate_, static_cast<std::size_t>(row)));
}

std::string WebEstimate::id(int row) const
{
    if (row < 0 || row >= size())
        return {};
    std::uint64_t id = estimate_.line(static_cast<std::size_t>(row)).id;
    std::string text;
    do
        text.insert(text.begin(), static_cast<char>('0' + id % 10));
    while ((id /= 10) != 0);
    return text;
}

int WebEstimate::rowOf(const std::string& id) const
{
    const std::optional<std::size_t> row = estimate_.rowOf(idOf(id));
    return row ? static_cast<int>(*row) : -1;
}

std::u16string WebEstimate::notes(int row) const
{
    if (row < 0 || row >= size())
        return {};
    return lineNotes(estimate_, static_cast<std::size_t>(row));
}

val WebEstimate::totals() const
{
    val rows = val::array();
    for (const TableRow& total : estimateTotalsRows(estimate_))
        rows.call<void>("push", strings({total[static_cast<std::size_t>(EstimateColumn::Name)],
                                         total[static_cast<std::size_t>(EstimateColumn::Mass)],
                                         total[static_cast<std::size_t>(EstimateColumn::Cost)]}));
    return rows;
}

std::u16string WebEstimate::edit(const std::string& id, int column, const std::u16string& text)
{
    const std::uint64_t line = idOf(id);
    switch (static_cast<EstimateColumn>(column)) {
    case EstimateColumn::PieceSize:
        return refusal([&] { return estimate_.editPieceSize(line, text); });
    case EstimateColumn::Pieces:
        return refusal([&] { return estimate_.editPieces(line, text); });
    case EstimateColumn::Quantity:
        return refusal([&] { return estimate_.editQuantity(line, text); });
    case EstimateColumn::Mass:
        return refusal([&] { return estimate_.editMass(line, text); });
    case EstimateColumn::Price:
        return refusal([&] { return estimate_.editPrice(line, text); });
    default:
        return {};
    }
}

val WebEstimate::cellKey(int decimals, const std::u16string& text, int start, int end, int key) const
{
    const KeyVerdict verdict =
        cellKeyVerdict({text, start, end}, static_cast<char16_t>(key), estimate_.separator(), decimals);
    return strings({verdict.inserted, verdict.reason});
}

bool WebEstimate::remove(const std::string& id)
{
    return estimate_.remove(idOf(id));
}

std::u16string WebEstimate::vatRate() const
{
    return vatRateText(estimate_.vatRate(), estimate_.separator());
}

std::u16string WebEstimate::setVatRate(const std::u16string& text)
{
    return refusal([&] { return estimate_.setVatRate(text); });
}

val WebEstimate::csv() const
{
    const std::string bytes = estimateCsv(estimate_);
    // A copy: the view into the module's memory would not outlive this call.
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(),
                                            reinterpret_cast<const unsigned char*>(bytes.data())));
}

std::u16string WebEstimate::csvName(int year, int month, int day) const
{
    return csvFileName(estimate_.name(), {year, month, day});
}

std::u16string WebEstimate::tabText() const
{
    return estimateTabText(estimate_);
}

std::u16string WebEstimate::printedTitle() const
{
    return estimate_.name().empty() ? std::u16string(caption(Caption::EstimateTitle))
                                    : captionWith(Caption::PrintedTitle, estimate_.name());
}

std::u16string WebEstimate::printedDate(int year, int month, int day) const
{
    return captionWith(Caption::PrintedDate, calendarDateText({year, month, day}));
}

} // namespace tarvik::web

EMSCRIPTEN_BINDINGS(tarvik_estimate)
{
    using tarvik::web::WebEstimate;
    emscripten::function("cellDecimals", &tarvik::web::cellDecimals);
    emscripten::constant("vatRateDecimals", tarvik::web::vatRateDecimals);
    emscripten::class_<WebEstimate>("Estimate")
        .constructor<int>()
        .function("size", &WebEstimate::size)
        .function("name", &WebEstimate::name)
        .function("header", &WebEstimate::header)
        .function("row", &WebEstimate::row)
        .function("id", &WebEstimate::id)
        .function("rowOf", &WebEstimate::rowOf)
        .function("notes", &WebEstimate::notes)
        .function("totals", &WebEstimate::totals)
        .function("edit", &WebEstimate::edit)
        .function("cellKey", &WebEstimate::cellKey)
        .function("remove", &WebEstimate::remove)
        .function("clear", &WebEstimate::clear)
        .function("undo", &WebEstimate::undo)
        .function("canUndo", &WebEstimate::canUndo)
        .function("vatRate", &WebEstimate::vatRate)
        .function("setVatRate", &WebEstimate::setVatRate)
        .function("pricesIncludeVat", &WebEstimate::pricesIncludeVat)
        .function("setPricesIncludeVat", &WebEstimate::setPricesIncludeVat)
        .function("csv", &WebEstimate::csv)
        .function("csvName", &WebEstimate::csvName)
        .function("tabText", &WebEstimate::tabText)
        .function("printedTitle", &WebEstimate::printedTitle)
        .function("printedDate", &WebEstimate::printedDate);
}
