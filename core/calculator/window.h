#pragma once

// The window operations that the handlers drive the controls through, and
// nothing else. The Qt window implements them over real widgets; the tests
// implement them over a recording fake.

#include <span>
#include <string>
#include <string_view>

namespace tarvik {

// The three drop-down lists of the right column.
enum class DropDown {
    Element, // sComboBoxElement: the size list, the one record of the chosen size
    E1,      // sComboBoxE1: first-level size picker
    E2,      // sComboBoxE2: second-level size picker
};

// A control that «Расчитать» needs and that was left unset.
enum class MissingInput {
    None, // nothing missing: any earlier notice goes
    Mode,
    Element,
    E1,
    E2,
};

class Window {
public:
    virtual ~Window() = default;

    // Outer width, frame included; the client height never changes.
    virtual void setOuterWidth(int width) = 0;

    // A hidden list keeps its items and selection and answers every read;
    // its caption label shows and hides with it.
    virtual void setVisible(DropDown list, bool visible) = 0;
    // Removes all items; no item is selected afterwards.
    virtual void clearItems(DropDown list) = 0;
    virtual void appendItems(DropDown list, std::span<const std::u16string_view> texts) = 0;
    // An index outside 0..count-1 (−1 included) selects nothing and empties
    // the displayed text. Raises no change event.
    virtual void setItemIndex(DropDown list, int index) = 0;
    virtual int itemIndex(DropDown list) const = 0;
    virtual int itemCount(DropDown list) const = 0;
    // The text at index −1 reads as the empty text.
    virtual std::u16string itemText(DropDown list, int index) const = 0;
    // Removes all items and the displayed text.
    virtual void emptyPicker(DropDown list) = 0;
    virtual void setEnabled(DropDown list, bool enabled) = 0;
    virtual void setCaption(DropDown list, std::u16string_view caption) = 0;

    // Kinds list of section 1..12; −1 when no entry is selected.
    virtual int kindsItemIndex(int section) const = 0;
    // Takes the selection away from kinds list 1..12; runs no handler.
    virtual void clearKindsSelection(int section) = 0;
    // The mode group: −1 when no mode is chosen.
    virtual int modeItemIndex() const = 0;
    // Keeps the selection and runs no handler.
    virtual void setModeItemText(int item, std::u16string_view text) = 0;

    virtual void setResultText(std::u16string_view text) = 0;
    // The shown result no longer belongs to the inputs beside it (the size,
    // the mode or the number changed since): shown dimmed, its text kept,
    // `description` telling assistive technology why. Cleared by every new
    // result text.
    virtual void setResultOutOfDate(bool outOfDate, std::u16string_view description) = 0;
    // Whether «В смету» can take the shown result.
    virtual void setEstimateAddEnabled(bool enabled) = 0;
    // The name of the kind in use, shown in the calculation column.
    virtual void setKindInUse(std::u16string_view text) = 0;
    // Says beside the missing control what to do, and moves the focus
    // there; MissingInput::None takes the notice away.
    virtual void showMissingInput(MissingInput which, std::u16string_view text) = 0;

    virtual std::u16string inputText() const = 0;
    virtual void setInputText(std::u16string_view text) = 0;
    // Characters (UTF-16 code units) before the caret, or before the start
    // of the selected text.
    virtual int inputCaret() const = 0;
    // The end of the selected text; the caret when nothing is selected.
    virtual int inputSelectionEnd() const = 0;
    // Why a typed key did not reach the field, for a few seconds beside it
    // and for screen readers.
    virtual void showInputHint(std::u16string_view reason) = 0;
    virtual void setInputCaption(std::u16string_view caption) = 0;
    virtual void activateInputCaption() = 0;
};

// The window's components in creation order, as the accordion walks them.
// Components are named by their position in that order.
class ComponentTree {
public:
    virtual ~ComponentTree() = default;
    virtual int componentCount() const = 0;
    virtual bool isWindowed(int component) const = 0;
    // Position of the parent component; −1 for the window itself.
    virtual int parentOf(int component) const = 0;
    virtual int topOf(int component) const = 0;
    virtual int heightOf(int component) const = 0;
    virtual void setTop(int component, int top) = 0;
    virtual void setHeight(int component, int height) = 0;
};

} // namespace tarvik
