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

// The lists of the metal and of its grade.
enum class GradeList {
    Metal,
    Grade,
};

// The controls of the material and of «Свой размер», below the others in the
// calculation column: the metal and its grade, a density of one's own, the
// basis a result was computed on, and one field per dimension of an own
// section. A face that has them attaches them to the calculator; without
// them every product is steel at the catalogue's masses.
class MaterialWindow {
public:
    virtual ~MaterialWindow() = default;

    // Replaces the list's items and selects one (−1: none, an empty list
    // shown). Raises no change event.
    virtual void setGradeItems(GradeList list, std::span<const std::u16string_view> texts, int index) = 0;
    virtual int gradeIndex(GradeList list) const = 0;
    // Whether the two lists and the density field are offered; a product
    // sold in steel only shows «Сталь» in them, out of use.
    virtual void setGradeChoiceEnabled(bool enabled) = 0;
    virtual std::u16string densityText() const = 0;
    // Raises no change event.
    virtual void setDensityText(std::u16string_view text) = 0;
    virtual int densityCaret() const = 0;
    virtual int densitySelectionEnd() const = 0;
    // Why a key or the typed density was refused, beside the field, for a
    // few seconds and for screen readers.
    virtual void showDensityHint(std::u16string_view reason) = 0;
    // The unit mass, the grade and the density of the shown result; empty
    // while no result is shown.
    virtual void setBasisText(std::u16string_view text) = 0;

    // «Свой размер»: one field shows per caption, emptied, in this order, and
    // the others hide; none hides them all.
    virtual void setDimensionFields(std::span<const std::u16string_view> captions) = 0;
    virtual std::u16string dimensionText(int field) const = 0;
    // Raises no change event.
    virtual void setDimensionText(int field, std::u16string_view text) = 0;
    virtual int dimensionCaret(int field) const = 0;
    virtual int dimensionSelectionEnd(int field) const = 0;
    // Says beside the field why its text gives no result; a field of −1
    // takes the notice away. With `focus` («Расчитать» refused the field)
    // the notice stays until the field changes and the focus moves there;
    // without it (a refused key) it goes after a few seconds.
    virtual void showDimensionHint(int field, std::u16string_view reason, bool focus) = 0;
    // The list of standards beside a profile pipe's corner radius; its items
    // are the catalogue's, in its order.
    virtual void setRadiusStandardVisible(bool visible) = 0;
    virtual int radiusStandardIndex() const = 0;
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
