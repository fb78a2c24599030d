#pragma once

#include "calculator/size_text.h"

#include <QComboBox>

#include <functional>
#include <string_view>

class QLabel;

namespace tarvik {

// The editable drop-down list of the right column. It keeps its own selected
// position, without ever moving Qt's current index. After every change of its
// text by the user, `editRule` says what the box shows (typed text completed)
// and which item that selects, so that what the box shows is what is used.
// `changed` is the list's OnChange: a pick from the list or an edit of the
// text by the user, never a change made from code.
class DropDownList : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownList(QWidget* parent);

    // Gives the list its line edit. An editable list costs a line edit and a
    // completer with its models: the window makes its lists editable when
    // they are first used or shown, not while it starts.
    void makeEditable();
    // Places the caption label again, for its present text and font.
    void placeBoundLabel();

    // Without a rule a change by the user selects nothing.
    std::function<SizeTextEdit(std::u16string_view text, SizeTextChange change)> editRule;

    int itemIndex() const { return itemIndex_; }
    // Selects `index`; any index outside the items selects nothing and
    // empties the displayed text.
    void setItemIndex(int index);
    // Removes every item; the displayed text stays.
    void clearItems();
    // Removes every item and the displayed text.
    void empty();

    // The caption label above the list, centred with a 5-px gap; it shows,
    // hides and greys out with the list. The lists never move, so the label
    // is placed when its text or font is set.
    QLabel* boundLabel() const { return boundLabel_; }
    void setCaption(const QString& caption);
    void setVisible(bool visible) override;
    // The popup is at least as wide as the longest item, within the screen.
    void showPopup() override;

signals:
    void changed();
    // The focus went to another control (not to the list's own popup).
    void left();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void whileEditing(SizeTextChange change, const std::function<void()>& edit);
    void onTextEdited();
    void onActivated();
    void applyEditRule(SizeTextChange change);
    void showTextStart();

    int itemIndex_ = -1;
    // A key or an input method's text reports its edit while it is being
    // handled: the rule runs once it has been, on the text it left.
    bool inEdit_ = false;
    bool edited_ = false;
    QLabel* boundLabel_;
};

// Puts a caption label centred above `control`, `gap` pixels over it, sized
// to its whole text.
void placeAbove(QLabel* label, const QWidget* control, int gap = 5);

} // namespace tarvik
