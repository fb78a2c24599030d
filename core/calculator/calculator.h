#pragma once

// The handlers of the main window, as plain logic over the window
// operations. The Qt window forwards its events here; tests drive the same
// calls through a recording fake.

#include "calculator/selection_state.h"
#include "calculator/window.h"
#include "number/entry_rules.h"
#include "number/quantity.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvik {

namespace catalogue {
struct Family;
}

// The separator of a locale's decimal point text; a full stop where the
// locale gives none.
char16_t decimalSeparatorOf(std::u16string_view localeDecimalPoint);

class Calculator {
public:
    static constexpr int wideOuterWidth = 644;

    // The separator comes from the user's locale (decimalSeparatorOf); the
    // calculator has no default of its own to fall back on.
    Calculator(Window& window, char16_t decimalSeparator);

    // Whether a window of this outer width shows the calculation column: the
    // column lies beyond the narrow window's edge.
    static constexpr bool showsCalculationColumn(int outerWidth) { return outerWidth >= wideOuterWidth; }

    // The locale's separator, used by conversion, formatting and the key rules.
    void setDecimalSeparator(char16_t separator) { separator_ = separator; }
    char16_t decimalSeparator() const { return separator_; }

    const SelectionState& state() const { return state_; }

    // The result as the window shows it, and its number alone, without the
    // unit (what a spreadsheet under the same locale reads as a number). Both
    // are empty while no result is shown.
    const std::u16string& resultText() const { return resultText_; }
    std::u16string_view resultNumber() const
    {
        return std::u16string_view(resultText_).substr(0, resultNumberLength_);
    }

    // Kind choice in family section 1..12 (sListBox1Click .. sListBox12Click).
    void sListBoxClick(int section);
    void sListBox1Click() { sListBoxClick(1); }
    void sListBox2Click() { sListBoxClick(2); }
    void sListBox3Click() { sListBoxClick(3); }
    void sListBox4Click() { sListBoxClick(4); }
    void sListBox5Click() { sListBoxClick(5); }
    void sListBox6Click() { sListBoxClick(6); }
    void sListBox7Click() { sListBoxClick(7); }
    void sListBox8Click() { sListBoxClick(8); }
    void sListBox9Click() { sListBoxClick(9); }
    void sListBox10Click() { sListBoxClick(10); }
    void sListBox11Click() { sListBoxClick(11); }
    void sListBox12Click() { sListBoxClick(12); }

    void sRadioGroupClick();
    void sButtonCalcClick();

    void FillFirstLevelPicker();
    // A size picked or typed by the user.
    void sComboBoxElementChange();
    void sComboBoxE1Change();
    void sComboBoxE2Change();
    // The user left a drop-down list: it shows its item's own text.
    void sizeListExit(DropDown list);

    // What a typed key gives the field; a refused printable key is explained
    // beside it.
    KeyVerdict sEditParamKeyPress(char16_t key);
    // The field's text changed by the user: typed, pasted or deleted.
    void sEditParamChange();
    void sEditParamClick();
    void sEditParamExit();

    // Whether the shown result was computed from the inputs now beside it.
    bool resultOutOfDate() const { return resultOutOfDate_; }

    // What the shown result was computed from, taken when it was computed,
    // never from the controls' present state; none while no result is shown.
    const std::optional<Calculation>& lastCalculation() const { return last_; }
    // «В смету» takes a result that is shown, up to date and above zero.
    bool canAddToEstimate() const;

private:
    // The mode handler's work, which every kind choice runs too.
    void applyMode();
    void runSingleListForm(const catalogue::Family& family, int kind);
    void runTwoPickerForm(const catalogue::Family& family, int kind);
    void AddItems(DropDown list, std::span<const std::u16string_view> texts);
    void showResult(std::u16string_view number, std::u16string_view unit);
    void clearResult();
    void updateEstimateAdd();
    void markResultOutOfDate();
    void showMissing(MissingInput which, std::u16string_view text);
    // The lists that show the size: the size list, or the two pickers.
    bool usesPickers() const;
    void showItemText(DropDown list);

    Window& window_;
    char16_t separator_;
    SelectionState state_;
    std::u16string resultText_;
    std::size_t resultNumberLength_ = 0;
    bool resultOutOfDate_ = false;
    bool missingShown_ = false;
    int section_ = 0; // of the kind in use; 0 before the first choice
    int kind_ = -1;
    std::optional<Calculation> last_;
};

} // namespace tarvik
