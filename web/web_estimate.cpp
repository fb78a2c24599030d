#include "web_estimate.h"

#include "core/entry_rules.h"
#include "core/errors.h"
#include "core/estimate_csv.h"
#include "core/estimate_messages.h"
#include "core/estimate_table.h"
#include "core/file_names.h"
#include "core/money.h"
#include "core/utf8.h"

#include <emscripten/bind.h>

#include <ctime>
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
// (The C clock: the C++ one brings the system_error machinery along.)
std::uint64_t now()
{
    timespec time{};
    clock_gettime(CLOCK_REALTIME, &time);
    return static_cast<std::uint64_t>(time.tv_sec) * 1'000'000 +
           static_cast<std::uint64_t>(time.tv_nsec) / 1000;
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

// The browser's storage is one per site: the estimates' entries are told
// apart by these prefixes, and entries that did not read are kept under
// the last, out of the list.
constexpr std::string_view estimatePrefix = "tarvik.estimate.";
constexpr std::string_view settingPrefix = "tarvik.setting.";
constexpr std::string_view asidePrefix = "tarvik.aside.";

std::string entryKey(std::string_view prefix, std::u16string_view key)
{
    std::string name(prefix);
    name += utf8(key);
    return name;
}

// The store gives an entry as UTF-8 bytes, encoded by the browser: an
// estimate of ten thousand lines is megabytes, which a character-by-character
// conversion would take tens of milliseconds over.
std::optional<std::string> stored(const val& store, const std::string& name)
{
    const val bytes = store.call<val>("get", name);
    if (bytes.isNull())
        return std::nullopt;
    std::string out(bytes["length"].as<std::size_t>(), '\0');
    val(emscripten::typed_memory_view(out.size(), reinterpret_cast<unsigned char*>(out.data())))
        .call<void>("set", bytes);
    return out;
}

// What the store answers for a write the browser refused.
enum StoreAnswer { Stored = 0, QuotaExceeded = 1, Refused = 2 };

void put(val& store, const std::string& name, std::string_view bytes)
{
    const int answer = store.call<int>("set", name, std::string(bytes));
    if (answer == Stored)
        return;
    throw StorageError(utf8(
        caption(answer == QuotaExceeded ? Caption::BrowserStorageFull : Caption::BrowserStorageRefused)));
}

} // namespace

std::vector<std::u16string> BrowserStorage::keys() const
{
    std::vector<std::u16string> keys;
    const val names = store_.call<val>("keys");
    const int count = names["length"].as<int>();
    for (int i = 0; i < count; ++i) {
        const std::string name = names[i].as<std::string>();
        if (name.starts_with(estimatePrefix))
            keys.push_back(fromUtf8(std::string_view(name).substr(estimatePrefix.size())));
    }
    return keys;
}

std::optional<std::string> BrowserStorage::read(std::u16string_view key) const
{
    return stored(store_, entryKey(estimatePrefix, key));
}

void BrowserStorage::write(std::u16string_view key, std::string_view bytes)
{
    put(store_, entryKey(estimatePrefix, key), bytes);
}

void BrowserStorage::remove(std::u16string_view key)
{
    store_.call<void>("remove", entryKey(estimatePrefix, key));
}

std::u16string BrowserStorage::keepAside(std::u16string_view key)
{
    const std::string from = entryKey(estimatePrefix, key);
    const std::optional<std::string> bytes = stored(store_, from);
    std::u16string aside = captionWith(Caption::UnreadableEntryName, key);
    for (int n = 2; stored(store_, entryKey(asidePrefix, aside)); ++n)
        aside = captionWith(Caption::UnreadableEntryName, key) + u' ' + formatAmount(Amount(n), 0, u'.');
    if (bytes)
        put(store_, entryKey(asidePrefix, aside), *bytes);
    store_.call<void>("remove", from);
    return aside;
}

std::optional<std::string> BrowserStorage::setting(std::string_view name) const
{
    return stored(store_, std::string(settingPrefix) + std::string(name));
}

void BrowserStorage::setSetting(std::string_view name, std::string_view value)
{
    put(store_, std::string(settingPrefix) + std::string(name), value);
}

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

WebEstimate::WebEstimate(int separator, val store)
    : storage_(std::move(store)), library_(storage_, static_cast<char16_t>(separator), randomId, now)
{
}

