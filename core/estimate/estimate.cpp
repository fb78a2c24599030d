#include "estimate/estimate.h"

#include "estimate/catalogue_lookup.h"
#include "estimate/typed_amount.h"
#include "number/errors.h"
#include "number/quantity.h"
#include "text/utf8.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace tarvik {
namespace {

// A typed number refused for how it is written, not for what the cell
// takes: the reason names what is wrong, where the cell's own rule would
// only repeat what it takes.
bool refusedOutright(const TypedAmount& amount)
{
    switch (amount.error) {
    case TypedAmountError::Exponent:
    case TypedAmountError::MisplacedGroup:
    case TypedAmountError::AmbiguousStop:
    case TypedAmountError::TwoSeparators:
        return true;
    default:
        return false;
    }
}

bool isBlank(std::u16string_view text)
{
    return text.find_first_not_of(u' ') == std::u16string_view::npos;
}

// A decimal without trailing zeros: "11,7", "6".
std::u16string plainDecimal(const Amount& units, int decimals, char16_t separator)
{
    std::u16string text = formatAmount(units, decimals, separator);
    if (decimals > 0) {
        while (text.back() == u'0')
            text.pop_back();
        if (text.back() == separator)
            text.pop_back();
    }
    return text;
}

// What an estimate holds of one line id: the line, stamped with its last
// edit, or its deletion, stamped when it was deleted.
struct Version {
    const EstimateLine* line = nullptr; // none: deleted
    std::uint64_t stamp = 0;
};

std::optional<Version> versionIn(const Estimate& e, std::uint64_t id)
{
    if (const std::optional<std::size_t> at = e.rowOf(id))
        return Version{&e.line(*at), e.line(*at).edited};
    if (const auto gone = e.deleted().find(id); gone != e.deleted().end())
        return Version{nullptr, gone->second};
    return std::nullopt;
}

// Every number of a line, in the same separator on both sides.
auto tieKey(const EstimateLine& l)
{
    return std::tie(l.requested, l.pieceSize, l.pieces, l.quantity, l.mass, l.price, l.priceUnit);
}

// The one rule of merging: whether the other estimate's version of a line
// replaces this one's. The later stamp wins; a deletion wins over an edit
// stamped alike; of two lines stamped alike, the greater numbers, so that
// both estimates come to the same whichever merges which.
bool theirsWin(const std::optional<Version>& mine, const Version& theirs)
{
    if (!mine)
        return true;
    if (theirs.stamp != mine->stamp)
        return theirs.stamp > mine->stamp;
    if (!theirs.line || !mine->line)
        return !theirs.line && mine->line;
    return tieKey(*theirs.line) > tieKey(*mine->line);
}

} // namespace

Estimate::Estimate(char16_t separator, Source ids, Source clock)
    : separator_(separator), ids_(std::move(ids)), clock_(std::move(clock))
{
}

void Estimate::rename(std::u16string name)
{
    name_ = wellFormed(name);
    settingsEdited_ = clock_();
}

EditResult Estimate::setVatRate(std::u16string_view percent)
{
    const TypedAmount rate = readTypedAmount(percent, separator_, 2, TypedCell::Number);
    if (rate.error == TypedAmountError::Foreign || rate.error == TypedAmountError::Exponent)
        return {EditError::BadNumber, typedAmountReason(rate, percent, separator_, 2)};
    if (rate.error != TypedAmountError::None || compare(rate.units, Amount(10000)) > 0)
        return {EditError::BadVatRate};
    vatRate_ = static_cast<std::uint32_t>(rate.units.bits64(0));
    settingsEdited_ = clock_();
    return {};
}

void Estimate::setPricesIncludeVat(bool included)
{
    pricesIncludeVat_ = included;
    settingsEdited_ = clock_();
}

LineCost Estimate::cost(std::size_t row) const
{
    return rows_[row].cost;
}

