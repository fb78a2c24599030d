#pragma once

#include <QLineEdit>

#include <functional>

namespace tarvik {

// The numeric input field. Typed characters go through `keyRule` (which
// answers the character that reaches the field, or 0 to drop it); clicks run
// `clickRule`, and leaving the field for another control runs `leaveRule`.
// Clipboard, undo and word-deletion shortcuts do nothing; the context menu
// keeps its entries but shows none of the shortcuts the field drops.
class NumericEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumericEdit(QWidget* parent);

    std::function<char16_t(char16_t)> keyRule;
    std::function<void()> clickRule;
    std::function<void()> leaveRule;

    // Characters before the caret, or before the start of the selection.
    int caret() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace tarvik