std::u16string WebEstimate::add(const Calculation& calculation)
{
    return refusal([&] { return estimate().add(calculation); });
}

val WebEstimate::header() const
{
    const QuantityMix mix = quantityMix(estimate());
    std::vector<std::u16string> captions;
    for (std::size_t c = 0; c < estimateColumnCount; ++c)
        captions.emplace_back(columnCaption(static_cast<EstimateColumn>(c), mix));
    return strings(captions);
}

val WebEstimate::row(int row) const
{
    if (row < 0 || row >= size())
        return val::array();
    return strings(estimateLineRow(estimate(), static_cast<std::size_t>(row)));
}

std::string WebEstimate::id(int row) const
{
    if (row < 0 || row >= size())
        return {};
    std::uint64_t id = estimate().line(static_cast<std::size_t>(row)).id;
    std::string text;
    do
        text.insert(text.begin(), static_cast<char>('0' + id % 10));
    while ((id /= 10) != 0);
    return text;
}

int WebEstimate::rowOf(const std::string& id) const
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

val WebEstimate::totals() const
{
    val rows = val::array();
    for (const TableRow& total : estimateTotalsRows(estimate()))
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
        return refusal([&] { return estimate().editPieceSize(line, text); });
    case EstimateColumn::Pieces:
        return refusal([&] { return estimate().editPieces(line, text); });
    case EstimateColumn::Quantity:
        return refusal([&] { return estimate().editQuantity(line, text); });
    case EstimateColumn::Mass:
        return refusal([&] { return estimate().editMass(line, text); });
    case EstimateColumn::Price:
        return refusal([&] { return estimate().editPrice(line, text); });
    default:
        return {};
    }
}

val WebEstimate::cellKey(int decimals, const std::u16string& text, int start, int end, int key) const
{
    const KeyVerdict verdict =
        cellKeyVerdict({text, start, end}, static_cast<char16_t>(key), estimate().separator(), decimals);
    return strings({verdict.inserted, verdict.reason});
}

bool WebEstimate::remove(const std::string& id)
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

val WebEstimate::csv() const
{
    const std::string bytes = estimateCsv(estimate());
    // A copy: the view into the module's memory would not outlive this call.
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(),
                                            reinterpret_cast<const unsigned char*>(bytes.data())));
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

val WebEstimate::entries() const
{
    val pairs = val::array();
    for (const EstimateEntry& entry : library_.entries())
        pairs.call<void>("push", strings({entry.key, entry.name}));
    return pairs;
}

val WebEstimate::messages()
{
    std::vector<std::u16string> texts;
    for (LibraryMessage& message : library_.takeMessages())
        texts.push_back(std::move(message.text));
    return strings(texts);
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
    emscripten::function("estimateShownLast", emscripten::optional_override([](emscripten::val store) {
                             return tarvik::EstimateLibrary::windowWasOpen(
                                 tarvik::web::BrowserStorage(store));
                         }));
    emscripten::class_<WebEstimate>("Estimate")
        .constructor<int, emscripten::val>()
        .function("size", &WebEstimate::size)
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
        .function("vatRate", &WebEstimate::vatRate)
        .function("setVatRate", &WebEstimate::setVatRate)
        .function("pricesIncludeVat", &WebEstimate::pricesIncludeVat)
        .function("setPricesIncludeVat", &WebEstimate::setPricesIncludeVat)
        .function("csv", &WebEstimate::csv)
        .function("csvName", &WebEstimate::csvName)
        .function("tabText", &WebEstimate::tabText)
        .function("title", &WebEstimate::title)
        .function("printedDate", &WebEstimate::printedDate)
        .function("entries", &WebEstimate::entries)
        .function("key", &WebEstimate::key)
        .function("name", &WebEstimate::name)
        .function("create", &WebEstimate::create)
        .function("open", &WebEstimate::open)
        .function("rename", &WebEstimate::rename)
        .function("duplicate", &WebEstimate::duplicate)
        .function("removeEstimate", &WebEstimate::removeEstimate)
        .function("undoRemove", &WebEstimate::undoRemove)
        .function("save", &WebEstimate::save)
        .function("refresh", &WebEstimate::refresh)
        .function("messages", &WebEstimate::messages)
        .function("setShown", &WebEstimate::setShown);
}