std::optional<std::size_t> Estimate::rowOf(std::uint64_t id) const
{
    const auto it = index_.find(id);
    if (it == index_.end())
        return std::nullopt;
    return static_cast<std::size_t>(it->second);
}

Estimate::Row Estimate::makeRow(EstimateLine line) const
{
    Row row{std::move(line), std::nullopt, {}};
    row.grams = lineGrams(row.line, separator_);
    if (!row.line.price.empty()) {
        const AmountText price = readAmount(row.line.price, separator_, 2);
        std::optional<Amount> cost = row.grams && price.error == AmountError::None
                                         ? lineCost(row.line, *row.grams, price.units)
                                         : std::nullopt;
        if (cost)
            row.cost = {LineCostState::Priced, std::move(*cost)};
        else
            row.cost.state = LineCostState::OutOfRange;
    }
    return row;
}

std::optional<Amount> Estimate::lineCost(const EstimateLine& line, const Amount& grams,
                                         const Amount& price) const
{
    switch (line.priceUnit) {
    case PriceUnit::Tonne:
        return costInKopecks(grams, price);
    case PriceUnit::Quantity: {
        // The quantity shown: after whole pieces, where the line is in them.
        const AmountText quantity = readAmount(line.quantity, separator_, 3);
        if (quantity.error != AmountError::None)
            return std::nullopt;
        return costOfThousandths(quantity.units, price);
    }
    case PriceUnit::Piece: {
        const AmountText pieces = readAmount(line.pieces, separator_, 0);
        if (line.pieces.empty() || pieces.error != AmountError::None)
            return std::nullopt;
        return pieces.units * price;
    }
    }
    return std::nullopt;
}

void Estimate::count(const Row& row, bool in)
{
    const auto step = [in](std::size_t& n) { n = in ? n + 1 : n - 1; };
    const auto sum = [in](Amount& total, const Amount& part) {
        if (in)
            total.add(part);
        else
            total.subtract(part);
    };
    step(totals_.lines);
    if (row.grams)
        sum(totals_.grams, *row.grams);
    else
        step(totals_.outOfRange);
    if (row.cost.state == LineCostState::Unpriced)
        step(totals_.unpriced);
    else if (row.cost.state == LineCostState::Priced)
        sum(totals_.kopecks, row.cost.kopecks);
}

void Estimate::append(Row row)
{
    count(row, true);
    index_[row.line.id] = rows_.size();
    rows_.push_back(std::move(row));
}

void Estimate::replace(std::size_t at, EstimateLine line)
{
    count(rows_[at], false);
    rows_[at] = makeRow(std::move(line));
    count(rows_[at], true);
}

void Estimate::erase(std::size_t at)
{
    count(rows_[at], false);
    index_.erase(rows_[at].line.id);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(at));
    reindexFrom(at);
}

void Estimate::eraseRows(const std::vector<char>& doomed)
{
    std::size_t to = 0;
    while (to < doomed.size() && !doomed[to])
        ++to;
    const std::size_t first = to;
    for (std::size_t from = first; from < rows_.size(); ++from) {
        if (from < doomed.size() && doomed[from]) {
            count(rows_[from], false);
            index_.erase(rows_[from].line.id);
            continue;
        }
        if (to != from)
            rows_[to] = std::move(rows_[from]);
        ++to;
    }
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(to), rows_.end());
    reindexFrom(first);
}

void Estimate::reindexFrom(std::size_t at)
{
    for (std::size_t i = at; i < rows_.size(); ++i)
        index_[rows_[i].line.id] = i;
}

