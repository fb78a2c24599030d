#pragma once

// The page's estimates: the core's library of named estimates over the
// browser's storage, behind calls that take and give texts only. Numbers
// cross to JavaScript as the core writes them, line ids as decimal texts
// (64 bits do not fit a JavaScript number); an edit answers with the words
// for its refusal, "" when it was taken. Nothing here lets an exception
// reach JavaScript.

#include "estimate/estimate_library.h"
#include "web/estimate/browser_storage.h"

#include "number/entry_rules.h"

#include <string>
#include <vector>

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

    int size() const { return static_cast<int>(estimate().size()); }
    // The column captions, which follow the kinds of quantity in the lines.
    std::vector<std::u16string> header() const;
    // The texts of line `row`, one per column.
    std::vector<std::u16string> row(int row) const;
    std::u16string id(int row) const;
    // The row of a line; -1 when it is gone.
    int rowOf(const std::u16string& id) const;
    std::u16string notes(int row) const;
    // The totals rows under the table: label, mass and cost of each in turn.
    std::vector<std::u16string> totals() const;

    // An edit of an editable column (EstimateColumn's number) of a line.
    std::u16string edit(const std::u16string& id, int column, const std::u16string& text);
    // What a key typed into a cell that takes `decimals` decimals gives it.
    KeyVerdict cellKey(int decimals, const std::u16string& text, int start, int end, int key) const;
    bool remove(const std::u16string& id);
    void clear() { estimate().clear(); }
    bool undo() { return estimate().undo(); }

    std::u16string vatRate() const;
    std::u16string setVatRate(const std::u16string& text);
    bool pricesIncludeVat() const { return estimate().pricesIncludeVat(); }
    void setPricesIncludeVat(bool included) { estimate().setPricesIncludeVat(included); }

    // The CSV file's bytes, its name on the given local date, and the text
    // a spreadsheet takes from the clipboard.
    std::string csv() const;
    std::u16string csvName(int year, int month, int day) const;
    std::u16string tabText() const;
    // The title over the table and on paper, and the printed date.
    std::u16string title() const;
    std::u16string printedDate(int year, int month, int day) const;

    // The estimates kept, by name: key and name of each in turn; and the
    // open one's key and name.
    std::vector<std::u16string> entries() const;
    std::u16string key() const { return library_.key(); }
    std::u16string name() const { return estimate().name(); }
    void create() { library_.create(); }
    bool open(const std::u16string& key) { return library_.open(key); }
    // Why the name was refused; "" when taken.
    std::u16string rename(const std::u16string& name) { return library_.rename(name); }
    void duplicate() { library_.duplicate(); }
    void removeEstimate(const std::u16string& key) { library_.remove(key); }
    bool undoRemove() { return library_.undoRemove(); }
    // After each committed change; true when another tab's changes came in.
    bool save() { return library_.save(); }
    // Another tab stored the estimate; true when something changed here.
    bool refresh() { return library_.refresh(); }
    // What the user must be told since the last call.
    std::vector<std::u16string> messages();
    void setShown(bool shown) { library_.setWindowOpen(shown); }

private:
    Estimate& estimate() { return library_.estimate(); }
    const Estimate& estimate() const { return library_.estimate(); }

    BrowserStorage storage_;
    EstimateLibrary library_;
};

} // namespace tarvik::web
