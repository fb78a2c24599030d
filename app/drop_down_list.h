#pragma once

#include <QComboBox>

class QLabel;

namespace tarvik {

// The editable drop-down list of the right column. It keeps its own selected
// position: typing completes to the first item that begins with the typed
// text (letter case ignored) and selects it, or selects nothing when no item
// begins with it, without ever moving Qt's current index. `changed` is the
// list's OnChange: a pick from the list or an edit of the text by the user,
// never a change made from code.
class DropDownList : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownList(QWidget* parent);

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

private:
    void onTextEdited(const QString& text);
    void onActivated(int index);
    void placeBoundLabel();

    int itemIndex_ = -1;
    QLabel* boundLabel_;
};

// Puts a caption label centred above `control`, `gap` pixels over it, sized
// to its whole text.
void placeAbove(QLabel* label, const QWidget* control, int gap = 5);

} // namespace tarvik
