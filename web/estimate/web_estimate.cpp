#include "web/estimate/web_estimate.h"

#include "web/bridge.h"

#include "estimate/estimate_cells.h"
#include "estimate/estimate_csv.h"
#include "estimate/estimate_messages.h"
#include "estimate/estimate_table.h"
#include "estimate/file_names.h"
#include "estimate/money.h"
#include "number/entry_rules.h"
#include "text/error_box.h"
#include "text/utf8.h"

#include <ctime>
#include <unistd.h>

namespace tarvik::web {
namespace {

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
// (The C clock: the C++ one brings the system_error machinery along.)
constexpr std::uint64_t nowTicksPerSecond = 1'000'000;

std::uint64_t now()
{
    timespec time{};
    clock_gettime(CLOCK_REALTIME, &time);
    return static_cast<std::uint64_t>(time.tv_sec) * 1'000'000 +
           static_cast<std::uint64_t>(time.tv_nsec) / 1000;
}

// A line id from its decimal text; 0, which no line has, for anything else.
std::uint64_t idOf(std::u16string_view text)
{
    std::uint64_t id = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9' || id > (UINT64_MAX - 9) / 10)
            return 0;
        id = id * 10 + static_cast<std::uint64_t>(c - u'0');
    }
    return id;
}

} // namespace

int cellDecimals(int column)
{
    return tarvik::cellDecimals(static_cast<EstimateColumn>(column)).value_or(-1);
}

WebEstimate::WebEstimate(int separator)
    : library_(storage_, static_cast<char16_t>(separator), randomId, now, nowTicksPerSecond)
{
}

std::u16string WebEstimate::add(const Calculation& calculation)
{
    return refusal([&] { return estimate().add(calculation); });
}

std::vector<std::u16string> WebEstimate::header() const
{
    const QuantityMix mix = quantityMix(estimate());
    std::vector<std::u16string> captions;
    for (std::size_t c = 0; c < estimateColumnCount; ++c)
        captions.emplace_back(columnCaption(static_cast<EstimateColumn>(c), mix));
    return captions;
}

std::vector<std::u16string> WebEstimate::row(int row) const
{
    if (row < 0 || row >= size())
        return {};
    return estimateLineRow(estimate(), static_cast<std::size_t>(row));
}

std::u16string WebEstimate::id(int row) const
{
    if (row < 0 || row >= size())
        return {};
    std::uint64_t id = estimate().line(static_cast<std::size_t>(row)).id;
    std::u16string text;
    do
        text.insert(text.begin(), static_cast<char16_t>(u'0' + id % 10));
    while ((id /= 10) != 0);
    return text;
}

int WebEstimate::rowOf(const std::u16string& id) const
{
    const std::optional<std::size_t> row = estimate().rowOf(idOf(id));
    return row ? static_cast<int>(*row) : -1;
}

std::u16string WebEstimate::notes(int row) const
{
    if (row < 0 || row >= size())
        return {};
    return lineNotes(estimate(), static_cast<std::size_t>(row));
}

std::vector<std::u16string> WebEstimate::totals() const
{
    std::vector<std::u16string> texts;
    for (TableRow& total : estimateTotalsRows(estimate()))
        for (EstimateColumn column : {EstimateColumn::Name, EstimateColumn::Mass, EstimateColumn::Cost})
            texts.push_back(std::move(total[static_cast<std::size_t>(column)]));
    return texts;
}

std::u16string WebEstimate::edit(const std::u16string& id, int column, const std::u16string& text)
{
    return refusal([&] { return editCell(estimate(), idOf(id), static_cast<EstimateColumn>(column), text); });
}

KeyVerdict WebEstimate::cellKey(int decimals, const std::u16string& text, int start, int end, int key) const
{
    return cellKeyVerdict({text, start, end}, static_cast<char16_t>(key), estimate().separator(), decimals);
}

bool WebEstimate::remove(const std::u16string& id)
{
    return estimate().remove(idOf(id));
}

std::u16string WebEstimate::vatRate() const
{
    return vatRateText(estimate().vatRate(), estimate().separator());
}

std::u16string WebEstimate::setVatRate(const std::u16string& text)
{
    return refusal([&] { return estimate().setVatRate(text); });
}

std::string WebEstimate::csv() const
{
    return estimateCsv(estimate());
}

std::u16string WebEstimate::csvName(int year, int month, int day) const
{
    return csvFileName(estimate().name(), {year, month, day});
}

std::u16string WebEstimate::tabText() const
{
    return estimateTabText(estimate());
}

std::u16string WebEstimate::title() const
{
    return captionWith(Caption::PrintedTitle, estimate().name());
}

std::vector<std::u16string> WebEstimate::entries() const
{
    std::vector<std::u16string> texts;
    for (EstimateEntry& entry : library_.entries()) {
        texts.push_back(std::move(entry.key));
        texts.push_back(std::move(entry.name));
    }
    return texts;
}

std::vector<std::u16string> WebEstimate::messages()
{
    std::vector<std::u16string> texts;
    for (LibraryMessage& message : library_.takeMessages())
        texts.push_back(std::move(message.text));
    return texts;
}

std::u16string WebEstimate::printedDate(int year, int month, int day) const
{
    return captionWith(Caption::PrintedDate, calendarDateText({year, month, day}));
}

} // namespace tarvik::web
