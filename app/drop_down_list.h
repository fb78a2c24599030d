#pragma once

#include <QComboBox>

#include <functional>
#include <string_view>

class QLabel;

namespace tarvik {

// The editable drop-down list of the right column. It keeps its own selected
// position, without ever moving Qt's current index: typing completes the text
// to the first item that begins with it (letter case ignored), and after every
// change by the user the selected item is the one that `shownItemRule` finds
// for the shown text, so that what the box shows is what is used. `changed` is
// the list's OnChange: a pick from the list or an edit of the text by the
// user, never a change made from code.
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

    // The item that a shown text selects, −1 for none. Without a rule a
    // change by the user selects nothing.
    std::function<int(std::u16string_view shown)> shownItemRule;

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

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void afterCompletion(const std::function<void()>& edit);
    void onTextEdited();
    void onActivated();
    void selectShownItem();

    int itemIndex_ = -1;
    // Typed text reports its edit before the completion fills in the rest of
    // the text: the selection waits until the key (or the input method's
    // text) has been handled.
    bool inEdit_ = false;
    bool edited_ = false;
    QLabel* boundLabel_;
};

// Puts a caption label centred above `control`, `gap` pixels over it, sized
// to its whole text.
void placeAbove(QLabel* label, const QWidget* control, int gap = 5);

} // namespace tarvik