EditResult Estimate::add(const Calculation& c)
{
    EstimateLine line;
    if (c.ownSection) {
        line.quantityKind = c.perArea ? QuantityKind::Area : QuantityKind::Length;
    } else {
        const std::optional<CatalogueFamily> family = catalogueFamily(c.family);
        if (!family)
            return {EditError::NotInCatalogue};
        line.quantityKind = family->quantity;
    }
    line.family = c.family;
    line.kind = c.kind;
    line.size = c.size;
    line.unitMass = c.unitMass;
    line.metal = c.metal;
    line.grade = c.grade;
    line.density = c.density;
    line.ownDensity = c.ownDensity;
    line.ownSection = c.ownSection;
    try {
        // The number as the line shows it, three decimals; the result as
        // «Расчитать» showed it.
        const std::u16string number = calculatedText(c.number, separator_, 1.0, 0);
        line.quantity = c.mode == 0 ? number : c.result;
        line.mass = c.mode == 0 ? c.result : number;
        line.requested = c.mode == 0 ? c.number : c.result;
    } catch (const CalcError& e) {
        return {EditError::Calculation, errorBoxText(e.message())};
    }
    if (line.quantity.starts_with(u'-') || line.mass.starts_with(u'-'))
        return {EditError::Negative};
    do
        line.id = ids_();
    while (index_.contains(line.id) || deleted_.contains(line.id));
    line.edited = clock_();
    line.note = catalogueNote(line);
    const std::uint64_t id = line.id;
    append(makeRow(std::move(line)));
    return {EditError::None, {}, id};
}

template <typename Change> EditResult Estimate::edit(std::uint64_t id, bool recomputes, Change change)
{
    const std::optional<std::size_t> at = rowOf(id);
    if (!at)
        return {EditError::NoSuchLine};
    EstimateLine line = rows_[*at].line;
    if (recomputes && line.note == CatalogueNote::UnitMassChanged) {
        if (const auto unitMass = catalogueUnitMass(line)) {
            line.unitMass = *unitMass;
            line.note = CatalogueNote::None;
        }
    }
    EditResult result = change(line);
    if (!result)
        return result;
    line.edited = clock_();
    replace(*at, std::move(line));
    result.id = id;
    return result;
}

EditResult Estimate::editQuantity(std::uint64_t id, std::u16string_view text)
{
    return edit(id, true, [&](EstimateLine& line) -> EditResult {
        TypedQuantity typed = typedQuantity(text, separator_);
        if (typed.error == TypedAmountError::Negative)
            return {EditError::Negative};
        if (typed.error != TypedAmountError::None)
            return {EditError::BadNumber, std::move(typed.reason)};
        line.requested = std::move(typed.text);
        return settleLine(line, separator_);
    });
}

EditResult Estimate::editMass(std::uint64_t id, std::u16string_view text)
{
    return edit(id, true, [&](EstimateLine& line) -> EditResult {
        TypedQuantity typed = typedQuantity(text, separator_);
        if (typed.error == TypedAmountError::Negative)
            return {EditError::Negative};
        if (typed.error != TypedAmountError::None)
            return {EditError::BadNumber, std::move(typed.reason)};
        try {
            std::u16string quantity = calculatedText(typed.text, separator_, line.unitMass, 1);
            std::u16string mass = calculatedText(typed.text, separator_, 1.0, 0);
            if (quantity.starts_with(u'-') || mass.starts_with(u'-'))
                return {EditError::Negative};
            line.requested = quantity;
            if (!line.pieceSize.empty())
                return settleLine(line, separator_);
            line.quantity = std::move(quantity);
            line.mass = std::move(mass);
            return {};
        } catch (const CalcError& e) {
            return {EditError::Calculation, errorBoxText(e.message())};
        }
    });
}

EditResult Estimate::editPieceSize(std::uint64_t id, std::u16string_view text)
{
    return edit(id, true, [&](EstimateLine& line) -> EditResult {
        if (isBlank(text)) {
            // A price per piece has nothing to count without pieces: the
            // user chooses what it is per first, rather than find the cost
            // silently recounted per tonne.
            if (line.priceUnit == PriceUnit::Piece)
                return {EditError::PricedPerPiece};
            line.pieceSize.clear();
        } else {
            const TypedAmount size = readTypedAmount(text, separator_, 3, TypedCell::Number);
            if (refusedOutright(size))
                return {EditError::BadNumber, typedAmountReason(size, text, separator_, 3)};
            if (size.error != TypedAmountError::None || size.units.isZero())
                return {EditError::BadPieceSize};
            line.pieceSize = plainDecimal(size.units, 3, separator_);
        }
        return settleLine(line, separator_);
    });
}

