#pragma once

// What the estimate's presenter has a face show, and nothing else. The
// desktop window and the page implement it over their widgets and elements;
// the tests over a recording fake. The face reads what to show from the
// presenter when told.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvik {

enum class EstimateTone {
    Info,  // done as asked: «Таблица скопирована»
    Error, // not done, or not saved: it stays until the next message
    Hint,  // a key the cell did not take: shown for a moment
};

// The state of «Отменить» and «Вернуть»: each button's accessible
// description says what it would undo or redo; empty when disabled.
struct EstimateCommands {
    bool canUndo = false;
    bool canRedo = false;
    std::u16string undoText;
    std::u16string redoText;
};

class EstimateView {
public:
    virtual ~EstimateView() = default;

    // Another estimate is open (or the open one was renamed): its title,
    // settings, header, rows and totals, and the list of estimates, all
    // anew, scrolled to the top; nothing of the last one stays in a cell.
    virtual void showEstimate() = 0;
    // Rows came, went or moved (added, deleted, brought back, merged from
    // another writer); the header, the rows and the totals anew, scrolled
    // where they were.
    virtual void showRows() = 0;
    // Line `row`'s cells and the totals; the rows stay where they are.
    virtual void showLine(std::size_t row) = 0;
    // The VAT settings and the totals.
    virtual void showSettings() = 0;
    // Line `row` chosen and brought into view, the focus kept where it is.
    virtual void chooseLine(std::size_t row) = 0;
    virtual void showCommands(const EstimateCommands& commands) = 0;
    virtual void showMessage(std::u16string_view text, EstimateTone tone) = 0;
    // A change to save once it is on screen: the face calls the presenter's
    // save() when it has drawn it.
    virtual void saveSoon() = 0;
};

} // namespace tarvik
