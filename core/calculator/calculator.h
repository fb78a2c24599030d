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
struct OwnKind;
} // namespace catalogue

// The separator of a locale's decimal point text; a full stop where the
// locale gives none.
char16_t decimalSeparatorOf(std::u16string_view localeDecimalPoint);

class Calculator {
public:
    static constexpr int wideOuterWidth = 644;
    // The section of «Свой размер», below the catalogue's twelve.
    static constexpr int ownSection = 13;

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

    // The material controls and «Свой размер», for a face that has them: the
    // lists are filled at once, with the start choice («Сталь», Ст3).
    void attachMaterial(MaterialWindow& material);
    // The metal or the grade picked by the user.
    void metalChange();
    void gradeChange();
    // What a typed key gives the density field: digits only.
    KeyVerdict densityKeyPress(char16_t key);
    void densityChange();
    // A dimension field of «Свой размер»: the number field's key rules; a
    // change of a wall or a flange width fills in the standard's radii.
    KeyVerdict dimensionKeyPress(int field, char16_t key);
    void dimensionChange(int field);
    void radiusStandardChange();
    // The material as a face keeps it between runs: the metal and the grade
    // by name and the typed density. restoreMaterial takes back what
    // materialSetting gave; a metal or grade it no longer knows gives the
    // start choice.
    std::u16string materialSetting() const;
    void restoreMaterial(std::u16string_view setting);
    // The density a calculation takes now: the typed one while it holds a
    // number, else the grade's; none while the typed text is not a whole
    // number in range.
    std::optional<int> densityInUse() const;

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
    // Material and «Свой размер».
    bool gradeChoiceOffered() const;
    void showGradeChoice();
    void showNoDimensions();
    void runOwnKind();
    const catalogue::OwnKind* ownKind() const;
    void fillRadii(int changedField);
    std::u16string basisText(double unitMass, bool perArea) const;

    Window& window_;
    char16_t separator_;
    SelectionState state_;
    std::u16string resultText_;
    std::size_t resultNumberLength_ = 0;
    bool resultOutOfDate_ = false;
    bool missingShown_ = false;
    int section_ = 0; // of the kind in use; 0 before the first choice
    int kind_ = -1;
    bool perArea_ = false; // the kind in use is sold by area
    std::optional<Calculation> last_;
    MaterialWindow* material_ = nullptr;
    std::size_t metal_ = 0;
    std::size_t grade_ = 0;
};

} // namespace tarvik