EditResult Estimate::editPieces(std::uint64_t id, std::u16string_view text)
{
    return edit(id, true, [&](EstimateLine& line) -> EditResult {
        const TypedAmount pieces = readTypedAmount(text, separator_, 0, TypedCell::Number);
        if (refusedOutright(pieces))
            return {EditError::BadNumber, typedAmountReason(pieces, text, separator_, 0)};
        if (pieces.error == TypedAmountError::TooLarge || compare(pieces.units, Amount(maxPieces)) > 0)
            return {EditError::TooManyPieces};
        if (pieces.error != TypedAmountError::None || pieces.units.isZero())
            return {EditError::BadPieces};
        if (line.pieceSize.empty()) {
            const std::optional<CatalogueFamily> family = catalogueFamily(line.family);
            const std::uint32_t size = family ? family->defaultPieceSizeThousandths : 0;
            if (size == 0)
                return {EditError::NeedsPieceSize};
            line.pieceSize = plainDecimal(Amount(size), 3, separator_);
        }
        const AmountText size = readAmount(line.pieceSize, separator_, 3);
        line.requested = formatAmount(size.units * pieces.units, 3, separator_);
        return settleLine(line, separator_);
    });
}

EditResult Estimate::editPrice(std::uint64_t id, std::u16string_view text)
{
    return edit(id, false, [&](EstimateLine& line) -> EditResult {
        if (isBlank(text)) {
            line.price.clear();
            return {};
        }
        const TypedAmount price = readTypedAmount(text, separator_, 2, TypedCell::Money);
        if (price.error == TypedAmountError::Negative)
            return {EditError::Negative};
        if (price.error == TypedAmountError::TooManyDecimals)
            return {EditError::BadPrice};
        if (price.error != TypedAmountError::None)
            return {EditError::BadNumber, typedAmountReason(price, text, separator_, 2)};
        line.price = formatAmount(price.units, 2, separator_);
        return {};
    });
}

EditResult Estimate::setPriceUnit(std::uint64_t id, PriceUnit unit)
{
    return edit(id, false, [&](EstimateLine& line) -> EditResult {
        if (unit == PriceUnit::Piece && line.pieceSize.empty())
            return {EditError::NotInPieces};
        line.priceUnit = unit;
        return {};
    });
}

bool Estimate::remove(std::uint64_t id)
{
    return removeLines({id});
}

void Estimate::clear()
{
    std::vector<std::uint64_t> ids;
    ids.reserve(rows_.size());
    for (const Row& row : rows_)
        ids.push_back(row.line.id);
    removeLines(ids);
}

bool Estimate::removeLines(const std::vector<std::uint64_t>& ids)
{
    const std::uint64_t now = clock_();
    std::vector<char> doomed;
    for (std::uint64_t id : ids) {
        const std::optional<std::size_t> at = rowOf(id);
        if (!at)
            continue;
        doomed.resize(rows_.size());
        doomed[*at] = 1;
        deleted_[id] = now;
    }
    if (doomed.empty())
        return false;
    eraseRows(doomed);
    return true;
}

void Estimate::putBack(std::vector<PlacedLine> lines)
{
    const std::uint64_t now = clock_();
    // Those still here change in place; the others come back in one pass,
    // each where it stood (they come in the order of their rows: a sort's
    // code weighs on the page).
    std::vector<PlacedLine> returning;
    for (PlacedLine& placed : lines) {
        placed.line.edited = now;
        deleted_.erase(placed.line.id);
        if (const std::optional<std::size_t> at = rowOf(placed.line.id))
            replace(*at, std::move(placed.line));
        else
            returning.push_back(std::move(placed));
    }
    if (returning.empty())
        return;
    std::vector<Row> rows;
    rows.reserve(rows_.size() + returning.size());
    std::size_t kept = 0;
    const std::size_t first = std::min(returning.front().row, rows_.size());
    for (PlacedLine& placed : returning) {
        while (kept < rows_.size() && rows.size() < placed.row)
            rows.push_back(std::move(rows_[kept++]));
        Row row = makeRow(std::move(placed.line));
        count(row, true);
        rows.push_back(std::move(row));
    }
    while (kept < rows_.size())
        rows.push_back(std::move(rows_[kept++]));
    rows_ = std::move(rows);
    reindexFrom(first);
}

