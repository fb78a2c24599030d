#include "web/estimate/web_estimate.h"

#include "web/bridge.h"

#include "estimate/estimate_csv.h"
#include "number/count_text.h"

#include <ctime>
#include <unistd.h>

namespace tarvik::web {
namespace {

// Random, so that lines added in two tabs of one estimate never share an id.
std::uint64_t randomId()
{
    std::uint64_t id = 0;
    getentropy(&id, sizeof id);
    return id;
}

// Wall-clock microseconds (the C clock: the C++ one brings the
// system_error machinery along).

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

PageCall view(const char* method)
{
    return PageCall(Partner::View, method);
}

EstimateColumn columnOf(int column)
{
    return static_cast<EstimateColumn>(column);
}

} // namespace

void PageEstimateView::showEstimate()
{
    view("showEstimate").run();
}

void PageEstimateView::showRows()
{
    view("showRows").run();
}

void PageEstimateView::showLine(std::size_t row)
{
    view("showLine").arg(static_cast<int>(row)).run();
}

void PageEstimateView::showSettings()
{
    view("showSettings").run();
}

void PageEstimateView::chooseLine(std::size_t row)
{
    view("chooseLine").arg(static_cast<int>(row)).run();
}

void PageEstimateView::showCommands(const EstimateCommands& c)
{
    view("showCommands").arg(int(c.canUndo)).arg(c.undoText).arg(int(c.canRedo)).arg(c.redoText).run();
}

void PageEstimateView::showMessage(std::u16string_view text, EstimateTone tone)
{
    view("showMessage").arg(text).arg(static_cast<int>(tone)).run();
}

void PageEstimateView::saveSoon()
{
    view("saveSoon").run();
}

WebEstimate::WebEstimate(int separator)
    : library_(storage_, static_cast<char16_t>(separator), randomId, now, ticksPerSecond),
      presenter_(library_, view_)
{
}

std::vector<std::u16string> WebEstimate::header() const
{
    std::vector<std::u16string> captions;
    for (std::size_t c = 0; c < estimateColumnCount; ++c)
        captions.push_back(presenter_.columnTitle(static_cast<EstimateColumn>(c)));
    return captions;
}

std::vector<std::u16string> WebEstimate::row(int row) const
{
    std::vector<std::u16string> texts;
    if (row < 0 || row >= size())
        return texts;
    for (std::size_t c = 0; c < estimateColumnCount; ++c) {
        EstimateCell cell = presenter_.cell(static_cast<std::size_t>(row), static_cast<EstimateColumn>(c));
        texts.push_back(std::move(cell.text));
        texts.push_back(std::move(cell.reason));
        texts.emplace_back(cell.alert ? u"1" : u"");
    }
    return texts;
}

std::vector<std::u16string> WebEstimate::choices(int row, int column) const
{
    if (row < 0 || row >= size() || column < 0 || column >= static_cast<int>(estimateColumnCount))
        return {};
    return presenter_.cell(static_cast<std::size_t>(row), static_cast<EstimateColumn>(column)).choices;
}

std::u16string WebEstimate::id(int row) const
{
    if (row < 0 || row >= size())
        return {};
    return countText(presenter_.lineId(static_cast<std::size_t>(row)));
}

int WebEstimate::rowOf(const std::u16string& id) const
{
    const std::optional<std::size_t> row = presenter_.rowOf(idOf(id));
    return row ? static_cast<int>(*row) : -1;
}

std::u16string WebEstimate::notes(int row) const
{
    if (row < 0 || row >= size())
        return {};
    return presenter_.lineNotes(static_cast<std::size_t>(row));
}

std::vector<std::u16string> WebEstimate::totals() const
{
    constexpr EstimateColumn shown[] = {EstimateColumn::Name, EstimateColumn::Mass, EstimateColumn::Cost};
    std::vector<std::u16string> texts{u""};
    for (EstimateColumn column : {EstimateColumn::Mass, EstimateColumn::Cost})
        texts.push_back(presenter_.columnTitle(column));
    for (TableRow& total : presenter_.totals())
        for (EstimateColumn column : shown)
            texts.push_back(std::move(total[static_cast<std::size_t>(column)]));
    return texts;
}

bool WebEstimate::commitCell(const std::u16string& id, int column, const std::u16string& text)
{
    return presenter_.commitCell(idOf(id), columnOf(column), text);
}

void WebEstimate::abandonCell(const std::u16string& id, int column)
{
    presenter_.abandonCell(idOf(id), columnOf(column));
}

void WebEstimate::deleteLine(const std::u16string& id)
{
    presenter_.deleteLine(idOf(id));
}

KeyVerdict WebEstimate::cellKey(int decimals, const std::u16string& text, int start, int end, int key) const
{
    return cellKeyVerdict({text, start, end}, static_cast<char16_t>(key), presenter_.estimate().separator(),
                          decimals);
}

std::string WebEstimate::csv() const
{
    return estimateCsv(presenter_.estimate());
}

std::u16string WebEstimate::tabText() const
{
    return estimateTabText(presenter_.estimate());
}

std::vector<std::u16string> WebEstimate::entries() const
{
    std::vector<std::u16string> texts;
    for (EstimateEntry& entry : presenter_.entries()) {
        texts.push_back(std::move(entry.key));
        texts.push_back(std::move(entry.name));
    }
    return texts;
}

} // namespace tarvik::web
