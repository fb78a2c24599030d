#pragma once

// The page's estimates: the core's presenter over the library of named
// estimates in the browser's storage, behind calls that take and give
// texts only. Numbers cross to JavaScript as the core writes them, line ids
// as decimal texts (64 bits do not fit a JavaScript number). What the
// presenter has the face show goes to the page's view object. Nothing here
// lets an exception reach JavaScript.

#include "web/estimate/browser_storage.h"

#include "estimate/estimate_library.h"
#include "estimate/estimate_presenter.h"
#include "number/entry_rules.h"

#include <string>
#include <vector>

namespace tarvik::web {

// The page's view object, called by name.
class PageEstimateView : public EstimateView {
public:
    void showEstimate() override;
    void showRows() override;
    void showLine(std::size_t row) override;
    void showSettings() override;
    void chooseLine(std::size_t row) override;
    void showCommands(const EstimateCommands& commands) override;
    void showMessage(std::u16string_view text, EstimateTone tone) override;
    void saveSoon() override;
};

class WebEstimate {
public:
    // The page's clock counts microseconds: two tabs' edits compare by it
    // when they merge.
    static constexpr std::uint64_t ticksPerSecond = 1'000'000;

    // `separator`: the calculator's, so that the lines it adds read alike.
    explicit WebEstimate(int separator);

    EstimatePresenter& presenter() { return presenter_; }
    const EstimatePresenter& presenter() const { return presenter_; }

    int size() const { return static_cast<int>(presenter_.rowCount()); }
    // The column captions, which follow the kinds of quantity in the lines.
    std::vector<std::u16string> header() const;
    // Line `row`'s cells: text, reason and "1" for an alert, for each column in turn.
    std::vector<std::u16string> row(int row) const;
    // What line `row`'s cell of a chosen column («за») offers; none for another.
    std::vector<std::u16string> choices(int row, int column) const;
    std::u16string id(int row) const;
    // The row of a line; -1 when it is gone.
    int rowOf(const std::u16string& id) const;
    std::u16string notes(int row) const;
    // The totals under the table: the captions of the columns totalled, then
    // each totals row's label, mass and cost in turn.
    std::vector<std::u16string> totals() const;

    bool commitCell(const std::u16string& id, int column, const std::u16string& text);
    void abandonCell(const std::u16string& id, int column);
    void deleteLine(const std::u16string& id);
    // What a key typed into a cell that takes `decimals` decimals gives it.
    KeyVerdict cellKey(int decimals, const std::u16string& text, int start, int end, int key) const;

    // The CSV file's bytes, and the text a spreadsheet takes from the
    // clipboard.
    std::string csv() const;
    std::u16string tabText() const;

    // The estimates kept, by name: key and name of each in turn.
    std::vector<std::u16string> entries() const;

private:
    BrowserStorage storage_;
    EstimateLibrary library_;
    PageEstimateView view_;
    EstimatePresenter presenter_;
};

} // namespace tarvik::web