void Estimate::setVat(std::uint32_t rate, bool included)
{
    vatRate_ = rate;
    pricesIncludeVat_ = included;
    settingsEdited_ = clock_();
}

void Estimate::mergeFrom(const Estimate& other)
{
    const bool sameSeparator = other.separator_ == separator_;
    for (const Row& theirs : other.rows_) {
        EstimateLine converted;
        if (!sameSeparator) {
            converted = theirs.line;
            changeSeparator(converted, other.separator_, separator_);
        }
        const EstimateLine& line = sameSeparator ? theirs.line : converted;
        const std::optional<Version> mine = versionIn(*this, line.id);
        if (!theirsWin(mine, {&line, line.edited}))
            continue;
        if (sameSeparator)
            converted = theirs.line;
        const std::uint64_t id = converted.id;
        if (mine && mine->line) {
            replace(*rowOf(id), std::move(converted));
        } else {
            deleted_.erase(id);
            append(makeRow(std::move(converted)));
        }
    }
    // Rows deleted there go in one pass: one at a time, each would move
    // and reindex the rows after it. Marked by row rather than listed and
    // sorted: a sort's code weighs on the page.
    std::vector<char> doomed;
    for (const auto& [id, when] : other.deleted_) {
        const std::optional<Version> mine = versionIn(*this, id);
        if (!theirsWin(mine, {nullptr, when}))
            continue;
        if (mine && mine->line) {
            doomed.resize(rows_.size());
            doomed[*rowOf(id)] = 1;
        }
        deleted_[id] = when;
    }
    if (!doomed.empty())
        eraseRows(doomed);
    if (other.settingsEdited_ > settingsEdited_)
        restoreSettings(other.name_, other.vatRate_, other.pricesIncludeVat_, other.settingsEdited_);
}

bool Estimate::mergeWouldChange(const Estimate& other) const
{
    for (const Row& theirs : other.rows_) {
        EstimateLine converted;
        if (other.separator_ != separator_) {
            converted = theirs.line;
            changeSeparator(converted, other.separator_, separator_);
        }
        const EstimateLine& line = other.separator_ == separator_ ? theirs.line : converted;
        if (theirsWin(versionIn(*this, line.id), {&line, line.edited}))
            return true;
    }
    for (const auto& [id, when] : other.deleted_) {
        if (theirsWin(versionIn(*this, id), {nullptr, when}))
            return true;
    }
    return other.settingsEdited_ > settingsEdited_;
}

void Estimate::forgetDeletionsBefore(std::uint64_t when)
{
    for (auto it = deleted_.begin(); it != deleted_.end();)
        it = it->second < when ? deleted_.erase(it) : std::next(it);
}

void Estimate::restore(EstimateLine line)
{
    line.note = catalogueNote(line);
    if (const std::optional<std::size_t> at = rowOf(line.id)) {
        replace(*at, std::move(line));
        return;
    }
    append(makeRow(std::move(line)));
}

void Estimate::restoreDeleted(std::uint64_t id, std::uint64_t when)
{
    deleted_[id] = when;
}

void Estimate::restoreSettings(std::u16string name, std::uint32_t vatRate, bool included,
                               std::uint64_t edited)
{
    name_ = wellFormed(name);
    vatRate_ = vatRate;
    pricesIncludeVat_ = included;
    settingsEdited_ = edited;
}

} // namespace tarvik
