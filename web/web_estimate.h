#pragma once

// The page's estimate: the core's Estimate behind calls that take and give
// texts only. Numbers cross to JavaScript as the core writes them, line ids
// as decimal strings (64 bits do not fit a JavaScript number); an edit
// answers with the words for its refusal, "" when it was taken. Nothing
// here lets an exception reach JavaScript.

#include "core/estimate.h"

#include <emscripten/val.h>

#include <string>

namespace tarvik::web {

// How many decimals a cell of the column takes; -1: the column is not edited.
int cellDecimals(int column);
// The VAT rate's field takes hundredths of a percent.
inline constexpr int vatRateDecimals = 2;

class WebEstimate {
public:
    // `separator`: the calculator's, so that the lines it adds read alike.
    explicit WebEstimate(int separator);

    // A calculation as the core computed it; "" or why it was refused.
    std::u16string add(const Calculation& calculation);

    int size() const { return static_cast<int>(estimate_.size()); }
    std::u16string name() const { return estimate_.name(); }
    // The column captions, which follow the kinds of quantity in the lines.
    emscripten::val header() const;
    // The texts of line `row`, one per column.
    emscripten::val row(int row) const;
    std::string id(int row) const;
    // The row of a line; -1 when it is gone.
    int rowOf(const std::string& id) const;
    std::u16string notes(int row) const;
    // The totals rows under the table: [label, mass, cost] each.
    emscripten::val totals() const;

    // An edit of an editable column (EstimateColumn's number) of a line.
    std::u16string edit(const std::string& id, int column, const std::u16string& text);
    // What a key typed into a cell that takes `decimals` decimals gives it:
    // [inserted, reason].
    emscripten::val cellKey(int decimals, const std::u16string& text, int start, int end, int key) const;
    bool remove(const std::string& id);
    void clear() { estimate_.clear(); }
    bool undo() { return estimate_.undo(); }
    bool canUndo() const { return estimate_.canUndo(); }

    std::u16string vatRate() const;
    std::u16string setVatRate(const std::u16string& text);
    bool pricesIncludeVat() const { return estimate_.pricesIncludeVat(); }
    void setPricesIncludeVat(bool included) { estimate_.setPricesIncludeVat(included); }

    // The CSV file's bytes, its name on the given local date, and the text
    // a spreadsheet takes from the clipboard.
    emscripten::val csv() const;
    std::u16string csvName(int year, int month, int day) const;
    std::u16string tabText() const;
    // The printed sheet's title and date.
    std::u16string printedTitle() const;
    std::u16string printedDate(int year, int month, int day) const;

private:
    Estimate estimate_;
};

} // namespace tarvik::web
