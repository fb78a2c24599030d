#pragma once

#include "number/entry_rules.h"

#include <QLineEdit>

#include <functional>

namespace tarvik {

// The numeric input field. Typed characters go through `keyRule` (which
// answers what reaches the field in place of the selection); clicks run
// `clickRule`, leaving the field for another control runs `leaveRule`, and
// every change of the text by the user (typed, pasted, deleted) runs
// `changeRule`. Clipboard, undo and word-deletion shortcuts do nothing; the
// context menu keeps its entries but shows none of the shortcuts the field
// drops, and its paste, like a drop, puts in the text as the calculator
// cleans it.
class NumericEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumericEdit(QWidget* parent);

    std::function<KeyVerdict(char16_t)> keyRule;
    std::function<void()> changeRule;
    std::function<void()> clickRule;
    std::function<void()> leaveRule;

    // Characters before the caret, or before the start of the selection.
    int caret() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void pasteCleaned();
};

} // namespace tarvik
