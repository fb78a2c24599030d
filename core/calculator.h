#pragma once

// The handlers of the main window, as plain logic over the window
// operations. The Qt window forwards its events here; tests drive the same
// calls through a recording fake.

#include "selection_state.h"
#include "window.h"

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
    // More than this many characters after the separator stop further digits
    // typed after it, so six digits can be typed there.
    static constexpr int FractionDigitLimit = 5;

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
    void sComboBoxE1Change();
    void sComboBoxE2Change();

    // Returns the character that reaches the field, or 0 to drop the key.
    char16_t sEditParamKeyPress(char16_t key) const;
    void sEditParamClick();
    void sEditParamExit();

private:
    void runSingleListForm(const catalogue::Family& family, int kind);
    void runTwoPickerForm(const catalogue::Family& family, int kind);
    void AddItems(DropDown list, std::span<const std::u16string_view> texts);
    void showResult(std::u16string_view number, std::u16string_view unit);
    void clearResult();

    Window& window_;
    char16_t separator_;
    SelectionState state_;
    std::u16string resultText_;
    std::size_t resultNumberLength_ = 0;
};

} // namespace tarvik
