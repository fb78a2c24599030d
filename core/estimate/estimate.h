#pragma once

// An estimate («Смета»): the list of what a user buys, with its totals kept
// as lines change. The faces show its rows and forward edits; no exception
// leaves an edit, each reports an EditResult instead.

#include "estimate/estimate_line.h"
#include "number/quantity.h"

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

enum class LineCostState {
    Unpriced,
    Priced,
    OutOfRange, // the mass is not shown to the gram: no cost, no part in the totals
};

struct LineCost {
    LineCostState state = LineCostState::Unpriced;
    Amount kopecks;
};

// A line and the row it stands at.
struct PlacedLine {
    std::size_t row = 0;
    EstimateLine line;
};

struct EstimateTotals {
    std::size_t lines = 0;
    std::size_t unpriced = 0;
    std::size_t outOfRange = 0; // lines left out of the mass and the cost
    Amount grams;               // of the lines in range
    Amount kopecks;             // the sum of the priced lines' rounded costs
};

class Estimate {
public:
    using Source = std::function<std::uint64_t()>;

    static constexpr std::uint32_t defaultVatRate = 2200; // hundredths of a percent

    // `ids` gives each new line its id; `clock` the time stamps that merging
    // compares (increasing; any unit).
    Estimate(char16_t separator, Source ids, Source clock);

    char16_t separator() const { return separator_; }

    const std::u16string& name() const { return name_; }
    // Kept with each surrogate that is not half of a pair as U+FFFD.
    void rename(std::u16string name);
    std::uint32_t vatRate() const { return vatRate_; }
    bool pricesIncludeVat() const { return pricesIncludeVat_; }
    EditResult setVatRate(std::u16string_view percent);
    void setPricesIncludeVat(bool included);
    std::uint64_t settingsEdited() const { return settingsEdited_; }

    std::size_t size() const { return rows_.size(); }
    const EstimateLine& line(std::size_t row) const { return rows_[row].line; }
    LineCost cost(std::size_t row) const;
    std::optional<std::size_t> rowOf(std::uint64_t id) const;
    const EstimateTotals& totals() const { return totals_; }

    EditResult add(const Calculation& calculation);
    EditResult editQuantity(std::uint64_t id, std::u16string_view text);
    EditResult editMass(std::uint64_t id, std::u16string_view text);
    // An empty text clears the piece size: the quantity returns to the one
    // requested.
    EditResult editPieceSize(std::uint64_t id, std::u16string_view text);
    EditResult editPieces(std::uint64_t id, std::u16string_view text);
    // An empty text leaves the line unpriced.
    EditResult editPrice(std::uint64_t id, std::u16string_view text);
    // The price stays as typed; the cost is counted anew per the unit.
    EditResult setPriceUnit(std::uint64_t id, PriceUnit unit);

    bool remove(std::uint64_t id);
    void clear();
    // Deletes the lines of these ids in one pass; false when none was here.
    bool removeLines(const std::vector<std::uint64_t>& ids);
    // Lines as they were, for undoing and redoing: each replaces the line
    // of its id, or comes back at its row when it is not here (deleted
    // meanwhile or never added), its deletion forgotten; in the order of
    // their rows. Stamped now, so that a merge keeps what the user brought
    // back.
    void putBack(std::vector<PlacedLine> lines);
    void setVat(std::uint32_t rate, bool included);

    // Deleted ids and when they were deleted.
    const std::map<std::uint64_t, std::uint64_t>& deleted() const { return deleted_; }

    // Another version of the same estimate folded in by line id: lines added
    // there are kept, the later edit of a line wins, a deletion holds unless
    // the line was edited after it.
    void mergeFrom(const Estimate& other);
    // Whether mergeFrom(other) would change anything here.
    bool mergeWouldChange(const Estimate& other) const;
    // Deletions are kept so that a merge does not bring their lines back;
    // one older than any version still open elsewhere can go.
    void forgetDeletionsBefore(std::uint64_t when);

    // For reading a stored estimate: a line as stored, its catalogue note
    // found anew; a deletion; the settings with their time.
    void restore(EstimateLine line);
    void restoreDeleted(std::uint64_t id, std::uint64_t when);
    void restoreSettings(std::u16string name, std::uint32_t vatRate, bool included, std::uint64_t edited);

private:
    struct Row {
        EstimateLine line;
        std::optional<Amount> grams; // none: out of range
        LineCost cost;
    };
    Row makeRow(EstimateLine line) const;
    // The price × what it is per, in kopecks; none where that cannot be counted.
    std::optional<Amount> lineCost(const EstimateLine& line, const Amount& grams, const Amount& price) const;
    void count(const Row& row, bool in);
    void append(Row row);
    void replace(std::size_t at, EstimateLine line);
    void erase(std::size_t at);
    // The rows marked, in one pass.
    void eraseRows(const std::vector<char>& doomed);
    void reindexFrom(std::size_t at);
    // Runs a change on a copy of the line and commits it when it succeeds.
    template <typename Change> EditResult edit(std::uint64_t id, bool recomputes, Change change);

    char16_t separator_;
    Source ids_;
    Source clock_;
    std::u16string name_;
    std::uint32_t vatRate_ = defaultVatRate;
    bool pricesIncludeVat_ = true;
    std::uint64_t settingsEdited_ = 0;
    std::vector<Row> rows_;
    // Row by id. A map of the same type as deleted_: one instantiation less
    // in the page's code, at a lookup cost no edit notices.
    std::map<std::uint64_t, std::uint64_t> index_;
    std::map<std::uint64_t, std::uint64_t> deleted_;
    EstimateTotals totals_;
};

} // namespace tarvik
